#include "frmtitle_k.h"

#include "frmtitle_m.h"
#include "titlecode.h"
#include "ui_frmtitle_k.h"
#include <windowsupport.h>

#include <QFontDatabase>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace zam {

namespace {

// Only characters the camera has can be typed.
QRegularExpression titleTextPattern()
{
    QString keys;
    for (const titles::TitleChar &c : titles::titleCharacters())
        keys += QRegularExpression::escape(QString(c.key));
    return QRegularExpression(QStringLiteral("[%1]{0,%2}").arg(keys).arg(titles::kLineLength));
}

} // namespace

FrmTitle_K::FrmTitle_K(CameraLink &link, std::function<bool()> motionDetectionRuns,
                       std::function<bool()> titleOnOffChecked, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmTitle_K>()), m_link(&link),
      m_motionDetectionRuns(std::move(motionDetectionRuns))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    for (int i = 0; i < m_ui->Combo1->count(); ++i)
        m_ui->Combo1->setItemData(i, i);
    for (int i = 0; i < m_ui->Combo2->count(); ++i)
        m_ui->Combo2->setItemData(i, i);
    m_ui->Text1->setValidator(new QRegularExpressionValidator(titleTextPattern(), m_ui->Text1));

    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Courier"), fixed.family()});
    m_ui->Text3->setFont(fixed);

    connect(m_ui->Check1, &QCheckBox::toggled, this, &FrmTitle_K::onCheck1);
    connect(m_ui->OK, &QPushButton::clicked, this, &FrmTitle_K::sendTitle);
    connect(m_ui->Clear, &QPushButton::clicked, this, &FrmTitle_K::clearTitle);
    connect(m_ui->Cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->Mouse, &QPushButton::clicked, this, &FrmTitle_K::backToMouse);

    // Loading. The pause of auto refresh waits for the editor to be shown.
    if (titleOnOffChecked)
        m_ui->Check1->setChecked(titleOnOffChecked());
    QString list = titles::characterListText();
    list.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_ui->Text3->setPlainText(list.chopped(1)); // no empty line after the last
    // Room for the whole list without scrolling.
    const QFontMetrics fm(fixed);
    int widest = 0;
    for (const QString &line : list.split(u'\n'))
        widest = std::max(widest, fm.horizontalAdvance(line));
    const int frame =
        2 * (m_ui->Text3->frameWidth() + int(m_ui->Text3->document()->documentMargin()));
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_ui->Text3->setMinimumSize(widest + frame + bar, 10 * fm.lineSpacing() + frame + bar);
}

FrmTitle_K::~FrmTitle_K() = default;

void FrmTitle_K::setCheck1(bool on)
{
    m_ui->Check1->setChecked(on);
}

void FrmTitle_K::onCheck1(bool on)
{
    if (const auto packet = titles::titleDisplayPacket(m_link->state().CameraAddress, on))
        m_link->SD(*packet, 1);
}

void FrmTitle_K::sendTitle()
{
    const QString typed = m_ui->Text1->text();
    for (QChar c : typed) {
        if (!titles::titleCodeOf(c)) {
            m_messages.show({QMessageBox::Warning, QStringLiteral("Title Set"),
                             QStringLiteral("Title String: the camera has no character for \"%1\". "
                                            "The list shows the characters it has.")
                                 .arg(c)});
            m_ui->Text1->setFocus();
            return;
        }
    }
    const int address = m_link->state().CameraAddress;
    const QString title = (typed + QString(titles::kLineLength, u' ')).left(titles::kLineLength);
    m_ui->Text1->setText(title);

    titles::LineSetting s;
    s.line = m_ui->VPos->value();
    s.horizontal = m_ui->HPos->value();
    s.colour = m_ui->Combo1->currentIndex() < 0 ? 0 : m_ui->Combo1->currentData().toInt();
    s.blink = m_ui->Combo2->currentIndex() < 0 ? 0 : m_ui->Combo2->currentData().toInt();
    std::array<std::uint8_t, titles::kLineLength> codes{};
    for (int i = 0; i < titles::kLineLength; ++i)
        codes[std::size_t(i)] = titles::Conv(title[i]);
    const std::span<const std::uint8_t> all(codes);

    const auto attributes = titles::lineSettingPacket(address, s);
    const auto first = titles::titleHalfPacket(address, s.line, 0, all.first(titles::kHalfLength));
    const auto second = titles::titleHalfPacket(address, s.line, 1, all.last(titles::kHalfLength));
    if (!attributes || !first || !second)
        return;
    if (!m_link->SD(*attributes, 1) || !m_link->SD(*first, 1))
        return;
    {
        BusyCursor busy;
        m_link->stopwatch().pause(titles::kPacketPause);
    }
    m_link->SD(*second, 1);
}

void FrmTitle_K::clearTitle()
{
    if (const auto packet = titles::titleClearPacket(m_link->state().CameraAddress))
        m_link->SD(*packet, 1);
    m_ui->Text1->clear();
}

void FrmTitle_K::backToMouse()
{
    if (m_mouseEditor) {
        m_mouseEditor->move(pos());
        m_mouseEditor->show();
        m_mouseEditor->raise();
        m_mouseEditor->activateWindow();
    }
    close();
}

void FrmTitle_K::reject()
{
    // Also reached from closeEvent; deleting twice later is harmless.
    QDialog::reject();
    if (testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}

void FrmTitle_K::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || m_holdsRefresh)
        return;
    m_holdsRefresh = true;
    m_link->refresh().windowOpened();
}

void FrmTitle_K::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    releaseRefresh();
}

void FrmTitle_K::releaseRefresh()
{
    if (!m_holdsRefresh)
        return;
    m_holdsRefresh = false;
    AutoRefresh::HandBack how = AutoRefresh::HandBack::Resume;
    if (m_motionDetectionRuns()) {
        how = AutoRefresh::HandBack::SwitchOff;
    } else if (m_mouseEditor && m_mouseEditor->isVisible()) {
        if (m_link->refresh().captionIsAuto())
            m_mouseEditor->holdRefreshUntilHidden();
        how = AutoRefresh::HandBack::KeepHeld;
    }
    m_link->refresh().windowClosed(how);
}

} // namespace zam

#include "frmtitle_m.h"

#include "titleglyphs.h"
#include "ui_frmtitle_m.h"
#include <windowsupport.h>

#include <QKeyEvent>

namespace zam {

FrmTitle_M::FrmTitle_M(CameraLink &link, titles::TitleBuffer &buffer,
                       std::function<bool()> motionDetectionRuns, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmTitle_M>()), m_link(&link), m_buffer(&buffer),
      m_motionDetectionRuns(std::move(motionDetectionRuns))
{
    m_ui->setupUi(this);
    m_cells = {m_ui->Char_0,  m_ui->Char_1,  m_ui->Char_2,  m_ui->Char_3,  m_ui->Char_4,
               m_ui->Char_5,  m_ui->Char_6,  m_ui->Char_7,  m_ui->Char_8,  m_ui->Char_9,
               m_ui->Char_10, m_ui->Char_11, m_ui->Char_12, m_ui->Char_13, m_ui->Char_14,
               m_ui->Char_15, m_ui->Char_16, m_ui->Char_17, m_ui->Char_18, m_ui->Char_19};
    for (int i = 0; i < m_cells.size(); ++i) {
        connect(m_cells[i], &TitleCell::clicked, this, [this, i] {
            m_cursor = i;
            ReDraw();
        });
        connect(m_cells[i], &TitleCell::keyPressed, this, &FrmTitle_M::onCellKey);
    }
    for (int i = 0; i < m_ui->ColorSel->count(); ++i)
        m_ui->ColorSel->setItemData(i, i);
    for (int i = 0; i < m_ui->BlinkSel->count(); ++i)
        m_ui->BlinkSel->setItemData(i, i);

    connect(m_ui->Picture1, &TitleChart::codePicked, this, &FrmTitle_M::insertCode);
    connect(m_ui->Left, &QPushButton::clicked, this, [this] {
        titles::cursorLeft(m_cursor);
        ReDraw();
    });
    connect(m_ui->Right, &QPushButton::clicked, this, [this] {
        titles::cursorRight(m_cursor);
        ReDraw();
    });
    connect(m_ui->DEL, &QPushButton::clicked, this, [this] {
        titles::deleteAt(row(), m_cursor);
        ReDraw();
    });
    connect(m_ui->Clear, &QPushButton::clicked, this, &FrmTitle_M::clearTitle);
    connect(m_ui->Check1, &QCheckBox::toggled, this, &FrmTitle_M::onCheck1);
    connect(m_ui->OK, &QPushButton::clicked, this, &FrmTitle_M::sendLine);
    connect(m_ui->cmd_DOVA, &QPushButton::clicked, this, &FrmTitle_M::sendDemo);
    connect(m_ui->Keyboard, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT keyboardRequested();
    });
    connect(m_ui->Cancel, &QPushButton::clicked, this, &QWidget::hide);

    m_cursor = 0;
    ReDraw();
}

FrmTitle_M::~FrmTitle_M() = default;

titles::TitleRow &FrmTitle_M::row()
{
    return (*m_buffer)[std::size_t(titles::titleRowIndex(m_link->state().CameraAddress))];
}

void FrmTitle_M::openFromMenu()
{
    m_cursor = 0;
    ReDraw();
    show();
    raise();
    activateWindow();
}

void FrmTitle_M::setCheck1(bool on)
{
    m_ui->Check1->setChecked(on);
}

void FrmTitle_M::ReDraw()
{
    const titles::TitleRow &r = row();
    auto *focused = qobject_cast<TitleCell *>(focusWidget());
    const bool cellFocused = focused && focused->hasFocus() && m_cells.contains(focused);
    for (int i = 0; i < m_cells.size(); ++i) {
        const bool at = i == m_cursor;
        m_cells[i]->setGlyph(r[std::size_t(i)], at);
        // Tab enters the line at the cursor cell only.
        m_cells[i]->setFocusPolicy(at ? Qt::StrongFocus : Qt::ClickFocus);
        m_cells[i]->setAccessibleDescription(titles::glyphText(r[std::size_t(i)]));
    }
    if (cellFocused)
        m_cells[m_cursor]->setFocus(Qt::OtherFocusReason);
}

void FrmTitle_M::insertCode(std::uint8_t code)
{
    titles::InsertChar(row(), m_cursor, code);
    ReDraw();
}

void FrmTitle_M::onCellKey(int key, const QString &text)
{
    switch (key) {
    case Qt::Key_Left:
        titles::cursorLeft(m_cursor);
        break;
    case Qt::Key_Right:
        titles::cursorRight(m_cursor);
        break;
    case Qt::Key_Backspace:
        titles::backspace(row(), m_cursor);
        break;
    case Qt::Key_Delete:
        titles::deleteAt(row(), m_cursor);
        break;
    default:
        // A key the camera has no character for inserts nothing.
        if (text.size() == 1) {
            if (const auto code = titles::titleCodeOf(text[0]))
                titles::InsertChar(row(), m_cursor, *code);
        }
        break;
    }
    ReDraw();
}

void FrmTitle_M::onCheck1(bool on)
{
    if (const auto packet = titles::titleDisplayPacket(m_link->state().CameraAddress, on))
        m_link->SD(*packet, 1);
    Q_EMIT titleDisplayChanged(on);
}

titles::LineSetting FrmTitle_M::lineSetting() const
{
    // Item data of the selected entry; nothing selected counts as 0.
    auto data = [](const QComboBox *box) {
        return box->currentIndex() < 0 ? 0 : box->currentData().toInt();
    };
    return {m_ui->VerPos->value(), m_ui->HoliPos->value(), data(m_ui->ColorSel),
            data(m_ui->BlinkSel), m_ui->Opening->value()};
}

bool FrmTitle_M::sendAndPause(const std::optional<QByteArray> &packet)
{
    if (!packet || !m_link->SD(*packet, 1))
        return false;
    m_link->stopwatch().pause(titles::kPacketPause);
    return true;
}

void FrmTitle_M::sendLine()
{
    const int address = m_link->state().CameraAddress;
    const titles::LineSetting s = lineSetting();
    const titles::TitleRow codes = row();
    const std::span<const std::uint8_t> all(codes.data(), titles::kLineLength);
    BusyCursor busy;
    if (!sendAndPause(titles::lineSettingPacket(address, s)))
        return;
    if (!sendAndPause(titles::titleHalfPacket(address, s.line, 0, all.first(titles::kHalfLength))))
        return;
    sendAndPause(titles::titleHalfPacket(address, s.line, 1, all.last(titles::kHalfLength)));
}

void FrmTitle_M::sendDemo()
{
    const int address = m_link->state().CameraAddress;
    const titles::DemoTitle &demo = titles::demoTitle();
    BusyCursor busy;
    if (!sendAndPause(titles::lineSettingPacket(address, lineSetting())))
        return;
    for (int half = 0; half < 2; ++half) {
        for (int line = 0; line <= titles::kLastLine; ++line) {
            const std::span<const std::uint8_t> all(demo[std::size_t(line)]);
            const auto part =
                half == 0 ? all.first(titles::kHalfLength) : all.last(titles::kHalfLength);
            if (!sendAndPause(titles::titleHalfPacket(address, line, half, part)))
                return;
        }
    }
}

void FrmTitle_M::clearTitle()
{
    if (const auto packet = titles::titleClearPacket(m_link->state().CameraAddress))
        m_link->SD(*packet, 1);
    titles::clearRow(row());
    ReDraw();
}

void FrmTitle_M::showEvent(QShowEvent *event)
{
    // The selected camera may have changed since the last use.
    ReDraw();
    QDialog::showEvent(event);
}

void FrmTitle_M::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous() || !m_refreshHeld)
        return;
    m_refreshHeld = false;
    if (!m_motionDetectionRuns())
        m_link->refresh().chartEditorClosed();
}

} // namespace zam

#include "privacy.h"

#include "maskencoding.h"
#include "ui_privacy.h"

namespace zam {

using namespace maskui;

Privacy::Privacy(CameraLink &link, QWidget *parent)
    : maskui::MaskDialog(parent), m_ui(std::make_unique<Ui::Privacy>()), m_link(&link),
      m_sender(link, m_log)
{
    m_ui->setupUi(this);
    m_display = widgetsIn<QCheckBox>(m_ui->checks0Grid);
    m_colour = widgetsIn<QCheckBox>(m_ui->checks1Grid);
    m_move = widgetsIn<QRadioButton>(m_ui->opmoveGrid);
    fillZoneList(m_ui->combSetPrivacy, QStringLiteral("SetMask_"));
    fillZoneList(m_ui->comboSetPTZ, QStringLiteral("Mask_"));
    fillColourList(m_ui->Combo_0);
    fillColourList(m_ui->Combo_1);
    for (QLineEdit *box : {m_ui->Zones_0, m_ui->Zones_1, m_ui->Zones_2, m_ui->Zones_3})
        box->setValidator(new HexDigitValidator(box));
    mirrorLog(m_log, m_ui->PrivacySetTxt);

    connect(m_ui->CmdPrivacySet, &QPushButton::clicked, this, &Privacy::CmdPrivacySet_Click);
    connect(m_ui->cmdPrivacyDisp, &QPushButton::clicked, this, &Privacy::cmdPrivacyDisp_Click);
    connect(m_ui->cmdPrivacyColor, &QPushButton::clicked, this, &Privacy::cmdPrivacyColor_Click);
    connect(m_ui->cmdPZMpantilt, &QPushButton::clicked, this, &Privacy::cmdPZMpantilt_Click);
    connect(m_ui->cmdMovePanTilt, &QPushButton::clicked, this, &Privacy::cmdMovePanTilt_Click);
    connect(m_ui->Command1, &QPushButton::clicked, this, &Privacy::Command1_Click);
    connect(m_ui->CmdGridOn, &QPushButton::clicked, this,
            [this] { sendPacket(0x7C, QByteArray(1, 0x02)); });
    connect(m_ui->cmdGridoff, &QPushButton::clicked, this,
            [this] { sendPacket(0x7C, QByteArray(1, 0x03)); });
    connect(m_ui->ClrSET, &QPushButton::clicked, this, [this] {
        m_log.clear();
        m_log.notify();
    });
}

Privacy::~Privacy() = default;

void Privacy::openFromMenu()
{
    for (QComboBox *list : {m_ui->combSetPrivacy, m_ui->Combo_0, m_ui->Combo_1, m_ui->comboSetPTZ})
        list->setCurrentIndex(0);
    show();
    raise();
    activateWindow();
}

void Privacy::sendPacket(std::uint8_t code, const QByteArray &parameters)
{
    m_sender.SD(masks::commandPacket(m_link->state().header(), code, parameters), 1);
}

void Privacy::CmdPrivacySet_Click()
{
    const auto zone = positionOf(m_ui->combSetPrivacy);
    if (!zone)
        return;
    QByteArray p;
    p.append(char(*zone)).append(char(m_ui->Check1->isChecked() ? 0x01 : 0x00));
    for (QLineEdit *box : {m_ui->Zones_0, m_ui->Zones_1, m_ui->Zones_2, m_ui->Zones_3}) {
        const auto digits = digitsOf(box, 2);
        if (!digits)
            return;
        p.append(*digits);
    }
    sendPacket(0x76, p);
}

void Privacy::cmdPrivacyDisp_Click()
{
    const auto bitmap = masks::zoneBitmap(tickedZones(m_display));
    sendPacket(0x77, QByteArray(reinterpret_cast<const char *>(bitmap.data()), 4));
}

void Privacy::cmdPrivacyColor_Click()
{
    const auto c1 = colourOf(m_ui->Combo_0, m_ui->Chk1);
    if (!c1)
        return;
    const auto c2 = colourOf(m_ui->Combo_1, m_ui->Chk2);
    if (!c2)
        return;
    const auto bitmap = masks::zoneBitmap(tickedZones(m_colour));
    QByteArray p(reinterpret_cast<const char *>(bitmap.data()), 4);
    p.append(char(*c1)).append(char(*c2));
    sendPacket(0x78, p);
}

void Privacy::cmdPZMpantilt_Click()
{
    const auto pan = digitsOf(m_ui->TextPan, 3);
    if (!pan)
        return;
    const auto tilt = digitsOf(m_ui->TextTilt, 3);
    if (!tilt)
        return;
    sendPacket(0x79, *pan + *tilt);
}

void Privacy::cmdMovePanTilt_Click()
{
    const auto pan = digitsOf(m_ui->TextMovePan, 2);
    if (!pan)
        return;
    const auto tilt = digitsOf(m_ui->TextMoveTilt, 2);
    if (!tilt)
        return;
    int selected = -1;
    for (int i = 0; i < m_move.size(); ++i)
        if (m_move[i]->isChecked())
            selected = i;
    sendPacket(0x7A, *pan + *tilt + QByteArray(1, char(masks::directionCode(selected))));
}

void Privacy::Command1_Click()
{
    const auto mask = positionOf(m_ui->comboSetPTZ);
    if (!mask)
        return;
    const auto pan = digitsOf(m_ui->TextSetPTZpan, 3);
    if (!pan)
        return;
    const auto tilt = digitsOf(m_ui->TextSetPTZTilt, 3);
    if (!tilt)
        return;
    const auto zoom = digitsOf(m_ui->TextSetPTZzoom, 4);
    if (!zoom)
        return;
    sendPacket(0x7B, QByteArray(1, char(*mask)) + *pan + *tilt + *zoom);
}

} // namespace zam

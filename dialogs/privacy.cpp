#include "privacy.h"

#include "maskencoding.h"
#include "ui_privacy.h"

namespace zam {

using namespace maskui;

Privacy::Privacy(CameraLink &link, QWidget *parent)
    : ZoneMaskDialog(link, parent), m_ui(std::make_unique<Ui::Privacy>())
{
    m_ui->setupUi(this);
    setUpShared({m_ui->checks0Grid,
                 m_ui->checks1Grid,
                 m_ui->PrivacySetTxt,
                 m_ui->ClrSET,
                 m_ui->cmdPrivacyDisp,
                 m_ui->CmdGridOn,
                 m_ui->cmdGridoff,
                 {m_ui->combSetPrivacy, m_ui->Combo_0, m_ui->Combo_1, m_ui->comboSetPTZ}});
    m_move = widgetsIn<QRadioButton>(m_ui->opmoveGrid);
    fillZoneList(m_ui->combSetPrivacy, QStringLiteral("SetMask_"));
    fillZoneList(m_ui->comboSetPTZ, QStringLiteral("Mask_"));
    fillColourList(m_ui->Combo_0);
    fillColourList(m_ui->Combo_1);
    for (QLineEdit *box : {m_ui->Zones_0, m_ui->Zones_1, m_ui->Zones_2, m_ui->Zones_3})
        box->setValidator(new HexDigitValidator(box));

    connect(m_ui->CmdPrivacySet, &QPushButton::clicked, this, &Privacy::CmdPrivacySet_Click);
    connect(m_ui->cmdPrivacyColor, &QPushButton::clicked, this, &Privacy::cmdPrivacyColor_Click);
    connect(m_ui->cmdPZMpantilt, &QPushButton::clicked, this,
            [this] { sendPanTilt(m_ui->TextPan, m_ui->TextTilt); });
    connect(m_ui->cmdMovePanTilt, &QPushButton::clicked, this, &Privacy::cmdMovePanTilt_Click);
    connect(m_ui->Command1, &QPushButton::clicked, this, [this] {
        sendMaskPosition(m_ui->comboSetPTZ, m_ui->TextSetPTZpan, m_ui->TextSetPTZTilt,
                         m_ui->TextSetPTZzoom);
    });
}

Privacy::~Privacy() = default;

void Privacy::CmdPrivacySet_Click()
{
    const auto zone = positionOf(m_ui->combSetPrivacy);
    if (!zone)
        return;
    int rect[4];
    QLineEdit *boxes[4] = {m_ui->Zones_0, m_ui->Zones_1, m_ui->Zones_2, m_ui->Zones_3};
    for (int k = 0; k < 4; ++k) {
        const auto value = digitsOf(boxes[k], 2);
        if (!value)
            return;
        rect[k] = int(*value);
    }
    send(catalog::Id::PrivacyZoneSet,
         {*zone, m_ui->Check1->isChecked() ? 1 : 0, rect[0], rect[1], rect[2], rect[3]});
}

void Privacy::cmdPrivacyColor_Click()
{
    const auto c1 = colourOf(m_ui->Combo_0, m_ui->Chk1);
    if (!c1)
        return;
    const auto c2 = colourOf(m_ui->Combo_1, m_ui->Chk2);
    if (!c2)
        return;
    sendColourRow(catalog::Id::MaskColour, {c1->colour, c1->half, c2->colour, c2->half});
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
    const int direction = masks::directionCode(selected);
    send(catalog::Id::MovePanTilt, {int(*pan), int(*tilt), direction >> 4, direction & 0x0F});
}

} // namespace zam

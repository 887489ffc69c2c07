#include "sphericalmask.h"

#include "maskencoding.h"
#include "ui_sphericalmask.h"

namespace zam {

using namespace maskui;

SphericalMask::SphericalMask(CameraLink &link, QWidget *parent)
    : ZoneMaskDialog(link, parent), m_ui(std::make_unique<Ui::SphericalMask>())
{
    m_ui->setupUi(this);
    setUpShared({m_ui->checks0Grid,
                 m_ui->checks1Grid,
                 m_ui->SphericalSetTxt,
                 m_ui->ClrSpheSET,
                 m_ui->cmdSphericalDisp,
                 m_ui->CmdGridOnSphe,
                 m_ui->cmdGridoffSphe,
                 {m_ui->combSetSpherical, m_ui->ComboSphe_0, m_ui->ComboSphe_1,
                  m_ui->comboSetPTZSphe, m_ui->ComboNonInter}});
    fillZoneList(m_ui->combSetSpherical, QStringLiteral("SetMask_"));
    fillZoneList(m_ui->comboSetPTZSphe, QStringLiteral("Mask_"));
    fillZoneList(m_ui->ComboNonInter, QStringLiteral("Mask_"));
    fillColourList(m_ui->ComboSphe_0);
    fillColourList(m_ui->ComboSphe_1);

    connect(m_ui->cmdSphericalSet, &QPushButton::clicked, this,
            &SphericalMask::cmdSphericalSet_Click);
    connect(m_ui->cmdSphericalColor, &QPushButton::clicked, this, [this] { sendColours(0); });
    connect(m_ui->cmdSphericalMosic, &QPushButton::clicked, this, [this] { sendColours(1); });
    connect(m_ui->cmdSphericalMosic2, &QPushButton::clicked, this, [this] { sendColours(2); });
    connect(m_ui->cmdSphePZMpantilt, &QPushButton::clicked, this,
            [this] { sendPanTilt(m_ui->TextPan, m_ui->TextTilt); });
    connect(m_ui->cmdSphericalPTZ, &QPushButton::clicked, this, [this] {
        sendMaskPosition(m_ui->comboSetPTZSphe, m_ui->TextSetPTZpanSphe, m_ui->TextSetPTZTiltSphe,
                         m_ui->TextSetPTZzoomSphe);
    });
    connect(m_ui->cmdNonInter, &QPushButton::clicked, this, &SphericalMask::cmdNonInter_Click);
    connect(m_ui->cmdCenterSphe, &QPushButton::clicked, this,
            [this] { sendPacket(0x7C, QByteArray(1, 0x04)); });
}

SphericalMask::~SphericalMask() = default;

void SphericalMask::cmdSphericalSet_Click()
{
    const auto zone = positionOf(m_ui->combSetSpherical);
    if (!zone)
        return;
    const auto width = digitsOf(m_ui->SpheZone1, 2);
    if (!width)
        return;
    const auto height = digitsOf(m_ui->SpheZone2, 2);
    if (!height)
        return;
    QByteArray p;
    p.append(char(*zone)).append(char(m_ui->Check1->isChecked() ? 0x01 : 0x00));
    sendPacket(0x76, p + *width + *height);
}

void SphericalMask::sendColours(int mosaicRow)
{
    // A mosaic replaces its own row's colour; the other row is then sent
    // as its plain list position, without "Half".
    std::uint8_t colour[2] = {masks::kMosaicColour, masks::kMosaicColour};
    QComboBox *lists[2] = {m_ui->ComboSphe_0, m_ui->ComboSphe_1};
    QCheckBox *halves[2] = {m_ui->Chk1, m_ui->Chk2};
    for (int row = 0; row < 2; ++row) {
        if (mosaicRow == row + 1)
            continue;
        const auto c = colourOf(lists[row], mosaicRow == 0 ? halves[row] : nullptr);
        if (!c)
            return;
        colour[row] = *c;
    }
    sendColourRow(colour[0], colour[1]);
}

void SphericalMask::cmdNonInter_Click()
{
    const auto mask = positionOf(m_ui->ComboNonInter);
    if (!mask)
        return;
    QByteArray p(1, char(*mask));
    for (QLineEdit *box :
         {m_ui->NonInterXText, m_ui->NonInterYText, m_ui->NonInterWText, m_ui->NonInterHText}) {
        const auto digits = digitsOf(box, 2);
        if (!digits)
            return;
        p.append(*digits);
    }
    sendPacket(0x6F, p);
}

void SphericalMask::offerCentre(bool shown)
{
    m_ui->cmdCenterSphe->setVisible(shown);
}

void SphericalMask::offerMosaic(bool shown)
{
    m_ui->cmdSphericalMosic->setVisible(shown);
    m_ui->cmdSphericalMosic2->setVisible(shown);
}

} // namespace zam

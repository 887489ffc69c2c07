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
            [this] { send(catalog::Id::MaskCentreOn); });
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
    send(catalog::Id::SphericalZoneSet,
         {*zone, m_ui->Check1->isChecked() ? 1 : 0, int(*width), int(*height)});
}

void SphericalMask::sendColours(int mosaicRow)
{
    // A mosaic replaces its own row's colour; the other row is then sent
    // as its plain list position, without "Half".
    if (mosaicRow == 1) {
        if (const auto c2 = colourOf(m_ui->ComboSphe_1, nullptr))
            sendColourRow(catalog::Id::MaskColourMosaic1, {c2->colour});
        return;
    }
    if (mosaicRow == 2) {
        if (const auto c1 = colourOf(m_ui->ComboSphe_0, nullptr))
            sendColourRow(catalog::Id::MaskColourMosaic2, {c1->colour});
        return;
    }
    const auto c1 = colourOf(m_ui->ComboSphe_0, m_ui->Chk1);
    if (!c1)
        return;
    const auto c2 = colourOf(m_ui->ComboSphe_1, m_ui->Chk2);
    if (!c2)
        return;
    sendColourRow(catalog::Id::MaskColour, {c1->colour, c1->half, c2->colour, c2->half});
}

void SphericalMask::cmdNonInter_Click()
{
    const auto mask = positionOf(m_ui->ComboNonInter);
    if (!mask)
        return;
    int rect[4];
    QLineEdit *boxes[4] = {m_ui->NonInterXText, m_ui->NonInterYText, m_ui->NonInterWText,
                           m_ui->NonInterHText};
    for (int k = 0; k < 4; ++k) {
        const auto value = digitsOf(boxes[k], 2);
        if (!value)
            return;
        rect[k] = int(*value);
    }
    send(catalog::Id::NonInterlockMask, {*mask, rect[0], rect[1], rect[2], rect[3]});
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

#include "sphericalmask.h"

#include "maskencoding.h"
#include "ui_sphericalmask.h"

namespace zam {

using namespace maskui;

SphericalMask::SphericalMask(CameraLink &link, QWidget *parent)
    : maskui::MaskDialog(parent), m_ui(std::make_unique<Ui::SphericalMask>()), m_link(&link),
      m_sender(link, m_log)
{
    m_ui->setupUi(this);
    m_display = widgetsIn<QCheckBox>(m_ui->checks0Grid);
    m_colour = widgetsIn<QCheckBox>(m_ui->checks1Grid);
    fillZoneList(m_ui->combSetSpherical, QStringLiteral("SetMask_"));
    fillZoneList(m_ui->comboSetPTZSphe, QStringLiteral("Mask_"));
    fillZoneList(m_ui->ComboNonInter, QStringLiteral("Mask_"));
    fillColourList(m_ui->ComboSphe_0);
    fillColourList(m_ui->ComboSphe_1);
    mirrorLog(m_log, m_ui->SphericalSetTxt);

    connect(m_ui->cmdSphericalSet, &QPushButton::clicked, this,
            &SphericalMask::cmdSphericalSet_Click);
    connect(m_ui->cmdSphericalDisp, &QPushButton::clicked, this,
            &SphericalMask::cmdSphericalDisp_Click);
    connect(m_ui->cmdSphericalColor, &QPushButton::clicked, this, [this] { sendColours(0); });
    connect(m_ui->cmdSphericalMosic, &QPushButton::clicked, this, [this] { sendColours(1); });
    connect(m_ui->cmdSphericalMosic2, &QPushButton::clicked, this, [this] { sendColours(2); });
    connect(m_ui->cmdSphePZMpantilt, &QPushButton::clicked, this,
            &SphericalMask::cmdSphePZMpantilt_Click);
    connect(m_ui->cmdSphericalPTZ, &QPushButton::clicked, this,
            &SphericalMask::cmdSphericalPTZ_Click);
    connect(m_ui->cmdNonInter, &QPushButton::clicked, this, &SphericalMask::cmdNonInter_Click);
    connect(m_ui->CmdGridOnSphe, &QPushButton::clicked, this,
            [this] { sendPacket(0x7C, QByteArray(1, 0x02)); });
    connect(m_ui->cmdGridoffSphe, &QPushButton::clicked, this,
            [this] { sendPacket(0x7C, QByteArray(1, 0x03)); });
    connect(m_ui->cmdCenterSphe, &QPushButton::clicked, this,
            [this] { sendPacket(0x7C, QByteArray(1, 0x04)); });
    connect(m_ui->ClrSpheSET, &QPushButton::clicked, this, [this] {
        m_log.clear();
        m_log.notify();
    });
}

SphericalMask::~SphericalMask() = default;

void SphericalMask::openFromMenu()
{
    for (QComboBox *list : {m_ui->combSetSpherical, m_ui->ComboSphe_0, m_ui->ComboSphe_1,
                            m_ui->comboSetPTZSphe, m_ui->ComboNonInter})
        list->setCurrentIndex(0);
    show();
    raise();
    activateWindow();
}

void SphericalMask::sendPacket(std::uint8_t code, const QByteArray &parameters)
{
    m_sender.SD(masks::commandPacket(m_link->state().header(), code, parameters), 1);
}

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

void SphericalMask::cmdSphericalDisp_Click()
{
    const auto bitmap = masks::zoneBitmap(tickedZones(m_display));
    sendPacket(0x77, QByteArray(reinterpret_cast<const char *>(bitmap.data()), 4));
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
    const auto bitmap = masks::zoneBitmap(tickedZones(m_colour));
    QByteArray p(reinterpret_cast<const char *>(bitmap.data()), 4);
    p.append(char(colour[0])).append(char(colour[1]));
    sendPacket(0x78, p);
}

void SphericalMask::cmdSphePZMpantilt_Click()
{
    const auto pan = digitsOf(m_ui->TextPan, 3);
    if (!pan)
        return;
    const auto tilt = digitsOf(m_ui->TextTilt, 3);
    if (!tilt)
        return;
    sendPacket(0x79, *pan + *tilt);
}

void SphericalMask::cmdSphericalPTZ_Click()
{
    const auto mask = positionOf(m_ui->comboSetPTZSphe);
    if (!mask)
        return;
    const auto pan = digitsOf(m_ui->TextSetPTZpanSphe, 3);
    if (!pan)
        return;
    const auto tilt = digitsOf(m_ui->TextSetPTZTiltSphe, 3);
    if (!tilt)
        return;
    const auto zoom = digitsOf(m_ui->TextSetPTZzoomSphe, 4);
    if (!zoom)
        return;
    sendPacket(0x7B, QByteArray(1, char(*mask)) + *pan + *tilt + *zoom);
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

} // namespace zam

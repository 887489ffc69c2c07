#include "aes.h"

#include "maskencoding.h"
#include "ui_aes.h"

#include <hexfield.h>

namespace zam {

using namespace maskui;

AES::AES(CameraLink &link, QWidget *parent)
    : maskui::MaskDialog(parent), m_ui(std::make_unique<Ui::AES>()), m_link(&link),
      m_sender(link, m_log)
{
    m_ui->setupUi(this);
    m_ui->AESGrid->setGridSize(16, 16);
    m_ui->AESGrid->setAxisNames(QStringLiteral("q"), QStringLiteral("s"));
    mirrorLog(m_log, m_ui->AESpot);

    connect(m_ui->AESpotON, &QPushButton::clicked, this,
            [this] { sendPacket(0x59, QByteArray(1, 0x02)); });
    connect(m_ui->AESpotOFF, &QPushButton::clicked, this,
            [this] { sendPacket(0x59, QByteArray(1, 0x03)); });
    connect(m_ui->AESpotSet, &QPushButton::clicked, this, &AES::AESpotSet_Click);
    connect(m_ui->AESpotPosX, &QLineEdit::textChanged, this, &AES::redrawGrid);
    connect(m_ui->AESpotPosY, &QLineEdit::textChanged, this, &AES::redrawGrid);
    redrawGrid();
}

AES::~AES() = default;

void AES::openFromMenu()
{
    show();
    raise();
    activateWindow();
}

void AES::sendPacket(std::uint8_t code, const QByteArray &parameters)
{
    m_sender.SD(masks::commandPacket(m_link->state().header(), code, parameters), 1);
}

void AES::AESpotSet_Click()
{
    QByteArray p;
    for (QLineEdit *box : {m_ui->AESpotPosX, m_ui->AESpotPosY}) {
        const auto value = valueOf(box, kHexDigitMax);
        if (!value)
            return;
        p.append(char(0x00)).append(char(*value));
    }
    sendPacket(0x29, p);
}

void AES::redrawGrid()
{
    const auto q = readHexField(m_ui->AESpotPosX->text(), kHexDigitMax);
    const auto s = readHexField(m_ui->AESpotPosY->text(), kHexDigitMax);
    QList<ZoneGrid::Area> spot;
    if (q && s)
        spot.append({int(*q), int(*s), 1, 1, QStringLiteral("AE")});
    m_ui->AESGrid->setAreas(spot);
}

} // namespace zam

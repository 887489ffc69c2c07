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

    connect(m_ui->AESpotON, &QPushButton::clicked, this, [this] { send(catalog::Id::AeSpotOn); });
    connect(m_ui->AESpotOFF, &QPushButton::clicked, this, [this] { send(catalog::Id::AeSpotOff); });
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

void AES::send(catalog::Id id, std::initializer_list<int> values)
{
    sendEntry(m_sender, m_link->state().CameraAddress, id, values);
}

void AES::AESpotSet_Click()
{
    const auto q = valueOf(m_ui->AESpotPosX, kHexDigitMax);
    if (!q)
        return;
    const auto s = valueOf(m_ui->AESpotPosY, kHexDigitMax);
    if (!s)
        return;
    send(catalog::Id::AeSpotPosition, {int(*q), int(*s)});
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

#include "fset.h"

#include "ui_fset.h"

namespace zam {

FSet::FSet(CameraLink &link, QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::FSet>())
{
    m_ui->setupUi(this);
    mirrorLog(m_log, m_ui->EPSendText);
    m_controls = std::make_unique<service::EepromControls>(
        link, m_log,
        service::EepromControls::Boxes{m_ui->EPromText1, m_ui->EPromText2, m_ui->ManufaMonth,
                                       m_ui->Manufadate, m_ui->manufayear},
        this);
    auto *c = m_controls.get();

    service::connectEepromButtons(m_ui.get(), c, this);
    connect(m_ui->EPromCmdx36ICRcomp, &QPushButton::clicked, this, [c] {
        c->runSequence(eeprom::icrCompensationSequence(c->link().state().CameraAddress),
                       QStringLiteral("DONE"));
    });
    QPushButton *const baud[] = {m_ui->CmdBaudRate_0, m_ui->CmdBaudRate_1, m_ui->CmdBaudRate_2};
    for (int i = 0; i < int(std::size(baud)); ++i) {
        connect(baud[i], &QPushButton::clicked, this, [c, i] {
            c->runSequence(
                eeprom::baudRateSequence(c->link().state().CameraAddress, i),
                QStringLiteral(" Please Turn off the Camera Power and Exit This program."));
        });
    }
}

FSet::~FSet() = default;

void FSet::offerBaudRate(bool shown)
{
    m_ui->FrmBaudrate->setVisible(shown);
}

} // namespace zam

#include "register.h"

#include "ui_register.h"

namespace zam {

Register::Register(CameraLink &link, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Register>())
{
    m_ui->setupUi(this);
    mirrorLog(m_log, m_ui->EPSendTextR);
    m_controls = std::make_unique<service::EepromControls>(
        link, m_log,
        service::EepromControls::Boxes{m_ui->EPromModeTextR, m_ui->EPromDataTextR,
                                       m_ui->ManufaMonthR, m_ui->ManufadateR, m_ui->manufayearR},
        this);
    auto *c = m_controls.get();

    service::connectEepromButtons(m_ui.get(), c, this);
    connect(m_ui->EPromCmdKR550ICR, &QPushButton::clicked, this, [c] {
        c->runSequence(eeprom::icrCompensationSequence(c->link().state().CameraAddress),
                       QStringLiteral("DONE"));
    });
    connect(m_ui->comRegisterSet2, &QPushButton::clicked, this, &Register::setRegister);
}

Register::~Register() = default;

void Register::setRegister()
{
    auto &c = *m_controls;
    const auto reg =
        c.field(m_ui->txtRegisterNo, eeprom::kMaxRegister, QStringLiteral("The register number"));
    if (!reg)
        return;
    const auto value = c.field(m_ui->txtRegisterValue, eeprom::kMaxRegisterValue,
                               QStringLiteral("The register value"));
    if (!value)
        return;
    if (const auto p = eeprom::registerSet(c.link().state().CameraAddress, *reg, *value))
        c.send(*p);
}

} // namespace zam

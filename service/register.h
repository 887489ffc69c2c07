#pragma once
// "Resgister" (the later camera generation): the EEPROM commands, the ICR
// compensation of the KR550 block, the manufacturing-date read and the
// camera register set. Packets go through the dialog's own copy of SD and
// are logged in EPSendTextR.

#include "eepromcontrols.h"

#include <QDialog>
#include <cameralink.h>
#include <trafficlog.h>

#include <memory>

namespace Ui {
class Register;
}

namespace zam {

class Register : public QDialog {
    Q_OBJECT
public:
    explicit Register(CameraLink &link, QWidget *parent = nullptr);
    ~Register() override;

    // Tests read the operator messages through this instead of a window.
    void setMessageHook(MessageHook hook) { m_controls->setMessageHook(std::move(hook)); }

private:
    void setRegister();

    std::unique_ptr<Ui::Register> m_ui;
    TrafficLog m_log;
    std::unique_ptr<service::EepromControls> m_controls;
};

} // namespace zam

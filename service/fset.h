#pragma once
// "Factory Set": the EEPROM commands, the camera baud-rate change, the ICR
// compensation of the x36 block and the manufacturing-date read. Packets go
// through the dialog's own copy of SD and are logged in EPSendText.
//
// The main window hides FrmBaudrate (offerBaudRate) for the models
// whose baud rate cannot be changed this way.

#include "eepromcontrols.h"

#include <QDialog>
#include <cameralink.h>
#include <trafficlog.h>

#include <memory>

namespace Ui {
class FSet;
}

namespace zam {

class FSet : public QDialog {
    Q_OBJECT
public:
    explicit FSet(CameraLink &link, QWidget *parent = nullptr);
    ~FSet() override;

    // Models that keep their speed hide the baud-rate frame.
    void offerBaudRate(bool shown);
    // Tests read the operator messages through this instead of a window.
    void setMessageHook(MessageHook hook) { m_controls->setMessageHook(std::move(hook)); }

private:
    std::unique_ptr<Ui::FSet> m_ui;
    TrafficLog m_log;
    std::unique_ptr<service::EepromControls> m_controls;
};

} // namespace zam

#pragma once
// FrmSetDate ("Set Time & Date"): year, month, day, hour and minute for the
// camera's clock, prefilled from the PC's clock when the dialog is created
// and kept as left afterwards (OK and Cancel only hide it).
//
// The packet and the display switches of the main window's "Display" menu
// are built by titles::clockPacket, titles::dateDisplayPacket and
// titles::timeDisplayPacket (titlecode.h).

#include "titlecode.h"

#include <QDateTime>
#include <QDialog>
#include <cameralink.h>

#include <memory>

namespace Ui {
class FrmSetDate;
}

namespace zam {

class FrmSetDate : public QDialog {
    Q_OBJECT
public:
    explicit FrmSetDate(CameraLink &link, QWidget *parent = nullptr);
    // Prefilled from the given time instead of the PC's clock.
    FrmSetDate(CameraLink &link, const QDateTime &now, QWidget *parent = nullptr);
    ~FrmSetDate() override;

    // "Set Time and Date": shown without blocking the main window.
    void openFromMenu();
    void prefill(const QDateTime &now);
    titles::ClockFields fields() const;

private:
    void send();

    std::unique_ptr<Ui::FrmSetDate> m_ui;
    CameraLink *m_link;
};

} // namespace zam

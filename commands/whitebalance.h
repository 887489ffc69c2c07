#pragma once
// White balance of the main window: the "WB Mode" menu and the gain frame
// (Frame3).
//
// Every packet goes out with SD in mode 1; no reply is read here and no
// display is changed, the gains follow at the next status read.
//
//   entry                         control
//   the WB mode rows' entries     the WB Mode items of the rows (cameramodes.h)
//   WbOnePushTrigger              WBTrigger
//   RGainUp | RGainDown           RGainUp | RGainDown
//   BGainUp | BGainDown           BGainUp | BGainDown
//   RGainDirect, BGainDirect      RGainSlider, BGainSlider (0..255)
//
// RBReset sends RGainReset and then BGainReset.
//
// The group's controls are its form (whitebalance.ui), set up in the main
// window's WhiteBalanceGroup; the WB Mode items are the window's. From the
// status read it shows the WB mode and the two gains of the camera block.

#include <QObject>
#include <catalog.h>
#include <statusblocks.h>

#include <initializer_list>
#include <memory>

namespace Ui {
class WhiteBalanceGroup;
}

namespace zam {

class CameraLink;
struct CameraModes;
struct ModeRow;

class WhiteBalanceCommands : public QObject {
    Q_OBJECT
public:
    WhiteBalanceCommands(CameraLink &link, QWidget &window, CameraModes &modes);
    ~WhiteBalanceCommands() override;

    void showCamera(const CameraStatus &s);

private:
    bool send(catalog::Id id, std::initializer_list<int> values = {});
    void selectMode(const ModeRow &row);

    std::unique_ptr<Ui::WhiteBalanceGroup> m_ui;
    QWidget *m_window; // the WB Mode items and the mode controls
    CameraLink *m_link;
    CameraModes *m_modes;
};

} // namespace zam

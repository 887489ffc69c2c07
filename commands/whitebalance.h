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

#include <QObject>
#include <catalog.h>

#include <initializer_list>

namespace zam {

class CameraLink;
struct CameraModes;
struct ModeRow;
struct WhiteBalanceWidgets;

class WhiteBalanceCommands : public QObject {
    Q_OBJECT
public:
    WhiteBalanceCommands(CameraLink &link, const WhiteBalanceWidgets &widgets, CameraModes &modes);

private:
    bool send(catalog::Id id, std::initializer_list<int> values = {});
    void selectMode(const ModeRow &row);

    const WhiteBalanceWidgets *m_ui;
    CameraLink *m_link;
    CameraModes *m_modes;
};

} // namespace zam

#pragma once
// White balance of the main window: the "WB Mode" menu and the gain frame
// (Frame3).
//
// Every packet goes out with SD in mode 1; no reply is read here and no
// display is changed, the gains follow at the next status read.
// 8x = 0x80 + selected camera address.
//
//   packet                        meaning
//   8x 01 04 35 0m FF             mode m: 0 auto, 1 indoor, 2 outdoor,
//                                 3 one push, 4 ATW, 5 manual
//   8x 01 04 10 05 FF             one-push trigger
//   8x 01 04 03 02|03|00 FF       R gain up | down | back to default
//   8x 01 04 04 02|03|00 FF       B gain up | down | back to default
//   8x 01 04 43 00 00 0p 0q FF    R gain pq (0..255, high nibble first)
//   8x 01 04 44 00 00 0p 0q FF    B gain pq
//
// Reset sends the R reset and then the B reset.

#include <QObject>
#include <catalog.h>
#include <statusblocks.h>

#include <initializer_list>

class QAction;

namespace zam {

class CameraLink;
struct CameraModes;
struct WhiteBalanceWidgets;

class WhiteBalanceCommands : public QObject {
    Q_OBJECT
public:
    WhiteBalanceCommands(CameraLink &link, const WhiteBalanceWidgets &widgets, CameraModes &modes);

private:
    QAction *itemAction(WBItem item) const;
    bool send(catalog::Id id, std::initializer_list<int> values = {});
    void selectMode(int code);
    void applyMode(int code);

    const WhiteBalanceWidgets *m_ui;
    CameraLink *m_link;
    CameraModes *m_modes;
};

} // namespace zam

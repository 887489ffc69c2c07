#pragma once
// Bringing the main window into line with the camera's status blocks.
//
// Every write is its own statement: a position that a slider's range does not
// hold, or an index past a caption table, leaves that one display as it was
// and the rest of the block is still shown. Slider positions written here
// send nothing (the command groups send only on the operator's actions); the
// check boxes are written with their signals blocked, so their handlers do
// not send the reported state back to the camera. Menu check marks change
// with setChecked, which fires toggled but never triggered: handlers of menu
// items connect to triggered.

#include "statusblocks.h"

#include "cameramodes.h"

#include <modulestate.h>
#include <optional>

namespace Ui {
class FrmMain;
}

namespace zam {

class CaptionTables;
struct GroupWidgets;
class FrmCamID;
class FrmDEffect;
struct StatusReplies;

struct StatusTargets {
    Ui::FrmMain &ui;
    const GroupWidgets &groups;
    ModuleState &state;
    CameraModes &modes;
    const CaptionTables &captions;
    FrmDEffect *deEffect; // the level box follows the camera
    FrmCamID *camId;      // the ID box follows the camera
};

// Shows the five collected replies: ShutterColumn first, then the lens,
// camera, other and extended blocks, each only when its frame is sound.
void showStatus(const StatusTargets &t, const StatusReplies &replies);

void showLens(Ui::FrmMain &ui, const LensStatus &s);
void showCamera(const StatusTargets &t, const CameraStatus &s);
void showOther(const StatusTargets &t, const OtherStatus &s);
void showExtended(Ui::FrmMain &ui, const ExtendedStatus &s);

// Lens control states for the lens block (the mode families apply theirs
// through formcontrols.h).
void applyDigitalZoomControls(Ui::FrmMain &ui, const DigitalZoomControls &c);
void applyFocusControls(Ui::FrmMain &ui, const FocusControls &c);

} // namespace zam

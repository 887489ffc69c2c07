#pragma once
// Configuring the main window for the camera's model: the lens profile fills
// the iris and bright captions, ModelVersion and NTSCorPAL show the model, and
// the capability group's restrictions hide or disable the controls of
// functions the model lacks. Every start (the first and each Reconnect) first
// returns the window to its designed configuration, so that what it shows
// depends on the camera that answered, not on the one before.

#include "restrictions.h"

namespace Ui {
class FrmMain;
}

namespace zam {

// Takes a function away from the main window (taken) or offers it as
// designed again. Answers false for restrictions that name controls of
// another window (FSet, SphericalMask): that window follows them itself.
bool setRestriction(Ui::FrmMain &ui, Restriction r, bool taken);

// Lifts every restriction: all the controls a capability group can take away
// are visible and enabled, as designed.
void restoreDesignedConfiguration(Ui::FrmMain &ui);

// True for the restrictions that belong to another window.
bool restrictsOtherWindow(Restriction r);

} // namespace zam

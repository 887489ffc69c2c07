#pragma once
// Configuring the main window for the camera's model: the lens profile fills
// the iris and bright captions, ModelVersion and NTSCorPAL show the model, and
// the capability group's restrictions hide or disable the controls of
// functions the model lacks. Every start (the first and each Reconnect) first
// returns the window to its designed configuration, so that what it shows
// depends on the camera that answered, not on the one before.

#include "restrictions.h"

class QWidget;

namespace zam {

// Takes a function away from the main window (taken) or offers it as
// designed again; the controls are found by name in the window, the command
// groups' forms included. Answers false for restrictions that name controls of
// another window (FSet, SphericalMask): that window follows them itself.
bool setRestriction(QWidget &window, Restriction r, bool taken);

// Lifts every restriction: all the controls a capability group can take away
// are visible and enabled, as designed.
void restoreDesignedConfiguration(QWidget &window);

// True for the restrictions that belong to another window.
bool restrictsOtherWindow(Restriction r);

} // namespace zam

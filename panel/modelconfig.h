#pragma once
// Configuring the main window for the camera's model: the lens profile fills
// the iris and bright captions, ModelVersion and NTSCorPAL show the model, and
// the capability group's restrictions hide or disable the controls of
// functions the model lacks. The configuration is applied once per start and
// never undone.

#include "modeltable.h"

namespace Ui {
class FrmMain;
}

namespace zam {

// Applies one restriction to the main window. Answers false for restrictions
// that name controls of another window (FSet, SphericalMask): that window
// applies them itself when it is created.
bool applyRestriction(Ui::FrmMain &ui, Restriction r);

// True for the restrictions that belong to another window.
bool restrictsOtherWindow(Restriction r);

} // namespace zam

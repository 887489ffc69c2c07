#pragma once
// What a settings read or load reports, in words: for the panel's message
// boxes and zam-ctl's stderr, which frame these as they need (the camera's
// number, a capital, a full stop).

#include "settingsio.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zam {

// "the camera did not answer the status read"; empty for SettingsFailure::None.
QString describe(const SettingsProblem &problem);
// "Zoom still moving after 2 s: zoom position not saved"
QString describe(const SettingsNote &note);
QStringList describe(const QList<SettingsNote> &notes);
// "AE mode: manual: syntax error", "AE mode: bright (full auto first): no reply"
QString describe(const Refusal &refusal);
QStringList describe(const QList<Refusal> &refused);

} // namespace zam

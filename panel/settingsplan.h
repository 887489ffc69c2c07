#pragma once
// Loading settings onto a camera, as a plan of the packets the panel's
// controls send, and comparing two sets of settings.
//
// The plan skips what the target's model lacks, settings without a value,
// and values the modes in the settings do not let the camera take; a zoom
// position in the digital range goes to the optical end on a model without
// digital zoom.

#include "camerasettings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace zam {

struct PlannedPacket {
    QByteArray packet;
    QString what; // "AE mode: manual", "16-byte memory 3"
    // Sent first and followed by pauseBefore seconds, unless the camera's AE
    // mode at that moment goes straight to bright (the Bright control's
    // rule): the way to bright through full auto.
    QByteArray stepBefore;
    double pauseBefore = 0;
};

struct SkippedSetting {
    QString caption;
    QString reason;
};

struct LoadPlan {
    int address = 1;
    int targetModel = 0;
    QList<PlannedPacket> packets;
    QList<SkippedSetting> skipped;
    // What the camera should report once the plan has run; only `sent`
    // settings are checked.
    CameraSettings expected;
    std::array<bool, kSettingCount> sent{};
    bool memorySent = false;
};

LoadPlan planLoad(const CameraSettings &settings, int targetModelCode, int address);

struct SettingDifference {
    QString caption;
    QString left;
    QString right;
};

// A value is compared where the modes of both sides let the camera take it.
QList<SettingDifference> diff(const CameraSettings &a, const CameraSettings &b);

// The settings the plan sent that the camera does not report as loaded.
QList<SettingDifference> notTaken(const LoadPlan &plan, const CameraSettings &after);

} // namespace zam

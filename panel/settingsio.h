#pragma once
// Camera settings on the link (the selected camera,
// link.state().CameraAddress): read from the status blocks and the user
// memory, and loaded packet by packet with the replies checked.
//
// What goes wrong comes back typed; settingsmessages.h words it for the
// panel's message boxes and zam-ctl's stderr.

#include "camerasettings.h"
#include "exchange.h"
#include "settingsplan.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace zam {

class CameraLink;

// Why a read, or a load's read-back, has no settings.
enum class SettingsFailure : std::uint8_t {
    None,
    StatusNoReply,    // the status read went unanswered
    StatusJunk,       // it was answered with bytes that are no reply: `bytes`
    MemoryUnsendable, // no memory read can be addressed to `camera`
    MemoryNoReply,    // the 16-byte memory read went unanswered
    ReadsDisagree,    // kSettingsReads reads in a row differed
    PortError,        // a load: the port failed, and the load stopped
    LineSilent,       // a load: kDeadLinePackets packets in a row went unanswered
};
struct SettingsProblem {
    SettingsFailure what = SettingsFailure::None;
    int camera = 0;
    QString bytes; // "3F 12 90 50 FF"
    bool operator==(const SettingsProblem &) const = default;
};

// Said of a read that has settings.
struct SettingsNote {
    enum class What : std::uint8_t {
        MemoryOtherReply, // the read of `memoryAddress` was answered with `bytes`: memory left
                          // empty
        ZoomMoving,       // zoom still moving after kLensSettleMs: positions left empty
        FocusMoving,      // the same for the focus
    };
    What what;
    int memoryAddress = 0;
    QString bytes;
};

struct SettingsRead {
    std::optional<CameraSettings> settings;
    SettingsProblem problem; // what stopped it, when there are no settings
    QList<SettingsNote> notes;
    // Settings left empty because the camera was still moving through them.
    QList<Setting> moving;
};
// The status read, then the user memory (not on models that lack it). While
// the lens block reports zoom or focus moving, the lens block is read again
// until it stops (kLensSettleMs at most); positions still moving then are
// left empty.
SettingsRead readSettings(CameraLink &link);
// readSettings until two reads in a row agree (kSettingsReads reads at
// most); a read that never agrees is an error.
SettingsRead readAgreedSettings(CameraLink &link);
inline constexpr int kSettingsReads = 3;
inline constexpr int kLensSettleMs = 2000;
inline constexpr int kLensPollMs = 100;
// The model code from the version inquiry (three attempts), or nullopt.
std::optional<int> readModelCode(CameraLink &link);

// done of total packets sent, the packet about to go next.
using LoadProgress = std::function<void(int done, int total, const QString &what)>;

// A planned packet the camera did not complete: its answer as it came.
struct Refusal {
    QString what;               // the planned packet's
    bool fullAutoFirst = false; // the step to full auto before it, not the packet
    ExchangeAnswer answer;
};

struct LoadOutcome {
    bool cancelled = false;
    int sent = 0;
    QList<Refusal> refused;
    // Read after the load; empty when the read failed (`problem` says why).
    std::optional<CameraSettings> after;
    SettingsProblem problem;
    QList<SettingDifference> notTaken;
    // The line died (a port error, or kDeadLinePackets packets in a row
    // without any reply): the load stopped, these were not sent, and there
    // is no read-back.
    bool lineDead = false;
    QStringList notLoaded;

    bool ok() const
    {
        return !cancelled && !lineDead && refused.isEmpty() && after && notTaken.isEmpty();
    }
};
inline constexpr int kDeadLinePackets = 3;

// Each packet with SD in mode 0, then the replies until its completion or
// error (bounded: one second of silence, or a flood of other replies); a
// packet's step and pause before it as the camera's mode asks.
// `cancel` is read before every packet; progress runs before every packet
// and once at the end. Ends with a status read unless cancelled.
LoadOutcome applySettings(CameraLink &link, const LoadPlan &plan, const LoadProgress &progress,
                          const bool &cancel);

inline constexpr int kMemoryReadAttempts = 3;

} // namespace zam

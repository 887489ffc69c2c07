#include "settingsio.h"

#include "cameralink.h"
#include "cameramodes.h"
#include "hexfield.h"
#include "packet.h"
#include "restrictions.h"
#include "statusrequest.h"

namespace zam {

namespace {

using S = Setting;
using F = SettingsFailure;

// 8x 09 04 23 0a FF is answered y0 50 0p 0q 0r 0s FF: the two bytes of
// address a as nibbles.
constexpr int kMemoryReplyLength = 7;

struct MemoryRead {
    std::optional<UserMemory> memory;
    SettingsProblem problem;          // nothing usable and no memory either: the read fails
    std::optional<SettingsNote> note; // a reply of another shape: memory left empty
};

MemoryRead readUserMemory(CameraLink &link, int address)
{
    MemoryRead out;
    UserMemory m{};
    const ExchangeExpect expect = ExchangeExpect::inquiry(address, 0);
    for (int a = 0; a < kUserMemoryAddresses; ++a) {
        const auto packet = catalog::build(catalog::Id::UserMemoryRead, address, {a});
        if (!packet) {
            out.problem = {F::MemoryUnsendable, address, {}};
            return out;
        }
        const ExchangeAnswer reply = exchangeWithRetries(
            link, *packet, expect, kMemoryReadAttempts, [](const ExchangeAnswer &r) {
                return r.answered() && r.data.size() == kMemoryReplyLength;
            });
        if (!reply.answered() || reply.data.size() != kMemoryReplyLength) {
            const QString bytes =
                reply.answered() ? hexSpaced(reply.data).trimmed() : reply.junkText();
            if (bytes.isEmpty())
                out.problem = {F::MemoryNoReply, address, {}};
            else
                out.note = SettingsNote{SettingsNote::What::MemoryOtherReply, a, bytes};
            return out;
        }
        m[std::size_t(2 * a)] = std::uint8_t(readNibbles(reply.data, 2, 2));
        m[std::size_t(2 * a + 1)] = std::uint8_t(readNibbles(reply.data, 4, 2));
    }
    out.memory = m;
    return out;
}

SettingsRead readFailed(const SettingsProblem &problem)
{
    SettingsRead r;
    r.problem = problem;
    return r;
}

SettingsRead statusReadFailed(const ExchangeAnswer &why, int address)
{
    return readFailed(why.garbled() ? SettingsProblem{F::StatusJunk, address, why.junkText()}
                                    : SettingsProblem{F::StatusNoReply, address, {}});
}

// The camera's AE mode now, from its camera block; nullopt when unread.
std::optional<int> currentAeMode(CameraLink &link)
{
    const auto block = requestBlock(link, StatusBlock::Camera);
    if (!block)
        return std::nullopt;
    const CameraStatus camera = decodeCamera(*block);
    return camera.valid ? std::optional<int>(camera.aeMode) : std::nullopt;
}

} // namespace

SettingsRead readSettings(CameraLink &link)
{
    const int address = link.state().CameraAddress;
    ExchangeAnswer why;
    auto replies = requestStatusBlocks(link, &why);
    if (!replies)
        return statusReadFailed(why, address);
    SettingsRead out;

    // Positions read while the lens moves are on their way somewhere else.
    LensStatus lens = decodeLens(replies->lens);
    const std::int64_t settleEnd = link.clock().nowMs() + kLensSettleMs;
    while ((lens.zoomMoving || lens.focusMoving) && link.clock().nowMs() < settleEnd) {
        link.stopwatch().pause(kLensPollMs / 1000.0);
        auto again = requestBlock(link, StatusBlock::Lens, &why);
        if (!again)
            return statusReadFailed(why, address);
        replies->lens = *again;
        lens = decodeLens(replies->lens);
    }

    const VersionStatus version = decodeVersion(replies->version, address);
    std::optional<UserMemory> memory;
    if (!modelLacks(version.modelCode).memory) {
        MemoryRead m = readUserMemory(link, address);
        if (m.problem.what != F::None)
            return readFailed(m.problem);
        memory = m.memory;
        if (m.note)
            out.notes << *m.note;
    }
    out.settings = fromStatus(*replies, address, memory);
    const auto stillMoving = [&](bool moving, std::initializer_list<Setting> settings,
                                 SettingsNote::What note) {
        if (!moving)
            return;
        for (Setting setting : settings) {
            out.settings->set(setting, std::nullopt);
            out.moving << setting;
        }
        out.notes << SettingsNote{note, 0, {}};
    };
    stillMoving(lens.zoomMoving, {S::ZoomPosition, S::DigitalZoomPosition},
                SettingsNote::What::ZoomMoving);
    stillMoving(lens.focusMoving, {S::FocusPosition}, SettingsNote::What::FocusMoving);
    return out;
}

SettingsRead readAgreedSettings(CameraLink &link)
{
    std::optional<SettingsRead> previous;
    for (int read = 0; read < kSettingsReads; ++read) {
        SettingsRead r = readSettings(link);
        if (!r.settings)
            return r;
        if (previous && previous->settings == r.settings)
            return r;
        previous = std::move(r);
    }
    return readFailed({F::ReadsDisagree, link.state().CameraAddress, {}});
}

std::optional<int> readModelCode(CameraLink &link)
{
    const int address = link.state().CameraAddress;
    const QByteArray packet = inquiryPacket(StatusBlock::Version, address);
    if (packet.isEmpty())
        return std::nullopt;
    const ExchangeAnswer a = exchangeWithRetries(
        link, packet, ExchangeExpect::inquiry(address, kVersionReplyLength), kStatusRequestLimit,
        [](const ExchangeAnswer &r) { return r.answered(); });
    if (!a.answered())
        return std::nullopt;
    const VersionStatus v = decodeVersion(a.data, address);
    return v.valid ? std::optional<int>(v.modelCode) : std::nullopt;
}

LoadOutcome applySettings(CameraLink &link, const LoadPlan &plan, const LoadProgress &progress,
                          const bool &cancel)
{
    LoadOutcome out;
    bool portLost = false;
    const QMetaObject::Connection lost =
        QObject::connect(&link.port(), &Port::deviceLost, &link, [&portLost] { portLost = true; });
    int silentInARow = 0;
    const ExchangeExpect expect = ExchangeExpect::command(plan.address);
    // A packet the camera did not complete is refused, with its answer.
    const auto send = [&](const QByteArray &packet, const QString &what, bool fullAutoFirst) {
        clearLine(link, false);
        ExchangeAnswer a = exchange(link, packet, expect);
        silentInARow = a.packets.isEmpty() ? silentInARow + 1 : 0;
        if (!a.answered())
            out.refused << Refusal{what, fullAutoFirst, std::move(a)};
    };
    const int total = int(plan.packets.size());
    for (qsizetype i = 0; i < plan.packets.size(); ++i) {
        const PlannedPacket &p = plan.packets[i];
        if (progress)
            progress(out.sent, total, p.what);
        if (cancel) {
            out.cancelled = true;
            QObject::disconnect(lost);
            return out;
        }
        if (!p.stepBefore.isEmpty()) {
            const auto mode = currentAeMode(link);
            if (!mode || brightGoesThroughFullAuto(*mode)) {
                send(p.stepBefore, p.what, true);
                link.stopwatch().pause(p.pauseBefore);
            }
        }
        send(p.packet, p.what, false);
        ++out.sent;
        if (portLost || !link.port().isOpen() || silentInARow >= kDeadLinePackets) {
            out.lineDead = true;
            for (qsizetype j = i + 1; j < plan.packets.size(); ++j)
                out.notLoaded << plan.packets[j].what;
            out.problem = {
                portLost || !link.port().isOpen() ? F::PortError : F::LineSilent, plan.address, {}};
            QObject::disconnect(lost);
            return out;
        }
    }
    QObject::disconnect(lost);
    if (progress)
        progress(out.sent, total, {});
    const SettingsRead read = readSettings(link);
    out.after = read.settings;
    out.problem = read.problem;
    if (out.after)
        out.notTaken = notTaken(plan, *out.after);
    return out;
}

} // namespace zam

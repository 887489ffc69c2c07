// Feeds damaged camera settings files to the file reader, the way a file
// edited by hand or cut short could arrive.
//
// Input layout:
//   byte 0        bit 0 clear: the rest is the whole file;
//                 bit 0 set: the rest edits a sound file, two bytes an edit:
//                 a position (scaled over the file) and the byte written
//                 there (below 0x80 one of the characters JSON values are
//                 made of); bits 5..7 + 1 edits at most, so that some survive
//
// A file that reads must read back the same after writing it again, and
// every packet its load plans must be a whole catalog packet for the camera
// with its values in range: anything else stops the run.

#include "fuzzsupport.h"
#include "settingsjson.h"
#include "settingsplan.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using zamfuzz::check;

QByteArray soundFile()
{
    zam::CameraSettings s;
    s.modelCode = 0x31;
    for (const zam::SettingInfo &info : zam::settingTable())
        s.set(info.setting,
              info.kind == zam::SettingKind::Number ? zam::settingField(info).min : 1);
    s.set(zam::Setting::AeMode, 0x03);
    s.set(zam::Setting::WbMode, 5);
    s.set(zam::Setting::FocusAuto, 0);
    s.memory = zam::UserMemory{};
    return zam::toJson(s);
}

char edit(std::uint8_t b)
{
    static const char kValueChars[] = "0123456789ABCDEFabcdefxX-+.eE\" \\tfnrul[]{},:";
    return b < 0x80 ? kValueChars[b % (sizeof kValueChars - 1)] : char(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray file;
    if (data[0] & 1) {
        static const QByteArray sound = soundFile();
        file = sound;
        const size_t edits = 1 + (data[0] >> 5);
        zamfuzz::overwrite(file, data + 1, std::min(size - 1, 2 * edits), edit);
    } else {
        file = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    }

    const zam::SettingsParse parsed = zam::fromJson(file);
    check(parsed.settings.has_value() != !parsed.error.isEmpty());
    if (!parsed.settings)
        return 0;
    const zam::SettingsParse again = zam::fromJson(zam::toJson(*parsed.settings));
    check(again.settings && *again.settings == *parsed.settings);

    for (int model : {0x31, 0x41, 0x1E, 0x2C}) {
        const zam::LoadPlan plan = zam::planLoad(*parsed.settings, model, 2);
        for (const zam::PlannedPacket &p : plan.packets) {
            const zam::catalog::Command c = zam::catalog::decodeCommand(p.packet);
            check(c.known() && c.inRange && c.address == 2);
        }
        (void)zam::diff(*parsed.settings, plan.expected);
    }
    return 0;
}

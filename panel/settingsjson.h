#pragma once
// The camera settings file (version 1), and the one reader of such a file
// that the panel and zam-ctl share:
//
//   {
//     "format": "zam-camera-settings",
//     "version": 1,
//     "model": "0x30",                  the model code of the camera saved
//     "modelName": "ZAM-C 25x PAL",     for people; not read back
//     "settings": { "<key>": value, ... every key of settingTable(), no other },
//     "memory": "00112233...EEFF"       32 hexadecimal digits, or null
//   }
//
// A value is true/false (switches), a number or a "0x..." string (numbers),
// or a name (choices); null means the camera reported nothing usable and a
// load leaves that setting alone. Values the modes gate are kept in the
// file. A key given twice in one object is refused (a JSON reader would
// keep one of the two without a word), and text of the file that an error
// echoes is escaped.

#include "camerasettings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace zam {

inline constexpr char kSettingsFormat[] = "zam-camera-settings";
inline constexpr int kSettingsVersion = 1;
// A file far larger than any settings file is no settings file.
inline constexpr qint64 kMaxSettingsFileBytes = 1 << 20;

QByteArray toJson(const CameraSettings &s);

struct SettingsParse {
    std::optional<CameraSettings> settings;
    QString error; // one line, naming what is wrong and where
};
// Any bytes.
SettingsParse fromJson(QByteArrayView json);

struct SettingsFileRead {
    enum class Failure : std::uint8_t {
        None,
        Unreadable, // no such file, no regular file, far too large, stdin closed
        NotSettings // read, but refused by fromJson
    };
    std::optional<CameraSettings> settings;
    Failure failure = Failure::None;
    QString reason; // why: readRegularFile's or fromJson's words
};
// The regular file at `path`, or "-" for the standard input (a pipe may
// deliver its bytes in many reads), read and parsed.
SettingsFileRead readSettingsFile(const QString &path);

} // namespace zam

#pragma once
// The port settings the panel remembers between runs: the device, the line
// speed and the simulated chain of the last accepted choice. The port
// settings window preselects them; command-line options override them.
//
//   [port]
//   device=/dev/ttyUSB0        (or "sim:" for the simulated cameras)
//   baud=19200
//   simCameras=7
//   simModels=30,41

#include <QSettings>
#include <QString>
#include <optional>

namespace zam {

struct PortChoice;

struct PortMemory {
    QString device;
    QString baud = QStringLiteral("9600");
    bool simulated = false;
    int simCameras = 2;
    QString simModels; // "30,41", as the window's box takes them
};

// Nothing when no choice was ever accepted, or when what is stored is not a
// choice the window could offer (a speed other than the three, a chain
// outside 1..7): the window then keeps its defaults.
std::optional<PortMemory> recallPort(const QSettings &settings);
void rememberPort(QSettings &settings, const PortChoice &choice);

// The panel's file: ~/.config/zam-panel/zam-panel.ini (or under
// $XDG_CONFIG_HOME).
QString portMemoryFile();

// The same through the file at `path`, which is read or written only when it
// is absent or a regular file (through links): a link to a FIFO or a device
// is refused, and the error says so ("PATH: it is a FIFO, not a regular
// file"). An absent file recalls nothing and is no error.
struct RecalledPort {
    std::optional<PortMemory> memory;
    QString error;
};
RecalledPort recallPort(const QString &path);
// Why the choice was not written, or an empty text.
QString rememberPort(const QString &path, const PortChoice &choice);

} // namespace zam

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

} // namespace zam

#pragma once
// The entries of the port list in the settings window.
//
// "Com1".."Com8" come first and keep their numbers 1..8 (on Linux they stand
// for /dev/ttyS0../dev/ttyS7); then every other serial device the system
// reports (USB adapters and the like, with their description); then the
// simulated cameras.

#include <QList>
#include <QString>

namespace zam {

inline constexpr char kSimulatedDevice[] = "sim:";
// The entry that asks for a serial device server's address.
inline constexpr char kNetworkDevice[] = "tcp:";

struct PortEntry {
    QString label;      // what the list shows
    QString device;     // what the port backend opens
    int commPortNumber; // 1..8 for Com1..Com8, 0 otherwise
    bool simulated() const { return device == QLatin1String(kSimulatedDevice); }
    bool askNetwork() const { return device == QLatin1String(kNetworkDevice); }
};

// Device name behind "Com<n>" on this platform.
QString comDevice(int n);

// Com1..Com8, the system's other serial devices, "Network (host:port)...",
// then the simulated cameras.
QList<PortEntry> portEntries();
// Adds an entry for a device given on the command line when it is not listed
// (a pseudo-terminal or tcp://host:port, say), before the network and
// simulated entries; answers its index.
int ensurePortEntry(QList<PortEntry> &entries, const QString &device);

} // namespace zam

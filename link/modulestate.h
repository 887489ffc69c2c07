#pragma once
// The panel's shared module state: every window and command group reads and
// writes the same instance, owned by the camera link (one per program run).

#include <QString>
#include <array>
#include <cstdint>

struct ModuleState {
    // Port choice made in the settings window.
    int CommPortNumber = 1;          // 1..8 for Com1..Com8; 0 for another device
    QString BaudRateText = "9600";   // "9600", "19200" or "38400"

    int CameraAddress = 1;           // selected camera, 1..7
    int CameraCount = 0;             // cameras on the chain (from the address-set reply)

    bool LogTraffic = false;         // log traffic and classify replies
    bool RefreshBusy = false;        // a status read is running

    int CurrentAEMode = -1;
    int CurrentWBMode = -1;
    int ShutterColumn = 0;

    // Header byte of a packet addressed to the selected camera.
    std::uint8_t header() const { return std::uint8_t(0x80 + CameraAddress); }
    // First byte of a reply from the selected camera.
    std::uint8_t replyHeader() const { return std::uint8_t(0x80 + 16 * CameraAddress); }
};

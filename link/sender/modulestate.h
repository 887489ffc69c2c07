#pragma once
// What the whole link needs to know: the selected camera and the chain's
// size, traffic logging, and the refresh gate. One instance, owned by the
// camera link.

#include <array>
#include <cstdint>

struct ModuleState {
    int CameraAddress = 1; // selected camera, 1..7
    int CameraCount = 0;   // cameras on the chain (from the address-set reply)

    bool LogTraffic = false;  // log traffic and classify replies
    bool RefreshBusy = false; // a status read is running

    // Header byte of a packet addressed to the selected camera.
    std::uint8_t header() const { return std::uint8_t(0x80 + CameraAddress); }
    // First byte of a reply from the selected camera.
    std::uint8_t replyHeader() const { return std::uint8_t(0x80 + 16 * CameraAddress); }
};

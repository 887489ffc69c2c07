#pragma once
// What a simulated camera keeps for the service commands: its EEPROM image,
// the setting mode and write protection, its registers, and the line speed
// it talks at now and from its next power-up.
//
// EEPROM cells the panel knows:
//   001  write protection: writing 01 here (in setting mode) releases it
//   CFC  line speed from the next power-up: 00 = 9600, 01 = 19200, 02 = 38400
//   F03  manufacture: high digit = year (last digit), low digit = month
//   F04  manufacture: day as two decimal digits

#include <array>
#include <cstdint>

namespace zam::sim {

struct ServiceState {
    static constexpr unsigned kProtectCell = 0x001;
    static constexpr unsigned kBaudRateCell = 0xCFC;
    static constexpr unsigned kMonthYearCell = 0xF03;
    static constexpr unsigned kDayCell = 0xF04;

    std::array<std::uint8_t, 0x1000> eeprom = defaultImage();
    bool settingMode = false;
    bool writeProtectReleased = false;
    std::array<std::uint8_t, 0x80> registers{};

    // The speed the camera talks at now. A write of the baud-rate cell (or of
    // register 00) takes effect only at the next power cycle; until then
    // lineSpeedChangePending() tells the line (zam-camsim, a test) that one
    // is due.
    int lineBaud = 9600;

    // The speed from the next power-up; an unknown cell value keeps the present one.
    int baudAfterPowerCycle() const
    {
        switch (eeprom[kBaudRateCell]) {
        case 0x00:
            return 9600;
        case 0x01:
            return 19200;
        case 0x02:
            return 38400;
        default:
            return lineBaud;
        }
    }
    bool lineSpeedChangePending() const { return baudAfterPowerCycle() != lineBaud; }

    // Power off and on: the new speed applies and the EEPROM is locked again.
    void powerCycle()
    {
        lineBaud = baudAfterPowerCycle();
        settingMode = false;
        writeProtectReleased = false;
    }

    static std::array<std::uint8_t, 0x1000> defaultImage()
    {
        std::array<std::uint8_t, 0x1000> image{};
        image[kMonthYearCell] = 0x6B; // November, year 6
        image[kDayCell] = 0x27;       // the 27th
        return image;
    }
};

} // namespace zam::sim

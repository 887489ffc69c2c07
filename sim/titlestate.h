#pragma once
// What a simulated camera keeps of its title lines and the clock.

#include <array>
#include <cstdint>

namespace zam::sim {

struct TitleLine {
    int horizontal = 0;
    int colour = 0;  // 0..6
    int blink = 0;   // 0 or 1
    int opening = 0; // kept as received
    bool attributesSet = false;
    std::array<std::uint8_t, 20> codes = blankCodes();

    static constexpr std::array<std::uint8_t, 20> blankCodes()
    {
        std::array<std::uint8_t, 20> a{};
        for (auto &c : a)
            c = 0x1B;
        return a;
    }
};

struct CameraClock {
    bool set = false; // a clock packet has been received
    int year = 0;     // within the century
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
};

struct TitleState {
    std::array<TitleLine, 11> lines{};
    bool display = false; // switched by 04 74 2F / 3F
    int clears = 0;       // title clear packets received
    CameraClock clock;
    bool dateDisplay = false;
    bool timeDisplay = false;
};

} // namespace zam::sim

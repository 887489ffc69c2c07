// Hand controllers: the time from a stick event to its packet being written,
// and what a stick sweeping back and forth puts on a 9600 bit/s line.
//
//   build/bench/bench_gamepad

#include "support/simline.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <SDL.h>
#include <algorithm>
#include <cameralink.h>
#include <cmath>
#include <cstdio>
#include <gamepadinput.h>
#include <handcontrol.h>
#include <vector>

using namespace zam;
using namespace zam::hand;

namespace {

// A virtual game controller's left stick, read by the panel's own poll: from
// setting the axis to the packet leaving through the link, in one turn.
void latency()
{
    SimLine line(1);
    CameraLink link(line.port, line.clock);
    line.port.open({QStringLiteral("sim:"), 9600});
    link.state().CameraAddress = 1;
    link.state().CameraCount = 1;
    HandControl hand(link, {});
    GamepadInput input(hand, line.clock);
    SDL_VirtualJoystickDesc d;
    SDL_zero(d);
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = 6;
    d.nbuttons = 15;
    const int index = SDL_JoystickAttachVirtualEx(&d);
    SDL_Joystick *stick = SDL_JoystickOpen(index);
    input.poll();
    QElapsedTimer t;
    std::int64_t writtenNs = 0;
    QObject::connect(&link, &CameraLink::packetWritten,
                     [&](const QByteArray &) { writtenNs = t.nsecsElapsed(); });
    std::vector<double> us;
    for (int i = 0; i < 2000; ++i) {
        line.clock.advance(60); // past the 50 ms gap
        writtenNs = -1;
        t.start();
        SDL_JoystickSetVirtualAxis(stick, 1, i % 2 ? -32768 : 0);
        input.poll();
        if (writtenNs >= 0)
            us.push_back(double(writtenNs) / 1000.0);
    }
    std::sort(us.begin(), us.end());
    std::printf("stick event -> packet written: median %.1f us, 99th percentile %.1f us "
                "(%zu packets; the poll runs every %d ms while a controller is attached)\n",
                us[us.size() / 2], us[us.size() * 99 / 100], us.size(), GamepadInput::kActiveMs);
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
}

// 10 s of the zoom stick swept back and forth (one full sweep a second, an
// axis event every millisecond) on a 9600 bit/s line.
void sweep()
{
    SimLine line(1);
    CameraLink link(line.port, line.clock);
    line.port.open({QStringLiteral("sim:"), 9600});
    link.state().CameraAddress = 1;
    link.state().CameraCount = 1;
    HandControl hand(link, {});
    hand.setLineSpeed(9600);
    hand.attach(1, QStringLiteral("bench"));
    qint64 bytes = 0;
    int packets = 0;
    QObject::connect(&link, &CameraLink::packetWritten, [&](const QByteArray &p) {
        bytes += p.size();
        ++packets;
    });
    const int seconds = 10;
    for (int ms = 0; ms < seconds * 1000; ++ms) {
        const double phase = 2 * M_PI * ms / 1000.0;
        hand.axis(1, 1, int(32767 * std::sin(phase)));
        line.clock.advance(1);
        line.port.deliverDue();
        QCoreApplication::processEvents();
    }
    hand.axis(1, 1, 0);
    const double capacity = 9600.0 / 10; // bytes per second
    std::printf("10 s sweep at 9600 bit/s: %d packets, %.1f packets/s, %.0f bytes/s of the "
                "line's %.0f (%.1f %%); the line carries %.0f such packets/s\n",
                packets, packets / double(seconds), bytes / double(seconds), capacity,
                100.0 * bytes / seconds / capacity, capacity / 6);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    latency();
    sweep();
    return 0;
}

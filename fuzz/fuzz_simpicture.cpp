// Drives a simulated camera with packets built from arbitrary bytes, most of
// them shaped like the ones it understands, then draws its picture and puts
// it in words: whatever state the packets leave, neither may crash, read
// outside what the camera holds, or draw a frame of the wrong size.
//
// Input layout:
//   byte 0        the camera's model, one of a few (an unknown code among them)
//   then packets  a selector byte, then the packet's bytes: selector below
//                 0xE0 takes the rule (selector modulo the rules) and fills
//                 its parameters from the next bytes, mostly as nibbles;
//                 0xE0 and up sends up to 15 raw bytes, then FF
//
// Time moves 40 ms a packet, so motors run and titles blink.

#include "fuzzsupport.h"

#include <QGuiApplication>
#include <camerachain.h>
#include <picturetext.h>
#include <simpicture.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace {

using zamfuzz::check;

// The picture needs Qt Gui (fonts for the titles).
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_simpicture";
    static char *argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    ensureApplication();
    static const int kModels[] = {0x30, 0x31, 0x11, 0x1C, 0x13, 0x41, 0x49, 0x2C};
    const int model = kModels[data[0] % std::size(kModels)];
    static const std::vector<zam::sim::SimRule> rules = zam::sim::SimCamera::standardRules();

    zam::sim::CameraChain chain(1, {model});
    std::int64_t now = 0;
    std::size_t i = 1;
    while (i < size) {
        const std::uint8_t selector = data[i++];
        QByteArray packet("\x81", 1);
        if (selector < 0xE0) {
            const zam::sim::SimRule &rule = rules[selector % rules.size()];
            for (std::uint8_t b : rule.prefix)
                packet += char(b);
            const int length = rule.length > 0 ? rule.length : int(packet.size()) + 2;
            while (packet.size() < length - 1) {
                const std::uint8_t b = i < size ? data[i++] : 0;
                packet += char(b & 0x80 ? b & 0x7F : b & 0x0F);
            }
        } else {
            for (int n = 0; n < (selector & 0x0F) && i < size; ++n)
                packet += char(data[i++]);
        }
        packet += '\xFF';
        chain.feed(packet, now);
        now += 40;
    }

    const zam::sim::SimCamera &cam = chain.camera(1);
    zam::sim::PictureRenderer renderer;
    const QImage img = renderer.render(cam, now);
    check(img.size() == zam::sim::frameSize(zam::sim::pictureModel(std::uint8_t(model))));
    if (!cam.state().power)
        check(img.pixel(img.width() / 2, img.height() / 2) == qRgb(0, 0, 0));
    const QString words = zam::sim::describePicture({cam.state(), cam.titles(), cam.masks()}, now);
    check(!words.isEmpty());
    return 0;
}

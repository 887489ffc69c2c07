// Status blocks and alarm inquiries.
//
// Block inquiries 8x 09 7E 7E 0b FF, b = 0 lens, 1 camera, 2 other,
// 3 extended. Reply: 16 bytes y0 50 d2 .. d14 FF; bytes and bits not listed
// below are 0. Nibble bytes carry one hexadecimal digit each, most
// significant first.
//
//   Lens                                    Camera
//   2..5   zoom position (4 nibbles)        2, 3   R gain (2 nibbles)
//   6, 7   near limit, upper 2 nibbles      4, 5   B gain (2 nibbles)
//   8..11  focus position (4 nibbles)       6      white-balance mode
//   13     bit 0 focus auto                 7      aperture
//          bit 1 digital zoom on            8      AE mode
//          bit 2 AF sensitivity             9      bit 0 auto slow shutter
//          bit 5 digital zoom separate             bit 1 exposure compensation
//   14     bit 0 zoom moving                       bit 2 backlight
//          bit 1 focus moving               10..14 shutter, iris, gain, bright,
//                                                  exposure compensation
//
//   Other                                   Extended
//   2      bit 0 power, bit 1 key lock,     2, 3   digital zoom position
//          bit 2 auto ICR                          (2 nibbles)
//   3      bit 2 LR reverse, bit 3 freeze   10     bit 0 picture flip
//   4      bit 2 data screen
//   5      picture effect (0, 1, 4)
//   7      digital effect level
//   8..11  camera ID (4 nibbles)
//   12     bit 0 shutter column, bit 1 stabilizer
//   13     bits 0..3 V-phase bits 6..9, bit 4 line lock, bit 5 V-phase 0 degree
//   14     bits 0..5 V-phase bits 0..5
//
// Alarm (motion detection):
//   8x 09 04 6B FF   y0 50 0p FF     p = 2 detection running, 3 stopped
//   8x 09 04 6C FF   y0 50 mm FF     alarm mode
//   8x 09 04 6D FF   y0 50 0d 0d 0d 0n 0n 0n 0c 0c 0c FF
//                                    day, night and current AE level, 3 nibbles each

#include "rulehelpers.h"

namespace zam::sim {

namespace {

// Data bytes of a 16-byte block: reply byte i is data byte i - 2.
class Block {
public:
    Block() : m_data(13, '\0') {}
    void set(int replyByte, int value) { m_data[replyByte - 2] = char(value & 0xFF); }
    void nibbles(int replyByte, unsigned value, int count)
    {
        const QByteArray n = nibbleBytes(value, count);
        for (int i = 0; i < count; ++i)
            m_data[replyByte - 2 + i] = n[i];
    }
    const QByteArray &data() const { return m_data; }

private:
    QByteArray m_data;
};

int bit(bool on, int n)
{
    return on ? 1 << n : 0;
}

QByteArray lensBlock(const CameraState &s, std::int64_t now)
{
    const LensState &l = s.lens;
    Block b;
    b.nibbles(2, unsigned(l.zoom.position(now)), 4);
    b.nibbles(6, unsigned(l.nearLimit) >> 8, 2);
    b.nibbles(8, unsigned(l.focus.position(now)), 4);
    b.set(13, bit(l.focusAuto, 0) | bit(l.digitalZoomOn, 1) | bit(l.afSensitivity, 2) |
                  bit(l.digitalZoomSeparate, 5));
    b.set(14, bit(l.zoom.moving(now), 0) | bit(l.focus.moving(now), 1));
    return b.data();
}

QByteArray cameraBlock(const CameraState &s)
{
    const ExposureState &e = s.exposure;
    Block b;
    b.nibbles(2, unsigned(s.whiteBalance.rGain), 2);
    b.nibbles(4, unsigned(s.whiteBalance.bGain), 2);
    b.set(6, s.whiteBalance.mode);
    b.set(7, e.aperture);
    b.set(8, e.aeMode);
    b.set(9, bit(e.autoSlowShutter, 0) | bit(e.expComp, 1) | bit(e.backLight, 2));
    b.set(10, e.shutter);
    b.set(11, e.iris);
    b.set(12, e.gain);
    b.set(13, e.bright);
    b.set(14, e.expCompLevel);
    return b.data();
}

QByteArray otherBlock(const CameraState &s, std::int64_t now)
{
    const PictureState &p = s.picture;
    const int vPhase = s.vPhase.position(now);
    Block b;
    b.set(2, bit(s.power, 0) | bit(s.keyLock, 1) | bit(p.autoICR, 2));
    b.set(3, bit(p.lrReverse, 2) | bit(p.freeze, 3));
    b.set(4, bit(s.dataScreen, 2));
    b.set(5, p.effect);
    b.set(7, p.digitalEffectLevel);
    b.nibbles(8, unsigned(s.cameraId), 4);
    b.set(12, bit(s.shutterColumn != 0, 0) | bit(p.stabilizer, 1));
    b.set(13, ((vPhase >> 6) & 0x0F) | bit(s.lineLock, 4) | bit(s.vp0180, 5));
    b.set(14, vPhase & 0x3F);
    return b.data();
}

QByteArray extendedBlock(const CameraState &s, std::int64_t now)
{
    Block b;
    b.nibbles(2, unsigned(reportedDigitalZoom(s.lens, now)), 2);
    b.set(10, bit(s.picture.flip, 0));
    return b.data();
}

SimReply statusBlock(SimCamera &cam, const QByteArray &p)
{
    const CameraState &s = cam.state();
    switch (at(p, 4)) {
    case 0x00:
        return SimReply::inquiry(lensBlock(s, cam.time()));
    case 0x01:
        return SimReply::inquiry(cameraBlock(s));
    case 0x02:
        return SimReply::inquiry(otherBlock(s, cam.time()));
    case 0x03:
        return SimReply::inquiry(extendedBlock(s, cam.time()));
    default:
        return syntaxError();
    }
}

SimReply alarmActive(SimCamera &cam, const QByteArray &)
{
    return SimReply::inquiry(bytes({cam.state().mdActive ? 0x02 : 0x03}));
}

SimReply alarmMode(SimCamera &cam, const QByteArray &)
{
    return SimReply::inquiry(bytes({cam.state().mdMode}));
}

SimReply alarmLevels(SimCamera &cam, const QByteArray &)
{
    const CameraState &s = cam.state();
    return SimReply::inquiry(nibbleBytes(unsigned(s.mdDayLevel), 3) +
                             nibbleBytes(unsigned(s.mdNightLevel), 3) +
                             nibbleBytes(unsigned(s.mdNowLevel), 3));
}

} // namespace

void registerStatusRules(std::vector<SimRule> &t)
{
    t.push_back(inquiry("status block", {0x09, 0x7E, 0x7E}, 6, statusBlock));
    t.push_back(inquiry("alarm detection", {0x09, 0x04, 0x6B}, 5, alarmActive));
    t.push_back(inquiry("alarm mode", {0x09, 0x04, 0x6C}, 5, alarmMode));
    t.push_back(inquiry("alarm levels", {0x09, 0x04, 0x6D}, 5, alarmLevels));
}

} // namespace zam::sim

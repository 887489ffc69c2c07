#include "statusblocks.h"

#include "catalog.h"
#include "packet.h"

#include <cstdint>

namespace zam {

namespace {

constexpr int kReplyCompletion = 0x50;
constexpr int kTerminator = 0xFF;

// Byte i of the reply, or 0 past either end.
int byteAt(const QByteArray &bytes, int i)
{
    return i >= 0 && i < bytes.size() ? std::uint8_t(bytes[i]) : 0;
}

bool bit(const QByteArray &bytes, int i, int n)
{
    return (byteAt(bytes, i) >> n) & 1;
}

int nibbles(const QByteArray &bytes, int pos, int count)
{
    return int(readNibbles(bytes, pos, count));
}

bool frameTail(const QByteArray &reply, int length)
{
    if (length < 2 || reply.size() < length)
        return false;
    return byteAt(reply, 1) == kReplyCompletion && byteAt(reply, length - 1) == kTerminator;
}

} // namespace

int replyLength(StatusBlock block)
{
    return block == StatusBlock::Version ? kVersionReplyLength : kBlockReplyLength;
}

QByteArray inquiryPacket(StatusBlock block, int address)
{
    catalog::Id id = catalog::Id::VersionInquiry;
    switch (block) {
    case StatusBlock::Version:
        id = catalog::Id::VersionInquiry;
        break;
    case StatusBlock::Lens:
        id = catalog::Id::LensBlockInquiry;
        break;
    case StatusBlock::Camera:
        id = catalog::Id::CameraBlockInquiry;
        break;
    case StatusBlock::Other:
        id = catalog::Id::OtherBlockInquiry;
        break;
    case StatusBlock::Extended:
        id = catalog::Id::ExtendedBlockInquiry;
        break;
    }
    return catalog::build(id, address).value_or(QByteArray());
}

int replyHeader(int address)
{
    if (address < 0 || address > 7)
        return -1;
    return 0x80 + 16 * address;
}

bool replyFrameValid(const QByteArray &reply, int length, int address)
{
    const int y0 = replyHeader(address);
    return y0 >= 0 && frameTail(reply, length) && byteAt(reply, 0) == y0;
}

bool replyFrameValid(StatusBlock block, const QByteArray &reply, int address)
{
    return replyFrameValid(reply, replyLength(block), address);
}

bool replyFrameShowable(const QByteArray &reply, int length)
{
    return frameTail(reply, length) && (byteAt(reply, 0) & 0x80);
}

bool replyFrameShowable(StatusBlock block, const QByteArray &reply)
{
    return replyFrameShowable(reply, replyLength(block));
}

VersionStatus decodeVersion(const QByteArray &reply, int address)
{
    VersionStatus v;
    if (!replyFrameValid(StatusBlock::Version, reply, address))
        return v;
    v.valid = true;
    v.modelCode = byteAt(reply, 5);
    return v;
}

LensStatus decodeLens(const QByteArray &reply)
{
    LensStatus s;
    if (!replyFrameShowable(StatusBlock::Lens, reply))
        return s;
    s.valid = true;
    s.zoomPosition = nibbles(reply, 2, 4);
    s.focusNearLimit = nibbles(reply, 6, 2) << 8;
    s.focusPosition = nibbles(reply, 8, 4);
    s.focusAuto = bit(reply, 13, 0);
    s.digitalZoomOn = bit(reply, 13, 1);
    s.afSensitivity = bit(reply, 13, 2);
    s.digitalZoomSeparate = bit(reply, 13, 5);
    s.zoomMoving = bit(reply, 14, 0);
    s.focusMoving = bit(reply, 14, 1);
    return s;
}

CameraStatus decodeCamera(const QByteArray &reply)
{
    CameraStatus s;
    if (!replyFrameShowable(StatusBlock::Camera, reply))
        return s;
    s.valid = true;
    s.rGain = nibbles(reply, 2, 2);
    s.bGain = nibbles(reply, 4, 2);
    s.wbMode = byteAt(reply, 6);
    s.aperture = byteAt(reply, 7);
    s.aeMode = byteAt(reply, 8);
    s.autoSlowShutter = bit(reply, 9, 0);
    s.expComp = bit(reply, 9, 1);
    s.backLight = bit(reply, 9, 2);
    s.shutterPosition = byteAt(reply, 10);
    s.irisPosition = byteAt(reply, 11);
    s.gainPosition = byteAt(reply, 12);
    s.brightPosition = byteAt(reply, 13);
    s.expCompPosition = byteAt(reply, 14);
    return s;
}

OtherStatus decodeOther(const QByteArray &reply)
{
    OtherStatus s;
    if (!replyFrameShowable(StatusBlock::Other, reply))
        return s;
    s.valid = true;
    s.power = bit(reply, 2, 0);
    s.keyLock = bit(reply, 2, 1);
    s.autoICR = bit(reply, 2, 2);
    s.lrReverse = bit(reply, 3, 2);
    s.freeze = bit(reply, 3, 3);
    s.dataScreen = bit(reply, 4, 2);
    s.pictureEffect = byteAt(reply, 5);
    s.digitalEffectLevel = byteAt(reply, 7);
    s.cameraId = nibbles(reply, 8, 4);
    s.shutterColumn = bit(reply, 12, 0) ? 1 : 0;
    s.imageStabilizer = bit(reply, 12, 1);
    s.vPhase = (byteAt(reply, 13) & 0x0F) * 64 + (byteAt(reply, 14) & 0x3F);
    s.lineLock = bit(reply, 13, 4);
    s.vp0180 = bit(reply, 13, 5);
    return s;
}

ExtendedStatus decodeExtended(const QByteArray &reply)
{
    ExtendedStatus s;
    if (!replyFrameShowable(StatusBlock::Extended, reply))
        return s;
    s.valid = true;
    s.digitalZoomPosition = nibbles(reply, 2, 2);
    s.pictureFlip = bit(reply, 10, 0);
    return s;
}

DigitalZoomControls digitalZoomControls(bool digitalZoomOn, bool separateMode)
{
    DigitalZoomControls c{};
    // Row of byte 13 bit 1.
    c.dZoomOnEnabled = !digitalZoomOn;
    c.dZoomOffEnabled = digitalZoomOn;
    c.shownSlider = digitalZoomOn ? ZoomSliderKind::ZoomSlider : ZoomSliderKind::ZoomSliderShort;
    // Row of byte 13 bit 5, applied after it: separate mode always uses the
    // short slider.
    c.dZoomButtonsEnabled = separateMode;
    c.dZoomMode0Enabled = separateMode;
    c.dZoomMode1Enabled = !separateMode;
    if (separateMode)
        c.shownSlider = ZoomSliderKind::ZoomSliderShort;
    return c;
}

FocusControls focusControls(bool focusAuto)
{
    const bool manual = !focusAuto;
    return FocusControls{manual, manual, manual, focusAuto, focusAuto, manual};
}

QString dZoomXCaption(int digitalZoomPosition)
{
    return digitalZoomPosition == 0 ? QStringLiteral("MAX") : QStringLiteral("X1");
}

QString vp0180Caption(bool vp0180)
{
    return vp0180 ? QStringLiteral("0 degree") : QStringLiteral("180 degree");
}

QString autoICRCaption(bool autoICR)
{
    return autoICR ? QStringLiteral("ON") : QStringLiteral("OFF");
}

} // namespace zam

#pragma once
// The camera's status blocks: inquiries, reply checks and decoding, and the
// window states that follow from a decoded block.
//
// Inquiries (8x = 0x80 + camera address):
//
//   block     inquiry              reply
//   Version   8x 09 00 02 FF       10 bytes  y0 50 .. FF
//   Lens      8x 09 7E 7E 00 FF    16 bytes  y0 50 .. FF
//   Camera    8x 09 7E 7E 01 FF    16 bytes
//   Other     8x 09 7E 7E 02 FF    16 bytes
//   Extended  8x 09 7E 7E 03 FF    16 bytes
//
// y0 = 0x80 + 16 * address. A nibble byte carries one hexadecimal digit in
// its low four bits; multi-nibble values are most significant first.
//
// Lens block:
//   2..5   zoom position (4 nibbles)
//   6, 7   focus near limit, upper two nibbles (b6*4096 + b7*256)
//   8..11  focus position (4 nibbles)
//   13     bit 0 focus auto, bit 1 digital zoom on, bit 2 AF sensitivity,
//          bit 5 digital zoom separate mode
//   14     bit 0 zoom moving, bit 1 focus moving
//
// Camera block:
//   2, 3   R gain (2 nibbles)         4, 5   B gain (2 nibbles)
//   6      white-balance mode 0..5    7      aperture level
//   8      AE mode (00, 03, 0A..0D; cameramodes.h has the modes)
//   9      bit 0 auto slow shutter, bit 1 exposure compensation, bit 2 backlight
//   10..14 shutter, iris, gain, bright, exposure-compensation positions
//
// Other block:
//   2      bit 0 power, bit 1 key lock, bit 2 auto ICR
//   3      bit 2 left-right reverse, bit 3 freeze
//   4      bit 2 data screen
//   5      picture effect (0 off, 1 negative art, 4 black and white)
//   7      digital effect level
//   8..11  camera ID (4 nibbles)
//   12     bit 0 shutter-table column, bit 1 image stabilizer
//   13     bits 0..3 V-phase bits 6..9, bit 4 external line lock, bit 5 V-phase 0/180
//   14     bits 0..5 V-phase bits 0..5
//
// Extended block:
//   2, 3   digital zoom position (2 nibbles)
//   10     bit 0 picture flip
//
// Version block: byte 5 is the model code (see modeltable.h).
//
// Every function here accepts any byte array: short replies, long replies
// and arbitrary values never read outside the array.

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace zam {

enum class StatusBlock { Version, Lens, Camera, Other, Extended };

inline constexpr int kVersionReplyLength = 10;
inline constexpr int kBlockReplyLength = 16;
// Requests per block before the status read gives up (replies to the first
// two are accepted).
inline constexpr int kStatusRequestLimit = 3;

// 10 for the version block, 16 for the others.
int replyLength(StatusBlock block);

// The inquiry for the camera at address (built by the protocol catalog);
// empty for an address outside 1..7 (8: all cameras).
QByteArray inquiryPacket(StatusBlock block, int address);

// First byte of a reply from the camera at address: 0x80 + 16 * address;
// -1 (matches no byte) for an address outside 0..7.
int replyHeader(int address);

// The check of the request loop: at least length bytes, byte 0 = y0 of the
// address, byte 1 = 0x50, byte length-1 = 0xFF. Extra bytes are ignored.
bool replyFrameValid(const QByteArray &reply, int length, int address);
bool replyFrameValid(StatusBlock block, const QByteArray &reply, int address);

// The looser check before a block is shown (and before a version reply is
// taken at start-up): at least length bytes, byte 0 bit 7 set, byte 1 =
// 0x50, byte length-1 = 0xFF. Any address passes.
bool replyFrameShowable(const QByteArray &reply, int length);
bool replyFrameShowable(StatusBlock block, const QByteArray &reply);

// Decoded blocks. valid is false when the reply fails its frame check; all
// other fields then keep their defaults.

struct VersionStatus {
    bool valid = false; // strict check against the address
    int modelCode = 0;
};

struct LensStatus {
    bool valid = false;
    int zoomPosition = 0;
    int focusNearLimit = 0;
    int focusPosition = 0;
    bool focusAuto = false;
    bool digitalZoomOn = false;
    bool afSensitivity = false;
    bool digitalZoomSeparate = false;
    bool zoomMoving = false;
    bool focusMoving = false;
};

struct CameraStatus {
    bool valid = false;
    int rGain = 0;
    int bGain = 0;
    int wbMode = 0;
    int aperture = 0;
    int aeMode = 0;
    bool autoSlowShutter = false;
    bool expComp = false;
    bool backLight = false;
    int shutterPosition = 0;
    int irisPosition = 0;
    int gainPosition = 0;
    int brightPosition = 0;
    int expCompPosition = 0;
};

struct OtherStatus {
    bool valid = false;
    bool power = false;
    bool keyLock = false;
    bool autoICR = false;
    bool lrReverse = false;
    bool freeze = false;
    bool dataScreen = false;
    int pictureEffect = 0;
    int digitalEffectLevel = 0;
    int cameraId = 0;
    int shutterColumn = 0; // 0 or 1
    bool imageStabilizer = false;
    int vPhase = 0; // 0..1023
    bool lineLock = false;
    bool vp0180 = false;
};

struct ExtendedStatus {
    bool valid = false;
    int digitalZoomPosition = 0;
    bool pictureFlip = false;
};

VersionStatus decodeVersion(const QByteArray &reply, int address);
LensStatus decodeLens(const QByteArray &reply);
CameraStatus decodeCamera(const QByteArray &reply);
OtherStatus decodeOther(const QByteArray &reply);
ExtendedStatus decodeExtended(const QByteArray &reply);

// ---- Window states that follow from the blocks ----

// Zoom and digital-zoom controls for lens byte 13 bits 1 (on) and 5
// (separate). The slider named by shownSlider is shown and enabled, the
// other hidden and disabled; ZoomSlider is also brought to the front.
enum class ZoomSliderKind { ZoomSlider, ZoomSliderShort };
struct DigitalZoomControls {
    bool dZoomOnEnabled;
    bool dZoomOffEnabled;
    bool dZoomButtonsEnabled; // DZoomTele, DZoomWide, DZoomX
    bool dZoomMode0Enabled;   // "Combine Mode"
    bool dZoomMode1Enabled;   // "Separate Mode"
    ZoomSliderKind shownSlider;
};
DigitalZoomControls digitalZoomControls(bool digitalZoomOn, bool separateMode);

// Focus controls for lens byte 13 bit 0.
struct FocusControls {
    bool manualEnabled;     // Near, Far, NearSpeed, FarSpeed, UpDown3, UpDown4, FocusSlider
    bool afTrigEnabled;     // AFTrig
    bool afModeCmd0Enabled; // AFModeCmd(0)
    bool afModeCmdEnabled;  // AFModeCmd(1..3)
    bool manAFModeEnabled;  // ManAFMode
    bool infinityEnabled;   // Infinity
};
FocusControls focusControls(bool focusAuto);

// DZoomX offers the other end of the range: "MAX" at position 0, else "X1".
QString dZoomXCaption(int digitalZoomPosition);
// VP0180: "0 degree" when the bit is set, "180 degree" when clear.
QString vp0180Caption(bool vp0180);
// comAutoICR: "ON" / "OFF".
QString autoICRCaption(bool autoICR);

} // namespace zam

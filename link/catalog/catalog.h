#pragma once
// The protocol catalog: every packet the panel sends, described once with a
// name a person understands, and the reply shapes the cameras answer with.
// Packets are built here, decoded back into (entry, address, values) here,
// and described in one line for the traffic monitor. Qt Core only.
//
// A command packet is a header, a body and the terminator:
//
//   byte 0        0x80 + camera address (81..87), or 88 for a broadcast
//   1 .. n-2      category, command and parameter bytes (the entry's body)
//   n-1           FF
//
// Parameter fields, by packing (8x = header, positions count from it):
//
//   Byte        one whole byte                8x 01 04 65 pp FF       level pp
//   Nibbles     one hexadecimal digit a byte, 8x 01 04 47 0p 0q 0r 0s FF
//               most significant first        position pqrs
//   LowNibble   a digit or'ed into a fixed    8x 01 04 07 2p FF       speed p
//               high nibble                   8x 01 04 73 1L ..       line L
//   HighNibble  the high digit of a byte      8x 01 04 78 .. hc ..    half h, colour c
//               shared with a LowNibble field
//   Digits      a decimal number as two bytes 8x 01 04 70 02 06 ..    year 26
//               00..09, tens first (not BCD)
//   Run         several whole bytes, one      8x 01 04 73 2L c0 .. c9 FF
//               value each                    title characters
//
// Values are given and read in field order; a Run takes one value per byte.
// No field can carry FF: a whole-byte field ends at FE at the latest.
//
// Replies (y0 = 0x80 + 16 * address, 90..F0; z = socket):
//
//   y0 4z FF            acknowledge
//   y0 5z FF            completion
//   y0 6z ee FF         error ee (table below)
//   y0 50 d1 .. dk FF   inquiry reply, k >= 1
//   y0 38 FF            network change
//   88 01 00 01 FF      interface clear, broadcast
//   88 30 0p FF         address set, broadcast: p - 1 cameras on the chain
//
//   ee  02 syntax error, 03 command buffer full, 04 command cancelled,
//       05 no socket, 41 command not executable

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>

namespace zam::catalog {

inline constexpr int kMaxPacket = 16;             // the longest packet the panel sends
inline constexpr int kMaxValues = kMaxPacket - 2; // at most one value per body byte
inline constexpr int kMaxFields = 9;
inline constexpr int kBroadcast = 8; // the address of 88 packets

enum class Group : std::uint8_t {
    Lens,
    Focus,
    Exposure,
    WhiteBalance,
    Picture,
    System,
    Display,
    Sync,
    Title,
    Clock,
    PrivacyMask,
    MotionDetection,
    AeSpot,
    Service,
    Inquiry,
    Broadcast,
};

enum class Packing : std::uint8_t { Byte, Nibbles, LowNibble, HighNibble, Digits, Run };

// How a value reads in a description: "speed 3", "position 0x4000".
enum class Show : std::uint8_t { Decimal, Hex };

// What the camera answers.
enum class Expect : std::uint8_t {
    Completion,     // acknowledge, then completion (or an error)
    InquiryReply,   // y0 50 .. FF
    AddressSet,     // 88 30 0p FF
    InterfaceClear, // 88 01 00 01 FF
    None,
};

struct Field {
    const char *name = "";
    std::uint8_t at = 0; // position of the field's first byte in the packet
    Packing packing = Packing::Byte;
    std::uint8_t count = 1; // bytes the field takes
    std::uint16_t min = 0;  // of each value
    std::uint16_t max = 0;
    Show show = Show::Decimal;

    constexpr int valueCount() const { return packing == Packing::Run ? count : 1; }
};

enum class Id : std::uint16_t;

struct Entry {
    Id id{};
    // The Id's own name, "ZoomTele": stable, for programs and files.
    const char *key = "";
    // What a person reads, "Zoom tele, variable speed".
    const char *name = "";
    Group group{};
    std::uint8_t length = 0; // whole packet, header and FF included
    // The bytes every packet of the entry has where fixedMask is set; 0 under
    // the fields. Byte 0 is the header and is not part of it.
    std::array<std::uint8_t, kMaxPacket> fixed{};
    std::array<std::uint8_t, kMaxPacket> fixedMask{};
    std::array<Field, kMaxFields> fields{};
    std::uint8_t fieldCount = 0;
    Expect expect = Expect::Completion;
    std::uint8_t replyLength = 0; // inquiries: the whole reply, 0 when not fixed
    bool broadcastOnly = false;   // sent only as 88 ..

    constexpr std::span<const Field> fieldList() const { return {fields.data(), fieldCount}; }
    constexpr int valueCount() const
    {
        int n = 0;
        for (const Field &f : fieldList())
            n += f.valueCount();
        return n;
    }
    // Index of field i's first value among the entry's values.
    constexpr int valueOffset(int field) const
    {
        int n = 0;
        for (int i = 0; i < field; ++i)
            n += fields[std::size_t(i)].valueCount();
        return n;
    }
};

// Every entry, in the order of Id.
std::span<const Entry> entries();
const Entry &entry(Id id);
// The entry whose key is `key`, or nullptr.
const Entry *findEntry(QStringView key);
const char *groupName(Group group);

// ---- Building

// The packet of `id` for camera 1..7, or kBroadcast; nothing when the
// address, the number of values or any value is outside what the entry takes.
std::optional<QByteArray> build(Id id, int cameraAddress, std::span<const int> values);
std::optional<QByteArray> build(Id id, int cameraAddress, std::initializer_list<int> values = {});

// ---- Decoding a command packet

struct Command {
    const Entry *entry = nullptr; // nullptr: the bytes match no entry
    int address = 0;              // 1..7, kBroadcast
    // false: the bytes have the entry's shape but a value is outside its
    // range (a speed 9 typed on the console, say)
    bool inRange = true;
    std::array<int, kMaxValues> values{};
    int valueCount = 0;

    bool known() const { return entry != nullptr; }
    std::span<const int> fieldValues(int field) const;
};

// Any bytes; the packet is one whole packet, header to FF.
Command decodeCommand(QByteArrayView packet);

// ---- Decoding a reply

enum class ReplyKind : std::uint8_t {
    Acknowledge,
    Completion,
    Error,
    InquiryReply,
    NetworkChange,
    InterfaceClear,
    AddressSet,
    Unknown,
};

enum class ErrorCode : std::uint8_t {
    SyntaxError = 0x02,
    CommandBufferFull = 0x03,
    CommandCancelled = 0x04,
    NoSocket = 0x05,
    CommandNotExecutable = 0x41,
};

struct Reply {
    ReplyKind kind = ReplyKind::Unknown;
    int address = 0;     // 1..7 from y0; kBroadcast for the 88 replies
    int socket = 0;      // acknowledge, completion, error
    int errorCode = 0;   // error: ee
    int nextAddress = 0; // address set: p
    // Inquiry reply: d1 .. dk, pointing into the bytes that were decoded.
    QByteArrayView payload;

    int cameraCount() const { return nextAddress - 1; }
};

Reply decodeReply(QByteArrayView reply);
// "syntax error", ...; empty for a code without a name.
QString errorName(int code);

// ---- One line for the traffic monitor

// Names what an inquiry reply's data means; the status blocks and the
// version reply are read one layer up. An empty answer leaves the data raw.
using InquiryReplyNamer = std::function<QString(QByteArrayView payload)>;

// "Zoom tele, variable speed: speed 3", "Completion (socket 1)",
// "Error: syntax error (socket 0)", "Unknown: 81 01 04 99 FF".
QString describe(QByteArrayView packet, bool fromCamera, const InquiryReplyNamer &namer = {});
QString describeCommand(const Command &command);
QString describeReply(const Reply &reply, const InquiryReplyNamer &namer = {});

// ---- The entries

enum class Id : std::uint16_t {
    // Lens
    ZoomStop,
    ZoomTele,
    ZoomWide,
    ZoomTeleStandard,
    ZoomWideStandard,
    ZoomDirect,
    DigitalZoomOn,
    DigitalZoomOff,
    DigitalZoomStop,
    DigitalZoomTele,
    DigitalZoomWide,
    DigitalZoomX1Max,
    DigitalZoomDirect,
    DigitalZoomCombine,
    DigitalZoomSeparate,
    LensInitialize,
    CompensationScan,
    // Focus
    FocusAuto,
    FocusManual,
    AfModeNormal,
    AfModeInterval,
    AfModeZoomTrigger,
    AfIntervalTimes,
    AfSensitivityLow,
    AfSensitivityNormal,
    FocusOnePush,
    FocusInfinity,
    FocusStop,
    FocusFar,
    FocusNear,
    FocusDirect,
    FocusNearLimit,
    // Exposure
    AeFullAuto,
    AeManual,
    AeShutterPriority,
    AeIrisPriority,
    AeGainPriority,
    AeBright,
    AeIrisAuto,
    ShutterFaster,
    ShutterSlower,
    IrisOpen,
    IrisClose,
    GainUp,
    GainDown,
    BrightUp,
    BrightDown,
    ExpCompUp,
    ExpCompDown,
    ApertureUp,
    ApertureDown,
    ApertureReset,
    ShutterDirect,
    IrisDirect,
    GainDirect,
    BrightDirect,
    ExpCompDirect,
    ApertureDirect,
    ExpCompOn,
    ExpCompOff,
    BackLightOn,
    BackLightOff,
    AutoSlowShutterOn,
    AutoSlowShutterOff,
    SlowAe,
    // White balance
    WbAuto,
    WbIndoor,
    WbOutdoor,
    WbOnePush,
    WbAtw,
    WbManual,
    WbOnePushTrigger,
    RGainUp,
    RGainDown,
    RGainReset,
    BGainUp,
    BGainDown,
    BGainReset,
    RGainDirect,
    BGainDirect,
    // Picture
    WideDynamicRangeOn,
    WideDynamicRangeOff,
    HighResolutionOn,
    HighResolutionOff,
    IcrOn,
    IcrOff,
    AutoIcrOn,
    AutoIcrOff,
    IcrThreshold,
    PictureFlipOn,
    PictureFlipOff,
    LrReverseOn,
    LrReverseOff,
    FreezeOn,
    FreezeOff,
    StabilizerOn,
    StabilizerOff,
    WideModeNormal,
    PictureEffectOff,
    PictureEffectNegativeArt,
    PictureEffectBlackWhite,
    DigitalEffectLevel,
    // System
    PowerOn,
    PowerOff,
    KeyLockOn,
    KeyLockOff,
    MuteOn,
    MuteOff,
    CameraIdWrite,
    PresetSet,
    PresetRecall,
    PresetReset,
    CustomPresetSet,
    CustomPresetRecall,
    CustomPresetReset,
    UserMemoryWrite,
    // Display
    DataScreenOn,
    DataScreenOff,
    // Sync
    SyncInternal,
    SyncLineLock,
    VPhase0,
    VPhase180,
    VPhaseUp,
    VPhaseDown,
    VPhaseStop,
    VPhaseReset,
    VPhaseDirect,
    // Title
    TitleMenuOn,
    TitleMenuOff,
    TitleDisplayOn,
    TitleDisplayOff,
    TitleClear,
    TitleLineSetting,
    TitleFirstHalf,
    TitleSecondHalf,
    // Clock
    ClockSet,
    DateDisplayOn,
    DateDisplayOff,
    TimeDisplayOn,
    TimeDisplayOff,
    // Privacy mask
    PrivacyZoneSet,
    SphericalZoneSet,
    PrivacyZonePairSet,
    PrivacyDisplay,
    PrivacyAOn,
    PrivacyAOff,
    PrivacyAClear,
    MaskColour,
    MaskColourMosaic1,
    MaskColourMosaic2,
    PanTiltAngle,
    MovePanTilt,
    MaskPtz,
    NonInterlockMask,
    MaskGridOn,
    MaskGridOff,
    MaskCentreOn,
    // Motion detection
    AlarmModeSet,
    AlarmLevels,
    AlarmStart,
    AlarmStop,
    AlarmSwitchOn,
    AlarmSwitchOff,
    MotionDetectionOn,
    MotionDetectionOff,
    MotionFunctionSet,
    MotionWindowSet,
    // AE spot
    AeSpotOn,
    AeSpotOff,
    AeSpotPosition,
    // Service
    EepromSettingMode,
    EepromProtectRelease,
    EepromBaudRate9600,
    EepromBaudRate19200,
    EepromBaudRate38400,
    EepromWrite,
    EepromSet,
    EepromRead,
    RegisterSet,
    // Inquiry
    VersionInquiry,
    LensBlockInquiry,
    CameraBlockInquiry,
    OtherBlockInquiry,
    ExtendedBlockInquiry,
    AlarmStatusInquiry,
    AlarmModeInquiry,
    AlarmLevelInquiry,
    UserMemoryRead,
    // Broadcast
    InterfaceClear,
    AddressSet,

    Count
};

inline constexpr int kEntryCount = int(Id::Count);

} // namespace zam::catalog

#pragma once
// Camera models: what the version reply's model code tells the window.
//
// Version reply (10 bytes):
//
//   byte  0    1    2..4  5           6..8  9
//         y0   50   --    model code  --    FF
//
// A model code selects one row below: the slot of its display name in
// ModelNameTable, the video-system text shown in NTSCorPAL, the lens profile
// that fills the iris and bright captions, and the capability group whose
// restrictions (restrictions.h) hide or disable the controls of functions
// the camera lacks.
// Codes 17..43 use slot code-17, codes 46..73 slot code-19; 44, 45 and every
// other code have no row, and the window then stays as designed.

#include "captiontables.h"
#include "restrictions.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>

namespace zam {

struct ModelRow {
    int code;
    int nameSlot;
    const char *ntscOrPal; // written unchanged into NTSCorPAL
    LensProfile lens;
    CapabilityGroup group;
};

inline constexpr int kModelCount = 55;

// clang-format off
inline constexpr std::array<ModelRow, kModelCount> kModelTable{{
    {0x11,  0, "NTSC/PAL", LensProfile::Opt25X, CapabilityGroup::A},
    {0x12,  1, "NTSC",     LensProfile::Opt18X, CapabilityGroup::B},
    {0x13,  2, "PAL",      LensProfile::Opt18X, CapabilityGroup::B},
    {0x14,  3, "NTSC",     LensProfile::Opt18X, CapabilityGroup::C},
    {0x15,  4, "PAL",      LensProfile::Opt18X, CapabilityGroup::C},
    {0x16,  5, "NTSC",     LensProfile::Opt18X, CapabilityGroup::D},
    {0x17,  6, "PAL",      LensProfile::Opt18X, CapabilityGroup::D},
    {0x18,  7, "NTSC",     LensProfile::Opt18X, CapabilityGroup::E},
    {0x19,  8, "PAL",      LensProfile::Opt18X, CapabilityGroup::F},
    {0x1A,  9, "NTSC",     LensProfile::Opt18X, CapabilityGroup::G},
    {0x1B, 10, "PAL",      LensProfile::Opt18X, CapabilityGroup::G},
    {0x1C, 11, "NTSC",     LensProfile::Opt10X, CapabilityGroup::F},
    {0x1D, 12, "PAL",      LensProfile::Opt10X, CapabilityGroup::F},
    {0x1E, 13, "EIA",      LensProfile::Opt18X, CapabilityGroup::H},
    {0x1F, 14, "CCIR",     LensProfile::Opt18X, CapabilityGroup::H},
    {0x20, 15, "NTSC",     LensProfile::Opt25X, CapabilityGroup::I},
    {0x21, 16, "PAL",      LensProfile::Opt25X, CapabilityGroup::I},
    {0x22, 17, "NTSC",     LensProfile::Opt25X, CapabilityGroup::J},
    {0x23, 18, "PAL",      LensProfile::Opt25X, CapabilityGroup::J},
    {0x24, 19, "NTSC",     LensProfile::Opt18X, CapabilityGroup::I},
    {0x25, 20, "PAL",      LensProfile::Opt18X, CapabilityGroup::I},
    {0x26, 21, "NTSC",     LensProfile::Opt18X, CapabilityGroup::J},
    {0x27, 22, "PAL",      LensProfile::Opt18X, CapabilityGroup::J},
    {0x28, 23, "NTSC",     LensProfile::Opt18X, CapabilityGroup::K},
    {0x29, 24, "PAL",      LensProfile::Opt18X, CapabilityGroup::K},
    {0x2A, 25, "EIA",      LensProfile::Opt18X, CapabilityGroup::L},
    {0x2B, 26, "CCIR",     LensProfile::Opt18X, CapabilityGroup::M},
    {0x2E, 27, "NTSC",     LensProfile::Opt10X, CapabilityGroup::N},
    {0x2F, 28, "PAL",      LensProfile::Opt10X, CapabilityGroup::N},
    {0x30, 29, "NTSC",     LensProfile::Opt25X, CapabilityGroup::O},
    {0x31, 30, "PAL",      LensProfile::Opt25X, CapabilityGroup::P},
    {0x32, 31, "NTSC",     LensProfile::Opt25X, CapabilityGroup::P},
    {0x33, 32, "PAL",      LensProfile::Opt25X, CapabilityGroup::P},
    {0x34, 33, "NTSC",     LensProfile::Opt18X, CapabilityGroup::O},
    {0x35, 34, "PAL",      LensProfile::Opt18X, CapabilityGroup::Q},
    {0x36, 35, "NTSC",     LensProfile::Opt18X, CapabilityGroup::R},
    {0x37, 36, "PAL",      LensProfile::Opt18X, CapabilityGroup::R},
    {0x38, 37, "NTSC",     LensProfile::Opt18X, CapabilityGroup::S},
    {0x39, 38, "PAL",      LensProfile::Opt18X, CapabilityGroup::S},
    {0x3A, 39, "EIA",      LensProfile::Opt18X, CapabilityGroup::T},
    {0x3B, 40, "CCIR",     LensProfile::Opt18X, CapabilityGroup::U},
    {0x3C, 41, "NTSC",     LensProfile::Opt18X, CapabilityGroup::V},
    {0x3D, 42, "PAL",      LensProfile::Opt18X, CapabilityGroup::V},
    {0x3E, 43, "NTSC",     LensProfile::Opt18X, CapabilityGroup::W},
    {0x3F, 44, "PAL",      LensProfile::Opt18X, CapabilityGroup::W},
    {0x40, 45, "PS",       LensProfile::Opt18X, CapabilityGroup::X},
    {0x41, 46, "PS",       LensProfile::Opt10X, CapabilityGroup::Y},
    {0x42, 47, "NTSC",     LensProfile::Opt25X, CapabilityGroup::Z},
    {0x43, 48, "PAL",      LensProfile::Opt25X, CapabilityGroup::Z},
    {0x44, 49, "NTSC",     LensProfile::Opt25X, CapabilityGroup::AA},
    {0x45, 50, "PAL",      LensProfile::Opt25X, CapabilityGroup::AA},
    {0x46, 51, "NTSC",     LensProfile::Opt25X, CapabilityGroup::AA},
    {0x47, 52, "PAL",      LensProfile::Opt25X, CapabilityGroup::AA},
    {0x48, 53, "NTSC",     LensProfile::Opt18X, CapabilityGroup::AA},
    {0x49, 54, "PAL",      LensProfile::Opt18X, CapabilityGroup::AA},
}};
// clang-format on

// The row of a model code, or nullopt (44, 45 and unknown codes).
std::optional<ModelRow> findModel(int code);

// Display names, one per name slot (0..54), shown in ModelVersion. A name is
// "ZAM-<generation> <lens> <video>", the generation by code range (A: 17..31,
// B: 32..43, C: 46..63, D: 64..73) and the lens as "10x"/"18x"/"25x". Where
// that is shared by several slots the capability group is added ("(G)"), and
// where slots of one group still share it, a running number ("(AA-2)").
const QStringList &ModelNameTable();

// The name shown for a model code; empty for a code without a row.
QString modelName(int code);

// The ShutterSlow button steps the shutter display itself only for the
// cameras of these name slots (codes 0x16, 0x17, 0x1A, 0x1B), recognised by
// the text of ModelVersion.
inline constexpr std::array<int, 4> kShutterSlowStepSlots{5, 6, 9, 10};
bool shutterSlowStepsDisplay(const QString &modelVersionText);

} // namespace zam

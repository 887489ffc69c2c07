// Feeds arbitrary bytes to the status-block checks and decoders, the way a
// misbehaving camera or a noisy line could deliver them.
//
// Input layout:
//   byte 0        camera address (taken as a signed byte, so bad ones occur)
//   then pieces   a length byte followed by up to that many reply bytes
//
// Every piece goes through both frame checks at every block length and every
// decoder; the decoded values then drive the caption lookups, the model
// table and the window-state helpers.

#include "cameramodes.h"
#include "captiontables.h"
#include "modeltable.h"
#include "statusblocks.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

void runPiece(const QByteArray &reply, int address, zam::CaptionTables &tables)
{
    using namespace zam;
    for (StatusBlock b : {StatusBlock::Version, StatusBlock::Lens, StatusBlock::Camera,
                          StatusBlock::Other, StatusBlock::Extended}) {
        (void)replyFrameValid(b, reply, address);
        (void)replyFrameShowable(b, reply);
        (void)inquiryPacket(b, address);
    }
    (void)replyFrameValid(reply, int(reply.size()), address);
    (void)replyFrameShowable(reply, int(reply.size()) + 1);

    const VersionStatus version = decodeVersion(reply, address);
    if (version.valid) {
        if (const auto row = findModel(version.modelCode)) {
            tables.applyLensProfile(row->lens);
            (void)restrictionsOf(row->group);
        }
        (void)restrictionsForModel(version.modelCode);
        (void)shutterSlowStepsDisplay(modelName(version.modelCode));
    }

    const LensStatus lens = decodeLens(reply);
    (void)digitalZoomControls(lens.digitalZoomOn, lens.digitalZoomSeparate);
    (void)focusControls(lens.focusAuto);

    const OtherStatus other = decodeOther(reply);
    const CameraStatus camera = decodeCamera(reply);
    (void)tables.shutter(other.shutterColumn, camera.shutterPosition);
    (void)tables.iris(camera.irisPosition);
    (void)tables.gain(camera.gainPosition);
    (void)tables.bright(camera.brightPosition);
    (void)tables.expComp(camera.expCompPosition);
    (void)modeUpdate(ModeFamily::WhiteBalance, camera.wbMode, camera.aperture - 1);
    (void)modeUpdate(ModeFamily::Ae, camera.aeMode, camera.aperture - 1);
    (void)reportedMode(ModeFamily::PictureEffect, other.pictureEffect);
    (void)vp0180Caption(other.vp0180);
    (void)autoICRCaption(other.autoICR);

    const ExtendedStatus ext = decodeExtended(reply);
    (void)dZoomXCaption(ext.digitalZoomPosition);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int address = int(std::int8_t(data[0]));
    zam::CaptionTables tables;
    size_t pos = 1;
    while (pos < size) {
        const size_t want = data[pos++];
        const size_t take = want < size - pos ? want : size - pos;
        // Copy so that the decoders see an array that ends exactly here.
        const QByteArray piece(reinterpret_cast<const char *>(data + pos), qsizetype(take));
        runPiece(piece, address, tables);
        pos += take;
    }
    return 0;
}

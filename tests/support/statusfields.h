#pragma once
// Every value the four status blocks decode to, by name (flags as 0/1), so
// that a test compares whole blocks and names only the fields it expects to
// differ.

#include <QMap>
#include <QString>
#include <statusblocks.h>

inline QMap<QString, int> statusFields(zam::StatusBlock block, const QByteArray &r)
{
    using zam::StatusBlock;
    switch (block) {
    case StatusBlock::Lens: {
        const zam::LensStatus l = zam::decodeLens(r);
        // clang-format off
        return {{"valid", l.valid}, {"zoom", l.zoomPosition}, {"nearLimit", l.focusNearLimit},
                {"focus", l.focusPosition}, {"focusAuto", l.focusAuto}, {"dzOn", l.digitalZoomOn},
                {"afSens", l.afSensitivity}, {"dzSeparate", l.digitalZoomSeparate},
                {"zoomMoving", l.zoomMoving}, {"focusMoving", l.focusMoving}};
    }
    case StatusBlock::Camera: {
        const zam::CameraStatus c = zam::decodeCamera(r);
        return {{"valid", c.valid}, {"rGain", c.rGain}, {"bGain", c.bGain}, {"wbMode", c.wbMode},
                {"aperture", c.aperture}, {"aeMode", c.aeMode}, {"slowShutter", c.autoSlowShutter},
                {"expComp", c.expComp}, {"backLight", c.backLight}, {"shutter", c.shutterPosition},
                {"iris", c.irisPosition}, {"gain", c.gainPosition}, {"bright", c.brightPosition},
                {"expCompPos", c.expCompPosition}};
    }
    case StatusBlock::Other: {
        const zam::OtherStatus o = zam::decodeOther(r);
        return {{"valid", o.valid}, {"power", o.power}, {"keyLock", o.keyLock},
                {"autoICR", o.autoICR}, {"lrReverse", o.lrReverse}, {"freeze", o.freeze},
                {"dataScreen", o.dataScreen}, {"effect", o.pictureEffect},
                {"deLevel", o.digitalEffectLevel}, {"cameraId", o.cameraId},
                {"shutterColumn", o.shutterColumn}, {"stabilizer", o.imageStabilizer},
                {"vPhase", o.vPhase}, {"lineLock", o.lineLock}, {"vp0180", o.vp0180}};
    }
    case StatusBlock::Extended: {
        const zam::ExtendedStatus e = zam::decodeExtended(r);
        return {{"valid", e.valid}, {"dzPos", e.digitalZoomPosition}, {"flip", e.pictureFlip}};
        // clang-format on
    }
    case StatusBlock::Version:
        break;
    }
    return {};
}

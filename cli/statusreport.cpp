#include "statusreport.h"

#include <QJsonArray>
#include <cameramodes.h>
#include <captiontables.h>
#include <modeltable.h>

#include <array>

namespace zam::cli {

namespace {

constexpr std::array<const char *, 3> kLensNames{"10x", "18x", "25x"};

// A value with the caption the panel shows for it; null where the panel has
// no caption for the value.
QJsonObject captioned(int value, const std::optional<QString> &caption)
{
    return {{QStringLiteral("value"), value},
            {QStringLiteral("caption"), caption ? QJsonValue(*caption) : QJsonValue()}};
}

// A mode's value with the caption of the menu item the panel checks for it.
QJsonObject modeCaptioned(ModeFamily family, int code)
{
    const ModeRow *row = reportedMode(family, code);
    return captioned(code, row ? std::optional(QString::fromLatin1(row->caption)) : std::nullopt);
}

QJsonObject versionObject(const VersionStatus &v, const ModelRow *row)
{
    QJsonObject o{{QStringLiteral("modelCode"), v.modelCode}};
    o[QStringLiteral("modelName")] =
        row ? QJsonValue(ModelNameTable().value(row->nameSlot)) : QJsonValue();
    o[QStringLiteral("video")] =
        row ? QJsonValue(QString::fromLatin1(row->ntscOrPal)) : QJsonValue();
    o[QStringLiteral("lens")] =
        row ? QJsonValue(QString::fromLatin1(kLensNames[std::size_t(row->lens)])) : QJsonValue();
    return o;
}

QJsonObject lensObject(const LensStatus &s)
{
    return {
        {QStringLiteral("zoomPosition"), s.zoomPosition},
        {QStringLiteral("focusPosition"), s.focusPosition},
        {QStringLiteral("focusNearLimit"), s.focusNearLimit},
        {QStringLiteral("focusAuto"), s.focusAuto},
        {QStringLiteral("digitalZoomOn"), s.digitalZoomOn},
        {QStringLiteral("digitalZoomSeparate"), s.digitalZoomSeparate},
        {QStringLiteral("afSensitivity"), s.afSensitivity},
        {QStringLiteral("zoomMoving"), s.zoomMoving},
        {QStringLiteral("focusMoving"), s.focusMoving},
    };
}

QJsonObject cameraObject(const CameraStatus &s, const CaptionTables &captions, int shutterColumn)
{
    return {
        {QStringLiteral("wbMode"), modeCaptioned(ModeFamily::WhiteBalance, s.wbMode)},
        {QStringLiteral("rGain"), s.rGain},
        {QStringLiteral("bGain"), s.bGain},
        {QStringLiteral("aperture"), s.aperture},
        {QStringLiteral("aeMode"), modeCaptioned(ModeFamily::Ae, s.aeMode)},
        {QStringLiteral("autoSlowShutter"), s.autoSlowShutter},
        {QStringLiteral("expComp"), s.expComp},
        {QStringLiteral("backLight"), s.backLight},
        {QStringLiteral("shutterPosition"),
         captioned(s.shutterPosition, captions.shutter(shutterColumn, s.shutterPosition))},
        {QStringLiteral("irisPosition"), captioned(s.irisPosition, captions.iris(s.irisPosition))},
        {QStringLiteral("gainPosition"), captioned(s.gainPosition, captions.gain(s.gainPosition))},
        {QStringLiteral("brightPosition"),
         captioned(s.brightPosition, captions.bright(s.brightPosition))},
        {QStringLiteral("expCompPosition"),
         captioned(s.expCompPosition, captions.expComp(s.expCompPosition))},
    };
}

QJsonObject otherObject(const OtherStatus &s)
{
    return {
        {QStringLiteral("power"), s.power},
        {QStringLiteral("keyLock"), s.keyLock},
        {QStringLiteral("autoICR"), s.autoICR},
        {QStringLiteral("lrReverse"), s.lrReverse},
        {QStringLiteral("freeze"), s.freeze},
        {QStringLiteral("dataScreen"), s.dataScreen},
        {QStringLiteral("pictureEffect"),
         modeCaptioned(ModeFamily::PictureEffect, s.pictureEffect)},
        {QStringLiteral("digitalEffectLevel"), s.digitalEffectLevel},
        {QStringLiteral("cameraId"), s.cameraId},
        {QStringLiteral("shutterColumn"), s.shutterColumn},
        {QStringLiteral("imageStabilizer"), s.imageStabilizer},
        {QStringLiteral("vPhase"), s.vPhase},
        {QStringLiteral("lineLock"), s.lineLock},
        // The bit as the panel's VP0180 button words it.
        {QStringLiteral("vp0180"), captioned(s.vp0180 ? 1 : 0, vp0180Caption(s.vp0180))},
    };
}

QJsonObject extendedObject(const ExtendedStatus &s)
{
    return {
        {QStringLiteral("digitalZoomPosition"), s.digitalZoomPosition},
        {QStringLiteral("pictureFlip"), s.pictureFlip},
    };
}

QString scalarText(const QJsonValue &v)
{
    if (v.isBool())
        return v.toBool() ? QStringLiteral("on") : QStringLiteral("off");
    if (v.isDouble()) {
        const int n = v.toInt();
        return n < 10 ? QString::number(n)
                      : QStringLiteral("%1 (0x%2)").arg(n).arg(QString::number(n, 16).toUpper());
    }
    if (v.isNull())
        return QStringLiteral("-");
    return v.toString();
}

} // namespace

QJsonObject statusObject(const StatusReplies &replies, int address)
{
    const VersionStatus version = decodeVersion(replies.version, address);
    const std::optional<ModelRow> row = version.valid ? findModel(version.modelCode) : std::nullopt;
    CaptionTables captions;
    if (row)
        captions.applyLensProfile(row->lens);
    const OtherStatus other = decodeOther(replies.other);
    return {
        {QStringLiteral("address"), address},
        {QStringLiteral("version"), versionObject(version, row ? &*row : nullptr)},
        {QStringLiteral("lens"), lensObject(decodeLens(replies.lens))},
        {QStringLiteral("camera"),
         cameraObject(decodeCamera(replies.camera), captions, other.shutterColumn)},
        {QStringLiteral("other"), otherObject(other)},
        {QStringLiteral("extended"), extendedObject(decodeExtended(replies.extended))},
    };
}

void writeStatusText(QTextStream &out, const QJsonObject &status)
{
    out << "address: " << status.value(QStringLiteral("address")).toInt() << '\n';
    for (const char *block : {"version", "lens", "camera", "other", "extended"}) {
        const QJsonObject fields = status.value(QLatin1String(block)).toObject();
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            out << block << '.' << it.key() << ": ";
            if (it->isObject()) {
                const QJsonObject o = it->toObject();
                const QJsonValue caption = o.value(QStringLiteral("caption"));
                out << (caption.isNull() ? QStringLiteral("-") : caption.toString()) << " (raw "
                    << o.value(QStringLiteral("value")).toInt() << ")";
            } else {
                out << scalarText(*it);
            }
            out << '\n';
        }
    }
}

} // namespace zam::cli

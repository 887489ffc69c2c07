#include "packetmeaning.h"

#include "cameramodes.h"
#include "modeltable.h"
#include "statusblocks.h"

#include <catalog.h>
#include <packet.h>

namespace zam {

namespace {

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString version(const QByteArray &reply, int address)
{
    const VersionStatus v = decodeVersion(reply, address);
    QString text = QStringLiteral("Version: model %1").arg(hexValue(v.modelCode, 2));
    if (const auto row = findModel(v.modelCode))
        text += QStringLiteral(", ") + ModelNameTable().value(row->nameSlot);
    else
        text += QStringLiteral(", unknown model");
    return text;
}

QString lens(const QByteArray &reply)
{
    const LensStatus s = decodeLens(reply);
    return QStringLiteral("Lens block: zoom %1, focus %2 %3, near limit %4, digital zoom %5%6, "
                          "AF sensitivity %7%8%9")
        .arg(hexValue(s.zoomPosition, 4), hexValue(s.focusPosition, 4),
             s.focusAuto ? QStringLiteral("auto") : QStringLiteral("manual"),
             hexValue(s.focusNearLimit, 4), onOff(s.digitalZoomOn),
             s.digitalZoomSeparate ? QStringLiteral(" (separate)") : QString(),
             s.afSensitivity ? QStringLiteral("low") : QStringLiteral("normal"),
             s.zoomMoving ? QStringLiteral(", zoom moving") : QString(),
             s.focusMoving ? QStringLiteral(", focus moving") : QString());
}

QString camera(const QByteArray &reply)
{
    const CameraStatus s = decodeCamera(reply);
    return QStringLiteral(
               "Camera block: WB mode %1, R gain %2, B gain %3, aperture %4, AE mode %5, "
               "shutter %6, iris %7, gain %8, bright %9, ")
               .arg(s.wbMode)
               .arg(s.rGain)
               .arg(s.bGain)
               .arg(s.aperture)
               .arg(hexValue(s.aeMode, 2))
               .arg(s.shutterPosition)
               .arg(s.irisPosition)
               .arg(s.gainPosition)
               .arg(s.brightPosition) +
           QStringLiteral("exposure compensation %1 (%2), backlight %3, auto slow shutter %4")
               .arg(onOff(s.expComp))
               .arg(s.expCompPosition)
               .arg(onOff(s.backLight), onOff(s.autoSlowShutter));
}

QString other(const QByteArray &reply)
{
    const OtherStatus s = decodeOther(reply);
    return QStringLiteral("Other block: power %1, key lock %2, auto ICR %3, LR reverse %4, "
                          "freeze %5, data screen %6, picture effect %7, effect level %8, ")
               .arg(onOff(s.power), onOff(s.keyLock), onOff(s.autoICR), onOff(s.lrReverse),
                    onOff(s.freeze), onOff(s.dataScreen))
               .arg(s.pictureEffect)
               .arg(s.digitalEffectLevel) +
           QStringLiteral("camera ID %1, %2 shutter table, stabilizer %3, V-phase %4%5, %6 sync")
               .arg(s.cameraId)
               .arg(s.shutterColumn ? QStringLiteral("PAL") : QStringLiteral("NTSC"))
               .arg(onOff(s.imageStabilizer))
               .arg(s.vPhase)
               .arg(QStringLiteral(" (") + vp0180Caption(s.vp0180) + u')',
                    QLatin1String(findMode(ModeFamily::Sync, s.lineLock ? 1 : 0)->file));
}

QString extended(const QByteArray &reply)
{
    const ExtendedStatus s = decodeExtended(reply);
    return QStringLiteral("Extended block: digital zoom %1, picture flip %2")
        .arg(hexValue(s.digitalZoomPosition, 2), onOff(s.pictureFlip));
}

// The reply's name in a malformed-reply line; the blocks as their
// descriptions name them.
QString replyName(const catalog::Entry &inquiry)
{
    switch (inquiry.id) {
    case catalog::Id::VersionInquiry:
        return QStringLiteral("Version reply");
    case catalog::Id::LensBlockInquiry:
        return QStringLiteral("Lens block reply");
    case catalog::Id::CameraBlockInquiry:
        return QStringLiteral("Camera block reply");
    case catalog::Id::OtherBlockInquiry:
        return QStringLiteral("Other block reply");
    case catalog::Id::ExtendedBlockInquiry:
        return QStringLiteral("Extended block reply");
    default:
        break;
    }
    QString name = QLatin1String(inquiry.name);
    if (name.endsWith(QLatin1String(" inquiry")))
        name.chop(8);
    return name + QStringLiteral(" reply");
}

// The decoders' own frame check, where there is one.
bool frameFits(catalog::Id id, const QByteArray &reply, int address)
{
    switch (id) {
    case catalog::Id::VersionInquiry:
        return decodeVersion(reply, address).valid;
    case catalog::Id::LensBlockInquiry:
        return decodeLens(reply).valid;
    case catalog::Id::CameraBlockInquiry:
        return decodeCamera(reply).valid;
    case catalog::Id::OtherBlockInquiry:
        return decodeOther(reply).valid;
    case catalog::Id::ExtendedBlockInquiry:
        return decodeExtended(reply).valid;
    default:
        return true;
    }
}

} // namespace

std::optional<QString> malformedReply(QByteArrayView reply, QByteArrayView inquiry)
{
    const catalog::Command asked = catalog::decodeCommand(inquiry);
    if (!asked.entry || asked.entry->expect != catalog::Expect::InquiryReply ||
        asked.entry->replyLength == 0)
        return std::nullopt;
    if (catalog::decodeReply(reply).kind != catalog::ReplyKind::InquiryReply)
        return std::nullopt;
    const int expected = asked.entry->replyLength;
    const QString name = replyName(*asked.entry);
    if (reply.size() != expected)
        return QStringLiteral("%1, %2 bytes where %3 are expected")
            .arg(name)
            .arg(reply.size())
            .arg(expected);
    if (!frameFits(asked.entry->id, reply.toByteArray(), asked.address))
        return QStringLiteral("%1, malformed").arg(name);
    return std::nullopt;
}

QString describePacket(QByteArrayView packet, bool fromCamera, QByteArrayView answers)
{
    catalog::InquiryReplyNamer namer;
    if (fromCamera && !answers.isEmpty()) {
        if (auto malformed = malformedReply(packet, answers))
            return *malformed;
        const catalog::Command inquiry = catalog::decodeCommand(answers);
        if (inquiry.entry) {
            const catalog::Id id = inquiry.entry->id;
            const QByteArray reply = packet.toByteArray();
            namer = [id, reply, address = inquiry.address](QByteArrayView) -> QString {
                switch (id) {
                case catalog::Id::VersionInquiry:
                    return version(reply, address);
                case catalog::Id::LensBlockInquiry:
                    return lens(reply);
                case catalog::Id::CameraBlockInquiry:
                    return camera(reply);
                case catalog::Id::OtherBlockInquiry:
                    return other(reply);
                case catalog::Id::ExtendedBlockInquiry:
                    return extended(reply);
                default:
                    return {};
                }
            };
        }
    }
    return catalog::describe(packet, fromCamera, namer);
}

} // namespace zam

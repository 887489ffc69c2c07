#include "settingsmessages.h"

#include "catalog.h"
#include "packet.h"

namespace zam {

namespace {

// The answer to a command that did not complete.
QString commandAnswerText(const ExchangeAnswer &a)
{
    switch (a.result) {
    case ExchangeResult::Completed:
    case ExchangeResult::Data:
        return {};
    case ExchangeResult::Error: {
        const QString name = catalog::errorName(a.errorCode);
        return name.isEmpty() ? QStringLiteral("error %1").arg(hexPair(std::uint8_t(a.errorCode)))
                              : name;
    }
    case ExchangeResult::NotCompleted:
        return QStringLiteral("no completion");
    case ExchangeResult::NoReply:
    case ExchangeResult::Refused:
        break;
    }
    if (a.junk && a.garbled())
        return QStringLiteral("no reply (answered with bytes that are not a reply: %1)")
            .arg(a.junkText());
    if (a.junk)
        return QStringLiteral("no reply (did not answer)");
    return QStringLiteral("no reply");
}

QString stillMoving(const char *what)
{
    return QStringLiteral("%1 still moving after %2 s: %3 position not saved")
        .arg(QLatin1String(what))
        .arg(kLensSettleMs / 1000)
        .arg(QString::fromLatin1(what).toLower());
}

template <typename T> QStringList describeAll(const QList<T> &items)
{
    QStringList out;
    for (const T &item : items)
        out << describe(item);
    return out;
}

} // namespace

QString describe(const SettingsProblem &p)
{
    switch (p.what) {
    case SettingsFailure::None:
        return {};
    case SettingsFailure::StatusNoReply:
        return QStringLiteral("the camera did not answer the status read");
    case SettingsFailure::StatusJunk:
        return QStringLiteral(
                   "the camera answered the status read with bytes that are not a reply: %1")
            .arg(p.bytes);
    case SettingsFailure::MemoryUnsendable:
        return QStringLiteral("the 16-byte memory cannot be read from camera %1").arg(p.camera);
    case SettingsFailure::MemoryNoReply:
        return QStringLiteral("the camera did not answer the 16-byte memory read");
    case SettingsFailure::ReadsDisagree:
        return QStringLiteral(
                   "%1 reads of the camera's settings did not agree: the line is unreliable")
            .arg(kSettingsReads);
    case SettingsFailure::PortError:
        return QStringLiteral("the port reported an error: the load stopped");
    case SettingsFailure::LineSilent:
        return QStringLiteral("%1 packets in a row went unanswered: the load stopped")
            .arg(kDeadLinePackets);
    }
    return {};
}

QString describe(const SettingsNote &note)
{
    switch (note.what) {
    case SettingsNote::What::MemoryOtherReply:
        return QStringLiteral("16-byte memory not saved: the camera answered the read of "
                              "address %1 with %2, not a memory reply")
            .arg(note.memoryAddress)
            .arg(note.bytes);
    case SettingsNote::What::ZoomMoving:
        return stillMoving("Zoom");
    case SettingsNote::What::FocusMoving:
        return stillMoving("Focus");
    }
    return {};
}

QStringList describe(const QList<SettingsNote> &notes)
{
    return describeAll(notes);
}

QString describe(const Refusal &r)
{
    return r.what +
           (r.fullAutoFirst ? QStringLiteral(" (full auto first): ") : QStringLiteral(": ")) +
           commandAnswerText(r.answer);
}

QStringList describe(const QList<Refusal> &refused)
{
    return describeAll(refused);
}

} // namespace zam

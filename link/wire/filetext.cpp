#include "filetext.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zam {

namespace {

const QString kTooLarge = QStringLiteral("it is far too large for a settings file");

#ifdef Q_OS_UNIX
QString kindText(mode_t mode)
{
    const char *kind = S_ISDIR(mode)    ? "a directory"
                       : S_ISFIFO(mode) ? "a FIFO"
                       : S_ISCHR(mode)  ? "a device"
                       : S_ISBLK(mode)  ? "a device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "no regular file";
    return QStringLiteral("it is %1, not a regular file").arg(QLatin1String(kind));
}
#endif

} // namespace

QString whyNotRegularFile(const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        const int error = errno;
        if (error != ENOENT)
            return qt_error_string(error);
        struct stat link {};
        if (::lstat(native.constData(), &link) == 0)
            return QStringLiteral("it is a symbolic link to nothing");
        return {};
    }
    return S_ISREG(st.st_mode) ? QString() : kindText(st.st_mode);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return info.isSymLink() ? QStringLiteral("it is a symbolic link to nothing") : QString();
    return info.isFile() ? QString() : QStringLiteral("it is not a regular file");
#endif
}

QString writeRegularFile(const QString &path, QByteArrayView bytes)
{
    if (QString why = whyNotRegularFile(path); !why.isEmpty())
        return why;
    // QSaveFile writes the target of a link, which was checked above.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), bytes.size()) != bytes.size() ||
        !f.commit())
        return f.errorString();
    return {};
}

FileRead readRegularFile(const QString &path, qint64 maxBytes)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {std::nullopt, QStringLiteral("no such file")};
    if (QString why = whyNotRegularFile(path); !why.isEmpty())
        return {std::nullopt, why};
    QFile f;
#ifdef Q_OS_UNIX
    // Should the path have become a FIFO since the check, the open does
    // not wait for a writer, and the type is checked once more on what
    // was opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {std::nullopt, qt_error_string(errno)};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {std::nullopt, kindText(st.st_mode)};
    }
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {std::nullopt, f.errorString()};
    }
#else
    f.setFileName(path);
    if (!f.open(QIODevice::ReadOnly))
        return {std::nullopt, f.errorString()};
#endif
    const QByteArray bytes = f.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return {std::nullopt, kTooLarge};
    return {bytes, {}};
}

QString printable(QStringView text, int maxChars)
{
    QString out;
    int shown = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++shown) {
        if (shown == maxChars) {
            out += QStringLiteral("...");
            break;
        }
        char32_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const QChar::Category category = QChar::category(u);
        if (u == U'\\') {
            out += QLatin1Char('\\');
            out += QChar(u);
        } else if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
            out += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        } else if (!QChar::isPrint(u) || category == QChar::Separator_Line ||
                   category == QChar::Separator_Paragraph) {
            out += QStringLiteral("\\u%1").arg(uint(u), u > 0xFFFF ? 6 : 4, 16, QLatin1Char('0'));
        } else {
            out += QString::fromUcs4(&u, 1);
        }
    }
    return out;
}

} // namespace zam

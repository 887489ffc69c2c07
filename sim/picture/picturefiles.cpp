#include "picturefiles.h"

#include "camerachain.h"

#include <QDir>
#include <QSaveFile>

namespace zam::sim {

PictureFiles::PictureFiles(QString dir, int cameraCount)
    : m_dir(std::move(dir)), m_cameras(std::size_t(std::max(0, cameraCount)))
{}

QString PictureFiles::path(int address) const
{
    return QDir(m_dir).filePath(QStringLiteral("camera-%1.png").arg(address));
}

std::int64_t PictureFiles::update(const CameraChain &chain, std::int64_t nowMs, QString *error)
{
    std::int64_t again = -1;
    auto soonest = [&again](std::int64_t ms) {
        if (again < 0 || ms < again)
            again = ms;
    };
    for (int a = 1; a <= int(m_cameras.size()) && a <= chain.cameraCount(); ++a) {
        Camera &c = m_cameras[std::size_t(a - 1)];
        const SimCamera &cam = chain.camera(a);
        const std::uint64_t key = pictureKey(cam, nowMs);
        if (!c.written || key != c.key) {
            const std::int64_t wait = c.written ? c.writtenAtMs + kMinIntervalMs - nowMs : 0;
            if (wait > 0) {
                soonest(wait);
                continue;
            }
            QSaveFile f(path(a));
            const QImage img = c.renderer.render(cam, nowMs);
            if (!f.open(QIODevice::WriteOnly) || !img.save(&f, "PNG") || !f.commit()) {
                if (error && error->isEmpty())
                    *error = QStringLiteral("cannot write %1: %2").arg(path(a), f.errorString());
            }
            c.key = key;
            c.written = true;
            c.writtenAtMs = nowMs;
        }
        // A running motor or a blinking title changes the picture by itself.
        if (pictureKey(cam, nowMs + kMinIntervalMs) != key)
            soonest(kMinIntervalMs);
    }
    return again;
}

} // namespace zam::sim

#pragma once
// Keeps DIR/camera-N.png current for every camera of a chain: a camera's
// file is written again when its picture can have changed, at most ten times
// a second, through a temporary file in DIR and a rename, so that a reader
// never sees half a file.

#include "simpicture.h"

#include <QString>
#include <vector>

namespace zam::sim {

class CameraChain;

class PictureFiles {
public:
    static constexpr std::int64_t kMinIntervalMs = 100;

    PictureFiles(QString dir, int cameraCount);

    // Writes what is due at nowMs. Answers the time in ms until it should
    // be called again without a packet in between (-1: not before one), and
    // sets `error` to the first write that failed.
    std::int64_t update(const CameraChain &chain, std::int64_t nowMs, QString *error = nullptr);

    QString path(int address) const;

private:
    struct Camera {
        PictureRenderer renderer;
        std::uint64_t key = 0;
        bool written = false;
        std::int64_t writtenAtMs = 0;
    };
    QString m_dir;
    std::vector<Camera> m_cameras;
};

} // namespace zam::sim

#pragma once
// The pictures of a chain's cameras, one renderer each (a frozen picture is
// a camera's own), on the chain's clock: what the panel's picture window and
// zam-camsim's files draw from.

#include "simpicture.h"

#include <clock.h>
#include <vector>

namespace zam::sim {

class CameraChain;

class ChainPicture {
public:
    ChainPicture(const CameraChain &chain, const Clock &clock);

    // For an address beyond the chain: key 0 and a black frame with a
    // crossed box, never a camera that is not there.
    std::uint64_t key(int address) const;
    QImage draw(int address);
    // The picture in words, "Camera N: " first; for an address beyond the
    // chain, that there is no camera.
    QString describe(int address) const;

private:
    bool onChain(int address) const;

    const CameraChain &m_chain;
    const Clock &m_clock;
    std::vector<PictureRenderer> m_renderers;
};

} // namespace zam::sim

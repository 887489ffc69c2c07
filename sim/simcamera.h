#pragma once
// One simulated camera block and the rules by which it answers packets.
//
// Replies the camera gives (y0 = 0x80 + 16 * address):
//   command      y0 41 FF (acknowledge), later y0 51 FF (completion)
//   inquiry      y0 50 d1 .. dk FF
//   error        y0 60 ee FF   (ee 02 = syntax error, 41 = not executable now)

#include "camerastate.h"
#include "maskstate.h"
#include "servicestate.h"
#include "titlestate.h"

#include <QByteArray>
#include <functional>
#include <vector>

namespace zam::sim {

struct SimReply {
    enum class Kind { Command, Inquiry, Error, None };
    Kind kind = Kind::Command;
    QByteArray data; // inquiry data bytes d1..dk
    std::uint8_t errorCode = 0x02;
    int completionMs = -1; // command: time from acknowledge to completion (-1: default)

    static SimReply command(int completionMs = -1) { return {Kind::Command, {}, 0, completionMs}; }
    static SimReply inquiry(QByteArray d) { return {Kind::Inquiry, std::move(d), 0, -1}; }
    static SimReply error(std::uint8_t code) { return {Kind::Error, {}, code, -1}; }
    static SimReply none() { return {Kind::None, {}, 0, -1}; }
};

class SimCamera;

// A packet the camera understands: the bytes after the header must start with
// `prefix`, and the whole packet (header and terminator included) must be
// `length` bytes long (0: any length).
struct SimRule {
    const char *name;
    std::vector<std::uint8_t> prefix;
    int length;
    std::function<SimReply(SimCamera &, const QByteArray &packet)> handle;
};

class SimCamera {
public:
    // The rules are the chain's: they outlive the camera.
    SimCamera(int address, std::uint8_t modelCode, const std::vector<SimRule> &rules);

    int address() const { return m_address; }
    CameraState &state() { return m_state; }
    const CameraState &state() const { return m_state; }
    TitleState &titles() { return m_titles; }
    const TitleState &titles() const { return m_titles; }
    MaskState &masks() { return m_masks; }
    const MaskState &masks() const { return m_masks; }
    ServiceState &service() { return m_service; }

    // Answers an addressed packet (header byte included, 0xFF last).
    SimReply handle(const QByteArray &packet);
    // Packets handled so far: what the camera holds can have changed only
    // when this has moved (or while a motor runs).
    std::uint64_t packetsHandled() const { return m_handled; }

    // Time in milliseconds, as the chain's clock sees it (for moving lenses).
    void setTime(std::int64_t ms) { m_nowMs = ms; }
    std::int64_t time() const { return m_nowMs; }

    // Every rule the cameras of a chain follow: the main window's command
    // groups, titles and clock, masks and detection, service.
    static std::vector<SimRule> standardRules();

private:
    int m_address;
    const std::vector<SimRule> *m_rules;
    CameraState m_state;
    TitleState m_titles;
    MaskState m_masks;
    ServiceState m_service;
    std::int64_t m_nowMs = 0;
    std::uint64_t m_handled = 0;
};

} // namespace zam::sim

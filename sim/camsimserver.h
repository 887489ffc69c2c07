#pragma once
// zam-camsim's ways into a chain of simulated cameras: a pseudo-terminal,
// which the panel opens like any serial port, and one TCP client at a time,
// as a serial device server would offer the chain. Each way has its own line
// back to the panel, timed at the line speed; the cameras act once a
// packet's last byte has crossed the line.

#include "camerachain.h"

#include <clock.h>

#include <QString>
#include <memory>

#include <csignal>

namespace zam::sim {

class PictureFiles;

class CamsimServer {
public:
    // `verbose`: one line per packet the chain receives, in hexadecimal, on stdout.
    CamsimServer(CameraChain &chain, int baud, bool verbose);
    ~CamsimServer();
    CamsimServer(const CamsimServer &) = delete;
    CamsimServer &operator=(const CamsimServer &) = delete;

    // Opens the pseudo-terminal and holds its far end open in raw mode: no
    // echo or translation before the panel opens it, and no hang-up when
    // the panel closes it. Answers the far end's path, or an empty text with
    // errno telling why.
    QString openPty();
    // Listens on host:port for TCP clients; false when it cannot.
    bool listenTcp(const QString &host, int port);
    // Keeps dir/camera-N.png current for every camera (zam-camsim --picture).
    void keepPictures(const QString &dir);

    // Serves until `stop` is set; `powerCycle`, when set, power-cycles the
    // cameras (a line speed written into their EEPROM then applies) and is
    // cleared. Both are set by signal handlers.
    void run(const volatile std::sig_atomic_t &stop, volatile std::sig_atomic_t &powerCycle);

private:
    struct Endpoint {
        int fd = -1;
        LineSchedule line;
        bool tty = false;
    };

    bool serve(Endpoint &ep);
    void flush(Endpoint &ep);
    void accept();
    void drop(Endpoint &ep);
    void cyclePower();
    int updatePictures(int timeoutMs);

    CameraChain &m_chain;
    SteadyClock m_clock;
    bool m_verbose;
    qsizetype m_logged = 0;
    Endpoint m_pty;
    int m_ptySlave = -1;
    int m_listener = -1;
    Endpoint m_client;
    std::unique_ptr<PictureFiles> m_pictures;
    bool m_pictureErrorShown = false;
};

} // namespace zam::sim

#pragma once
// zam-camsim started for a test as a separate process: the simulated chain
// on the lines a real program opens, a pseudo-terminal or TCP.

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <clock.h>
#include <portfactory.h>

#include <memory>

enum class Via { Pty, Tcp };

class CamsimProcess {
public:
    explicit CamsimProcess(QStringList args = {}, Via via = Via::Pty)
    {
        QString tcp;
        if (via == Via::Tcp) {
            // A port of this process's own, so that tests running at once
            // do not meet.
            static int started = 0;
            const int port = 30000 + (QCoreApplication::applicationPid() * 8 + started++) % 30000;
            args << QStringLiteral("--tcp") << QString::number(port);
            tcp = QStringLiteral("tcp://127.0.0.1:%1").arg(port);
        }
        m_proc.setProgram(QStringLiteral(ZAM_CAMSIM));
        m_proc.setArguments(args);
        m_proc.start();
        // The first line is the pseudo-terminal's path, printed once the
        // simulator listens.
        if (m_proc.waitForStarted(5000) && m_proc.waitForReadyRead(5000)) {
            m_device = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
            if (!tcp.isEmpty() && !m_device.isEmpty())
                m_device = tcp;
        }
    }
    ~CamsimProcess()
    {
        m_proc.terminate();
        if (!m_proc.waitForFinished(3000))
            m_proc.kill();
        m_proc.waitForFinished(1000);
    }
    CamsimProcess(const CamsimProcess &) = delete;
    CamsimProcess &operator=(const CamsimProcess &) = delete;

    // The line to open: the pseudo-terminal, or tcp://127.0.0.1:PORT. Empty
    // when the simulator did not start.
    QString device() const { return m_device; }
    // Packets the simulator logged so far, one hexadecimal line each.
    QStringList receivedLines()
    {
        m_log += QString::fromLocal8Bit(m_proc.readAllStandardOutput());
        return m_log.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QProcess &process() { return m_proc; }

private:
    QProcess m_proc;
    QString m_device;
    QString m_log;
};

// A line for the panel rig (PanelOn) to zam-camsim: the port the program
// opens for the device, on the real clock.
struct CamsimLine {
    CamsimLine(Via via, const QStringList &args)
        : sim(args, via), owned(zam::makeLinePort(sim.device())), port(*owned)
    {}
    QString device() const { return sim.device(); }
    void settle() {}
    void clearSent() {}

    CamsimProcess sim;
    zam::SteadyClock clock;
    std::unique_ptr<zam::Port> owned;
    zam::Port &port;
};

#pragma once
// zam-ctl run two ways. In process, on a chain of simulated cameras and a
// clock that moves only while the tool waits: most tests. As a script runs
// it, a separate process: what only a process shows (its exit status, stdout
// against stderr, stdin, the real line).

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <camerachain.h>
#include <clock.h>
#include <simport.h>
#include <zamctl.h>

#include <memory>

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0; // the process's real time; in process, the line's time
};

inline QString diagnose(const Run &r)
{
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(r.exitCode).arg(r.out, r.err);
}

// The tool in process with `line` behind every -p device (none: the real
// ports, for command lines that never open one).
inline Run zamCtlIn(const QStringList &args, zam::Clock &clock,
                    const zam::cli::LineMaker &line = {})
{
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    const std::int64_t start = clock.nowMs();
    r.exitCode =
        zam::cli::runZamCtl(QStringList{QStringLiteral("zam-ctl")} + args, out, err, clock, line);
    out.flush();
    err.flush();
    r.ms = clock.nowMs() - start;
    return r;
}

// Simulated cameras for the tool in process. Every run opens a port onto
// the same chain, so a run finds the cameras as the last one left them.
struct CtlChain {
    explicit CtlChain(int cameras = 1, QList<int> models = {0x30}) : chain(cameras, models) {}

    // The cameras hold to one line speed and answer nothing at another.
    void holdTo(int baud)
    {
        chain.lineBaud = baud;
        for (int a = 1; a <= chain.cameraCount(); ++a)
            chain.camera(a).service().lineBaud = baud;
    }

    Run ctl(const QStringList &args)
    {
        return zamCtlIn(QStringList{QStringLiteral("-p"), QStringLiteral("sim")} + args, clock,
                        [this](const QString &) -> std::unique_ptr<zam::Port> {
                            return std::make_unique<zam::sim::SimPort>(chain, clock);
                        });
    }

    zam::FakeClock clock;
    zam::sim::CameraChain chain;
};

#ifdef ZAM_CTL
// zam-ctl as a separate process with `input` on its stdin (a pipe); a run
// that outlives the timeout is killed and fails the test.
inline Run zamCtl(const QStringList &args, const QByteArray &input = {}, int timeoutMs = 30000)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(ZAM_CTL), args);
    p.write(input);
    p.closeWriteChannel();
    Run r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        r.err = QStringLiteral("zam-ctl did not finish in time");
        return r;
    }
    r.ms = t.elapsed();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}
#endif

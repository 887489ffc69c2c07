#pragma once
// zam-ctl run as a script runs it: a separate process, its exit code, its
// output and its time.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

// Runs zam-ctl with `input` on its stdin (a pipe); a run that outlives the
// timeout is killed and fails the test.
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

inline QString diagnose(const Run &r)
{
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(r.exitCode).arg(r.out, r.err);
}

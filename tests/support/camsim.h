#pragma once
// Starts zam-camsim for a test and hands out its pseudo-terminal path.

#include <QProcess>
#include <QStringList>

class CamsimProcess {
public:
    explicit CamsimProcess(QStringList args = {})
    {
        m_proc.setProgram(QStringLiteral(ZAM_CAMSIM));
        m_proc.setArguments(args);
        m_proc.start();
        if (m_proc.waitForStarted(5000) && m_proc.waitForReadyRead(5000))
            m_device = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
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

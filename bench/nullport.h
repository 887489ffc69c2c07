#pragma once
// A port that swallows writes and has nothing to read: measures the panel's
// own work without any line in between.

#include <port.h>

class NullPort final : public zam::Port {
public:
    zam::OpenResult open(const zam::PortSettings &) override { return {}; }
    void close() override {}
    bool isOpen() const override { return true; }
    QString deviceName() const override { return QStringLiteral("null"); }
    void write(const QByteArray &bytes) override { written += bytes.size(); }
    QByteArray readAll() override { return {}; }
    qint64 bytesAvailable() override { return 0; }
    bool waitForReadyRead(int) override { return false; }
    qint64 written = 0;
};

#include "console.h"

#include "directcommand.h"

#include <QLineEdit>
#include <QValidator>
#include <cameralink.h>

namespace zam {

namespace {

// Typed and pasted text alike keeps only hexadecimal digits, in capitals.
// The filtered text is always acceptable, so the box never refuses an edit;
// what it would refuse is simply not there.
class HexDigitFilter final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        const QString before = filterDirectText(QStringView(input).left(pos));
        input = before + filterDirectText(QStringView(input).mid(pos));
        pos = int(before.size());
        return Acceptable;
    }
};

} // namespace

DirectConsole::DirectConsole(QLineEdit *box, CameraLink &link, QObject *parent)
    : QObject(parent), m_box(box), m_link(&link)
{
    m_box->setValidator(new HexDigitFilter(m_box));
    connect(m_box, &QLineEdit::returnPressed, this, &DirectConsole::onEnter);
}

void DirectConsole::onEnter()
{
    // The operator completes the last pair before anything is sent.
    if (m_box->text().size() % 2 != 0)
        return;
    SendDirect();
    m_box->clear();
}

bool DirectConsole::SendDirect()
{
    if (!m_link->RefreshNotGoCheck())
        return false;
    const QByteArray bytes = directCommandBytes(m_box->text());
    // Auto refresh waits for the reply to what goes out; an empty box sends
    // nothing, and nothing would come back to end the pause.
    if (!bytes.isEmpty())
        m_link->refresh().commandSent();
    m_link->state().LogTraffic = true;
    m_link->setReceiveThreshold(1);

    // One write per byte; the log is not cut here (the next SD cuts it).
    TrafficLog &log = m_link->SendText();
    for (char b : bytes) {
        m_link->writeRaw(QByteArray(1, b));
        log.appendHexByte(std::uint8_t(b));
    }
    log.append(u"\r\n");
    log.notify();
    return true;
}

} // namespace zam

#include "eepromcontrols.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <exchange.h>
#include <hexfield.h>

namespace zam::service {

EepromControls::EepromControls(CameraLink &link, TrafficLog &log, Boxes boxes, QWidget *window)
    : m_link(&link), m_sender(link, log), m_boxes(boxes), m_window(window), m_messages(window)
{}

void EepromControls::send(const QByteArray &packet)
{
    m_sender.SD(packet, 1);
}

void EepromControls::message(QMessageBox::Icon icon, const QString &text)
{
    m_messages.show({icon, m_window->windowTitle(), text});
}

std::optional<unsigned> EepromControls::field(QLineEdit *box, unsigned maximum, const QString &what)
{
    return readHexBox(box, maximum, [&](const QString &range) {
        message(QMessageBox::Warning,
                QStringLiteral("%1 must be a hexadecimal number from %2. Nothing was sent.")
                    .arg(what, range));
    });
}

std::optional<unsigned> EepromControls::address()
{
    return field(m_boxes.address, eeprom::kMaxAddress,
                 QStringLiteral("The EEPROM address in the \"Mode\" box"));
}

std::optional<unsigned> EepromControls::data()
{
    return field(m_boxes.data, eeprom::kMaxData,
                 QStringLiteral("The EEPROM data in the \"Data\" box"));
}

void EepromControls::enterSettingMode()
{
    if (const auto p = eeprom::enterSettingMode(m_link->state().CameraAddress))
        send(*p);
}

void EepromControls::releaseWriteProtect()
{
    if (const auto p = eeprom::writeProtectRelease(m_link->state().CameraAddress))
        send(*p);
}

void EepromControls::read()
{
    const auto a = address();
    if (!a)
        return;
    if (const auto p = eeprom::read(m_link->state().CameraAddress, *a))
        send(*p);
}

void EepromControls::store(std::optional<QByteArray> (*build)(int, unsigned, unsigned))
{
    const auto a = address();
    if (!a)
        return;
    const auto d = data();
    if (!d)
        return;
    if (const auto p = build(m_link->state().CameraAddress, *a, *d))
        send(*p);
}

void EepromControls::write()
{
    store(&eeprom::write);
}

void EepromControls::set()
{
    store(&eeprom::set);
}

void EepromControls::runSequence(const std::vector<eeprom::Step> &steps, const QString &doneText)
{
    {
        BusyCursor busy;
        for (const eeprom::Step &step : steps) {
            send(step.packet);
            if (step.pauseAfterSeconds > 0)
                m_link->stopwatch().pause(step.pauseAfterSeconds);
        }
    }
    message(QMessageBox::Information, doneText);
}

std::optional<eeprom::ReadReply> EepromControls::readCell(unsigned cell)
{
    const int address = m_link->state().CameraAddress;
    const auto packet = eeprom::read(address, cell);
    if (!packet)
        return std::nullopt;
    send(*packet);
    const std::int64_t sentAt = m_link->clock().nowMs();
    // The reply is taken straight from the port, and so is an error reply
    // (y0 6z ee FF) that would otherwise wait there and later finish some
    // other command in the receive handling.
    const ExchangeAnswer a =
        collectAnswer(*m_link, ExchangeExpect::inquiry(address, eeprom::kReadReplyLength));
    const std::int64_t spent = m_link->clock().nowMs() - sentAt;
    if (spent < eeprom::kReadPauseMs)
        m_link->stopwatch().pause(double(eeprom::kReadPauseMs - spent) / 1000.0);
    // What came during the pause goes to the receive handling now, before
    // the next read could take it.
    if (m_link->receiveThreshold() == 1)
        m_link->receive(m_link->takeWaiting());
    if (a.result != ExchangeResult::Data)
        return std::nullopt;
    return eeprom::parseReadReply(a.data, m_link->state().replyHeader());
}

void EepromControls::readManufacturingDate()
{
    std::optional<eeprom::ReadReply> monthYear;
    std::optional<eeprom::ReadReply> day;
    {
        BusyCursor busy;
        monthYear = readCell(eeprom::kMonthYearCell);
        if (monthYear) {
            m_boxes.month->setText(QString::number(eeprom::manufactureMonth(*monthYear)));
            m_boxes.year->setText(QString::number(eeprom::manufactureYear(*monthYear)));
            day = readCell(eeprom::kDayCell);
            // A day left from an earlier read would not belong to this month
            // and year.
            m_boxes.date->setText(day ? QString::number(eeprom::manufactureDay(*day)) : QString());
        }
    }
    if (!monthYear)
        message(QMessageBox::Warning,
                QStringLiteral("Please press the write protect releaqse button"));
}

} // namespace zam::service

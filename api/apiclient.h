#pragma once
// A synchronous client of the control API, for zam-ctl -p ws://HOST:PORT:
// connect (and hello with the token), one request at a time, close.
//
// Every wait runs the event loop until its answer came or its time on the
// clock is over, so a hub in the same thread is served while it waits, and
// nothing spins. The reply wait covers the hub's own: a status read of a
// slow camera, or a settings load, takes seconds.

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QUrl>
#include <clock.h>

#include <deque>
#include <functional>
#include <optional>

class QWebSocket;

namespace zam::api {

inline constexpr int kClientConnectMs = 5000;
inline constexpr int kClientReplyMs = 30000;

class ApiClient : public QObject {
    Q_OBJECT
public:
    explicit ApiClient(Clock &clock, QObject *parent = nullptr);
    ~ApiClient() override;

    // Opens the connection and, with a token, says hello. False with `why`
    // worded for a person (nothing listening, no answer in time, a refused
    // token).
    bool open(const QUrl &url, const QByteArray &token, QString &why);
    // Sends `request` with an id of its own and answers the hub's reply to
    // it, {"ok": true, ...} or {"ok": false, "error": {...}}; nullopt with
    // `why` when none came (the hub went away, or took longer than
    // kClientReplyMs).
    std::optional<QJsonObject> request(QJsonObject request, QString &why);
    void close();

    QString url() const { return m_url.toString(); }

private:
    // Runs the event loop until `done` or `ms` on the clock have passed.
    bool waitFor(const std::function<bool()> &done, int ms);
    bool connected() const;

    Clock *m_clock;
    QWebSocket *m_socket;
    QUrl m_url;
    std::deque<QJsonObject> m_replies;
    QString m_socketError;
    int m_nextId = 1;
    bool m_gone = false;
};

} // namespace zam::api

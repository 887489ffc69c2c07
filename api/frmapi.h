#pragma once
// "Tools" -> "Control API...": starts and stops the panel's control API, on
// a WebSocket, on OSC or on both in front of one hub, and tells where it
// serves and to how many clients. Closing the window leaves the API as it is.

#include "apiserver.h"
#include "oscserver.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FrmApi;
}

namespace zam::api {

// What the window, --api and --osc ask for.
struct ApiSettings {
    QString address;    // [HOST:]PORT of the WebSocket server; empty: none
    QString oscAddress; // [HOST:]PORT of the OSC socket; empty: none
    QString tokenFile;
    QStringList allowedOrigins;
    bool allowRaw = false;
};

class FrmApi : public QDialog {
    Q_OBJECT
public:
    // `hooks` gives the status and settings operations for the link.
    FrmApi(CameraLink &link, std::function<HubHooks()> hooks, QWidget *parent = nullptr);
    ~FrmApi() override;

    // Serves with these settings; answers why not, or an empty text. A
    // generated token is in the state line (and in generatedToken()).
    QString start(const ApiSettings &settings);
    void stop();
    bool serving() const { return m_hub != nullptr; }
    ApiServer *server() { return m_server.get(); }
    OscServer *osc() { return m_osc.get(); }
    QByteArray generatedToken() const { return m_generated; }

private:
    void showState(const QString &problem = {});

    std::unique_ptr<Ui::FrmApi> m_ui;
    CameraLink *m_link;
    std::function<HubHooks()> m_hooks;
    // The servers go before their hub.
    std::unique_ptr<Hub> m_hub;
    std::unique_ptr<ApiServer> m_server;
    std::unique_ptr<OscServer> m_osc;
    QByteArray m_generated;
};

} // namespace zam::api

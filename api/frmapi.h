#pragma once
// "Tools" -> "Control API...": starts and stops the panel's control API and
// tells where it serves and to how many clients. Closing the window leaves
// the API as it is.

#include "apiserver.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FrmApi;
}

namespace zam::api {

class FrmApi : public QDialog {
    Q_OBJECT
public:
    // `hooks` gives the status and settings operations for the link.
    FrmApi(CameraLink &link, std::function<HubHooks()> hooks, QWidget *parent = nullptr);
    ~FrmApi() override;

    // Serves with these settings; answers why not, or an empty text. A
    // generated token is in the state line (and in generatedToken()).
    QString start(const QString &address, const QString &tokenFile,
                  const QStringList &allowedOrigins, bool allowRaw);
    void stop();
    bool serving() const { return m_server != nullptr; }
    ApiServer *server() { return m_server.get(); }
    QByteArray generatedToken() const { return m_generated; }

private:
    void showState(const QString &problem = {});

    std::unique_ptr<Ui::FrmApi> m_ui;
    CameraLink *m_link;
    std::function<HubHooks()> m_hooks;
    std::unique_ptr<ApiServer> m_server;
    QByteArray m_generated;
};

} // namespace zam::api

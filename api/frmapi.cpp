#include "frmapi.h"

#include "ui_frmapi.h"

namespace zam::api {

FrmApi::FrmApi(CameraLink &link, std::function<HubHooks()> hooks, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmApi>()), m_link(&link),
      m_hooks(std::move(hooks))
{
    m_ui->setupUi(this);
    connect(m_ui->ApiServe, &QPushButton::clicked, this, [this] {
        if (serving()) {
            stop();
            return;
        }
        ApiSettings settings;
        settings.address = m_ui->ApiAddress->text().trimmed();
        if (m_ui->OscEnabled->isChecked())
            settings.oscAddress = m_ui->OscAddress->text().trimmed();
        settings.tokenFile = m_ui->ApiTokenFile->text().trimmed();
        settings.allowRaw = m_ui->ApiAllowRaw->isChecked();
        const QString why = start(settings);
        if (!why.isEmpty())
            showState(why);
    });
    connect(m_ui->OscEnabled, &QCheckBox::toggled, this, [this] { showState(); });
    connect(m_ui->ApiClose, &QPushButton::clicked, this, &QDialog::hide);
    showState();
}

FrmApi::~FrmApi()
{
    stop();
}

QString FrmApi::start(const ApiSettings &settings)
{
    stop();
    if (settings.address.isEmpty() && settings.oscAddress.isEmpty())
        return tr("give a WebSocket address, an OSC address or both");
    ServerOptions options;
    OscOptions osc;
    QString why;
    if (!settings.address.isEmpty() &&
        !parseListenAddress(settings.address, options.address, options.port, why))
        return why;
    if (!settings.oscAddress.isEmpty() &&
        !parseListenAddress(settings.oscAddress, osc.address, osc.port, why))
        return tr("OSC: %1").arg(why);
    m_generated.clear();
    QByteArray token;
    if (!settings.tokenFile.isEmpty()) {
        token = readTokenFile(settings.tokenFile, why);
        if (token.isEmpty())
            return why;
    } else if ((!settings.address.isEmpty() && !options.address.isLoopback()) ||
               (!settings.oscAddress.isEmpty() && !osc.address.isLoopback())) {
        token = m_generated = generateToken();
    }
    options.token = osc.token = token;
    options.allowedOrigins = settings.allowedOrigins;
    options.allowRaw = settings.allowRaw;
    auto hub = std::make_unique<Hub>(*m_link, HubOptions{token, settings.allowRaw});
    if (m_hooks)
        hub->hooks() = m_hooks();
    std::unique_ptr<ApiServer> server;
    std::unique_ptr<OscServer> oscServer;
    if (!settings.address.isEmpty()) {
        server = std::make_unique<ApiServer>(*hub, options);
        if (!server->listen(why))
            return why;
    }
    if (!settings.oscAddress.isEmpty()) {
        oscServer = std::make_unique<OscServer>(*hub, osc);
        if (!oscServer->listen(why))
            return why;
    }
    m_hub = std::move(hub);
    m_server = std::move(server);
    m_osc = std::move(oscServer);
    connect(m_hub.get(), &Hub::clientsChanged, this, [this] { showState(); });
    m_ui->ApiAddress->setText(settings.address);
    m_ui->OscEnabled->setChecked(!settings.oscAddress.isEmpty());
    if (!settings.oscAddress.isEmpty())
        m_ui->OscAddress->setText(settings.oscAddress);
    m_ui->ApiTokenFile->setText(settings.tokenFile);
    m_ui->ApiAllowRaw->setChecked(settings.allowRaw);
    showState();
    return {};
}

void FrmApi::stop()
{
    // The servers' clients leave the hub, whose moves get their stops.
    m_server.reset();
    m_osc.reset();
    m_hub.reset();
    showState();
}

void FrmApi::showState(const QString &problem)
{
    const bool on = serving();
    m_ui->ApiServe->setText(on ? tr("&Stop") : tr("&Start"));
    m_ui->ApiAddress->setEnabled(!on);
    m_ui->OscEnabled->setEnabled(!on);
    m_ui->OscAddress->setEnabled(!on && m_ui->OscEnabled->isChecked());
    m_ui->ApiTokenFile->setEnabled(!on);
    m_ui->ApiAllowRaw->setEnabled(!on);
    QString text;
    if (!problem.isEmpty())
        text = tr("Not serving: %1.").arg(problem);
    else if (!on)
        text = tr("Not serving.");
    else {
        QStringList where;
        if (m_server)
            where << m_server->url();
        if (m_osc)
            where << m_osc->url();
        const int n = m_hub->clientCount();
        text = tr("Serving on %1: %n client(s).", nullptr, n).arg(where.join(tr(" and ")));
        if (!m_generated.isEmpty())
            text += tr(" Token: %1").arg(QString::fromLatin1(m_generated));
    }
    m_ui->ApiState->setText(text);
    m_ui->ApiState->setAccessibleName(text);
}

} // namespace zam::api

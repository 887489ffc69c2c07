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
        const QString why =
            start(m_ui->ApiAddress->text().trimmed(), m_ui->ApiTokenFile->text().trimmed(), {},
                  m_ui->ApiAllowRaw->isChecked());
        if (!why.isEmpty())
            showState(why);
    });
    connect(m_ui->ApiClose, &QPushButton::clicked, this, &QDialog::hide);
    showState();
}

FrmApi::~FrmApi() = default;

QString FrmApi::start(const QString &address, const QString &tokenFile,
                      const QStringList &allowedOrigins, bool allowRaw)
{
    stop();
    ServerOptions options;
    QString why;
    if (!parseListenAddress(address, options.address, options.port, why))
        return why;
    m_generated.clear();
    if (!tokenFile.isEmpty()) {
        options.token = readTokenFile(tokenFile, why);
        if (options.token.isEmpty())
            return why;
    } else if (!options.address.isLoopback()) {
        options.token = m_generated = generateToken();
    }
    options.allowedOrigins = allowedOrigins;
    options.allowRaw = allowRaw;
    auto server = std::make_unique<ApiServer>(*m_link, options);
    if (m_hooks)
        server->hub().hooks() = m_hooks();
    if (!server->listen(why))
        return why;
    m_server = std::move(server);
    connect(&m_server->hub(), &Hub::clientsChanged, this, [this] { showState(); });
    m_ui->ApiAddress->setText(address);
    m_ui->ApiTokenFile->setText(tokenFile);
    m_ui->ApiAllowRaw->setChecked(allowRaw);
    showState();
    return {};
}

void FrmApi::stop()
{
    m_server.reset(); // its moves get their stops
    showState();
}

void FrmApi::showState(const QString &problem)
{
    const bool on = serving();
    m_ui->ApiServe->setText(on ? tr("&Stop") : tr("&Start"));
    m_ui->ApiAddress->setEnabled(!on);
    m_ui->ApiTokenFile->setEnabled(!on);
    m_ui->ApiAllowRaw->setEnabled(!on);
    QString text;
    if (!problem.isEmpty())
        text = tr("Not serving: %1.").arg(problem);
    else if (!on)
        text = tr("Not serving.");
    else {
        const int n = m_server->hub().clientCount();
        text = tr("Serving on %1: %n client(s).", nullptr, n).arg(m_server->url());
        if (!m_generated.isEmpty())
            text += tr(" Token: %1").arg(QString::fromLatin1(m_generated));
    }
    m_ui->ApiState->setText(text);
    m_ui->ApiState->setAccessibleName(text);
}

} // namespace zam::api

#include "frmoption.h"

#include "portmemory.h"

#include "ui_frmoption.h"

#include "clock.h"
#include "hexfield.h"
#include "portfactory.h"
#include "tcpport.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace zam {

FrmOption::FrmOption(QList<PortEntry> entries, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmOption>()), m_entries(std::move(entries))
{
    m_ui->setupUi(this);
    for (const auto &e : m_entries)
        m_ui->ComList->addItem(e.label, e.device);
    // Load: Com1 and 9600 bit/s.
    m_ui->ComList->setCurrentIndex(0);
    m_ui->OBrate_0->setChecked(true);
    connect(m_ui->Command1, &QPushButton::clicked, this, &FrmOption::Command1_Click);
    connect(m_ui->ComList, &QComboBox::currentIndexChanged, this, &FrmOption::updateSimFrame);
    connect(m_ui->ComList, &QComboBox::activated, this, &FrmOption::entryChosen);
    connect(m_ui->Detect, &QPushButton::clicked, this, &FrmOption::detectClicked);
    askNetworkAddress = [this] {
        return QInputDialog::getText(
            this, QStringLiteral("Network serial server"),
            QStringLiteral("Address of the serial device server (host:port):"));
    };
    updateSimFrame();
}

FrmOption::~FrmOption() = default;

void FrmOption::preselectDevice(const QString &device)
{
    const int at = ensurePortEntry(m_entries, device);
    if (m_ui->ComList->count() != m_entries.size())
        m_ui->ComList->insertItem(at, m_entries[at].label, m_entries[at].device);
    m_ui->ComList->setCurrentIndex(at);
}

void FrmOption::preselectBaud(const QString &baudText)
{
    if (baudText == QLatin1String("19200"))
        m_ui->OBrate_1->setChecked(true);
    else if (baudText == QLatin1String("38400"))
        m_ui->OBrate_2->setChecked(true);
    else
        m_ui->OBrate_0->setChecked(true);
}

void FrmOption::preselectSimulated(int cameras, const QString &models)
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].simulated())
            m_ui->ComList->setCurrentIndex(i);
    m_ui->SimCameras->setValue(cameras);
    if (!models.isEmpty())
        m_ui->SimModels->setText(models);
}

void FrmOption::preselect(const PortMemory &remembered)
{
    if (remembered.simulated)
        preselectSimulated(remembered.simCameras, remembered.simModels);
    else
        preselectDevice(remembered.device);
    preselectBaud(remembered.baud);
}

void FrmOption::updateSimFrame()
{
    const int i = m_ui->ComList->currentIndex();
    m_ui->SimFrame->setVisible(i >= 0 && i < m_entries.size() && m_entries[i].simulated());
}

void FrmOption::entryChosen(int index)
{
    if (index < 0 || index >= m_entries.size() || !m_entries[index].askNetwork())
        return;
    const QString text = askNetworkAddress ? askNetworkAddress() : QString();
    QString host;
    quint16 port = 0;
    if (text.isEmpty())
        return;
    if (!parseTcpAddress(text, host, port)) {
        m_messages.show(
            {QMessageBox::Warning, windowTitle(),
             QStringLiteral("\"%1\" is not an address of the form host:port.").arg(text)});
        return;
    }
    preselectDevice(QStringLiteral("tcp://%1:%2").arg(host).arg(port));
}

PortChoice FrmOption::currentChoice() const
{
    PortChoice c;
    const int i = m_ui->ComList->currentIndex();
    if (i >= 0 && i < m_entries.size())
        c.entry = m_entries[i];
    c.CommPortNumber = c.entry.commPortNumber;
    if (m_ui->OBrate_1->isChecked())
        c.BaudRateText = QStringLiteral("19200");
    else if (m_ui->OBrate_2->isChecked())
        c.BaudRateText = QStringLiteral("38400");
    c.simCameras = m_ui->SimCameras->value();
    parseModelCodes(m_ui->SimModels->text(), c.simModels);
    return c;
}

void FrmOption::detectClicked()
{
    const PortChoice c = currentChoice();
    if (!m_portMaker || c.entry.device.isEmpty() || c.entry.askNetwork())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_ui->DetectResult->setText(QStringLiteral("Detecting..."));
    m_ui->DetectResult->repaint();
    SteadyClock clock;
    QString why;
    const auto baud = detectBaud([&] { return m_portMaker(c); }, c.entry.device, clock, &why);
    QApplication::restoreOverrideCursor();
    if (baud) {
        preselectBaud(QString::number(*baud));
        m_ui->DetectResult->setText(QStringLiteral("The camera answers at %1 bit/s.").arg(*baud));
    } else if (!why.isEmpty()) {
        m_ui->DetectResult->setText(why);
    } else {
        m_ui->DetectResult->setText(
            QStringLiteral("No camera answered at 9600, 19200 or 38400 bit/s."));
    }
}

void FrmOption::Command1_Click()
{
    const int i = m_ui->ComList->currentIndex();
    if (i < 0 || i >= m_entries.size())
        return;
    if (m_entries[i].askNetwork()) {
        entryChosen(i);
        return;
    }
    PortChoice c;
    c.entry = m_entries[i];
    // List index + 1 for the numbered ports; other devices have no number.
    c.CommPortNumber = c.entry.commPortNumber;
    if (m_ui->OBrate_0->isChecked())
        c.BaudRateText = QStringLiteral("9600");
    else if (m_ui->OBrate_1->isChecked())
        c.BaudRateText = QStringLiteral("19200");
    else if (m_ui->OBrate_2->isChecked())
        c.BaudRateText = QStringLiteral("38400");
    c.simCameras = m_ui->SimCameras->value();
    if (c.entry.simulated() && !parseModelCodes(m_ui->SimModels->text(), c.simModels)) {
        m_messages.show({QMessageBox::Warning, windowTitle(),
                         QStringLiteral("The model codes must be hexadecimal bytes separated by "
                                        "commas, for example 30,41.")});
        m_ui->SimModels->setFocus();
        return;
    }
    m_choice = c;
    accept();
}

} // namespace zam

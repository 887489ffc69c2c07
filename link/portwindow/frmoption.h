#pragma once
// The port settings window shown at program start.

#include "portlist.h"

#include "port.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <memory>
#include <windowsupport.h>

namespace Ui {
class FrmOption;
}

namespace zam {

struct PortMemory;

struct PortChoice {
    PortEntry entry;
    int CommPortNumber = 1;
    QString BaudRateText = QStringLiteral("9600");
    int simCameras = 2;
    QList<int> simModels; // model code per simulated camera (missing ones repeat the last)
};

class FrmOption : public QDialog {
    Q_OBJECT
public:
    explicit FrmOption(QList<PortEntry> entries, QWidget *parent = nullptr);
    ~FrmOption() override;

    // Preselections from the command line.
    void preselectDevice(const QString &device);
    void preselectBaud(const QString &baudText);
    void preselectSimulated(int cameras, const QString &models);
    // The choice remembered from the last run.
    void preselect(const PortMemory &remembered);

    PortChoice choice() const { return m_choice; }

    // Makes a port for the entry currently chosen (for speed detection).
    using PortMaker = std::function<std::unique_ptr<Port>(const PortChoice &)>;
    void setPortMaker(PortMaker maker) { m_portMaker = std::move(maker); }
    // Tests answer the window's warnings through this.
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }
    // Asks for "host:port" when the network entry is chosen (tests replace it).
    std::function<QString()> askNetworkAddress;

private:
    void Command1_Click();
    void updateSimFrame();
    void detectClicked();
    void entryChosen(int index);
    PortChoice currentChoice() const;

    std::unique_ptr<Ui::FrmOption> m_ui;
    QList<PortEntry> m_entries;
    PortChoice m_choice;
    PortMaker m_portMaker;
    OperatorMessages m_messages{this};
};

} // namespace zam

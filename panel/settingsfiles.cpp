#include "settingsfiles.h"

#include "frmmain.h"

#include <filetext.h>
#include <settingsjson.h>
#include <settingsmessages.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zam {

const QString SettingsFiles::kFileFilter =
    QStringLiteral("Camera settings (*.json);;All files (*)");
const QString SettingsFiles::kSaveTitle = QStringLiteral("Save Camera Settings");
const QString SettingsFiles::kLoadTitle = QStringLiteral("Load Camera Settings");
const QString SettingsFiles::kCompareTitle = QStringLiteral("Compare With File");

namespace {

// A file's name as the messages show it: the operator's file system may
// hold names that carry control characters.
QString shownName(const QString &path)
{
    return printable(QFileInfo(path).fileName(), 120);
}

QString bulleted(const QStringList &lines)
{
    QString out;
    for (const QString &l : lines)
        out += QStringLiteral("\n  - ") + l;
    return out;
}

} // namespace

SettingsFiles::SettingsFiles(FrmMain &window)
    : QObject(&window), m_window(&window), m_messages(&window)
{
    m_chooseFile = [](QWidget *parent, Purpose purpose) {
        if (purpose == Purpose::Save)
            return QFileDialog::getSaveFileName(parent, kSaveTitle, QString(), kFileFilter);
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Camera Settings"),
                                            QString(), kFileFilter);
    };
}

SettingsFiles::~SettingsFiles()
{
    delete m_differences;
}

void SettingsFiles::tell(QMessageBox::Icon icon, const QString &title, const QString &text,
                         const QString &detail)
{
    m_messages.show({icon, title, text, QMessageBox::Ok, detail});
}

std::optional<CameraSettings> SettingsFiles::readFile(const QString &path, const QString &title)
{
    const SettingsFileRead read = readSettingsFile(path);
    if (read.failure == SettingsFileRead::Failure::Unreadable)
        tell(QMessageBox::Warning, title,
             QStringLiteral("Could not read %1: %2.").arg(shownName(path), read.reason));
    else if (!read.settings)
        tell(QMessageBox::Warning, title,
             QStringLiteral("%1: %2").arg(shownName(path), read.reason));
    return read.settings;
}

std::optional<CameraSettings> SettingsFiles::readCamera(const QString &title)
{
    SettingsRead read;
    {
        BusyCursor busy;
        read = readAgreedSettings(m_window->link());
    }
    if (!read.settings)
        tell(QMessageBox::Warning, title,
             QStringLiteral("Camera %1: %2.")
                 .arg(m_window->state().CameraAddress)
                 .arg(describe(read.problem)));
    return read.settings;
}

void SettingsFiles::save()
{
    const QString path = m_chooseFile(m_window, Purpose::Save);
    if (path.isEmpty())
        return;
    const auto refuse = [&](const QString &why) {
        tell(QMessageBox::Warning, kSaveTitle,
             QStringLiteral("Could not write %1: %2.").arg(shownName(path), why));
    };
    // Refused before the camera is asked, and once more as it is written.
    if (const QString why = whyNotRegularFile(path); !why.isEmpty())
        return refuse(why);
    const auto settings = readCamera(kSaveTitle);
    if (!settings)
        return;
    if (const QString why = writeRegularFile(path, toJson(*settings)); !why.isEmpty())
        return refuse(why);
    m_window->statusBar()->showMessage(QStringLiteral("Camera %1's settings saved to %2")
                                           .arg(m_window->state().CameraAddress)
                                           .arg(shownName(path)),
                                       5000);
}

void SettingsFiles::load()
{
    const QString path = m_chooseFile(m_window, Purpose::Open);
    if (path.isEmpty())
        return;
    const auto file = readFile(path, kLoadTitle);
    if (!file)
        return;
    CameraLink &link = m_window->link();
    const int address = link.state().CameraAddress;
    std::optional<int> model;
    {
        BusyCursor busy;
        model = readModelCode(link);
    }
    if (!model) {
        tell(QMessageBox::Warning, kLoadTitle,
             QStringLiteral("Camera %1 did not answer the version inquiry.").arg(address));
        return;
    }
    const LoadPlan plan = planLoad(*file, *model, address);

    // No status read between the packets: the dialog lets events run.
    link.refresh().windowOpened();
    LoadOutcome outcome;
    {
        QProgressDialog progress(QString(), QStringLiteral("Cancel"), 0, int(plan.packets.size()),
                                 m_window);
        progress.setWindowTitle(kLoadTitle);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        bool cancel = false;
        outcome = applySettings(
            link, plan,
            [&](int done, int, const QString &what) {
                progress.setLabelText(what.isEmpty()
                                          ? QStringLiteral("Reading the settings back...")
                                          : QStringLiteral("Sending %1").arg(what));
                progress.setValue(done);
                if (m_loadStep)
                    m_loadStep(progress);
                cancel = progress.wasCanceled();
            },
            cancel);
    }
    link.refresh().windowClosed(AutoRefresh::HandBack::Resume);
    m_window->ReadCameraStatus();

    const QString name = shownName(path);
    if (outcome.cancelled) {
        tell(QMessageBox::Warning, kLoadTitle,
             QStringLiteral(
                 "Loading %1 was cancelled after %2 of %3 packets: camera %4 holds part of it.")
                 .arg(name)
                 .arg(outcome.sent)
                 .arg(plan.packets.size())
                 .arg(address));
        return;
    }
    QString text = QStringLiteral("%1 loaded onto camera %2: %3 packets sent.")
                       .arg(name)
                       .arg(address)
                       .arg(outcome.sent);
    QStringList lines;
    for (const SkippedSetting &s : plan.skipped)
        lines << s.caption + QStringLiteral(": ") + s.reason;
    if (!lines.isEmpty())
        text += QStringLiteral("\n\nSkipped:") + bulleted(lines);
    if (!outcome.refused.isEmpty())
        text += QStringLiteral("\n\nRefused by the camera:") + bulleted(describe(outcome.refused));
    if (!outcome.after)
        text += QStringLiteral("\n\nThe settings could not be read back: %1.")
                    .arg(describe(outcome.problem));
    lines.clear();
    for (const SettingDifference &d : outcome.notTaken)
        lines << QStringLiteral("%1: %2 in the file, the camera reports %3")
                     .arg(d.caption, d.left, d.right);
    if (!lines.isEmpty())
        text += QStringLiteral("\n\nDid not take:") + bulleted(lines);
    const bool clean = outcome.ok() && plan.skipped.isEmpty();
    tell(clean ? QMessageBox::Information : QMessageBox::Warning, kLoadTitle, text);
}

void SettingsFiles::compare()
{
    const QString path = m_chooseFile(m_window, Purpose::Open);
    if (path.isEmpty())
        return;
    const auto file = readFile(path, kCompareTitle);
    if (!file)
        return;
    const auto camera = readCamera(kCompareTitle);
    if (!camera)
        return;
    showDifferences(path, diff(*file, *camera));
}

void SettingsFiles::showDifferences(const QString &path,
                                    const QList<SettingDifference> &differences)
{
    if (!m_differences) {
        // A window of its own, beside the main window.
        m_differences = new QDialog(nullptr);
        m_differences->setWindowTitle(kCompareTitle);
        auto *layout = new QVBoxLayout(m_differences);
        m_summary = new QLabel(m_differences);
        m_summary->setObjectName(QStringLiteral("summary"));
        m_summary->setWordWrap(true);
        m_table = new QTableWidget(0, 3, m_differences);
        m_table->setObjectName(QStringLiteral("differences"));
        m_table->setHorizontalHeaderLabels(
            {QStringLiteral("Setting"), QStringLiteral("File"), QStringLiteral("Camera")});
        m_table->horizontalHeader()->setStretchLastSection(true);
        m_table->verticalHeader()->hide();
        m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_differences);
        connect(buttons, &QDialogButtonBox::rejected, m_differences, &QDialog::hide);
        layout->addWidget(m_summary);
        layout->addWidget(m_table);
        layout->addWidget(buttons);
        m_differences->resize(520, 360);
        m_differences->move(m_window->frameGeometry().topRight() + QPoint(8, 0));
    }
    const QString name = shownName(path);
    const int address = m_window->state().CameraAddress;
    m_summary->setText(differences.isEmpty()
                           ? QStringLiteral("Camera %1 matches %2.").arg(address).arg(name)
                           : QStringLiteral("%1 setting(s) of camera %2 differ from %3.")
                                 .arg(differences.size())
                                 .arg(address)
                                 .arg(name));
    m_table->setRowCount(int(differences.size()));
    for (int row = 0; row < differences.size(); ++row) {
        const SettingDifference &d = differences[row];
        m_table->setItem(row, 0, new QTableWidgetItem(d.caption));
        m_table->setItem(row, 1, new QTableWidgetItem(d.left));
        m_table->setItem(row, 2, new QTableWidgetItem(d.right));
    }
    m_table->resizeColumnsToContents();
    m_differences->show();
    m_differences->raise();
    m_differences->activateWindow();
}

} // namespace zam

#pragma once
// "Tools" -> "Save Camera Settings...", "Load Camera Settings..." and
// "Compare With File...": the selected camera's settings to a file, a file
// onto the camera (with a progress dialog that can be cancelled), and the
// differences between the two in a small table.

#include "settingsio.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <windowsupport.h>

#include <functional>

class QDialog;
class QProgressDialog;
class QTableWidget;
class QWidget;

namespace zam {

class FrmMain;

class SettingsFiles : public QObject {
    Q_OBJECT
public:
    explicit SettingsFiles(FrmMain &window);
    ~SettingsFiles() override;

    // Asks for a file to write (save) or to read; empty: the operator
    // cancelled. Tests answer for the operator.
    enum class Purpose { Save, Open };
    using FileChooser = std::function<QString(QWidget *parent, Purpose purpose)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }
    // Runs before every packet of a load, with the progress dialog up (tests
    // press its Cancel button here).
    void setLoadStepHook(std::function<void(QProgressDialog &)> hook)
    {
        m_loadStep = std::move(hook);
    }

    void save();
    void load();
    void compare();

    // The last comparison's window (made on first use and kept).
    QDialog *differencesWindow() const { return m_differences; }
    QTableWidget *differencesTable() const { return m_table; }

    static const QString kFileFilter;
    static const QString kSaveTitle;
    static const QString kLoadTitle;
    static const QString kCompareTitle;

private:
    std::optional<CameraSettings> readFile(const QString &path, const QString &title);
    std::optional<CameraSettings> readCamera(const QString &title);
    void showDifferences(const QString &path, const QList<SettingDifference> &differences);
    void tell(QMessageBox::Icon icon, const QString &title, const QString &text,
              const QString &detail = {});

    FrmMain *m_window;
    OperatorMessages m_messages;
    FileChooser m_chooseFile;
    std::function<void(QProgressDialog &)> m_loadStep;
    QPointer<QDialog> m_differences;
    QTableWidget *m_table = nullptr;
    class QLabel *m_summary = nullptr;
};

} // namespace zam

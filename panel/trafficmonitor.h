#pragma once
// The traffic monitor: a top-level window beside the main window showing
// every packet on the line, with filters, pause, clear and save. It shows a
// TrafficModel that someone else owns and keeps capturing while the window
// is closed.

#include <QWidget>
#include <memory>
#include <windowsupport.h>

namespace Ui {
class TrafficMonitor;
}

namespace zam {

class TrafficModel;

class TrafficMonitor : public QWidget {
    Q_OBJECT
public:
    explicit TrafficMonitor(TrafficModel &model, QWidget *parent = nullptr);
    ~TrafficMonitor() override;

    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }
    // Where "Save..." asks for a file; answers the path, empty when the
    // operator cancels. `filter` comes back as the chosen file type.
    using FileChooser = std::function<QString(QWidget *parent, QString *filter)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    // Writes the shown rows to path: CSV for ".csv", plain text for ".txt",
    // else as the chosen filter says (a path without an extension gets the
    // filter's). Tells the operator when the file cannot be written.
    bool saveTo(const QString &path, const QString &filter = {});

    // Whether the newest row is kept in view as rows arrive.
    bool followsNewest() const { return m_follow; }

private:
    void applyFilter();
    void togglePause();
    void showPaused(bool paused);
    void save();
    void sizeColumns();

    std::unique_ptr<Ui::TrafficMonitor> m_ui;
    TrafficModel *m_model;
    OperatorMessages m_messages;
    FileChooser m_chooseFile;
    bool m_follow = true;
};

// The file types "Save..." offers.
extern const QString kTrafficCsvFilter;
extern const QString kTrafficTextFilter;

} // namespace zam

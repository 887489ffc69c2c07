#pragma once
// The camera ID dialog (FrmCamID). The status read writes the camera's ID
// into its text box even while the dialog is hidden; the dialog is created
// once, hidden between uses, and shown without blocking the main window.

#include <QDialog>
#include <memory>

namespace Ui {
class FrmCamID;
}

namespace zam {

class FrmCamID : public QDialog {
    Q_OBJECT
public:
    explicit FrmCamID(QWidget *parent = nullptr);
    ~FrmCamID() override;

    // The ID box's text: what the operator typed, or the ID the status read
    // reports.
    QString idText() const;
    void setIdText(const QString &text);
    // Puts the cursor back into the ID box with its text selected, for a
    // correction.
    void selectId();

Q_SIGNALS:
    // OK: the operator asks for the typed ID to be written. The dialog stays
    // open until the writer accepts it.
    void writeRequested();

private:
    std::unique_ptr<Ui::FrmCamID> m_ui;
};

} // namespace zam

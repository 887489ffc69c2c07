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

    Ui::FrmCamID *ui() const { return m_ui.get(); }

private:
    std::unique_ptr<Ui::FrmCamID> m_ui;
};

} // namespace zam

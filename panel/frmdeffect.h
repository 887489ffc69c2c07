#pragma once
// The digital effect level dialog (FrmD_Effect). The status read keeps its
// level box in step with the camera even while the dialog is hidden; the
// dialog is created once, hidden between uses, and shown without blocking the
// main window.

#include <QDialog>
#include <memory>

namespace Ui {
class FrmD_Effect;
}

namespace zam {

class FrmDEffect : public QDialog {
    Q_OBJECT
public:
    explicit FrmDEffect(QWidget *parent = nullptr);
    ~FrmDEffect() override;

    Ui::FrmD_Effect *ui() const { return m_ui.get(); }

private:
    std::unique_ptr<Ui::FrmD_Effect> m_ui;
};

} // namespace zam

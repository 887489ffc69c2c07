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

    // The level box: its range, and the level the status read reports.
    void setLevelMaximum(int maximum);
    void setLevel(int level);
    // The level typed or spun in the box (the text taken first), within the
    // box's range.
    int level() const;

Q_SIGNALS:
    // OK: the operator asks for level() to be sent. The dialog stays open
    // until the sender accepts it.
    void levelChosen();

private:
    std::unique_ptr<Ui::FrmD_Effect> m_ui;
};

} // namespace zam

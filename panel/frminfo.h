#pragma once
// The version window (FrmInfo): the program's version and a short revision
// history, closed with OK. Created on first use and shown without blocking
// the main window.

#include <QDialog>
#include <memory>

namespace Ui {
class FrmInfo;
}

namespace zam {

// The program's version: the application's version when one is set, else
// the version the program was built as.
QString programVersion();

class FrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit FrmInfo(QWidget *parent = nullptr);
    ~FrmInfo() override;

    // Newest first.
    static const QString kRevisionHistory;

private:
    std::unique_ptr<Ui::FrmInfo> m_ui;
};

} // namespace zam

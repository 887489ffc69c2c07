#include "frminfo.h"

#include "ui_frminfo.h"

#include <QCoreApplication>

#ifndef ZAM_VERSION
#define ZAM_VERSION "unknown"
#endif

namespace zam {

const QString FrmInfo::kRevisionHistory =
    QStringLiteral("0.1.0\n"
                   "  First version: port settings, start-up on a chain of up to seven cameras,\n"
                   "  status read and auto refresh, direct command console; zoom, focus,\n"
                   "  exposure, white balance, picture, memory, display and sync controls;\n"
                   "  title editors and clock; privacy masks, motion detection and AE spot;\n"
                   "  EEPROM and register service windows; simulated cameras.\n");

QString programVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral(ZAM_VERSION) : version;
}

FrmInfo::FrmInfo(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::FrmInfo>())
{
    m_ui->setupUi(this);
    setModal(false);
    m_ui->LblVersion->setText(QStringLiteral("Version %1").arg(programVersion()));
    m_ui->RevisionHistory->setPlainText(kRevisionHistory);
    connect(m_ui->OK, &QAbstractButton::clicked, this, &QDialog::accept);
}

FrmInfo::~FrmInfo() = default;

} // namespace zam

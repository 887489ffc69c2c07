#include "frmcamid.h"

#include "ui_frmcamid.h"

namespace zam {

FrmCamID::FrmCamID(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::FrmCamID>())
{
    m_ui->setupUi(this);
    setModal(false);
    connect(m_ui->OK, &QAbstractButton::clicked, this, &FrmCamID::writeRequested);
    connect(m_ui->Cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

QString FrmCamID::idText() const
{
    return m_ui->ID->text();
}

void FrmCamID::setIdText(const QString &text)
{
    m_ui->ID->setText(text);
}

void FrmCamID::selectId()
{
    m_ui->ID->setFocus();
    m_ui->ID->selectAll();
}

FrmCamID::~FrmCamID() = default;

} // namespace zam

#include "frmdeffect.h"

#include "ui_frmdeffect.h"

namespace zam {

FrmDEffect::FrmDEffect(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::FrmD_Effect>())
{
    m_ui->setupUi(this);
    setModal(false);
    connect(m_ui->DELevelOK, &QAbstractButton::clicked, this, &FrmDEffect::levelChosen);
    connect(m_ui->DELevelCancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

void FrmDEffect::setLevelMaximum(int maximum)
{
    m_ui->DELevel->setMaximum(maximum);
}

void FrmDEffect::setLevel(int level)
{
    m_ui->DELevel->setValue(level);
}

int FrmDEffect::level() const
{
    m_ui->DELevel->interpretText();
    return m_ui->DELevel->value();
}

FrmDEffect::~FrmDEffect() = default;

} // namespace zam

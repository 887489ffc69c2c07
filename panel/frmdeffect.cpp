#include "frmdeffect.h"

#include "ui_frmdeffect.h"

namespace zam {

FrmDEffect::FrmDEffect(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::FrmD_Effect>())
{
    m_ui->setupUi(this);
    setModal(false);
}

FrmDEffect::~FrmDEffect() = default;

} // namespace zam

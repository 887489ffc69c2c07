#include "frmcamid.h"

#include "ui_frmcamid.h"

namespace zam {

FrmCamID::FrmCamID(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::FrmCamID>())
{
    m_ui->setupUi(this);
    setModal(false);
}

FrmCamID::~FrmCamID() = default;

} // namespace zam

#include "frmsetdate.h"

#include "ui_frmsetdate.h"

namespace zam {

FrmSetDate::FrmSetDate(CameraLink &link, QWidget *parent)
    : FrmSetDate(link, QDateTime::currentDateTime(), parent)
{}

FrmSetDate::FrmSetDate(CameraLink &link, const QDateTime &now, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FrmSetDate>()), m_link(&link)
{
    m_ui->setupUi(this);
    m_ui->Year->setFullYearInput(true);
    connect(m_ui->OK, &QPushButton::clicked, this, &FrmSetDate::send);
    connect(m_ui->Cancel, &QPushButton::clicked, this, &QWidget::hide);
    prefill(now);
}

FrmSetDate::~FrmSetDate() = default;

void FrmSetDate::openFromMenu()
{
    show();
    raise();
    activateWindow();
}

void FrmSetDate::prefill(const QDateTime &now)
{
    const titles::ClockFields f = titles::clockFieldsOf(now);
    m_ui->Year->setValue(f.year);
    m_ui->Month->setValue(f.month);
    m_ui->Day->setValue(f.day);
    m_ui->Hour->setValue(f.hour);
    m_ui->Minute->setValue(f.minute);
}

titles::ClockFields FrmSetDate::fields() const
{
    // A field still being typed counts as it reads.
    for (QSpinBox *box : {m_ui->Year, m_ui->Month, m_ui->Day, m_ui->Hour, m_ui->Minute})
        box->interpretText();
    return {m_ui->Year->value(), m_ui->Month->value(), m_ui->Day->value(), m_ui->Hour->value(),
            m_ui->Minute->value()};
}

void FrmSetDate::send()
{
    const titles::ClockFields f = fields();
    hide();
    if (const auto packet = titles::clockPacket(m_link->state().CameraAddress, f))
        m_link->SD(*packet, 1);
}

} // namespace zam

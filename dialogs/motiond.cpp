#include "motiond.h"

#include "maskencoding.h"
#include "ui_motiond.h"

#include <QGuiApplication>
#include <hexfield.h>

namespace zam {

using namespace maskui;

const QString MotionD::kStartWarning =
    QStringLiteral("After set this mode, Auto refresh function will be off.");
const QString MotionD::kWindowMessage =
    QStringLiteral("It is not correct the window setting, Please input correct value again?");

MotionD::MotionD(CameraLink &link, QWidget *parent)
    : maskui::MaskDialog(parent), m_ui(std::make_unique<Ui::MotionD>()), m_link(&link),
      m_hold(link, this)
{
    m_ui->setupUi(this);
    for (QLineEdit *box : {m_ui->MDthreshold, m_ui->MDinterval, m_ui->MDHstart, m_ui->MDVstart,
                           m_ui->MDHstop, m_ui->MDVstop})
        box->setValidator(new HexDigitValidator(box));
    connect(m_ui->MDforOnOff, &QPushButton::clicked, this, &MotionD::MDforOnOff_Click);
    connect(m_ui->MDfuncSet, &QPushButton::clicked, this, &MotionD::MDfuncSet_Click);
    connect(m_ui->MDwinSet, &QPushButton::clicked, this, &MotionD::MDwinSet_Click);
}

MotionD::~MotionD() = default;

void MotionD::openFromMenu()
{
    m_hold.begin();
    show();
    raise();
    activateWindow();
}

void MotionD::done(int result)
{
    if (isVisible() || m_hold.holding())
        m_hold.end(m_ui->MDforOnOff->text() == QLatin1String("ON"));
    maskui::MaskDialog::done(result);
}

void MotionD::send(catalog::Id id, std::initializer_list<int> values)
{
    sendEntry(*m_link, m_link->state().CameraAddress, id, values);
}

bool MotionD::confirmStart()
{
    if (!m_link->refresh().captionIsAuto())
        return true;
    return ask({QMessageBox::Warning, QStringLiteral("AutoRefresh warning"), kStartWarning,
                QMessageBox::Ok | QMessageBox::Cancel}) == QMessageBox::Ok;
}

void MotionD::MDforOnOff_Click()
{
    if (m_ui->MDforOnOff->text() == QLatin1String("ON")) {
        send(catalog::Id::MotionDetectionOff);
        m_ui->MDforOnOff->setText(QStringLiteral("OFF"));
        return;
    }
    if (!confirmStart())
        return;
    send(catalog::Id::MotionDetectionOn);
    m_ui->MDforOnOff->setText(QStringLiteral("ON"));
}

void MotionD::MDfuncSet_Click()
{
    const auto threshold = valueOf(m_ui->MDthreshold, kHexByteMax);
    if (!threshold)
        return;
    const auto interval = valueOf(m_ui->MDinterval, kHexByteMax);
    if (!interval)
        return;
    if (!confirmStart())
        return;
    const int display =
        masks::detectDisplayCode(m_ui->MDcheck_0->isChecked(), m_ui->MDcheck_1->isChecked());
    const int frames =
        masks::detectFrameBitmap({m_ui->MDcheck_2->isChecked(), m_ui->MDcheck_3->isChecked(),
                                  m_ui->MDcheck_4->isChecked(), m_ui->MDcheck_5->isChecked()});
    send(catalog::Id::MotionFunctionSet, {display, frames, int(*threshold), int(*interval)});
    m_ui->MDforOnOff->setText(QStringLiteral("ON"));
}

void MotionD::MDwinSet_Click()
{
    int frame = 0;
    const QRadioButton *ops[4] = {m_ui->MDOp_0, m_ui->MDOp_1, m_ui->MDOp_2, m_ui->MDOp_3};
    for (int k = 0; k < 4; ++k)
        if (ops[k]->isChecked())
            frame = k;
    int position[4];
    QLineEdit *boxes[4] = {m_ui->MDHstart, m_ui->MDVstart, m_ui->MDHstop, m_ui->MDVstop};
    for (int k = 0; k < 4; ++k) {
        const auto value = valueOf(boxes[k], kHexDigitMax);
        if (!value)
            return;
        position[k] = int(*value);
    }
    const masks::DetectWindow w{position[0], position[1], position[2], position[3]};
    if (!masks::detectWindowValid(w)) {
        ask({QMessageBox::Warning, QGuiApplication::applicationDisplayName(), kWindowMessage,
             QMessageBox::Ok});
        return;
    }
    send(catalog::Id::MotionWindowSet, {frame, w.hStart, w.vStart, w.hStop, w.vStop});
}

} // namespace zam

#include "gamepaddialog.h"

#include "gamepadpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>

#include "ui_gamepaddialog.h"

namespace zam::hand {

namespace {

enum AxisColumn { AxisName, AxisValue, AxisAction, AxisDeadZone, AxisInverted, AxisCurve };
enum ButtonColumn { ButtonName, ButtonState, ButtonAction };

const char *const kAxisNames[kAxes] = {"Left stick X",  "Left stick Y", "Right stick X",
                                       "Right stick Y", "Left trigger", "Right trigger"};
const char *const kButtonNames[kButtons] = {"A",
                                            "B",
                                            "X",
                                            "Y",
                                            "Back",
                                            "Guide",
                                            "Start",
                                            "Left stick",
                                            "Right stick",
                                            "Left shoulder",
                                            "Right shoulder",
                                            "D-pad up",
                                            "D-pad down",
                                            "D-pad left",
                                            "D-pad right",
                                            "Misc",
                                            "Paddle 1",
                                            "Paddle 2",
                                            "Paddle 3",
                                            "Paddle 4",
                                            "Touchpad"};

QComboBox *actionBox(bool axis)
{
    auto *box = new QComboBox;
    for (int i = 0; i < kActionCount; ++i) {
        const auto a = Action(i);
        if (a == Action::None || isAxisAction(a) == axis)
            box->addItem(actionCaption(a), i);
    }
    return box;
}

void choose(QComboBox *box, Action a)
{
    const int at = box->findData(int(a));
    box->setCurrentIndex(at < 0 ? 0 : at);
}

Action chosen(const QComboBox *box)
{
    return Action(box->currentData().toInt());
}

} // namespace

GamepadDialog::GamepadDialog(GamepadPanel &panel, QWidget *parent)
    : QDialog(parent), m_panel(&panel), m_ui(std::make_unique<Ui::GamepadDialog>())
{
    m_ui->setupUi(this);
    QTableWidget *axes = m_ui->AxisTable;
    axes->setRowCount(kAxes);
    for (int i = 0; i < kAxes; ++i) {
        axes->setItem(i, AxisName, new QTableWidgetItem(QString::fromLatin1(kAxisNames[i])));
        axes->setItem(i, AxisValue, new QTableWidgetItem(QStringLiteral("0")));
        auto *action = actionBox(true);
        action->setObjectName(QStringLiteral("AxisAction_%1").arg(i));
        axes->setCellWidget(i, AxisAction, action);
        auto *dead = new QSpinBox;
        dead->setObjectName(QStringLiteral("AxisDeadZone_%1").arg(i));
        dead->setRange(0, 90);
        axes->setCellWidget(i, AxisDeadZone, dead);
        auto *inverted = new QCheckBox;
        inverted->setObjectName(QStringLiteral("AxisInverted_%1").arg(i));
        axes->setCellWidget(i, AxisInverted, inverted);
        auto *curve = new QComboBox;
        curve->setObjectName(QStringLiteral("AxisCurve_%1").arg(i));
        curve->addItem(QStringLiteral("Linear"), int(Curve::Linear));
        curve->addItem(QStringLiteral("Square"), int(Curve::Square));
        axes->setCellWidget(i, AxisCurve, curve);
    }
    QTableWidget *buttons = m_ui->ButtonTable;
    buttons->setRowCount(kButtons);
    for (int i = 0; i < kButtons; ++i) {
        buttons->setItem(i, ButtonName, new QTableWidgetItem(QString::fromLatin1(kButtonNames[i])));
        buttons->setItem(i, ButtonState, new QTableWidgetItem(QStringLiteral("up")));
        auto *action = actionBox(false);
        action->setObjectName(QStringLiteral("ButtonAction_%1").arg(i));
        buttons->setCellWidget(i, ButtonAction, action);
    }
    for (QTableWidget *t : {axes, buttons}) {
        t->verticalHeader()->hide();
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }

    m_ui->DeviceCamera->addItem(QStringLiteral("Selected camera"), 0);
    for (int c = 1; c <= 7; ++c)
        m_ui->DeviceCamera->addItem(QStringLiteral("Camera %1").arg(c), c);

    HandControl &hand = panel.hand();
    connect(&hand, &HandControl::devicesChanged, this, &GamepadDialog::showDevices);
    connect(&hand, &HandControl::axisMoved, this, &GamepadDialog::showAxis);
    connect(&hand, &HandControl::buttonChanged, this, &GamepadDialog::showButton);
    connect(m_ui->DeviceList, &QComboBox::currentIndexChanged, this, [this] {
        const QSignalBlocker block(m_ui->DeviceCamera);
        const int at = m_ui->DeviceCamera->findData(m_panel->hand().boundCamera(shownDevice()));
        m_ui->DeviceCamera->setCurrentIndex(std::max(at, 0));
    });
    connect(m_ui->DeviceCamera, &QComboBox::currentIndexChanged, this, [this] {
        m_panel->hand().bind(shownDevice(), m_ui->DeviceCamera->currentData().toInt());
    });
    connect(m_ui->Buttons, &QDialogButtonBox::accepted, this, [this] {
        m_panel->useMapping(mapping());
        accept();
    });
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->Buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { showMapping(Mapping::defaults()); });
    showDevices();
}

GamepadDialog::~GamepadDialog() = default;

void GamepadDialog::showMapping(const Mapping &m)
{
    QTableWidget *axes = m_ui->AxisTable;
    for (int i = 0; i < kAxes; ++i) {
        choose(static_cast<QComboBox *>(axes->cellWidget(i, AxisAction)), m.axes[i]);
        static_cast<QSpinBox *>(axes->cellWidget(i, AxisDeadZone))
            ->setValue(m.tuning[i].deadZonePercent);
        static_cast<QCheckBox *>(axes->cellWidget(i, AxisInverted))
            ->setChecked(m.tuning[i].inverted);
        auto *curve = static_cast<QComboBox *>(axes->cellWidget(i, AxisCurve));
        curve->setCurrentIndex(curve->findData(int(m.tuning[i].curve)));
    }
    for (int i = 0; i < kButtons; ++i)
        choose(static_cast<QComboBox *>(m_ui->ButtonTable->cellWidget(i, ButtonAction)),
               m.buttons[i]);
}

Mapping GamepadDialog::mapping() const
{
    Mapping m;
    const QTableWidget *axes = m_ui->AxisTable;
    for (int i = 0; i < kAxes; ++i) {
        m.axes[i] = chosen(static_cast<QComboBox *>(axes->cellWidget(i, AxisAction)));
        m.tuning[i].deadZonePercent =
            static_cast<QSpinBox *>(axes->cellWidget(i, AxisDeadZone))->value();
        m.tuning[i].inverted =
            static_cast<QCheckBox *>(axes->cellWidget(i, AxisInverted))->isChecked();
        m.tuning[i].curve =
            Curve(static_cast<QComboBox *>(axes->cellWidget(i, AxisCurve))->currentData().toInt());
    }
    for (int i = 0; i < kButtons; ++i)
        m.buttons[i] =
            chosen(static_cast<QComboBox *>(m_ui->ButtonTable->cellWidget(i, ButtonAction)));
    return m;
}

int GamepadDialog::shownDevice() const
{
    return m_ui->DeviceList->currentData().isValid() ? m_ui->DeviceList->currentData().toInt() : -1;
}

void GamepadDialog::showDevices()
{
    const int was = shownDevice();
    QComboBox *list = m_ui->DeviceList;
    {
        const QSignalBlocker block(list);
        list->clear();
        for (int d : m_panel->hand().devices())
            list->addItem(m_panel->hand().name(d), d);
        if (list->count() == 0)
            list->addItem(QStringLiteral("(no controller attached)"));
        list->setCurrentIndex(std::max(0, list->findData(was)));
    }
    Q_EMIT list->currentIndexChanged(list->currentIndex());
    m_ui->DeviceCamera->setEnabled(shownDevice() >= 0);
}

void GamepadDialog::showAxis(int device, int axis, int raw)
{
    if (device == shownDevice() && axis >= 0 && axis < kAxes)
        m_ui->AxisTable->item(axis, AxisValue)->setText(QString::number(raw));
}

void GamepadDialog::showButton(int device, int button, bool down)
{
    if (device == shownDevice() && button >= 0 && button < kButtons)
        m_ui->ButtonTable->item(button, ButtonState)
            ->setText(down ? QStringLiteral("down") : QStringLiteral("up"));
}

} // namespace zam::hand

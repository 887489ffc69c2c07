#include "whitebalance.h"

#include "controls.h"

#include <cameramodes.h>
#include <formcontrols.h>

#include "ui_whitebalance.h"

namespace zam {

namespace {

using catalog::Id;

} // namespace

WhiteBalanceCommands::WhiteBalanceCommands(CameraLink &link, QWidget &window, CameraModes &modes)
    : m_ui(placeForm<Ui::WhiteBalanceGroup>(window, "WhiteBalanceGroup")), m_window(&window),
      m_link(&link), m_modes(&modes)
{
    const Ui::WhiteBalanceGroup *ui = m_ui.get();

    for (const ModeRow &row : kWhiteBalanceModes) {
        QAction *action = &windowAction(window, row.item);
        // The item's check mark is the handler's to set: Qt's own flip on
        // trigger is undone first, so a refused or repeated click keeps it.
        connect(action, &QAction::triggered, this, [this, action, &row](bool checked) {
            action->setChecked(!checked);
            selectMode(row);
        });
    }

    struct Button {
        QAbstractButton *button;
        Id id;
    };
    const Button buttons[] = {
        {ui->WBTrigger, Id::WbOnePushTrigger}, {ui->RGainUp, Id::RGainUp},
        {ui->RGainDown, Id::RGainDown},        {ui->BGainUp, Id::BGainUp},
        {ui->BGainDown, Id::BGainDown},
    };
    for (const Button &b : buttons)
        connect(b.button, &QAbstractButton::clicked, this, [this, b] { send(b.id); });
    connect(ui->RBReset, &QAbstractButton::clicked, this, [this] {
        if (send(Id::RGainReset))
            send(Id::BGainReset);
    });

    new SliderSender(
        ui->RGainSlider, *m_link, [this](int value) { send(Id::RGainDirect, {value}); },
        kSendOnMovesOnly, this);
    new SliderSender(
        ui->BGainSlider, *m_link, [this](int value) { send(Id::BGainDirect, {value}); },
        kSendOnMovesOnly, this);
}

WhiteBalanceCommands::~WhiteBalanceCommands() = default;

bool WhiteBalanceCommands::send(catalog::Id id, std::initializer_list<int> values)
{
    return zam::send(*m_link, id, values);
}

void WhiteBalanceCommands::selectMode(const ModeRow &row)
{
    if (row.guarded && !m_link->RefreshNotGoCheck())
        return;
    CameraModes &s = *m_modes;
    if (s.CurrentWBMode == row.code)
        return;
    // Recorded only once the packet has gone out, so a refused send leaves
    // the item selectable again.
    if (!send(row.entry))
        return;
    s.CurrentWBMode = row.code;
    checkModeItem(*m_window, ModeFamily::WhiteBalance, &row);
    applyModeControls(*m_window, ModeFamily::WhiteBalance, row);
}

void WhiteBalanceCommands::showCamera(const CameraStatus &s)
{
    const Ui::WhiteBalanceGroup *ui = m_ui.get();
    showMode(*m_window, ModeFamily::WhiteBalance, s.wbMode, m_modes->CurrentWBMode);
    showPosition(ui->RGainSlider, s.rGain);
    showNumber(ui->RGValue, ui->RGainSlider->value());
    showPosition(ui->BGainSlider, s.bGain);
    showNumber(ui->BGValue, ui->BGainSlider->value());
}

} // namespace zam

#include "whitebalance.h"

#include "controls.h"

#include <cameramodes.h>
#include <formcontrols.h>
#include <groupwidgets.h>

namespace zam {

namespace {

using catalog::Id;

constexpr SliderSender::Options kSliderOptions{
    .stopsRefresh = true, .sendOnMove = true, .sendOnRelease = false};

} // namespace

WhiteBalanceCommands::WhiteBalanceCommands(CameraLink &link, const WhiteBalanceWidgets &widgets,
                                           CameraModes &modes)
    : m_ui(&widgets), m_link(&link), m_modes(&modes)
{
    const WhiteBalanceWidgets *ui = m_ui;

    for (const ModeRow &row : kWhiteBalanceModes) {
        QAction *action = formAction(*ui->form, row.item);
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
        kSliderOptions, this);
    new SliderSender(
        ui->BGainSlider, *m_link, [this](int value) { send(Id::BGainDirect, {value}); },
        kSliderOptions, this);
}

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
    checkModeItem(*m_ui->form, ModeFamily::WhiteBalance, &row);
    applyModeControls(*m_ui->form, ModeFamily::WhiteBalance, row);
}

} // namespace zam

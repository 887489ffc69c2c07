#include "whitebalance.h"

#include "controls.h"

#include <cameramodes.h>
#include <groupwidgets.h>
#include <packet.h>
#include <statusblocks.h>
#include <statusread.h>

#include <utility>

namespace zam {

namespace {

constexpr int kWBModeCommand = 0x35;
constexpr int kTrigger = 0x10;
constexpr int kOnePush = 0x05;
constexpr int kRGain = 0x03;
constexpr int kBGain = 0x04;
constexpr int kRGainPosition = 0x43;
constexpr int kBGainPosition = 0x44;
constexpr int kUp = 0x02;
constexpr int kDown = 0x03;
constexpr int kReset = 0x00;

constexpr SliderSender::Options kSliderOptions{
    .stopsRefresh = true, .sendOnMove = true, .sendOnRelease = false};

} // namespace

WhiteBalanceCommands::WhiteBalanceCommands(CameraLink &link, const WhiteBalanceWidgets &widgets,
                                           CameraModes &modes)
    : m_ui(&widgets), m_link(&link), m_modes(&modes)
{
    const WhiteBalanceWidgets *ui = m_ui;

    for (const WBModeRow &row : kWBModeRows) {
        QAction *action = itemAction(row.item);
        // The item's check mark is the handler's to set: Qt's own flip on
        // trigger is undone first, so a refused or repeated click keeps it.
        connect(action, &QAction::triggered, this, [this, action, code = row.code](bool checked) {
            action->setChecked(!checked);
            selectMode(code);
        });
    }

    struct Button {
        QAbstractButton *button;
        int command;
        int parameter;
    };
    const Button buttons[] = {
        {ui->WBTrigger, kTrigger, kOnePush}, {ui->RGainUp, kRGain, kUp},
        {ui->RGainDown, kRGain, kDown},      {ui->BGainUp, kBGain, kUp},
        {ui->BGainDown, kBGain, kDown},
    };
    for (const Button &b : buttons)
        connect(b.button, &QAbstractButton::clicked, this,
                [this, b] { send(b.command, b.parameter); });
    connect(ui->RBReset, &QAbstractButton::clicked, this, [this] {
        if (send(kRGain, kReset))
            send(kBGain, kReset);
    });

    new SliderSender(
        ui->RGainSlider, *m_link, [this](int value) { sendGain(kRGainPosition, value); },
        kSliderOptions, this);
    new SliderSender(
        ui->BGainSlider, *m_link, [this](int value) { sendGain(kBGainPosition, value); },
        kSliderOptions, this);
}

QAction *WhiteBalanceCommands::itemAction(WBItem item) const
{
    switch (item) {
    case WBItem::ATWPro:
        return m_ui->ATWPro;
    case WBItem::InDoor:
        return m_ui->InDoor;
    case WBItem::OutDoor:
        return m_ui->OutDoor;
    case WBItem::OnePushWB:
        return m_ui->OnePushWB;
    case WBItem::ATW:
        return m_ui->ATW;
    case WBItem::ManualWB:
        return m_ui->ManualWB;
    }
    return m_ui->ATWPro;
}

bool WhiteBalanceCommands::send(int command, int parameter)
{
    return sendFunction(*m_link, command, parameter);
}

bool WhiteBalanceCommands::sendGain(int command, int value)
{
    // 00 00 0p 0q: two nibbles carry 0..255; anything else would wrap into another gain.
    if (value < 0 || value > 0xFF)
        return false;
    return sendPosition(*m_link, command, value);
}

void WhiteBalanceCommands::selectMode(int code)
{
    if (!m_link->RefreshNotGoCheck())
        return;
    CameraModes &s = *m_modes;
    if (s.CurrentWBMode == code)
        return;
    // Recorded only once the packet has gone out, so a refused send leaves
    // the item selectable again.
    if (!send(kWBModeCommand, code))
        return;
    s.CurrentWBMode = code;
    applyMode(code);
}

void WhiteBalanceCommands::applyMode(int code)
{
    const std::optional<WBModeRow> row = wbModeRow(code);
    if (!row)
        return;
    checkWBItem(*m_ui, row->item);
    applyWBModeControls(*m_ui, *row);
}

} // namespace zam

#include "whitebalance.h"

#include "controls.h"

#include <cameramodes.h>
#include <groupwidgets.h>
#include <statusblocks.h>
#include <statusread.h>

#include <iterator>
#include <utility>

namespace zam {

namespace {

using catalog::Id;

// The WB mode packets by mode code 0..5 (kWBModeRows).
constexpr Id kWBModeEntries[] = {Id::WbAuto,    Id::WbIndoor, Id::WbOutdoor,
                                 Id::WbOnePush, Id::WbAtw,    Id::WbManual};

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

bool WhiteBalanceCommands::send(catalog::Id id, std::initializer_list<int> values)
{
    return zam::send(*m_link, id, values);
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
    if (code < 0 || code >= int(std::size(kWBModeEntries)) ||
        !send(kWBModeEntries[std::size_t(code)]))
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

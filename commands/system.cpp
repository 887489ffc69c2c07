#include "system.h"

#include "controls.h"
#include "picture.h"

#include <QButtonGroup>
#include <QMessageBox>
#include <QRegularExpression>
#include <frmcamid.h>
#include <hexfield.h>

#include "ui_system.h"

namespace zam {

const QString SystemCommands::kMemoryTitle = QStringLiteral("16Byte Memory");
const QString SystemCommands::kCameraIdTitle = QStringLiteral("Camera ID Write");
const QString SystemCommands::kCameraIdMessage = QStringLiteral(
    "The camera ID must be a whole number from 0 to 65535.\nNothing was sent to the camera.");

namespace {

using catalog::Id;

constexpr int kCameraIdMax = 0xFFFF;
constexpr int kMemoryAddresses = 8;

// The preset entries by PresetKind.
constexpr std::array<Id, 3> kPresetEntries{Id::PresetSet, Id::PresetRecall, Id::PresetReset};

// A broadcast to every camera on the chain, whichever is selected.
void sendBroadcast(CameraLink &link, Id id)
{
    if (const auto packet = catalog::build(id, catalog::kBroadcast))
        link.SD(*packet, 1);
}

// FrmCamID opens 100 twips (1/14.4 inch) right of and below the main
// window's top-left corner.
constexpr int kCamIdOffsetTwips = 100;
constexpr int kTwipsPerInch = 1440;

} // namespace

std::optional<int> cameraIdValue(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)0*(\\d+)\\s*$"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const bool negative = m.captured(1) == QLatin1String("-");
    const QString digits = m.captured(2);
    // More digits than 65535 has is out of range whatever they are.
    const int magnitude = digits.size() > 5 ? kCameraIdMax + 1 : digits.toInt();
    if (negative)
        return 0;
    return std::min(magnitude, kCameraIdMax);
}

SystemCommands::SystemCommands(CameraLink &link, QWidget &window, FrmCamID &idDialog,
                               std::function<void()> readStatus)
    : m_ui(placeForm<Ui::SystemGroup>(window, "SystemGroup")), m_link(&link), m_idDialog(&idDialog),
      m_readStatus(std::move(readStatus)), m_window(&window),
      m_cameraIdText(&windowWidget<QLineEdit>(window, "CameraIDText")), m_messages(&window),
      m_pendingRelease(link.clock()), m_recallRefresh(link.clock())
{
    const Ui::SystemGroup *ui = m_ui.get();

    const OnOffItem items[] = {
        {&windowAction(window, "Power"), Id::PowerOn, Id::PowerOff, true},
        {&windowAction(window, "KeyLock"), Id::KeyLockOn, Id::KeyLockOff, false},
        {&windowAction(window, "Mute"), Id::MuteOn, Id::MuteOff, false},
    };
    for (const OnOffItem &row : items)
        connectOnOffItem(row, link, this);

    connect(&windowAction(window, "AddressSet"), &QAction::triggered, this,
            [this] { sendBroadcast(*m_link, Id::AddressSet); });
    connect(&windowAction(window, "IFClear"), &QAction::triggered, this,
            [this] { sendBroadcast(*m_link, Id::InterfaceClear); });

    const std::pair<QAbstractButton *, Id> custom[] = {
        {ui->CustomMem_0, Id::CustomPresetSet},
        {ui->CustomMem_1, Id::CustomPresetRecall},
        {ui->CustomMem_2, Id::CustomPresetReset},
    };
    for (const auto &[button, id] : custom)
        connect(button, &QAbstractButton::clicked, this, [this, id = id] { send(*m_link, id); });

    m_presets = {{
        {ui->SetOption_0, ui->SetOption_1, ui->SetOption_2, ui->SetOption_3, ui->SetOption_4,
         ui->SetOption_5},
        {ui->RecallOption_0, ui->RecallOption_1, ui->RecallOption_2, ui->RecallOption_3,
         ui->RecallOption_4, ui->RecallOption_5},
        {ui->ResetOption_0, ui->ResetOption_1, ui->ResetOption_2, ui->ResetOption_3,
         ui->ResetOption_4, ui->ResetOption_5},
    }};
    for (int kind = 0; kind < int(m_presets.size()); ++kind) {
        for (int index = 0; index < int(m_presets[kind].size()); ++index) {
            connect(m_presets[kind][index], &QAbstractButton::clicked, this,
                    [this, kind, index] { presetClicked(kind, index); });
        }
    }
    connect(&link, &CameraLink::commandFinished, this, &SystemCommands::memoryActionFinished);

    m_pendingRelease.setSingleShot(true);
    m_pendingRelease.setInterval(kPendingTimeoutMs);
    connect(&m_pendingRelease, &ClockTimer::timeout, this, &SystemCommands::releasePending);
    m_recallRefresh.setSingleShot(true);
    m_recallRefresh.setInterval(kRecallRefreshDelayMs);
    connect(&m_recallRefresh, &ClockTimer::timeout, this, [this] {
        // Auto refresh switched on meanwhile reads by itself.
        if (!m_link->refresh().captionIsAuto())
            m_readStatus();
    });

    connect(ui->cmdMemoryRD, &QAbstractButton::clicked, this, &SystemCommands::readMemory);
    connect(ui->cmdMemoryWite, &QAbstractButton::clicked, this, &SystemCommands::writeMemory);

    connect(&windowAction(window, "IDWrite"), &QAction::triggered, this,
            &SystemCommands::openCameraIdDialog);
    FrmCamID &dialog = idDialog;
    connect(&dialog, &FrmCamID::writeRequested, this, &SystemCommands::writeCameraId);
    // OK, Cancel, Escape and the title bar's close all end here.
    connect(&dialog, &QDialog::finished, this, [this] { m_link->refresh().holdEnded(); });
}

SystemCommands::~SystemCommands() = default;

void SystemCommands::showOther(const OtherStatus &s)
{
    windowAction(*m_window, "Power").setChecked(s.power);
    windowAction(*m_window, "KeyLock").setChecked(s.keyLock);
    showNumber(m_cameraIdText, s.cameraId);
    m_idDialog->setIdText(QString::number(s.cameraId));
}

QRadioButton *SystemCommands::presetButton(int kind, int index) const
{
    if (kind < 0 || kind >= int(m_presets.size()) || index < 0 ||
        index >= int(m_presets[kind].size()))
        return nullptr;
    return m_presets[kind][index];
}

void SystemCommands::deselect(QRadioButton *button)
{
    if (!button)
        return;
    // An exclusive group keeps one button checked; it is opened for the moment.
    QButtonGroup *group = button->group();
    if (group)
        group->setExclusive(false);
    button->setChecked(false);
    if (group)
        group->setExclusive(true);
}

void SystemCommands::presetClicked(int kind, int index)
{
    QRadioButton *button = presetButton(kind, index);
    if (!m_link->RefreshNotGoCheck() || m_pending) {
        // Undo the click. The pending operation's button stays selected: a
        // click in its row moved the selection away from it.
        deselect(button);
        if (m_pending) {
            if (QRadioButton *pending = presetButton(m_pending->kind, m_pending->index))
                pending->setChecked(true);
        }
        return;
    }
    m_pending = PendingPreset{kind, index};
    if (!send(*m_link, kPresetEntries[std::size_t(kind)], {index})) {
        m_pending.reset();
        deselect(button);
        return;
    }
    m_pendingRelease.start();

    AutoRefresh &refresh = m_link->refresh();
    m_readAfterRecall = kind == Recall && !refresh.captionIsAuto();
    if (m_readAfterRecall) {
        m_recallRefresh.stop();
        refresh.tickingUnderStopEnded();
    }
}

void SystemCommands::memoryActionFinished()
{
    if (!m_pending)
        return;
    const auto [kind, index] = *m_pending;
    m_pendingRelease.stop();
    // The operation's button is selected and let go again, so that none
    // stays selected once the camera has finished.
    if (QRadioButton *button = presetButton(kind, index)) {
        button->setChecked(true);
        deselect(button);
    }
    if (kind == Recall && m_readAfterRecall && !m_link->refresh().captionIsAuto())
        m_recallRefresh.start();
    m_readAfterRecall = false;
    m_pending.reset();
}

void SystemCommands::releasePending()
{
    if (!m_pending)
        return;
    const PendingPreset pending = *m_pending;
    m_pending.reset();
    m_readAfterRecall = false;
    deselect(presetButton(pending.kind, pending.index));
}

void SystemCommands::refuseField(QWidget *field, const QString &text)
{
    m_messages.show({QMessageBox::Warning, kMemoryTitle,
                     text + QStringLiteral("\nNothing was sent to the camera.")});
    field->setFocus();
    if (auto *box = qobject_cast<QLineEdit *>(field))
        box->selectAll();
}

std::optional<int> SystemCommands::memoryAddress()
{
    const int address = m_ui->CombMemoryAD->currentIndex();
    if (address < 0 || address >= kMemoryAddresses) {
        refuseField(m_ui->CombMemoryAD, QStringLiteral("Select a memory address from 0 to 7."));
        return std::nullopt;
    }
    return address;
}

void SystemCommands::readMemory()
{
    const auto address = memoryAddress();
    if (!address)
        return;
    send(*m_link, Id::UserMemoryRead, {*address});
}

void SystemCommands::writeMemory()
{
    const auto address = memoryAddress();
    if (!address)
        return;
    const auto refuse = [this](const QString &text) {
        m_messages.show({QMessageBox::Warning, kMemoryTitle, text});
    };
    const auto upper =
        readHexBox(m_ui->TxtMemoryDataUpper, kHexByteMax,
                   hexBoxRefusal(QStringLiteral("The first data byte (pp)"), refuse));
    if (!upper)
        return;
    const auto lower =
        readHexBox(m_ui->TxtMemoryDataLower, kHexByteMax,
                   hexBoxRefusal(QStringLiteral("The second data byte (qq)"), refuse));
    if (!lower)
        return;
    send(*m_link, Id::UserMemoryWrite, {*address, int(*upper), int(*lower)});
}

void SystemCommands::openCameraIdDialog()
{
    m_link->refresh().holdStarted();
    FrmCamID &dialog = *m_idDialog;
    const int offset = m_window->logicalDpiX() * kCamIdOffsetTwips / kTwipsPerInch;
    dialog.move(m_window->frameGeometry().topLeft() + QPoint(offset, offset));
    dialog.setModal(false);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void SystemCommands::writeCameraId()
{
    FrmCamID &dialog = *m_idDialog;
    const auto value = cameraIdValue(dialog.idText());
    if (!value) {
        m_messages.show({QMessageBox::Warning, kCameraIdTitle, kCameraIdMessage});
        dialog.selectId();
        return;
    }
    // The box shows the ID that is written: a clamped value replaces the text.
    const QString text = QString::number(*value);
    if (dialog.idText() != text)
        dialog.setIdText(text);
    if (!send(*m_link, Id::CameraIdWrite, {*value}))
        return;
    m_cameraIdText->setText(text);
    dialog.accept();
}

} // namespace zam

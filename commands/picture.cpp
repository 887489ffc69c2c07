#include "picture.h"

#include "controls.h"

#include <QMessageBox>
#include <frmdeffect.h>
#include <groupwidgets.h>
#include <hexfield.h>
#include <packet.h>

#include <algorithm>
#include <vector>

namespace zam {

const QString PictureCommands::kThresholdTitle = QStringLiteral("AutoICR Level Threshold");

namespace {

constexpr int kWideDynamicRange = 0x3D;
constexpr int kHighResolution = 0x52;
constexpr int kICR = 0x01;
constexpr int kAutoICR = 0x51;
constexpr int kICRThreshold = 0x21;
constexpr int kWideMode = 0x60;
constexpr int kPictureEffect = 0x63;
constexpr int kDigitalEffectLevel = 0x65;

constexpr int kOn = 0x02;
constexpr int kOff = 0x03;

} // namespace

void connectCaptionToggle(QAbstractButton *button, CameraLink &link, int command,
                          std::initializer_list<CaptionStep> steps, QObject *context)
{
    const std::vector<CaptionStep> rows(steps);
    QObject::connect(button, &QAbstractButton::clicked, context, [button, &link, command, rows] {
        const QString caption = button->text();
        for (const CaptionStep &row : rows) {
            if (row.caption && caption != QLatin1String(row.caption))
                continue;
            if (sendFunction(link, command, row.parameter))
                button->setText(QString::fromLatin1(row.next));
            return;
        }
    });
}

void connectMarkedItem(QAction *item, QObject *context,
                       std::function<void(bool wasChecked)> handler)
{
    // A checkable QAction flips its own mark before it reports the trigger.
    QObject::connect(item, &QAction::triggered, context, [item, handler](bool checked) {
        const bool wasChecked = item->isCheckable() ? !checked : item->isChecked();
        item->setChecked(wasChecked);
        handler(wasChecked);
    });
}

void connectOnOffItem(const OnOffItem &row, CameraLink &link, QObject *context,
                      std::function<void(bool on)> afterToggle)
{
    connectMarkedItem(row.item, context, [row, &link, afterToggle](bool wasChecked) {
        if (row.gated && !link.RefreshNotGoCheck())
            return;
        const auto packet = wasChecked ? ToByteArray({link.state().header(), 0x01, 0x04,
                                                      row.offCommand, row.offParameter, 0xFF})
                                       : ToByteArray({link.state().header(), 0x01, 0x04,
                                                      row.onCommand, row.onParameter, 0xFF});
        if (!packet)
            return;
        if (!afterToggle) {
            if (sendCommand(link, *packet))
                row.item->setChecked(!wasChecked);
            return;
        }
        // The gate has let the click through, so SD takes the packet.
        row.item->setChecked(!wasChecked);
        afterToggle(!wasChecked);
        sendCommand(link, *packet);
    });
}

PictureCommands::PictureCommands(CameraLink &link, const PictureWidgets &widgets,
                                 FrmDEffect &levelDialog, QWidget *window)
    : m_ui(&widgets), m_link(&link), m_levelDialog(&levelDialog), m_messages(window)
{
    const PictureWidgets *ui = m_ui;

    connectCaptionToggle(ui->Wide_D, link, kWideDynamicRange,
                         {{"ON", kOn, "OFF"}, {nullptr, kOff, "ON"}}, this);
    connectCaptionToggle(ui->cmdHigh_Reso, link, kHighResolution,
                         {{"OFF", kOff, "ON"}, {"ON", kOn, "OFF"}}, this);
    connectCaptionToggle(ui->comAutoICR, link, kAutoICR, {{"OFF", kOn, "ON"}, {"ON", kOff, "OFF"}},
                         this);
    connect(ui->comICR_0, &QAbstractButton::clicked, this,
            [this] { sendFunction(*m_link, kICR, kOn); });
    connect(ui->comICR_1, &QAbstractButton::clicked, this,
            [this] { sendFunction(*m_link, kICR, kOff); });
    connect(ui->comICR_Threshold, &QAbstractButton::clicked, this,
            &PictureCommands::sendICRThreshold);

    const OnOffItem items[] = {
        {ui->PictureFlip, 0x66, kOn, 0x66, kOff, true},
        {ui->LR_Reverse, 0x61, kOn, 0x61, kOff, true},
        {ui->Freese, 0x62, kOn, 0x62, kOff, true},
        {ui->Image_Stabi, 0x34, kOn, 0x34, kOff, true},
    };
    for (const OnOffItem &row : items)
        connectOnOffItem(row, link, this);

    // The wide (aspect) submenu is not offered; Normal keeps its packet.
    ui->Wide->menuAction()->setVisible(false);
    ui->Wide->menuAction()->setEnabled(false);
    connectMarkedItem(ui->Normal, this, [this](bool) {
        if (sendFunction(*m_link, kWideMode, 0x00))
            m_ui->Normal->setChecked(true);
    });

    const std::pair<QAction *, int> effects[] = {
        {ui->PEOff, 0x00}, {ui->NegArt, 0x02}, {ui->BlackWhite, 0x04}};
    for (const auto &[item, parameter] : effects) {
        connectMarkedItem(item, this, [this, item = item, parameter = parameter](bool) {
            selectPictureEffect(item, parameter);
        });
    }

    connect(ui->DigitalEffectLevel, &QAction::triggered, this,
            &PictureCommands::openDigitalEffectLevel);
    FrmDEffect &dialog = levelDialog;
    dialog.setLevelMaximum(kDigitalEffectLevelMax);
    connect(&dialog, &FrmDEffect::levelChosen, this, &PictureCommands::sendDigitalEffectLevel);
    // OK, Cancel, Escape and the title bar's close all end here.
    connect(&dialog, &QDialog::finished, this, [this] {
        m_link->refresh().holdEnded();
    });
}

void PictureCommands::sendICRThreshold()
{
    const auto threshold = readHexBox(
        m_ui->txtICRthreshold, kHexByteMax,
        hexBoxRefusal(QStringLiteral("The AutoICR level threshold"),
                      [this](const QString &text) { m_messages.show({QMessageBox::Warning, kThresholdTitle, text}); }));
    if (!threshold)
        return;
    sendCommand(*m_link, {m_link->state().header(), 0x01, 0x04, kICRThreshold, 0x00, 0x00,
                          int(*threshold >> 4), int(*threshold & 0x0F), 0xFF});
}

void PictureCommands::selectPictureEffect(QAction *item, int parameter)
{
    if (!m_link->RefreshNotGoCheck())
        return;
    if (!sendFunction(*m_link, kPictureEffect, parameter))
        return;
    for (QAction *a : {m_ui->PEOff, m_ui->NegArt, m_ui->BlackWhite})
        a->setChecked(a == item);
}

void PictureCommands::openDigitalEffectLevel()
{
    m_link->refresh().holdStarted();
    FrmDEffect &dialog = *m_levelDialog;
    dialog.setModal(false);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

void PictureCommands::sendDigitalEffectLevel()
{
    FrmDEffect &dialog = *m_levelDialog;
    const int value = std::clamp(dialog.level(), 0, kDigitalEffectLevelMax);
    if (!sendFunction(*m_link, kDigitalEffectLevel, value))
        return;
    dialog.accept();
}

} // namespace zam

#include "picture.h"

#include "controls.h"

#include <QMessageBox>
#include <formcontrols.h>
#include <frmdeffect.h>
#include <hexfield.h>

#include <algorithm>
#include <vector>

#include "ui_picture.h"

namespace zam {

const QString PictureCommands::kThresholdTitle = QStringLiteral("AutoICR Level Threshold");

namespace {

using catalog::Id;

} // namespace

void connectCaptionToggle(QAbstractButton *button, CameraLink &link,
                          std::initializer_list<CaptionStep> steps, QObject *context)
{
    const std::vector<CaptionStep> rows(steps);
    QObject::connect(button, &QAbstractButton::clicked, context, [button, &link, rows] {
        const QString caption = button->text();
        for (const CaptionStep &row : rows) {
            if (row.caption && caption != QLatin1String(row.caption))
                continue;
            if (send(link, row.id))
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
        const auto packet =
            catalog::build(wasChecked ? row.off : row.on, link.state().CameraAddress);
        if (!packet)
            return;
        if (!afterToggle) {
            if (link.SD(*packet, 1))
                row.item->setChecked(!wasChecked);
            return;
        }
        // The gate has let the click through, so SD takes the packet.
        row.item->setChecked(!wasChecked);
        afterToggle(!wasChecked);
        link.SD(*packet, 1);
    });
}

void connectModeItems(ModeFamily family, QWidget &form, CameraLink &link, QObject *context)
{
    for (const ModeRow &row : modeRows(family)) {
        connectMarkedItem(formAction(form, row.item), context, [family, &form, &link, &row](bool) {
            if (row.guarded && !link.RefreshNotGoCheck())
                return;
            if (send(link, row.entry))
                checkModeItem(form, family, &row);
        });
    }
}

PictureCommands::PictureCommands(CameraLink &link, QWidget &window, FrmDEffect &levelDialog)
    : m_ui(placeForm<Ui::PictureGroup>(window, "PictureGroup")), m_window(&window), m_link(&link),
      m_levelDialog(&levelDialog), m_messages(&window)
{
    const Ui::PictureGroup *ui = m_ui.get();

    connectCaptionToggle(
        ui->Wide_D, link,
        {{"ON", Id::WideDynamicRangeOn, "OFF"}, {nullptr, Id::WideDynamicRangeOff, "ON"}}, this);
    connectCaptionToggle(
        // In the Aperture Control frame of the exposure group's form.
        &windowWidget<QAbstractButton>(window, "cmdHigh_Reso"), link,
        {{"OFF", Id::HighResolutionOff, "ON"}, {"ON", Id::HighResolutionOn, "OFF"}}, this);
    connectCaptionToggle(ui->comAutoICR, link,
                         {{"OFF", Id::AutoIcrOn, "ON"}, {"ON", Id::AutoIcrOff, "OFF"}}, this);
    connect(ui->comICR_0, &QAbstractButton::clicked, this, [this] { send(*m_link, Id::IcrOn); });
    connect(ui->comICR_1, &QAbstractButton::clicked, this, [this] { send(*m_link, Id::IcrOff); });
    connect(ui->comICR_Threshold, &QAbstractButton::clicked, this,
            &PictureCommands::sendICRThreshold);

    const OnOffItem items[] = {
        {&windowAction(window, "PictureFlip"), Id::PictureFlipOn, Id::PictureFlipOff, true},
        {&windowAction(window, "LR_Reverse"), Id::LrReverseOn, Id::LrReverseOff, true},
        {&windowAction(window, "Freese"), Id::FreezeOn, Id::FreezeOff, true},
        {&windowAction(window, "Image_Stabi"), Id::StabilizerOn, Id::StabilizerOff, true},
    };
    for (const OnOffItem &row : items)
        connectOnOffItem(row, link, this);

    // The wide (aspect) submenu is not offered; Normal keeps its packet.
    QAction &wide = windowAction(window, "Wide");
    wide.setVisible(false);
    wide.setEnabled(false);
    QAction *normal = &windowAction(window, "Normal");
    connectMarkedItem(normal, this, [this, normal](bool) {
        if (send(*m_link, Id::WideModeNormal))
            normal->setChecked(true);
    });

    connectModeItems(ModeFamily::PictureEffect, window, link, this);

    connect(&windowAction(window, "DigitalEffectLevel"), &QAction::triggered, this,
            &PictureCommands::openDigitalEffectLevel);
    FrmDEffect &dialog = levelDialog;
    dialog.setLevelMaximum(kDigitalEffectLevelMax);
    connect(&dialog, &FrmDEffect::levelChosen, this, &PictureCommands::sendDigitalEffectLevel);
    // OK, Cancel, Escape and the title bar's close all end here.
    connect(&dialog, &QDialog::finished, this, [this] { m_link->refresh().holdEnded(); });
}

PictureCommands::~PictureCommands() = default;

void PictureCommands::showOther(const OtherStatus &s)
{
    QWidget &window = *m_window;
    windowAction(window, "LR_Reverse").setChecked(s.lrReverse);
    windowAction(window, "Freese").setChecked(s.freeze);
    m_ui->comAutoICR->setText(autoICRCaption(s.autoICR));
    checkModeItem(window, ModeFamily::PictureEffect,
                  reportedMode(ModeFamily::PictureEffect, s.pictureEffect));
    m_levelDialog->setLevel(s.digitalEffectLevel);
    windowAction(window, "Image_Stabi").setChecked(s.imageStabilizer);
}

void PictureCommands::showExtended(const ExtendedStatus &s)
{
    windowAction(*m_window, "PictureFlip").setChecked(s.pictureFlip);
}

void PictureCommands::sendICRThreshold()
{
    const auto threshold = readHexBox(
        m_ui->txtICRthreshold, kHexByteMax,
        hexBoxRefusal(QStringLiteral("The AutoICR level threshold"), [this](const QString &text) {
            m_messages.show({QMessageBox::Warning, kThresholdTitle, text});
        }));
    if (!threshold)
        return;
    send(*m_link, Id::IcrThreshold, {int(*threshold)});
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
    if (!send(*m_link, Id::DigitalEffectLevel, {value}))
        return;
    dialog.accept();
}

} // namespace zam

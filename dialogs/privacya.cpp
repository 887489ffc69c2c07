#include "privacya.h"

#include "maskencoding.h"
#include "ui_privacya.h"

#include <hexfield.h>

namespace zam {

using namespace maskui;

namespace {
// The earlier family's packets always go to camera 1, whichever is selected.
constexpr int kCameraOne = 1;
} // namespace

PrivacyA::PrivacyA(CameraLink &link, QWidget *parent)
    : maskui::MaskDialog(parent), m_ui(std::make_unique<Ui::PrivacyA>()), m_link(&link),
      m_sender(link, m_log)
{
    m_ui->setupUi(this);
    m_zones = widgetsIn<QLineEdit>(m_ui->zoneBoxes);
    Q_ASSERT(m_zones.size() == 24);
    m_ui->PrivacyGrid->setGridSize(16, 12);
    m_ui->PrivacyGrid->setAxisNames(QStringLiteral("X"), QStringLiteral("Y"));
    mirrorLog(m_log, m_ui->TxtPrivacyA);

    const QPushButton *set[3] = {m_ui->cmdPZMset_0, m_ui->cmdPZMset_1, m_ui->cmdPZMset_2};
    for (int i = 0; i < 3; ++i)
        connect(set[i], &QPushButton::clicked, this, [this, i] { cmdPZMset_Click(i); });
    connect(m_ui->CmdPrivacyOn, &QPushButton::clicked, this,
            [this] { sendSwitch(catalog::Id::PrivacyAOn); });
    connect(m_ui->CmdPrivacyoff, &QPushButton::clicked, this,
            [this] { sendSwitch(catalog::Id::PrivacyAOff); });
    connect(m_ui->CmdClear, &QPushButton::clicked, this,
            [this] { sendSwitch(catalog::Id::PrivacyAClear); });
    for (QLineEdit *box : m_zones)
        connect(box, &QLineEdit::textChanged, this, &PrivacyA::redrawGrid);
    redrawGrid();
}

PrivacyA::~PrivacyA() = default;

void PrivacyA::openFromMenu()
{
    show();
    raise();
    activateWindow();
}

void PrivacyA::cmdPZMset_Click(int index)
{
    // The pair, then X, Y, Width and Height of its two zones.
    std::array<int, 9> values{index};
    for (int k = 0; k < 8; ++k) {
        const auto value = valueOf(m_zones[8 * index + k], kHexDigitMax);
        if (!value)
            return;
        values[std::size_t(k + 1)] = int(*value);
    }
    // The zones go through the main window's sender: they are not logged here.
    sendEntry(*m_link, kCameraOne, catalog::Id::PrivacyZonePairSet, values);
}

void PrivacyA::sendSwitch(catalog::Id id)
{
    sendEntry(m_sender, kCameraOne, id);
}

void PrivacyA::redrawGrid()
{
    QList<ZoneGrid::Area> areas;
    for (int n = 0; n < 6; ++n) {
        int v[4];
        bool fits = true;
        for (int k = 0; k < 4; ++k) {
            const auto value = readHexField(m_zones[4 * n + k]->text(), kHexDigitMax);
            fits = fits && value.has_value();
            v[k] = int(value.value_or(0));
        }
        if (fits && v[2] > 0 && v[3] > 0)
            areas.append({v[0], v[1], v[2], v[3], QString::number(n + 1)});
    }
    m_ui->PrivacyGrid->setAreas(areas);
}

} // namespace zam

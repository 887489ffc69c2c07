#include "trafficmonitor.h"

#include "trafficcells.h"
#include "ui_trafficmonitor.h"

#include <QFileDialog>
#include <QSaveFile>
#include <QScrollBar>
#include <trafficmodel.h>

namespace zam {

const QString kTrafficCsvFilter = QStringLiteral("CSV files (*.csv)");
const QString kTrafficTextFilter = QStringLiteral("Text files (*.txt)");

TrafficMonitor::TrafficMonitor(TrafficModel &model, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::TrafficMonitor>()), m_model(&model),
      m_messages(this)
{
    m_ui->setupUi(this);
    QTableView *view = m_ui->trafficView;
    view->setModel(&model);
    view->setItemDelegate(new TrafficCells(view));
    // Fixed row heights: the view never measures 100 000 rows.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    sizeColumns();

    m_chooseFile = [](QWidget *parent, QString *filter) {
        return QFileDialog::getSaveFileName(
            parent, QStringLiteral("Save Traffic"), QString(),
            kTrafficCsvFilter + QStringLiteral(";;") + kTrafficTextFilter, filter);
    };

    // The model may have been filtered and paused by an earlier window.
    const TrafficFilter &f = model.filter();
    m_ui->cameraFilter->setCurrentIndex(std::clamp(f.camera, 0, 7));
    m_ui->directionFilter->setCurrentIndex(int(f.direction));
    m_ui->hideStatusReads->setChecked(f.hideStatusReads);
    showPaused(model.paused());

    connect(m_ui->cameraFilter, &QComboBox::currentIndexChanged, this,
            &TrafficMonitor::applyFilter);
    connect(m_ui->directionFilter, &QComboBox::currentIndexChanged, this,
            &TrafficMonitor::applyFilter);
    connect(m_ui->hideStatusReads, &QCheckBox::toggled, this, &TrafficMonitor::applyFilter);
    connect(m_ui->pauseButton, &QPushButton::clicked, this, &TrafficMonitor::togglePause);
    connect(m_ui->clearButton, &QPushButton::clicked, &model, &TrafficModel::clear);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &TrafficMonitor::save);

    // Follow the newest row unless the operator has scrolled away from it.
    QScrollBar *bar = view->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { m_follow = value >= bar->maximum(); });
    connect(&model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_follow)
            m_ui->trafficView->scrollToBottom();
    });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        m_follow = true;
        m_ui->trafficView->scrollToBottom();
    });
}

TrafficMonitor::~TrafficMonitor() = default;

void TrafficMonitor::sizeColumns()
{
    // Widths from the font once; measuring cells would touch every row.
    const QFontMetrics fm = m_ui->trafficView->fontMetrics();
    QHeaderView *header = m_ui->trafficView->horizontalHeader();
    auto fit = [&](int column, const QString &widest) {
        const int title = fm.horizontalAdvance(TrafficModel::columnTitle(column));
        header->resizeSection(column, std::max(title, fm.horizontalAdvance(widest)) + 16);
    };
    fit(TrafficModel::Time, QStringLiteral("00000000"));
    fit(TrafficModel::Direction, QStringLiteral("From camera"));
    fit(TrafficModel::Camera, QStringLiteral("Broadcast"));
    fit(TrafficModel::Bytes, QStringLiteral("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    fit(TrafficModel::RoundTrip, QStringLiteral("00000"));
    header->setSectionResizeMode(TrafficModel::Meaning, QHeaderView::Stretch);
}

void TrafficMonitor::applyFilter()
{
    TrafficFilter f;
    f.camera = std::max(0, m_ui->cameraFilter->currentIndex());
    switch (m_ui->directionFilter->currentIndex()) {
    case 1:
        f.direction = TrafficFilter::Direction::ToCamera;
        break;
    case 2:
        f.direction = TrafficFilter::Direction::FromCamera;
        break;
    default:
        f.direction = TrafficFilter::Direction::Both;
        break;
    }
    f.hideStatusReads = m_ui->hideStatusReads->isChecked();
    m_model->setFilter(f);
}

void TrafficMonitor::togglePause()
{
    m_model->setPaused(!m_model->paused());
    showPaused(m_model->paused());
}

void TrafficMonitor::showPaused(bool paused)
{
    m_ui->pauseButton->setText(paused ? QStringLiteral("&Resume") : QStringLiteral("&Pause"));
    m_ui->pauseButton->setAccessibleName(paused ? QStringLiteral("Resume")
                                                : QStringLiteral("Pause"));
}

void TrafficMonitor::save()
{
    QString filter = kTrafficCsvFilter;
    const QString path = m_chooseFile(this, &filter);
    if (!path.isEmpty())
        saveTo(path, filter);
}

bool TrafficMonitor::saveTo(const QString &path, const QString &filter)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool text = suffix == u"txt" || (suffix != u"csv" && filter == kTrafficTextFilter);
    QString target = path;
    if (suffix.isEmpty())
        target += text ? QStringLiteral(".txt") : QStringLiteral(".csv");
    QSaveFile file(target);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok)
        ok = text ? writeTrafficText(*m_model, file) : writeTrafficCsv(*m_model, file);
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (!ok)
        m_messages.show({QMessageBox::Warning, QStringLiteral("Traffic Monitor"),
                         QStringLiteral("The traffic could not be saved to %1.")
                             .arg(QDir::toNativeSeparators(target)),
                         QMessageBox::Ok, file.errorString()});
    return ok;
}

} // namespace zam

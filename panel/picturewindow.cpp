#include "picturewindow.h"

#include "ui_picturewindow.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <algorithm>

namespace zam {

PictureWindow::PictureWindow(Clock &clock, PictureFeed feed, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::PictureWindow>()),
      m_feed(std::move(feed)), m_timer(clock), m_messages(this), m_clock(clock)
{
    m_ui->setupUi(this);
    m_timer.setSingleShot(true);
    connect(&m_timer, &ClockTimer::timeout, this, &PictureWindow::look);
    m_chooseFile = [](QWidget *parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Picture"),
                                            QStringLiteral("camera.png"),
                                            QStringLiteral("PNG images (*.png)"));
    };
    connect(m_ui->SavePng, &QPushButton::clicked, this, [this] {
        const QString path = m_chooseFile(this);
        if (!path.isEmpty())
            saveTo(path);
    });
}

PictureWindow::~PictureWindow() = default;

void PictureWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    look();
}

void PictureWindow::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

void PictureWindow::poke()
{
    if (!isVisible())
        return;
    // The camera takes the packet a line time later: look at the next
    // frame's time, and keep looking at that rate for a second.
    m_changedMs = m_clock.nowMs();
    if (!m_timer.isActive() || m_timer.remainingTime() > kLookMs)
        m_timer.start(kLookMs);
}

void PictureWindow::look()
{
    const std::int64_t now = m_clock.nowMs();
    const std::uint64_t key = m_feed.key();
    if (!m_drawn || key != m_key) {
        m_key = key;
        m_drawn = true;
        m_changedMs = now;
        m_picture = m_feed.draw();
        ++m_redraws;
        m_ui->PictureView->setPixmap(QPixmap::fromImage(m_picture));
        if (m_feed.describe) {
            const QString words = m_feed.describe();
            m_ui->PictureCaption->setText(words.section(QLatin1Char('\n'), 0, 0));
            m_ui->PictureView->setAccessibleDescription(words);
        }
    }
    m_timer.start(now - m_changedMs < kIdleLookMs ? kLookMs : kIdleLookMs);
}

bool PictureWindow::saveTo(const QString &path)
{
    QString target = path;
    if (QFileInfo(path).suffix().isEmpty())
        target += QStringLiteral(".png");
    QSaveFile file(target);
    const bool ok = !m_picture.isNull() && file.open(QIODevice::WriteOnly) &&
                    m_picture.save(&file, "PNG") && file.commit();
    if (!ok)
        m_messages.show({QMessageBox::Warning, QStringLiteral("Simulated Picture"),
                         QStringLiteral("The picture could not be saved to %1.")
                             .arg(QDir::toNativeSeparators(target)),
                         QMessageBox::Ok, file.errorString()});
    return ok;
}

} // namespace zam

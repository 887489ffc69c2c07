#pragma once
// "Tools" -> "Simulated Picture": the selected simulated camera's picture in
// a window beside the main window. It knows nothing of the cameras: a feed
// says when the picture may have changed and draws it. While the window is
// shown it looks at the feed and redraws only when the feed's key moved: ten
// times a second while the picture keeps changing (a zoom running, a title
// blinking), once a second when it has stood still for a second, and soon
// after poke() (a packet went to the cameras). An idle camera costs one
// cheap look a second. The picture's words go under it (the summary) and to
// screen readers (all of them, as the picture's description).

#include <QImage>
#include <QWidget>
#include <clock.h>
#include <functional>
#include <memory>
#include <windowsupport.h>

namespace Ui {
class PictureWindow;
}

namespace zam {

struct PictureFeed {
    std::function<std::uint64_t()> key; // moves whenever the picture may have changed
    std::function<QImage()> draw;
    std::function<QString()> describe; // the picture in words, summary first (may be unset)
};

class PictureWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLookMs = 100;      // at most 10 frames a second
    static constexpr int kIdleLookMs = 1000; // after a second without change

    PictureWindow(Clock &clock, PictureFeed feed, QWidget *parent = nullptr);
    ~PictureWindow() override;

    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }
    // Where "Save as PNG..." asks for a file; empty: cancelled.
    using FileChooser = std::function<QString(QWidget *parent)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    // Writes the picture shown; tells the operator when it cannot.
    bool saveTo(const QString &path);

    // A packet went to the cameras: look within kLookMs, and at that rate
    // for a second.
    void poke();

    const QImage &picture() const { return m_picture; }
    int redraws() const { return m_redraws; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void look();

    std::unique_ptr<Ui::PictureWindow> m_ui;
    PictureFeed m_feed;
    ClockTimer m_timer;
    OperatorMessages m_messages;
    FileChooser m_chooseFile;
    QImage m_picture;
    Clock &m_clock;
    std::uint64_t m_key = 0;
    std::int64_t m_changedMs = 0;
    bool m_drawn = false;
    int m_redraws = 0;
};

} // namespace zam

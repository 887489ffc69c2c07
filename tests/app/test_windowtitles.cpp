// The name each window shows on screen is its caption, letter for letter,
// with the program set up as main() sets it up. Under X the title is read
// back from the window's _NET_WM_NAME, the name a window manager shows.

#include "support/panelrig.h"
#include "support/testmain.h"

#include <QMessageBox>
#include <QWindow>
#include <appsetup.h>
#include <frmoption.h>
#include <portlist.h>

#ifdef ZAM_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

using namespace zam;

namespace {

#ifdef ZAM_HAVE_XCB
xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

QString x11WindowName(QWidget *w)
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return QStringLiteral("<no X connection>");
    const auto cookie = xcb_get_property(c, 0, xcb_window_t(w->winId()), atom(c, "_NET_WM_NAME"),
                                         atom(c, "UTF8_STRING"), 0, 1024);
    xcb_get_property_reply_t *r = xcb_get_property_reply(c, cookie, nullptr);
    const QString name = r ? QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(r)),
                                               xcb_get_property_value_length(r))
                           : QStringLiteral("<no _NET_WM_NAME>");
    std::free(r);
    return name;
}
#endif

// The title as the platform puts it on screen.
QString shownTitle(QWidget *w)
{
#ifdef ZAM_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return x11WindowName(w);
#endif
    return w->windowHandle() ? w->windowHandle()->title() : QStringLiteral("<no window>");
}

void compareShownTitle(QWidget *w, const QString &caption)
{
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowHandle()->title(), caption);
    QCOMPARE(shownTitle(w), caption);
}

} // namespace

class TestWindowTitles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        setUpApplication();
        QVERIFY(!QGuiApplication::windowIcon().isNull());
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            qWarning("not under X: the title is checked as handed to the platform only");
    }

    void portSettings()
    {
        FrmOption w(portEntries());
        w.show();
        compareShownTitle(&w, QStringLiteral("Communicatin port Setting"));
    }

    void mainWindow()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.window.show();
        compareShownTitle(&rig.window, QStringLiteral("ZAM- A to D_ SERIES Control Panel"));
    }

    void networkChangeWarning()
    {
        PanelRig rig;
        QVERIFY(rig.start());
        rig.messages.showBoxes(); // the real box, as the operator sees it
        rig.window.show();
        rig.port.inject(hexBytes("9038FF"));
        rig.run(50);
        auto *box = rig.window.findChild<QMessageBox *>();
        QVERIFY(box);
        compareShownTitle(box, QStringLiteral("Warning"));
    }
};

ZAM_TEST_MAIN(TestWindowTitles)
#include "test_windowtitles.moc"

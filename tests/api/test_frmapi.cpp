// "Tools" -> "Control API...": the window starts and stops the hub, says
// where it serves, and names what keeps it from serving.

#include "support/linkrig.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWebSocket>
#include <frmapi.h>

using namespace zam;

class TestFrmApi : public QObject {
    Q_OBJECT
private slots:
    void startAndStop()
    {
        LinkRig rig;
        api::FrmApi window(rig.link, {});
        auto *address = window.findChild<QLineEdit *>("ApiAddress");
        auto *serve = window.findChild<QPushButton *>("ApiServe");
        auto *state = window.findChild<QLabel *>("ApiState");
        QVERIFY(address && serve && state);

        address->setText("0.0.0.0:0"); // no token file: one is made
        serve->click();
        QVERIFY(window.serving());
        QCOMPARE(window.generatedToken().size(), 64);
        QVERIFY2(state->text().contains(window.generatedToken()), qPrintable(state->text()));
        QVERIFY(!address->isEnabled());

        QWebSocket client;
        client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(window.server()->port())));
        QVERIFY(QTest::qWaitFor([&] { return state->text().contains("1 client"); }, 5000));
        QCOMPARE(serve->text(), "&Stop");
        serve->click();
        QVERIFY(!window.serving());
        QCOMPARE(state->text(), "Not serving.");

        address->setText("camera-room:80");
        serve->click();
        QVERIFY(!window.serving());
        QVERIFY2(state->text().startsWith("Not serving: 'camera-room' is not an IP address"),
                 qPrintable(state->text()));
        QVERIFY(rig.sent().isEmpty());
    }

    // OSC beside the WebSocket, or alone: one hub behind both.
    void oscBesideTheWebSocket()
    {
        LinkRig rig;
        api::FrmApi window(rig.link, {});
        auto *address = window.findChild<QLineEdit *>("ApiAddress");
        auto *oscOn = window.findChild<QCheckBox *>("OscEnabled");
        auto *oscAddress = window.findChild<QLineEdit *>("OscAddress");
        auto *serve = window.findChild<QPushButton *>("ApiServe");
        auto *state = window.findChild<QLabel *>("ApiState");
        QVERIFY(address && oscOn && oscAddress && serve && state);
        QVERIFY(!oscAddress->isEnabled());
        oscOn->setChecked(true);
        QVERIFY(oscAddress->isEnabled());

        address->setText("0");
        oscAddress->setText("0");
        serve->click();
        QVERIFY(window.server() && window.osc());
        QVERIFY2(state->text().contains(" and osc.udp://127.0.0.1:"), qPrintable(state->text()));
        QVERIFY(!oscOn->isEnabled() && !oscAddress->isEnabled());
        serve->click();

        address->clear();
        oscAddress->setText("0.0.0.0:0"); // no token file: one is made for both
        serve->click();
        QVERIFY(!window.server() && window.osc());
        QCOMPARE(window.generatedToken().size(), 64);
        QVERIFY2(state->text().startsWith("Serving on osc.udp://0.0.0.0:"),
                 qPrintable(state->text()));
        serve->click();

        oscOn->setChecked(false);
        serve->click();
        QVERIFY(!window.serving());
        QVERIFY2(state->text().contains("an OSC address or both"), qPrintable(state->text()));
        oscOn->setChecked(true);
        oscAddress->setText("9000:x");
        serve->click();
        QVERIFY2(state->text().startsWith("Not serving: OSC: the port must be a number"),
                 qPrintable(state->text()));
    }
};

ZAM_TEST_MAIN(TestFrmApi)
#include "test_frmapi.moc"

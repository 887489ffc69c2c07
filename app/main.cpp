// zam-panel: the control panel for ZAM camera blocks on a serial line.

#include "appsetup.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <apihooks.h>
#include <camerachain.h>
#include <cameralink.h>
#include <chainpicture.h>
#include <clock.h>
#include <commandgroups.h>
#include <frmapi.h>
#include <frmmain.h>
#include <frmoption.h>
#include <gamepadpanel.h>
#include <picturewindow.h>
#include <portfactory.h>
#include <portmemory.h>
#include <simport.h>
#include <windowsupport.h>

#include <cstdio>
#include <memory>

namespace {

// --help and --version answer without a display.
bool asksOnlyForText(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--help" || a == "-h" || a == "--help-all" || a == "--version" || a == "-v")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    std::unique_ptr<QCoreApplication> textOnly;
    if (asksOnlyForText(argc, argv))
        textOnly = std::make_unique<QCoreApplication>(argc, argv);
    else
        new QApplication(argc, argv); // owned below
    std::unique_ptr<QCoreApplication> owner(textOnly ? textOnly.release()
                                                     : QCoreApplication::instance());
    auto &app = *owner;
    zam::setUpApplication();

    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral(
        "Control panel for ZAM camera blocks (generations A to D) on an RS-232C line."));
    cli.addHelpOption();
    cli.addVersionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Preselect the serial device (a pseudo-terminal path works)."),
        QStringLiteral("DEVICE"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Preselect the line speed: 9600, 19200 or 38400."),
                                  QStringLiteral("BPS"));
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Preselect the built-in simulated cameras."));
    const QCommandLineOption simCameras(QStringLiteral("sim-cameras"),
                                        QStringLiteral("Simulated cameras on the chain, 1..7."),
                                        QStringLiteral("N"), QStringLiteral("2"));
    const QCommandLineOption simModels(
        QStringLiteral("sim-models"),
        QStringLiteral("Hexadecimal model codes of the simulated cameras."),
        QStringLiteral("CODES"));
    const QCommandLineOption api(QStringLiteral("api"),
                                 QStringLiteral("Serve the control API on [HOST:]PORT."),
                                 QStringLiteral("[HOST:]PORT"));
    const QCommandLineOption osc(
        QStringLiteral("osc"),
        QStringLiteral("Serve the control API as OSC over UDP on [HOST:]PORT (beside --api)."),
        QStringLiteral("[HOST:]PORT"));
    const QCommandLineOption apiToken(
        QStringLiteral("api-token-file"),
        QStringLiteral("Control API clients must say the token in FILE first."),
        QStringLiteral("FILE"));
    const QCommandLineOption apiOrigin(
        QStringLiteral("api-allow-origin"),
        QStringLiteral("Take control API handshakes from this web page origin (comma-separated)."),
        QStringLiteral("ORIGIN"));
    const QCommandLineOption apiRaw(QStringLiteral("api-allow-raw"),
                                    QStringLiteral("Take raw packets from control API clients."));
    cli.addOptions(
        {port, baud, simulate, simCameras, simModels, api, osc, apiToken, apiOrigin, apiRaw});
    cli.process(app);

    if (cli.isSet(baud)) {
        const QString b = cli.value(baud);
        if (b != QLatin1String("9600") && b != QLatin1String("19200") &&
            b != QLatin1String("38400")) {
            std::fprintf(stderr, "zam-panel: --baud must be 9600, 19200 or 38400\n");
            return 2;
        }
    }

    zam::FrmOption options(zam::portEntries());
    // Last run's choice first; what the command line names overrides it.
    const QString memoryFile = zam::portMemoryFile();
    const zam::RecalledPort recalled = zam::recallPort(memoryFile);
    const auto warnNotRemembered = [](const QString &why) {
        const QString text = QStringLiteral("The port choice is not remembered: %1.").arg(why);
        std::fprintf(stderr, "zam-panel: %s\n", qPrintable(text));
        zam::OperatorMessages().show({QMessageBox::Warning, QStringLiteral("zam-panel"), text});
    };
    if (!recalled.error.isEmpty())
        warnNotRemembered(recalled.error);
    if (recalled.memory)
        options.preselect(*recalled.memory);
    if (cli.isSet(port))
        options.preselectDevice(cli.value(port));
    if (cli.isSet(baud))
        options.preselectBaud(cli.value(baud));
    if (cli.isSet(simulate))
        options.preselectSimulated(cli.value(simCameras).toInt(), cli.value(simModels));
    zam::SteadyClock clock;
    options.setPortMaker([&clock](const zam::PortChoice &c) -> std::unique_ptr<zam::Port> {
        if (c.entry.simulated())
            return std::make_unique<zam::sim::SimPort>(
                std::make_unique<zam::sim::CameraChain>(c.simCameras, c.simModels), clock);
        return zam::makeLinePort(c.entry.device);
    });
    if (options.exec() != QDialog::Accepted)
        return 0;
    const zam::PortChoice choice = options.choice();
    // A file refused at the start is refused again: one message is enough.
    if (recalled.error.isEmpty())
        if (const QString why = zam::rememberPort(memoryFile, choice); !why.isEmpty())
            warnNotRemembered(why);

    std::unique_ptr<zam::Port> backend;
    std::unique_ptr<zam::sim::ChainPicture> pictures; // the simulated chain's
    if (choice.entry.simulated()) {
        auto sim = std::make_unique<zam::sim::SimPort>(
            std::make_unique<zam::sim::CameraChain>(choice.simCameras, choice.simModels), clock);
        pictures = std::make_unique<zam::sim::ChainPicture>(sim->chain(), clock);
        backend = std::move(sim);
    } else {
        backend = zam::makeLinePort(choice.entry.device);
    }

    zam::CameraLink link(*backend, clock);

    zam::FrmMain main(link, {choice.entry.device, choice.BaudRateText.toInt()});
    zam::CommandGroups commands(main);
    if (pictures)
        main.offerSimulatedPicture(
            {[&] { return pictures->key(main.state().CameraAddress); },
             [&] { return pictures->draw(main.state().CameraAddress); },
             [&] { return pictures->describe(main.state().CameraAddress); }});
    QObject::connect(&main, &zam::FrmMain::quitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (!main.startUp())
        return 1;
    // ZAM_GAMEPAD=0 leaves the hand controllers out (for measuring the panel
    // without them).
    std::unique_ptr<zam::hand::GamepadPanel> pads;
    if (qEnvironmentVariable("ZAM_GAMEPAD") != QLatin1String("0"))
        pads = std::make_unique<zam::hand::GamepadPanel>(main, commands, memoryFile);
    main.show();

    zam::api::FrmApi controlApi(
        link,
        [&link, &main] {
            zam::api::HubHooks hooks = zam::cli::apiHooks(link);
            // A client's STOP ALL is the window's own.
            hooks.stopAll = [&main] { main.stopAllCameras(); };
            return hooks;
        },
        &main);
    QObject::connect(main.findChild<QAction *>(QStringLiteral("ToolsControlApi")),
                     &QAction::triggered, &controlApi, [&controlApi] {
                         controlApi.show();
                         controlApi.raise();
                     });
    if (cli.isSet(api) || cli.isSet(osc)) {
        zam::api::ApiSettings settings;
        settings.address = cli.value(api);
        settings.oscAddress = cli.value(osc);
        settings.tokenFile = cli.value(apiToken);
        settings.allowedOrigins = cli.value(apiOrigin).split(u',', Qt::SkipEmptyParts);
        settings.allowRaw = cli.isSet(apiRaw);
        const QString why = controlApi.start(settings);
        if (!why.isEmpty()) {
            std::fprintf(stderr, "zam-panel: the control API is not served: %s\n", qPrintable(why));
            zam::OperatorMessages().show(
                {QMessageBox::Warning, QStringLiteral("zam-panel"),
                 QStringLiteral("The control API is not served: %1.").arg(why)});
        } else {
            if (controlApi.server())
                std::fprintf(stderr, "zam-panel: serving the control API on %s\n",
                             qPrintable(controlApi.server()->url()));
            if (controlApi.osc())
                std::fprintf(stderr, "zam-panel: serving the control API's OSC on %s\n",
                             qPrintable(controlApi.osc()->url()));
            if (!controlApi.generatedToken().isEmpty())
                std::fprintf(stderr, "zam-panel: control API token: %s\n",
                             controlApi.generatedToken().constData());
        }
    }
    // ZAM_TRAFFIC_MONITOR=1 opens the traffic monitor beside the main window
    // from the start (for measuring the panel with it open).
    if (qEnvironmentVariableIntValue("ZAM_TRAFFIC_MONITOR") == 1)
        main.openTrafficMonitor();
    // ZAM_GAMEPAD_DIALOG=1 opens "Tools" -> "Gamepad..." from the start.
    if (pads && qEnvironmentVariableIntValue("ZAM_GAMEPAD_DIALOG") == 1)
        pads->openDialog();
    // ZAM_SIM_PICTURE=1 opens the simulated picture likewise.
    if (qEnvironmentVariableIntValue("ZAM_SIM_PICTURE") == 1)
        main.openSimulatedPicture();
    return app.exec();
}

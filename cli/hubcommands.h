#pragma once
// zam-ctl through the control API (-p ws://HOST:PORT): the subcommands that
// use the line ask the hub of the panel or of zam-ctl serve, which holds it,
// so a script runs while the line is taken.

#include "clicontext.h"

#include <QJsonObject>
#include <QString>
#include <optional>

namespace zam::cli {

struct Subcommand;

// Whether -p names a hub (ws:// or wss://) rather than a line.
bool isHubAddress(const QString &device);
// Checks that `sub` runs through a hub, connects (with the token of
// --api-token-file or ZAM_API_TOKEN), runs its hub handler and closes.
int runThroughHub(CliContext &ctx, const Subcommand &sub, const QStringList &args);
// One request to the hub. The reply when it is "ok"; otherwise the trouble
// is printed as one line and nullopt answered.
std::optional<QJsonObject> askHub(CliContext &ctx, QJsonObject request);

} // namespace zam::cli

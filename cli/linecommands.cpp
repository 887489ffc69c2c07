// The subcommands that talk to the line: ports, detect, status, send.

#include "statusreport.h"
#include "subcommands.h"

namespace zam::cli {

int runPorts(CliContext &ctx, const QStringList &)
{
    return ctx.fail(QStringLiteral("ports: not yet"));
}

int runDetect(CliContext &ctx, const QStringList &)
{
    return ctx.fail(QStringLiteral("detect: not yet"));
}

int runStatus(CliContext &ctx, const QStringList &)
{
    return ctx.fail(QStringLiteral("status: not yet"));
}

int runSend(CliContext &ctx, const QStringList &)
{
    return ctx.fail(QStringLiteral("send: not yet"));
}

} // namespace zam::cli

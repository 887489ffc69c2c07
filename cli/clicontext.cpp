#include "clicontext.h"

namespace zam::cli {

int CliContext::fail(const QString &message)
{
    err << "zam-ctl: " << message << Qt::endl;
    return kExitFailed;
}

int CliContext::usageError(const QString &message)
{
    err << "zam-ctl: " << message << Qt::endl;
    return kExitUsage;
}

} // namespace zam::cli

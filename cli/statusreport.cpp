#include "statusreport.h"

namespace zam::cli {

QJsonObject statusObject(const StatusReplies &, int)
{
    return {};
}

void writeStatusText(QTextStream &, const QJsonObject &) {}

} // namespace zam::cli

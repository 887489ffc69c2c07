#include "grouprules.h"

namespace zam::sim {

void registerTitleRules(std::vector<SimRule> &)
{
}

} // namespace zam::sim

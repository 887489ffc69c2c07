#include "grouprules.h"

namespace zam::sim {

void registerServiceRules(std::vector<SimRule> &)
{
}

} // namespace zam::sim

#include "grouprules.h"

namespace zam::sim {

void registerMaskRules(std::vector<SimRule> &)
{
}

} // namespace zam::sim

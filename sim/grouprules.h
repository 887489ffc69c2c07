#pragma once
// Packets of the dialogs' command groups (titles and clock, masks and
// detection, service), registered beside the main window's.

#include "simrules.h"

namespace zam::sim {

void registerTitleRules(std::vector<SimRule> &table);
void registerMaskRules(std::vector<SimRule> &table);
void registerServiceRules(std::vector<SimRule> &table);

} // namespace zam::sim

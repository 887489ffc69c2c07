#include "system.h"

#include <frmmain.h>

namespace zam {

SystemCommands::SystemCommands(FrmMain &window) : m_window(&window) {}

} // namespace zam

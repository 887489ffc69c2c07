#include "display.h"

#include <frmmain.h>

namespace zam {

DisplayCommands::DisplayCommands(FrmMain &window) : m_window(&window) {}

} // namespace zam

#include "whitebalance.h"

#include <frmmain.h>

namespace zam {

WhiteBalanceCommands::WhiteBalanceCommands(FrmMain &window) : m_window(&window) {}

} // namespace zam

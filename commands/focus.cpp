#include "focus.h"

#include <frmmain.h>

namespace zam {

FocusCommands::FocusCommands(FrmMain &window) : m_window(&window) {}

} // namespace zam

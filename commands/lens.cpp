#include "lens.h"

#include <frmmain.h>

namespace zam {

LensCommands::LensCommands(FrmMain &window) : m_window(&window) {}

} // namespace zam

#include "exposure.h"

#include <frmmain.h>

namespace zam {

ExposureCommands::ExposureCommands(FrmMain &window) : m_window(&window) {}

} // namespace zam

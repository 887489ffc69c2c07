#include "picture.h"

#include <frmmain.h>

namespace zam {

PictureCommands::PictureCommands(FrmMain &window) : m_window(&window) {}

} // namespace zam

#pragma once
// What the program tells the desktop about itself, shared by main() and the
// tests so that both run the same set-up.

namespace zam {

// Application name and version; with a GUI application also the window icon
// and the desktop entry. No application display name is set: the platform
// would append it to every window title, and each window's name on screen is
// its caption exactly.
void setUpApplication();

} // namespace zam

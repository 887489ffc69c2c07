#pragma once
// The typed hexadecimal boxes of the main window, read as every typed box of
// the panel is (hexfield.h): a box that cannot become its value is refused
// with a message that says what it takes, and the caret goes back into it.

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;

namespace zam {

// Shows the operator a message about the box (the group's message box).
using BoxRefusal = std::function<void(const QString &text)>;

// The value of the box, 0..maximum; nothing when it was refused. `what`
// names the box in the message ("The Slow AE value").
std::optional<unsigned> readHexBox(QLineEdit *box, unsigned maximum, const QString &what,
                                   const BoxRefusal &refuse);

} // namespace zam

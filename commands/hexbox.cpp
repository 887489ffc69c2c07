#include "hexbox.h"

#include <QLineEdit>
#include <hexfield.h>

namespace zam {

std::optional<unsigned> readHexBox(QLineEdit *box, unsigned maximum, const QString &what,
                                   const BoxRefusal &refuse)
{
    const auto value = readHexField(box->text(), maximum);
    if (value)
        return value;
    refuse(QStringLiteral("%1 must be a hexadecimal number from %2.\n"
                          "Nothing was sent to the camera.")
               .arg(what, hexFieldRange(maximum)));
    box->setFocus();
    box->selectAll();
    return std::nullopt;
}

} // namespace zam

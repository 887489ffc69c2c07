#pragma once
// The direct command console's text rules. The operator types a whole packet
// as hexadecimal digit pairs, header and terminator included, most
// significant digit first and without separators ("8101040702FF").

#include <QByteArray>
#include <QString>

namespace zam {

// What the console box keeps of typed or pasted text: the digits 0-9 and
// A-F, with a-f turned into capitals; every other character is dropped.
QString filterDirectText(QStringView text);

// The bytes the console writes for a text. For a text of L characters the
// byte count is (L - 2) / 2 rounded to the nearest whole number (halves to
// the even neighbour) plus 1, which is L / 2 for every even L; byte i takes
// characters 2i and 2i + 1 as its high and low digit. A missing or
// non-hexadecimal character counts as 0.
QByteArray directCommandBytes(QStringView text);

} // namespace zam

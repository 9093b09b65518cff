#pragma once

#include <QString>

namespace texts {

QString WindowCaption();
// The report box's text at start: what the program is for and the trapezoid algorithm.
QString HelpText();
// The text of the hidden second text box.
QString Aphorism();

} // namespace texts

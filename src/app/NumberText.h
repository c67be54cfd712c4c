// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace twistor {

// The number at the start of a text box's text: blanks skipped, an optional
// sign, digits with an optional decimal point (or comma); 0 when there is
// none.
double LeadingNumber(std::string_view text);

// The scramble count a text box holds, kept within 0..99 so that a scramble
// can never outgrow the move history.
int ScrambleCountFrom(std::string_view text);

// A number as labels and text boxes show it: decimal, no leading blank.
std::string NumberText(double value);

}  // namespace twistor

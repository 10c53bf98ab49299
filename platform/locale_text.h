#pragma once

// Locale services for 8-bit (Windows-1252) text.
//
//   upperCase("abc\xE9")   == "ABC\xC9"      (é -> É)
//   shortMonthName(3)      == "Mar"          (in an English locale)
//
// Case mapping follows the user's locale, but a letter whose capital has no byte or is more
// than one character (ß, µ) stays as it is, so the length never changes.

#include <string>
#include <string_view>

std::string upperCase(std::string_view bytes);
std::string lowerCase(std::string_view bytes);

// Abbreviated name of month 1..12 in the user's locale as 8-bit text ("Jan" ... "Dec" in
// English); characters without a byte become '?'. Months out of range give an empty text.
std::string shortMonthName(int month);

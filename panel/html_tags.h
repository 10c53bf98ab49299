#pragma once

// Reading the tags of the panel's HTML subset: tag names, attribute values, colours and font
// sizes. Nothing here raises; malformed tags give empty or zero values.
//
//   HtmlTagName("<font size=\"2\">")                    // "FONT"
//   HtmlTagName("</P>")                                 // "/P"
//   HtmlAttribute("<P align=\"center\">", "ALIGN")      // "CENTER" (values are upper-cased)
//   HtmlColorValue("#FF8000")                           // rgbColor(0xFF, 0x80, 0x00)
//   HtmlFontSize("3")                                   // 12 (points)

#include "platform/color.h"

#include <string>
#include <string_view>

// The tag's name in capitals: the letters after "<" or "</", with "/" kept in front of a closing
// tag. Empty when no letter follows.
std::string HtmlTagName(std::string_view tag);

// The value of an attribute of the tag, upper-cased: the text between the double quotes that
// follow name="  (spaces allowed around the "="). The name is found anywhere in the tag without
// regard to case, but not as the start of a longer name (BGCOLOR does not find BGCOLORTO); the
// name COLOR must have a space before it, so that it is not found inside BGCOLOR. Empty when the
// attribute is missing, has no "=", or its value is not quoted.
std::string HtmlAttribute(std::string_view tag, std::string_view name);

// True when the tag holds the attribute at all (whatever its value).
bool HasHtmlAttribute(std::string_view tag, std::string_view name);

// A colour value: "#RRGGBB" (six hexadecimal digits, red first) or a toolkit colour name such as
// "clNavy" or "clBtnFace" in any case. Anything else is black.
TColor HtmlColorValue(std::string_view value);

// A whole number ("+" allowed in front); 0 when the value is not one.
int HtmlNumberValue(std::string_view value);

// A FONT size in points: 1 to 5 are 8, 10, 12, 14 and 16 points, any other whole number is taken
// as points. 0 when the value is not a whole number.
int HtmlFontSize(std::string_view value);

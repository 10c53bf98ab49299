#pragma once

// Cell texts may carry HTML-like markup; where a plain text is wanted (the cell editor, the
// search) the markup is taken out:
//
//   removeCellMarkup("A<x>B")        == "AB"
//   removeCellMarkup("1<br>2<HR>3")  == "1\r\n2\r\n3"
//   removeCellMarkup("a < b")        == "a < b"      (no ">" after the "<": kept as it is)

#include <string>
#include <string_view>

// Every "<BR>" or "<HR>", in any letter case, becomes CR LF; then every run from a "<" through
// the next ">" after it is removed. A "<" with no ">" after it stays, with the rest of the text.
std::string removeCellMarkup(std::string_view text);

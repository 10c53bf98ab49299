#include "cell_markup.h"

namespace {

char upperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// True when text holds "<BR>" or "<HR>" (any letter case) at position.
bool isLineBreakTag(std::string_view text, std::size_t position)
{
    if (text.size() - position < 4 || text[position] != '<' || text[position + 3] != '>')
        return false;
    const char first = upperAscii(text[position + 1]);
    return (first == 'B' || first == 'H') && upperAscii(text[position + 2]) == 'R';
}

std::string replaceLineBreakTags(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLineBreakTag(text, i)) {
            out += "\r\n";
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string removeCellMarkup(std::string_view text)
{
    if (text.find('<') == std::string_view::npos)
        return std::string(text);
    const std::string lines = replaceLineBreakTags(text);
    std::string out;
    out.reserve(lines.size());
    std::size_t position = 0;
    while (position < lines.size()) {
        const std::size_t open = lines.find('<', position);
        const std::size_t close
            = open == std::string::npos ? std::string::npos : lines.find('>', open + 1);
        if (close == std::string::npos) {
            out.append(lines, position);
            break;
        }
        out.append(lines, position, open - position);
        position = close + 1;
    }
    return out;
}

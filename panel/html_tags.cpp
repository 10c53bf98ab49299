#include "panel/html_tags.h"

#include <cctype>
#include <charconv>

namespace {

bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string upperCased(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

// Position just after the attribute's name in the upper-cased tag, or npos.
std::size_t findAttributeName(const std::string &tag, const std::string &name)
{
    const bool needsSpace = name == "COLOR";
    for (std::size_t at = tag.find(name); at != std::string::npos; at = tag.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if (end < tag.size() && isLetter(tag[end]))
            continue;
        if (needsSpace && (at == 0 || !isSpace(tag[at - 1])))
            continue;
        return end;
    }
    return std::string::npos;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool parseHexColor(std::string_view value, TColor *color)
{
    if (value.size() < 7 || value[0] != '#')
        return false;
    int components[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigit(value[1 + 2 * i]);
        const int low = hexDigit(value[2 + 2 * i]);
        if (high < 0 || low < 0)
            return false;
        components[i] = high * 16 + low;
    }
    *color = rgbColor(components[0], components[1], components[2]);
    return true;
}

} // namespace

std::string HtmlTagName(std::string_view tag)
{
    std::size_t at = tag.empty() || tag[0] != '<' ? 0 : 1;
    std::string name;
    if (at < tag.size() && tag[at] == '/') {
        name = "/";
        ++at;
    }
    const std::size_t start = at;
    while (at < tag.size() && isLetter(tag[at]))
        ++at;
    if (at == start)
        return {};
    return name + upperCased(tag.substr(start, at - start));
}

bool HasHtmlAttribute(std::string_view tag, std::string_view name)
{
    return findAttributeName(upperCased(tag), upperCased(name)) != std::string::npos;
}

std::string HtmlAttribute(std::string_view tag, std::string_view name)
{
    const std::string upper = upperCased(tag);
    std::size_t at = findAttributeName(upper, upperCased(name));
    if (at == std::string::npos)
        return {};
    while (at < upper.size() && isSpace(upper[at]))
        ++at;
    if (at >= upper.size() || upper[at] != '=')
        return {};
    ++at;
    while (at < upper.size() && isSpace(upper[at]))
        ++at;
    if (at >= upper.size() || upper[at] != '"')
        return {};
    const std::size_t close = upper.find('"', at + 1);
    if (close == std::string::npos)
        return {};
    return upper.substr(at + 1, close - at - 1);
}

TColor HtmlColorValue(std::string_view value)
{
    TColor color = clBlack;
    if (parseHexColor(value, &color))
        return color;
    if (!colorByName(value, &color) || color == clNone || color == clDefault)
        return clBlack;
    return color;
}

int HtmlNumberValue(std::string_view value)
{
    if (!value.empty() && value[0] == '+')
        value.remove_prefix(1);
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size())
        return 0;
    return number;
}

int HtmlFontSize(std::string_view value)
{
    const int number = HtmlNumberValue(value);
    static constexpr int namedSizes[] = { 8, 10, 12, 14, 16 };
    if (number >= 1 && number <= 5)
        return namedSizes[number - 1];
    return number;
}

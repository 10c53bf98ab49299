#include "grid/csv_text.h"

std::string CSVQuotes(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 2);
    for (char c : text) {
        result += c;
        if (c == '"')
            result += '"';
    }
    return result;
}

std::string LineFeedsToCSV(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\r') {
            result += text[i++];
            continue;
        }
        std::size_t runEnd = i;
        while (runEnd < text.size() && text[runEnd] == '\r')
            ++runEnd;
        if (runEnd == text.size() || text[runEnd] != '\n')
            result.append(text, i, runEnd - i);
        i = runEnd;
    }
    return result;
}

std::string CSVToLineFeeds(std::string_view text)
{
    if (text.find('\n') == std::string_view::npos)
        return std::string(text);
    std::string result;
    result.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}

std::string DoubleToSingleChar(char character, std::string_view text)
{
    if (text.find(character) == std::string_view::npos)
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != character) {
            result += text[i++];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == character) {
            result += character;
            i += 2;
            continue;
        }
        ++i;
    }
    return result;
}

int SinglePos(char character, std::string_view text)
{
    int runLength = 0;
    const int length = static_cast<int>(text.size());
    for (int position = 1; position <= length; ++position) {
        if (text[position - 1] == character) {
            ++runLength;
            if (position == length)
                return position;
            continue;
        }
        if (runLength % 2 == 1)
            return position - 1;
        runLength = 0;
    }
    return 0;
}

namespace {

constexpr char quote = '"';

// CSVToLineFeeds without a copy for the usual field that holds no LF.
std::string restoreLineBreaks(std::string field)
{
    if (field.find('\n') == std::string::npos)
        return field;
    return CSVToLineFeeds(field);
}

} // namespace

void SplitCSVLine(
    std::string_view line, char delimiter, const std::function<void(std::string)> &field)
{
    std::string_view rest(line);
    while (rest.find(delimiter) != std::string_view::npos) {
        std::string text;
        if (rest.front() == quote) {
            rest.remove_prefix(1);
            const int closing = SinglePos(quote, rest);
            if (closing > 0) {
                text = DoubleToSingleChar(
                    quote, rest.substr(0, static_cast<std::size_t>(closing) - 1));
                rest.remove_prefix(static_cast<std::size_t>(closing));
            }
            const std::size_t next = rest.find(delimiter);
            rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
        } else {
            const std::size_t next = rest.find(delimiter);
            text = DoubleToSingleChar(quote, rest.substr(0, next));
            rest.remove_prefix(next + 1);
        }
        field(restoreLineBreaks(std::move(text)));
    }
    if (rest.empty())
        return;
    if (rest.front() == quote)
        rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == quote)
        rest.remove_suffix(1);
    field(restoreLineBreaks(DoubleToSingleChar(quote, rest)));
}

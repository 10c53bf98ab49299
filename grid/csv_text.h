#pragma once

#include <functional>
#include <string>
#include <string_view>

// Stateless operations on 8-bit text used to write and read comma-separated fields.

// The text with every double-quote character doubled.
std::string CSVQuotes(std::string_view text);

// The text with the CR of every CR LF pair removed, repeated until no pair remains, so a run of
// CRs before an LF disappears entirely.
std::string LineFeedsToCSV(std::string_view text);

// If the text holds an LF, every LF becomes CR LF (an LF after a CR included); otherwise the text
// is returned unchanged.
std::string CSVToLineFeeds(std::string_view text);

// Left to right: two consecutive occurrences of the character become one, a lone one is dropped,
// every other character is copied.
std::string DoubleToSingleChar(char character, std::string_view text);

// The 1-based position of the occurrence of the character that closes a quoted field, or 0. A run
// of the character followed by another character closes the field at the run's last occurrence
// when the run is odd; a pair never closes it. An occurrence at the very end closes it whatever
// the run.
int SinglePos(char character, std::string_view text);

// Splits one line of a comma-separated file into its fields and hands each to `field`, in order.
// Fields are split off the left while a delimiter remains; a field that starts with a quote runs
// to its closing quote (SinglePos) and anything from there to the next delimiter is skipped, as
// is the rest of the line when no delimiter follows. The text after the last delimiter is the
// last field, without a quote at either end; none when it is empty. Doubled quotes become one
// (DoubleToSingleChar) and line breaks inside a field become CR LF (CSVToLineFeeds).
void SplitCSVLine(
    std::string_view line, char delimiter, const std::function<void(std::string)> &field);

#pragma once

// What the tests read back from printed PDF files, through poppler's command-line tools.

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

// Runs a shell command; its standard output, and its exit status in `status`.
inline std::string commandOutput(const std::string &command, int *status = nullptr)
{
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) {
        if (status)
            *status = -1;
        return output;
    }
    char buffer[4096];
    for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    const int result = pclose(pipe);
    if (status)
        *status = result;
    return output;
}

inline std::string shellQuoted(const std::string &text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// One field of `pdfinfo`, e.g. "Pages" or "Title"; empty when missing.
inline std::string pdfInfo(const std::string &pdf, const std::string &field)
{
    std::istringstream lines(commandOutput("pdfinfo " + shellQuoted(pdf) + " 2>/dev/null"));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(field + ":", 0) != 0)
            continue;
        const size_t value = line.find_first_not_of(' ', field.size() + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return {};
}

// The report's lines as a reader sees them: each line with its runs of blanks made one blank,
// trimmed; empty lines, form feeds and the date lines (they carry "Page:") left out. Box-drawing
// characters are left out too: print filters may keep their shapes but not their character
// codes, which pdftotext then reads as control bytes with blanks of its own between them. Works
// on the report text and on `pdftotext -layout` output alike.
inline std::vector<std::string> readableLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::string words;
        for (size_t i = 0; i < line.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(line[i]);
            const bool box = c == 0xE2 && i + 2 < line.size()
                && (static_cast<unsigned char>(line[i + 1]) & 0xFE) == 0x94;
            if (box)
                i += 2;
            if (box || c <= ' ') {
                if (!words.empty() && words.back() != ' ')
                    words += ' ';
                continue;
            }
            words += static_cast<char>(c);
        }
        if (!words.empty() && words.back() == ' ')
            words.pop_back();
        if (!words.empty() && words.find("Page:") == std::string::npos)
            lines.push_back(words);
    }
    return lines;
}

inline std::vector<std::string> pdfReadableLines(const std::string &pdf)
{
    return readableLines(commandOutput("pdftotext -layout " + shellQuoted(pdf) + " - 2>/dev/null"));
}

// The bounding boxes of the words of every page, in points from the top-left of the sheet.
struct WordBox
{
    int page = 0;
    double left = 0, top = 0, right = 0, bottom = 0;
};

inline double attribute(const std::string &line, const std::string &name)
{
    const size_t at = line.find(name + "=\"");
    return at == std::string::npos ? 0.0 : std::stod(line.substr(at + name.size() + 2));
}

inline std::vector<WordBox> pdfWordBoxes(const std::string &pdf)
{
    std::vector<WordBox> boxes;
    std::istringstream in(commandOutput("pdftotext -bbox " + shellQuoted(pdf) + " - 2>/dev/null"));
    int page = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.find("<page ") != std::string::npos)
            ++page;
        if (line.find("<word ") == std::string::npos)
            continue;
        boxes.push_back({ page, attribute(line, "xMin"), attribute(line, "yMin"),
            attribute(line, "xMax"), attribute(line, "yMax") });
    }
    return boxes;
}

// "" when the line lists are equal, else where and how they first differ.
inline std::string firstDifference(
    const std::vector<std::string> &actual, const std::vector<std::string> &expected)
{
    for (size_t i = 0; i < actual.size() || i < expected.size(); ++i) {
        const std::string a = i < actual.size() ? actual[i] : "(no line)";
        const std::string e = i < expected.size() ? expected[i] : "(no line)";
        if (a != e)
            return "line " + std::to_string(i) + ": read back '" + a + "', expected '" + e + "'";
    }
    return {};
}

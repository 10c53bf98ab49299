#include "app/app_info.h"
#include "app/check_command.h"
#include "app/command_line.h"
#include "app/report_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The guide as the uninstalled program finds it, beside the build tree's executable.
fs::path helpFolder()
{
    return (fs::path(ZAN_EXECUTABLE_DIR) / helpIndexFromExecutable)
        .lexically_normal()
        .parent_path();
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The values of every `attribute="..."` in a page.
std::vector<std::string> attributeValues(const std::string &html, const std::string &attribute)
{
    std::vector<std::string> values;
    const std::string opening = " " + attribute + "=\"";
    for (size_t at = html.find(opening); at != std::string::npos; at = html.find(opening, at)) {
        at += opening.size();
        const size_t end = html.find('"', at);
        values.push_back(html.substr(at, end - at));
    }
    return values;
}

std::string unescapeHtml(std::string text)
{
    const std::pair<const char *, const char *> entities[]
        = { { "&lt;", "<" }, { "&gt;", ">" }, { "&quot;", "\"" }, { "&amp;", "&" } };
    for (const auto &[entity, character] : entities)
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
            text.replace(at, std::string(entity).size(), character);
    return text;
}

std::string trimmedRight(std::string line)
{
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\f'))
        line.pop_back();
    return line;
}

// The lines of every <pre class="report"> block (or of another class): text the guide quotes.
std::vector<std::string> quotedReportLines(const std::string &html, const char *kind = "report")
{
    std::vector<std::string> lines;
    const std::string opening = "<pre class=\"" + std::string(kind) + "\">";
    for (size_t at = html.find(opening); at != std::string::npos; at = html.find(opening, at)) {
        at += opening.size();
        std::istringstream block(unescapeHtml(html.substr(at, html.find("</pre>", at) - at)));
        for (std::string line; std::getline(block, line);)
            lines.push_back(trimmedRight(line));
    }
    return lines;
}

TEST(HelpGuide, LiesWhereTheProgramLooksForIt)
{
    EXPECT_TRUE(fs::is_regular_file(helpFolder() / "index.html")) << helpFolder();
}

// Every page and picture the guide refers to is laid out with it, and every #anchor exists on its
// page.
TEST(HelpGuide, LinksResolve)
{
    int links = 0;
    for (const auto &entry : fs::directory_iterator(helpFolder())) {
        if (entry.path().extension() != ".html")
            continue;
        const std::string html = readFile(entry.path());
        std::vector<std::string> targets = attributeValues(html, "href");
        for (const std::string &picture : attributeValues(html, "src"))
            targets.push_back(picture);
        for (const std::string &target : targets) {
            if (target.find("://") != std::string::npos)
                continue;
            ++links;
            const size_t hash = target.find('#');
            const fs::path page = hash == 0 ? entry.path() : helpFolder() / target.substr(0, hash);
            ASSERT_TRUE(fs::is_regular_file(page)) << entry.path().filename() << ": " << target;
            if (hash == std::string::npos)
                continue;
            const std::vector<std::string> ids = attributeValues(readFile(page), "id");
            EXPECT_NE(std::find(ids.begin(), ids.end(), target.substr(hash + 1)), ids.end())
                << entry.path().filename() << ": " << target;
        }
    }
    EXPECT_GT(links, 0);
}

// The worked example quotes the report of a bundled sample: every quoted line must still be what
// the analysis prints for it.
TEST(HelpGuide, WorkedExampleQuotesTheRealReport)
{
    const std::vector<std::string> quoted
        = quotedReportLines(readFile(helpFolder() / "example.html"));
    ASSERT_GT(quoted.size(), 10u);

    ReportOptions options;
    options.inputFile = ZAN_EXAMPLES_DIR "/line_bred.csv";
    std::ostringstream out;
    std::ostringstream errors;
    ASSERT_EQ(runReportCommand(options, out, errors), 0) << errors.str();
    std::set<std::string> reportLines;
    std::istringstream report(out.str());
    for (std::string line; std::getline(report, line);)
        reportLines.insert(trimmedRight(line));

    for (const std::string &line : quoted)
        EXPECT_TRUE(reportLines.count(line)) << "not in the report: " << line;
}

// The page on the check quotes what `zan check` prints for the sample with every kind of mistake.
TEST(HelpGuide, CheckPageQuotesTheRealCheck)
{
    const std::vector<std::string> quoted
        = quotedReportLines(readFile(helpFolder() / "check.html"), "check");
    ASSERT_GT(quoted.size(), 10u);

    const fs::path examples(ZAN_EXAMPLES_DIR);
    const std::string sample = (examples / "mistakes.csv").string();
    CheckOptions options;
    options.inputFile = sample;
    std::ostringstream out;
    std::ostringstream errors;
    EXPECT_EQ(runCheckCommand(options, out, errors), 1) << errors.str();
    std::string printed = out.str();
    printed.replace(0, sample.size(), "mistakes.csv");
    std::vector<std::string> lines;
    std::istringstream check(printed);
    for (std::string line; std::getline(check, line);)
        lines.push_back(line);
    EXPECT_EQ(quoted, lines);
}

} // namespace

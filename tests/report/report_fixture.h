#pragma once

// Shared helpers of the report tests: a pedigree source over plain rows and a line-by-line view
// of a composed document.

#include "report/depth_text.h"
#include "rows_source.h"

#include "docview/doc_view.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// One document item as the report writes it.
struct ReportLine
{
    std::string text;
    int style = 0;
    int para = 0;
    bool pageBreak = false;

    friend bool operator==(const ReportLine &, const ReportLine &) = default;
};

inline std::ostream &operator<<(std::ostream &out, const ReportLine &line)
{
    return out << '{' << testing::PrintToString(line.text) << ", style " << line.style << ", para "
               << line.para << (line.pageBreak ? ", page break}" : "}");
}

inline std::vector<ReportLine> documentLines(const TCustomDocView &view)
{
    std::vector<ReportLine> lines;
    for (int i = 0; i < view.GetLineCount(); ++i)
        lines.push_back({ view.GetItemText(i), view.GetItemStyle(i), view.GetItemPara(i),
            view.GetPageBreaksBeforeItems(i) });
    return lines;
}

// The items before the report's last section, the pedigree depth page (tested on its own): up to
// the page header that comes six items before the page's title.
inline std::vector<ReportLine> beforeDepthPage(std::vector<ReportLine> lines)
{
    for (size_t i = 6; i < lines.size(); ++i) {
        if (lines[i].text == DepthText::Title && lines[i].style == 2) {
            lines.resize(i - 6);
            break;
        }
    }
    return lines;
}

// Lines of the normal text style in a left-aligned paragraph.
inline ReportLine normal(std::string text)
{
    return { std::move(text), 0, 0, false };
}

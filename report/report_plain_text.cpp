#include "report_plain_text.h"

#include "report/depth_chart.h"

#include "docview/doc_view.h"
#include "platform/text_codec.h"

std::string reportPlainText(const TCustomDocView &document)
{
    std::string text;
    const int count = document.GetLineCount();
    text.reserve(static_cast<size_t>(count) * 120);
    for (int index = 0; index < count; ++index) {
        // The lines kept free for the depth chart: the chart is drawn, never written.
        if (document.GetItemTag(index) == DepthChart::ReservedTag)
            continue;
        if (document.GetPageBreaksBeforeItems(index))
            text += '\f';
        text += bytesToUtf8(document.GetItemText(index), CharacterMap::Document);
        text += '\n';
    }
    return text;
}

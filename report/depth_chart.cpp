#include "depth_chart.h"

#include "report/report_text.h"

#include "engine/pedigree_depth.h"
#include "print/dv_print.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace DepthChart {

namespace {

constexpr TColor barColor = 0xE6C8A0; // light blue (0x00BBGGRR)
constexpr TColor barEdge = clNavy;
constexpr TColor lineColor = clRed;
constexpr TColor gridColor = clSilver;
constexpr int scaleSteps = 4;
// Values are written beside the bars and points while there is room for them.
constexpr int mostLabelledGenerations = 16;

int roundToInt(double value)
{
    return static_cast<int>(std::lround(value));
}

class ChartPainter
{
public:
    ChartPainter(Canvas &canvas, const Layout &layout, const pedigree_depth &depth)
        : m_canvas(canvas), m_layout(layout), m_depth(depth)
    { }

    void paint() const
    {
        paintGrid();
        paintBars();
        paintLine();
        paintAxes();
        paintGenerations();
        paintLegend();
    }

private:
    int barCentre(std::size_t index) const
    {
        return m_layout.plot.left + static_cast<int>(index) * m_layout.slot + m_layout.slot / 2;
    }

    int yOfFraction(double fraction) const
    {
        return m_layout.plot.bottom - roundToInt(fraction * m_layout.plot.height());
    }

    int yOfInbreeding(double inbreeding) const
    {
        return yOfFraction(inbreeding * 100.0 / m_layout.inbreedingTop);
    }

    bool labelsValues() const
    {
        return m_depth.generations.size() <= static_cast<std::size_t>(mostLabelledGenerations);
    }

    void text(int x, int y, const std::string &value, TColor color, unsigned alignment) const
    {
        m_canvas.setTextColor(color);
        m_canvas.textOutAligned(x, y, value, alignment);
    }

    void paintGrid() const
    {
        m_canvas.setPen({ PenStyle::Dot, 1, gridColor });
        for (int step = 1; step <= scaleSteps; ++step) {
            const int y = yOfFraction(static_cast<double>(step) / scaleSteps);
            m_canvas.line(m_layout.plot.left, y, m_layout.plot.right, y);
        }
    }

    void paintBars() const
    {
        const Layout &l = m_layout;
        const int width = std::max(1, l.slot * 3 / 5);
        m_canvas.setPen({ PenStyle::Solid, 1, barEdge });
        m_canvas.setBrush({ BrushStyle::Solid, barColor });
        for (std::size_t i = 0; i < m_depth.generations.size(); ++i) {
            const double completeness = m_depth.generations[i].completeness;
            const int top = yOfFraction(completeness);
            const int left = barCentre(i) - width / 2;
            if (top < l.plot.bottom)
                m_canvas.rectangle({ left, top, left + width, l.plot.bottom + 1 });
        }
        m_canvas.setBrush({ BrushStyle::Clear, clWhite });
        if (!labelsValues())
            return;
        for (std::size_t i = 0; i < m_depth.generations.size(); ++i) {
            const double completeness = m_depth.generations[i].completeness;
            const int top = yOfFraction(completeness);
            const int y = top - l.plot.bottom < -2 * l.textHeight ? top + l.textHeight / 4
                                                                  : top - l.textHeight;
            text(barCentre(i), y, formatLine("%.0f", completeness * 100.0), barEdge,
                DrawTextFlag::Center);
        }
    }

    void paintLine() const
    {
        const Layout &l = m_layout;
        std::vector<Point> points;
        for (std::size_t i = 0; i < m_depth.generations.size(); ++i)
            points.push_back({ barCentre(i), yOfInbreeding(m_depth.generations[i].inbreeding) });
        m_canvas.setPen({ PenStyle::Solid, std::max(1, l.textHeight / 6), lineColor });
        if (points.size() > 1)
            m_canvas.polyline(points);
        const int mark = std::max(2, l.textHeight / 4);
        m_canvas.setBrush({ BrushStyle::Solid, lineColor });
        for (const Point &p : points)
            m_canvas.fillRect({ p.x - mark, p.y - mark, p.x + mark + 1, p.y + mark + 1 });
        m_canvas.setBrush({ BrushStyle::Clear, clWhite });
        if (!labelsValues())
            return;
        for (std::size_t i = 0; i < points.size(); ++i)
            text(points[i].x + mark, points[i].y - l.textHeight - mark,
                formatLine("%.2f", m_depth.generations[i].inbreeding * 100.0), lineColor,
                DrawTextFlag::Left);
    }

    void paintAxes() const
    {
        const Rect &plot = m_layout.plot;
        const int tick = m_layout.textHeight / 3;
        m_canvas.setPen({ PenStyle::Solid, 1, clBlack });
        m_canvas.line(plot.left, plot.top, plot.left, plot.bottom + 1);
        m_canvas.line(plot.right, plot.top, plot.right, plot.bottom + 1);
        m_canvas.line(plot.left, plot.bottom, plot.right + 1, plot.bottom);
        for (int step = 0; step <= scaleSteps; ++step) {
            const int y = yOfFraction(static_cast<double>(step) / scaleSteps);
            const int textY = y - m_layout.textHeight / 2;
            m_canvas.line(plot.left - tick, y, plot.left, y);
            m_canvas.line(plot.right, y, plot.right + tick, y);
            text(plot.left - 2 * tick, textY, formatLine("%d", 100 * step / scaleSteps), barEdge,
                DrawTextFlag::Right);
            text(plot.right + 2 * tick, textY,
                formatLine("%g", m_layout.inbreedingTop * step / scaleSteps), lineColor,
                DrawTextFlag::Left);
        }
        const int titleY = plot.top - 2 * m_layout.textHeight;
        text(plot.left, titleY, "COMPLETE %", barEdge, DrawTextFlag::Center);
        text(plot.right, titleY, "ZAN %", lineColor, DrawTextFlag::Center);
    }

    void paintGenerations() const
    {
        const Layout &l = m_layout;
        const int y = l.plot.bottom + l.textHeight / 3;
        for (std::size_t i = 0; i < m_depth.generations.size(); ++i) {
            const int generation = m_depth.generations[i].generation;
            if (generation % l.labelEvery == 0 || i == 0)
                text(barCentre(i), y, formatLine("%d", generation), clBlack, DrawTextFlag::Center);
        }
        text((l.plot.left + l.plot.right) / 2, y + l.textHeight + l.textHeight / 3,
            "GENERATION (1 = THE PARENTS)", clBlack, DrawTextFlag::Center);
    }

    void paintLegend() const
    {
        const Layout &l = m_layout;
        const int h = l.textHeight;
        const int y = l.plot.top - 4 * h;
        int x = l.plot.left;
        m_canvas.setPen({ PenStyle::Solid, 1, barEdge });
        m_canvas.setBrush({ BrushStyle::Solid, barColor });
        m_canvas.rectangle({ x, y + h / 4, x + h, y + h });
        m_canvas.setBrush({ BrushStyle::Clear, clWhite });
        const std::string bars = "COMPLETENESS PER GENERATION (LEFT SCALE)";
        text(x + 3 * h / 2, y, bars, clBlack, DrawTextFlag::Left);
        x += 3 * h / 2 + m_canvas.textWidth(bars) + 3 * h;
        m_canvas.setPen({ PenStyle::Solid, std::max(1, h / 6), lineColor });
        m_canvas.line(x, y + h / 2, x + 2 * h, y + h / 2);
        text(x + 5 * h / 2, y, "ZAN PCNT BY DEPTH (RIGHT SCALE)", clBlack, DrawTextFlag::Left);
    }

    Canvas &m_canvas;
    const Layout &m_layout;
    const pedigree_depth &m_depth;
};

} // namespace

double scaleTop(double percent)
{
    for (double decade = 1.0;; decade *= 10.0) {
        for (const double step : { 1.0, 2.0, 2.5, 5.0 })
            if (step * decade >= percent || step * decade >= 100.0)
                return step * decade;
    }
}

Layout layOut(const Rect &area, int textHeight, int digitWidth, const pedigree_depth &depth)
{
    Layout l;
    l.textHeight = textHeight;
    l.plot = { area.left + 6 * digitWidth, area.top + 5 * textHeight, area.right - 7 * digitWidth,
        area.bottom - 3 * textHeight };
    const int generations = std::max<int>(1, static_cast<int>(depth.generations.size()));
    l.slot = std::max(1, l.plot.width() / generations);
    l.plot.right = l.plot.left + l.slot * generations;
    // Generation numbers are at most two digits; keep a digit's room between neighbours.
    l.labelEvery = 1;
    while (l.slot * l.labelEvery < 4 * digitWidth)
        l.labelEvery = l.labelEvery == 1 ? 2 : l.labelEvery + (l.labelEvery == 2 ? 3 : 5);
    double highest = 0.0;
    for (const depth_generation &g : depth.generations)
        highest = std::max(highest, g.inbreeding * 100.0);
    l.inbreedingTop = scaleTop(highest);
    return l;
}

void draw(Canvas &canvas, const Rect &area, const pedigree_depth &depth)
{
    if (depth.generations.empty() || area.isEmpty())
        return;
    canvas.save();
    canvas.setCharacterMap(CharacterMap::Windows1252);
    canvas.setBrush({ BrushStyle::Clear, clWhite });
    FontSpec font("Crystal", 9);
    font.pixelHeight = std::max(1, area.height() * 7 / (10 * ReservedLines));
    canvas.setFont(font);
    const Layout layout = layOut(area, canvas.textMetrics().height, canvas.textWidth("0"), depth);
    if (!layout.plot.isEmpty())
        ChartPainter(canvas, layout, depth).paint();
    canvas.restore();
}

void drawOnPage(TCustomDVPrint &print, int page, Canvas &canvas, const pedigree_depth &depth)
{
    TPrintableDVData &data = print.DocView().PrintData();
    const DrawItemsRange range = data.GetDrawItemsRange(page);
    int top = INT_MAX;
    int bottom = INT_MIN;
    for (int d = range.first; d <= range.last && d < data.DrawItems.Count(); ++d) {
        const TDVDrawLineInfo &line = data.DrawItems[d];
        if (data.Items().ItemAt(line.ItemNo).Tag != ReservedTag)
            continue;
        top = std::min(top, line.Top);
        bottom = std::max(bottom, line.Bottom());
    }
    if (top >= bottom)
        return;
    const int topCoord = data.GetTopCoord(page);
    const int left = data.GetPrintableAreaLeft(page);
    draw(canvas, { left, top - topCoord, left + print.DocView().ClientWidth(), bottom - topCoord },
        depth);
}

} // namespace DepthChart

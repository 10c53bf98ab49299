#include "population_chart.h"

#include "report/depth_chart.h"
#include "report/report_text.h"

#include "engine/population.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace PopulationChart {

namespace {

constexpr TColor inbreedingColor = clRed;
constexpr TColor ecgColor = clNavy;
constexpr TColor gridColor = clSilver;
constexpr int scaleSteps = 4;

class ChartPainter
{
public:
    ChartPainter(
        Canvas &canvas, const Rect &area, const std::vector<population::year_figures> &years)
        : m_canvas(canvas), m_years(years)
    {
        m_textHeight = canvas.textMetrics().height;
        const int digit = canvas.textWidth("0");
        m_plot = { area.left + 7 * digit, area.top + 3 * m_textHeight, area.right - 7 * digit,
            area.bottom - 2 * m_textHeight };
        double inbreeding = 0.0;
        double ecg = 0.0;
        for (const population::year_figures &year : years) {
            inbreeding = std::max(inbreeding, year.mean_inbreeding * 100.0);
            ecg = std::max(ecg, year.mean_ecg);
        }
        m_inbreedingTop = DepthChart::scaleTop(inbreeding);
        m_ecgTop = std::max(1.0, std::ceil(ecg));
        m_labelEvery = 1;
        while (slot() * m_labelEvery < 6 * digit && m_labelEvery < 1000)
            m_labelEvery *= 2;
    }

    bool fits() const { return !m_plot.isEmpty(); }

    void paint() const
    {
        m_canvas.setPen({ PenStyle::Dot, 1, gridColor });
        for (int step = 1; step <= scaleSteps; ++step) {
            const int y = yOf(static_cast<double>(step) / scaleSteps);
            m_canvas.line(m_plot.left, y, m_plot.right, y);
        }
        paintLine(inbreedingColor, [this](const population::year_figures &year) {
            return year.mean_inbreeding * 100.0 / m_inbreedingTop;
        });
        paintLine(ecgColor,
            [this](const population::year_figures &year) { return year.mean_ecg / m_ecgTop; });
        paintAxes();
        paintLegend();
    }

private:
    int slot() const
    {
        return std::max<int>(
            1, m_plot.width() / std::max<int>(1, static_cast<int>(m_years.size())));
    }

    int xOf(std::size_t index) const
    {
        return m_plot.left + static_cast<int>(index) * slot() + slot() / 2;
    }

    int yOf(double fraction) const
    {
        return m_plot.bottom - static_cast<int>(std::lround(fraction * m_plot.height()));
    }

    void text(int x, int y, const std::string &value, TColor color, unsigned alignment) const
    {
        m_canvas.setTextColor(color);
        m_canvas.textOutAligned(x, y, value, alignment);
    }

    template <typename Fraction> void paintLine(TColor color, Fraction fraction) const
    {
        std::vector<Point> points;
        for (std::size_t i = 0; i < m_years.size(); ++i)
            points.push_back({ xOf(i), yOf(fraction(m_years[i])) });
        m_canvas.setPen({ PenStyle::Solid, std::max(1, m_textHeight / 6), color });
        if (points.size() > 1)
            m_canvas.polyline(points);
        const int mark = std::max(2, m_textHeight / 5);
        m_canvas.setBrush({ BrushStyle::Solid, color });
        for (const Point &p : points)
            m_canvas.fillRect({ p.x - mark, p.y - mark, p.x + mark + 1, p.y + mark + 1 });
        m_canvas.setBrush({ BrushStyle::Clear, clWhite });
    }

    void paintAxes() const
    {
        const int tick = m_textHeight / 3;
        m_canvas.setPen({ PenStyle::Solid, 1, clBlack });
        m_canvas.line(m_plot.left, m_plot.top, m_plot.left, m_plot.bottom + 1);
        m_canvas.line(m_plot.right, m_plot.top, m_plot.right, m_plot.bottom + 1);
        m_canvas.line(m_plot.left, m_plot.bottom, m_plot.right + 1, m_plot.bottom);
        for (int step = 0; step <= scaleSteps; ++step) {
            const int y = yOf(static_cast<double>(step) / scaleSteps);
            const int textY = y - m_textHeight / 2;
            m_canvas.line(m_plot.left - tick, y, m_plot.left, y);
            m_canvas.line(m_plot.right, y, m_plot.right + tick, y);
            text(m_plot.left - 2 * tick, textY,
                formatLine("%g", m_inbreedingTop * step / scaleSteps), inbreedingColor,
                DrawTextFlag::Right);
            text(m_plot.right + 2 * tick, textY, formatLine("%g", m_ecgTop * step / scaleSteps),
                ecgColor, DrawTextFlag::Left);
        }
        const int y = m_plot.bottom + m_textHeight / 3;
        for (std::size_t i = 0; i < m_years.size(); ++i)
            if (i % static_cast<std::size_t>(m_labelEvery) == 0)
                text(xOf(i), y, formatLine("%d", m_years[i].year), clBlack, DrawTextFlag::Center);
    }

    void paintLegend() const
    {
        const int h = m_textHeight;
        const int y = m_plot.top - 5 * h / 2;
        int x = m_plot.left;
        const struct
        {
            TColor color;
            const char *text;
        } entries[]
            = { { inbreedingColor, "Mean inbreeding % (left)" }, { ecgColor, "Mean ECG (right)" } };
        for (const auto &entry : entries) {
            m_canvas.setPen({ PenStyle::Solid, std::max(1, h / 6), entry.color });
            m_canvas.line(x, y + h / 2, x + 2 * h, y + h / 2);
            text(x + 5 * h / 2, y, entry.text, clBlack, DrawTextFlag::Left);
            x += 5 * h / 2 + m_canvas.textWidth(entry.text) + 2 * h;
        }
    }

    Canvas &m_canvas;
    const std::vector<population::year_figures> &m_years;
    Rect m_plot;
    int m_textHeight = 0;
    int m_labelEvery = 1;
    double m_inbreedingTop = 1.0;
    double m_ecgTop = 1.0;
};

} // namespace

void draw(Canvas &canvas, const Rect &area, const population &figures)
{
    if (area.isEmpty())
        return;
    canvas.save();
    canvas.setBrush({ BrushStyle::Clear, clWhite });
    canvas.setFont(FontSpec("Crystal", 9));
    if (figures.by_year().empty()) {
        canvas.setTextColor(clBlack);
        canvas.textOut(area.left + 8, area.top + 8, "No band carries a year of birth.");
    } else if (ChartPainter chart(canvas, area, figures.by_year()); chart.fits()) {
        chart.paint();
    }
    canvas.restore();
}

} // namespace PopulationChart

#pragma once

#include "platform/canvas.h"

class population;

// The chart of the population by year of birth: the mean inbreeding of the birds of each year as
// a line against the left scale (%) and their mean equivalent complete generations (ECG) as a line
// against the right scale, the years below, a legend above.
//
//   PainterCanvas canvas(widget);
//   PopulationChart::draw(canvas, { 0, 0, widget->width(), widget->height() }, study.figures());
namespace PopulationChart {
// Draws the chart into `area`; only a note when no band carries a year.
void draw(Canvas &canvas, const Rect &area, const population &figures);
} // namespace PopulationChart

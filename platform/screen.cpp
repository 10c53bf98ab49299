#include "screen.h"

#include "measuring_canvas_p.h"
#include "painter_canvas.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QStyle>

namespace {

constexpr int defaultScreenResolution = 96;
constexpr int defaultScrollBarExtent = 16;

QScreen *primaryScreen()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return QGuiApplication::primaryScreen();
}

// Owns the image and the painter that the canvas draws through; declared before the canvas
// base so that they exist first and go last.
struct MeasuringSurface
{
    QImage image { 1, 1, QImage::Format_RGB32 };
    QPainter surfacePainter { &image };
};

class MeasuringCanvas : private MeasuringSurface, public PainterCanvas
{
public:
    MeasuringCanvas(int resolutionX, int resolutionY)
        : PainterCanvas(&surfacePainter, resolutionX, resolutionY)
    { }
    ~MeasuringCanvas() override { finish(); }
};

} // namespace

std::unique_ptr<Canvas> createMeasuringCanvas(int resolutionX, int resolutionY)
{
    return std::make_unique<MeasuringCanvas>(resolutionX, resolutionY);
}

int screenPixelsPerInchX()
{
    QScreen *screen = primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchX()) : defaultScreenResolution;
}

int screenPixelsPerInchY()
{
    QScreen *screen = primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : defaultScreenResolution;
}

int scrollBarExtent()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr)
        return defaultScrollBarExtent;
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

std::unique_ptr<Canvas> createScreenCanvas()
{
    return createMeasuringCanvas(screenPixelsPerInchX(), screenPixelsPerInchY());
}

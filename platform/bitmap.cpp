#include "bitmap.h"

#include "bitmap_p.h"
#include "painter_canvas.h"
#include "zan_error.h"

#include <QBuffer>
#include <QPainter>

struct Bitmap::Private
{
    QImage image;
};

namespace {

QImage blankImage(int width, int height, TColor fill)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    const std::uint32_t rgb = colorToRgb(fill);
    image.fill(QColor(redOf(rgb), greenOf(rgb), blueOf(rgb)));
    return image;
}

// A canvas that keeps a painter open on the bitmap's image for its lifetime.
class BitmapCanvas : public PainterCanvas
{
public:
    explicit BitmapCanvas(QPainter *painter)
        : PainterCanvas(painter, 96, 96), m_painter(painter) { }
    ~BitmapCanvas() override
    {
        finish();
        m_painter->end();
        delete m_painter;
    }

private:
    QPainter *m_painter;
};

} // namespace

const QImage &BitmapAccess::image(const Bitmap &bitmap)
{
    return bitmap.d->image;
}

Bitmap::Bitmap() : d(std::make_shared<Private>()) { }

Bitmap::Bitmap(int width, int height, TColor fill) : d(std::make_shared<Private>())
{
    d->image = blankImage(width, height, fill);
}

Bitmap::Bitmap(const Bitmap &other) : d(std::make_shared<Private>(*other.d)) { }

Bitmap &Bitmap::operator=(const Bitmap &other)
{
    if (this != &other)
        d = std::make_shared<Private>(*other.d);
    return *this;
}

Bitmap::~Bitmap() = default;

Bitmap Bitmap::fromFile(const std::string &path)
{
    Bitmap bitmap;
    QImage image;
    if (!image.load(QString::fromStdString(path)))
        throw ZanError("cannot read the picture " + path);
    bitmap.d->image = image.convertToFormat(QImage::Format_RGB32);
    return bitmap;
}

Bitmap Bitmap::fromData(const unsigned char *data, std::size_t size)
{
    Bitmap bitmap;
    QImage image;
    if (data != nullptr && image.loadFromData(data, int(size)))
        bitmap.d->image = image.convertToFormat(QImage::Format_RGB32);
    return bitmap;
}

int Bitmap::width() const
{
    return d->image.width();
}

int Bitmap::height() const
{
    return d->image.height();
}

bool Bitmap::isEmpty() const
{
    return d->image.isNull();
}

void Bitmap::resize(int width, int height)
{
    if (width == this->width() && height == this->height())
        return;
    QImage resized = blankImage(width, height, clWhite);
    if (!resized.isNull() && !d->image.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, d->image);
    }
    d->image = resized;
}

void Bitmap::fill(TColor color)
{
    if (d->image.isNull())
        return;
    const std::uint32_t rgb = colorToRgb(color);
    d->image.fill(QColor(redOf(rgb), greenOf(rgb), blueOf(rgb)));
}

TColor Bitmap::pixel(int x, int y) const
{
    if (!d->image.valid(x, y))
        return clWhite;
    const QRgb value = d->image.pixel(x, y);
    return rgbColor(qRed(value), qGreen(value), qBlue(value));
}

void Bitmap::setPixel(int x, int y, TColor color)
{
    if (!d->image.valid(x, y))
        return;
    const std::uint32_t rgb = colorToRgb(color);
    d->image.setPixel(x, y, qRgb(redOf(rgb), greenOf(rgb), blueOf(rgb)));
}

std::unique_ptr<Canvas> Bitmap::canvas()
{
    if (d->image.isNull())
        throw ZanError("cannot draw into an empty bitmap");
    auto *painter = new QPainter(&d->image);
    return std::make_unique<BitmapCanvas>(painter);
}

void Bitmap::savePng(const std::string &path) const
{
    if (!d->image.save(QString::fromStdString(path), "PNG"))
        throw ZanError("cannot write the picture " + path);
}

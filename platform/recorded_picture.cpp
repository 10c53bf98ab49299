#include "recorded_picture.h"

#include "bitmap_p.h"
#include "painter_canvas.h"
#include "zan_error.h"

#include <QPainter>

namespace {

// The picture's reference device is the screen: 96 logical pixels per inch, as QPicture
// reports.
constexpr int pictureResolution = 96;

} // namespace

struct RecordedPicture::Private
{
    QPicture picture;
    QPainter painter;
    std::unique_ptr<PainterCanvas> canvas;
    int width = 0;
    int height = 0;
    bool recording = false;
    bool empty = true;
};

const QPicture *RecordedPictureAccess::picture(const RecordedPicture &picture)
{
    if (picture.d->recording || picture.d->empty)
        return nullptr;
    return &picture.d->picture;
}

RecordedPicture::RecordedPicture() : d(std::make_unique<Private>()) { }

RecordedPicture::~RecordedPicture()
{
    endRecording();
}

RecordedPicture::RecordedPicture(RecordedPicture &&other) noexcept = default;
RecordedPicture &RecordedPicture::operator=(RecordedPicture &&other) noexcept = default;

Canvas &RecordedPicture::beginRecording(int width, int height)
{
    if (d->recording)
        throw ZanError("a picture is already being recorded");
    d->picture = QPicture();
    d->width = std::max(0, width);
    d->height = std::max(0, height);
    d->empty = true;
    if (!d->painter.begin(&d->picture))
        throw ZanError("cannot record a picture");
    d->picture.setBoundingRect(QRect(0, 0, d->width, d->height));
    d->canvas = std::make_unique<PainterCanvas>(&d->painter, pictureResolution, pictureResolution);
    d->recording = true;
    return *d->canvas;
}

void RecordedPicture::endRecording()
{
    if (!d || !d->recording)
        return;
    d->canvas.reset();
    d->painter.end();
    d->picture.setBoundingRect(QRect(0, 0, d->width, d->height));
    d->recording = false;
    d->empty = false;
}

bool RecordedPicture::isRecording() const
{
    return d->recording;
}

bool RecordedPicture::isEmpty() const
{
    return d->empty;
}

int RecordedPicture::width() const
{
    return d->width;
}

int RecordedPicture::height() const
{
    return d->height;
}

std::size_t RecordedPicture::byteSize() const
{
    return d->empty ? 0 : std::size_t(d->picture.size());
}

void RecordedPicture::clear()
{
    endRecording();
    d->picture = QPicture();
    d->width = 0;
    d->height = 0;
    d->empty = true;
}

#pragma once

// Access to the pixels behind Bitmap and the picture behind RecordedPicture for the Qt canvas.
// Internal to platform/.

#include "bitmap.h"
#include "recorded_picture.h"

#include <QImage>
#include <QPicture>

struct BitmapAccess
{
    static const QImage &image(const Bitmap &bitmap);
};

struct RecordedPictureAccess
{
    // The completed picture; null while recording or when empty.
    static const QPicture *picture(const RecordedPicture &picture);
};

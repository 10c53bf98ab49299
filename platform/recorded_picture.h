#pragma once

// A picture that records drawing calls once and replays them any number of times, anywhere:
// the preview records each page once and draws it again on every paint.
//
//   RecordedPicture page;
//   Canvas &c = page.beginRecording(width, height);   // reference device: the screen (96 ppi)
//   c.setMappingAnisotropic({4958, 7017}, {width, height}, {0, 0});
//   c.setFontResolution(600);
//   ... draw the page in printer pixels ...
//   page.endRecording();
//   widgetCanvas.drawPicture(left, top, page);        // same size as recorded, at (left, top)
//
// Fonts are recorded at their pixel size, so a replay shows the same glyph sizes as recorded,
// whatever the target device's resolution. A replay is clipped to the picture's rectangle.

#include "canvas.h"

#include <cstddef>
#include <memory>

class RecordedPicture
{
public:
    RecordedPicture();
    ~RecordedPicture();
    RecordedPicture(RecordedPicture &&other) noexcept;
    RecordedPicture &operator=(RecordedPicture &&other) noexcept;

    // Discards any earlier content and starts recording a width x height picture. The canvas is
    // valid until endRecording(); asking again while recording throws ZanError.
    Canvas &beginRecording(int width, int height);
    // Completes the picture; does nothing when not recording.
    void endRecording();
    bool isRecording() const;

    // True before the first completed recording and after clear().
    bool isEmpty() const;
    int width() const;
    int height() const;
    // Size of the recorded calls in bytes.
    std::size_t byteSize() const;
    void clear();

private:
    friend struct RecordedPictureAccess;
    struct Private;
    std::unique_ptr<Private> d;
};

#pragma once

// A bitmap in memory (32-bit RGB), drawn on canvases with drawBitmap, stretchBitmap,
// drawBitmapPart and tileBitmap, and drawn into through its own canvas (an off-screen buffer).
//
//   Bitmap watermark = Bitmap::fromFile("watermark.png");   // throws ZanError if unreadable
//   Bitmap buffer(200, 100, clWhite);
//   {
//       std::unique_ptr<Canvas> c = buffer.canvas();        // screen resolution (96 ppi)
//       c->fillRect({0, 0, 10, 10}, clRed);
//   }                                                       // drawing ends with the canvas
//   screenCanvas.drawBitmap(0, 0, buffer);
//
// Copies share pixels until one of them is drawn into or resized (copy on write).

#include "canvas.h"

#include <memory>
#include <string>

class Bitmap
{
public:
    // An empty bitmap (0 x 0): drawing it draws nothing.
    Bitmap();
    // A width x height bitmap filled with `fill` (system colours resolved).
    Bitmap(int width, int height, TColor fill = clWhite);
    Bitmap(const Bitmap &other);
    Bitmap &operator=(const Bitmap &other);
    ~Bitmap();

    // Reads a PNG, BMP or JPEG file; throws ZanError naming the file when it cannot be read.
    static Bitmap fromFile(const std::string &path);
    // Decodes an image held in memory (PNG, BMP, JPEG); an empty bitmap when undecodable.
    static Bitmap fromData(const unsigned char *data, std::size_t size);

    int width() const;
    int height() const;
    bool isEmpty() const;
    // Changes the size; new pixels are white, kept pixels stay.
    void resize(int width, int height);
    void fill(TColor color);
    // Pixel colour as 0x00BBGGRR; white outside the bitmap.
    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor color);

    // A canvas drawing into this bitmap at screen resolution; the bitmap must outlive it and
    // must not be copied or resized while the canvas exists.
    std::unique_ptr<Canvas> canvas();

    // Writes a PNG file; throws ZanError naming the file on failure.
    void savePng(const std::string &path) const;

private:
    friend struct BitmapAccess;
    struct Private;
    std::shared_ptr<Private> d;
};

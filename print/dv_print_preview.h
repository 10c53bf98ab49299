#pragma once

// The print preview: one formatted page shown as a sheet of paper with a drop shadow on the
// workspace colour, at full-page, page-width or a fixed zoom. A click toggles between 100 % and
// the other zoom. Each page is recorded once into a picture per (page, size, FormatStamp); the
// picture is replayed once into a bitmap that every paint and scroll copies.
//
//   TDVPrintPreview preview(window);
//   preview.SetDVPrint(&print);           // print.FormatPages() has run
//   preview.SetZoomMode(dvzmFullPage);
//   preview.First();
//   preview.SetPageNo(3);

#include "docview/dv_scroller.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/recorded_picture.h"
#include "print/preview_zoom.h"

#include <QPointer>

#include <functional>

class TCustomDVPrint;

// Pen of the text-area outline; a clear pen draws no outline.
struct TDVMarginsPen : Pen
{
    TDVMarginsPen() : Pen { PenStyle::Clear, 1, clSilver } { }
};

class TCustomDVPrintPreview : public TDVScroller
{
    Q_OBJECT
public:
    explicit TCustomDVPrintPreview(QWidget *parent = nullptr);
    ~TCustomDVPrintPreview() override;

    int PageNo() const { return m_pageNo; }
    // Shows page n (any number; one outside the document shows a blank sheet) and repaints.
    virtual void SetPageNo(int n);
    void First();
    void Last();
    void Next();
    void Prev();

    TDVZoomMode ZoomMode() const { return m_zoomMode; }
    void SetZoomMode(TDVZoomMode mode);
    int ZoomPercent() const { return m_zoomPercent; }
    void SetZoomPercent(int percent);
    // Custom zoom at `percent`.
    void SetZoom(int percent);
    // Recomputes the zoom from the mode (only when a formatted document is bound).
    void UpdateView();

    int AltZoomPercent = 50;
    int ZoomedPageWidth() const { return m_zoomedPageWidth; }
    int ZoomedPageHeight() const { return m_zoomedPageHeight; }
    int ZoomInCursor = 102;
    int ZoomOutCursor = 103;
    std::function<void(TCustomDVPrintPreview &sender)> OnZoomChanged;
    // Called after a left click, before the zoom toggles.
    std::function<void(TCustomDVPrintPreview &sender)> OnClick;
    TDVMarginsPen MarginsPen;

    // The page rectangle of the last paint in client pixels (for tests and hit testing).
    Rect PageRect() const;
    // Paints the whole client area into `canvas` as a paint event does.
    void PaintTo(Canvas &canvas);

protected:
    virtual bool CanDrawContents() const = 0;
    virtual int GetPageCount() const = 0;
    virtual int GetPreview100PercentWidth() const = 0;
    virtual int GetPreview100PercentHeight() const = 0;
    // Draws the page into `rect` (client pixels).
    virtual void DrawContents(Canvas &canvas, const Rect &rect) = 0;
    virtual void DrawMargins(Canvas &canvas, const Rect &rect, int page) = 0;

    int GetDefSmallStep() const override { return 1; }
    void paintViewport(QPaintEvent *event) override;
    void OnClientResized() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void UpdateCursor();

private:
    void applyScrollArea();

    int m_pageNo = 1;
    TDVZoomMode m_zoomMode = dvzmFullPage;
    int m_zoomPercent = 100;
    int m_zoomedPageWidth = 0;
    int m_zoomedPageHeight = 0;
    bool m_leftPressed = false;
};

class TDVPrintPreview : public TCustomDVPrintPreview
{
    Q_OBJECT
public:
    explicit TDVPrintPreview(QWidget *parent = nullptr);
    ~TDVPrintPreview() override;

    TCustomDVPrint *DVPrint() const { return m_dvPrint; }
    // Binds the print component (cleared automatically when it is destroyed) and updates the
    // zoom.
    void SetDVPrint(TCustomDVPrint *print);

    // The cached page picture and its key (for tests).
    const RecordedPicture &PageImage() const { return m_pageImage; }
    int PageImageRecordings() const { return m_recordings; }

protected:
    bool CanDrawContents() const override;
    int GetPageCount() const override;
    int GetPreview100PercentWidth() const override;
    int GetPreview100PercentHeight() const override;
    void DrawContents(Canvas &canvas, const Rect &rect) override;
    void DrawMargins(Canvas &canvas, const Rect &rect, int page) override;

private:
    void recordPage(const Rect &rect);

    QPointer<TCustomDVPrint> m_dvPrint;
    RecordedPicture m_pageImage;
    Bitmap m_pageBitmap; // the picture replayed once at its size, copied on every paint
    bool m_hasImage = false;
    int m_imagePage = 0;
    Size m_imageSize;
    int m_imageStamp = -1;
    int m_recordings = 0;
};

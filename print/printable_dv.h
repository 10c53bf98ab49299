#pragma once

// The print copy: an invisible document view that shares the source document's items, is
// formatted against the printer (every position in printer pixels, text measured with the
// printer's fonts) and cut into pages. Its data object also draws any page on a canvas whose
// coordinates are device pixels of the printer's printable area.
//
//   printable area (0, 0)
//   +-----------------------------------------------+
//   |          ContentTop                           |
//   |<-areaLeft->+-------- text area ------+        |   areaLeft = ContentLeft, or MirroredLeft
//   |            | document y = TopY of the |        |   on even pages with mirrored margins
//   |            | page, below DocTopMargin |        |
//   |            +--------------------------+        |
//   |          ContentBottom                        |
//   +-----------------------------------------------+

#include "docview/doc_view.h"
#include "print/page_breaker.h"
#include "print/page_geometry.h"

#include <memory>
#include <vector>

class Bitmap;
class Printer;
class TCustomDVPrint;
class TCustomPrintableDV;

// Data object of the print copy.
class TPrintableDVData : public TDocViewDVData
{
public:
    explicit TPrintableDVData(TCustomPrintableDV *view);
    ~TPrintableDVData() override;

    std::vector<TDVPageInfo> Pages;
    TDVScreenAndDevice Resolutions;
    // A canvas measuring as the printer prints; exists only while pages are formatted.
    std::unique_ptr<Canvas> PrinterCanvas;
    // Text area inside the printable area, device pixels, never negative.
    int ContentLeft = 0;
    int ContentTop = 0;
    int ContentRight = 0;
    int ContentBottom = 0;
    int MirroredLeft = 0;
    // The source document's top and bottom margins, applied per page: screen and device pixels.
    int DocTopMargin = 0;
    int DocBottomMargin = 0;
    int DocTopMarginDev = 0;
    int DocBottomMarginDev = 0;
    bool TransparentBackground = false;
    TDVColorMode ColorMode = dvcmPrinterColor;

    // Formatting answers: the printer's resolutions, no top and bottom margins, no scrolling.
    void GetSADForFormatting(Canvas &canvas, TDVScreenAndDevice &sad) override;
    int GetTopMargin() const override { return 0; }
    int GetBottomMargin() const override { return 0; }
    Canvas *GetCanvas() override;
    void SetDocumentAreaSize(int width, int height, bool redraw) override;
    void AdjustVScrollUnits() override { }
    // The page colour: clNone with a transparent background, else the copy's or the sheet's.
    TColor GetColor() const override;

    // Reads the printer's geometry into the resolutions and the text area, and sizes the copy
    // to the text area (device pixels).
    void Prepare(const PrinterGeometry &printer, const MarginsMM &margins);
    // Cuts the formatted copy into pages; `progress` gets (k, dvpsProceeding) per page.
    void BreakIntoPages(const PageBreaker::Progress &progress);
    int TextAreaHeight() const;

    // The drawing items of page `page` (1 .. page count).
    DrawItemsRange GetDrawItemsRange(int page) const;
    // Device y offset of a page: an item at document y is drawn at y - GetTopCoord(page).
    int GetTopCoord(int page) const;
    int GetTopCoord2(int page) const;
    int GetPrintableAreaLeft(int page) const;
    int GetPrintableAreaTop() const { return ContentTop; }

    // Draws page `page` on a canvas in device pixels of the printable area; nothing for a page
    // number outside 1 .. page count. Throws EDocViewError without a style sheet.
    void DrawPage(int page, Canvas &canvas, bool preview, bool correction);
    void DoPagePrepaint(Canvas &canvas, int page, bool preview, bool correction);
    void DoPagePostpaint(Canvas &canvas, int page, bool preview);
    // The page being drawn, 0 outside page drawing.
    int CurrentPage() const { return m_currentPage; }

    TCustomPrintableDV &PrintableView() const;

private:
    friend class PageDrawer;
    int m_currentPage = 0;
};

// The invisible document view of the print copy. Margins in millimetres live here.
class TCustomPrintableDV : public TCustomDocView
{
    Q_OBJECT
public:
    // `owner` is the print component; `parent` the window that owns it (may be null).
    TCustomPrintableDV(TCustomDVPrint *owner, QWidget *parent);
    ~TCustomPrintableDV() override;

    TPrintableDVData &PrintData() const;
    TCustomDVPrint *Owner() const { return m_owner; }

    MarginsMM Margins;

    // Formats the copy for the owner's printer and cuts it into pages.
    void FormatPages();
    void DrawPage(int page, Canvas &canvas, bool preview, bool correction);
    // One print job of pages first .. last (see printPageRange).
    void PrintPages(
        int firstPage, int lastPage, const std::string &title, int copies, bool collate);
    void Print(const std::string &title, int copies, bool collate);
    // Draws every page into a job the caller has begun; no events.
    void ContinuousPrint();
    int PagesCount() const;

private:
    // The owner's printer; throws ZanError without one.
    Printer &printer() const;

    TCustomDVPrint *m_owner;
};

class TPrintableDV : public TCustomPrintableDV
{
    Q_OBJECT
public:
    using TCustomPrintableDV::TCustomPrintableDV;
};

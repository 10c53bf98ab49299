#include "printable_dv.h"

#include "platform/printer.h"
#include "platform/zan_error.h"
#include "print/dv_print.h"
#include "print/print_job.h"

#include <algorithm>
#include <cassert>

namespace {

// Sets the data's skip-formatting state for a scope, clearing it again on the way out.
class SkipFormatting
{
public:
    explicit SkipFormatting(TCustomDVData &data) : m_data(data)
    {
        m_data.State.insert(dvstSkipFormatting);
    }
    ~SkipFormatting() { m_data.State.erase(dvstSkipFormatting); }
    SkipFormatting(const SkipFormatting &) = delete;
    SkipFormatting &operator=(const SkipFormatting &) = delete;

private:
    TCustomDVData &m_data;
};

// The print copy's drawing items as page breaking sees them.
class DrawItemsSource : public PageBreakSource
{
public:
    explicit DrawItemsSource(TPrintableDVData &data)
        : m_data(data), m_items(data.DrawItems), m_style(data.GetDVStyle())
    { }

    int drawItemCount() const override { return m_items.Count(); }
    int top(int d) const override { return m_items[d].Top; }
    int height(int d) const override { return m_items[d].Height; }
    bool startsLine(int d) const override { return m_items[d].StartsLine(); }
    bool startsItem(int d) const override
    {
        return d == 0 || m_items[d - 1].ItemNo != m_items[d].ItemNo;
    }
    bool pageBreakBefore(int d) const override { return item(d).PageBreakBefore(); }
    int spaceBefore(int d) const override
    {
        return DV_YToDevice(paragraph(d).SpaceBefore, m_data.Resolutions);
    }
    int spaceAfter(int d) const override
    {
        return DV_YToDevice(paragraph(d).SpaceAfter, m_data.Resolutions);
    }

    bool isSplittable(int d) const override { return multi(d) != nullptr; }
    bool initSplit(int d) override { return multi(d)->InitSplit(m_data.Resolutions); }
    bool canSplitFirst(int d, int room) override
    {
        return multi(d)->CanSplitFirst(room, m_data.Resolutions);
    }
    bool splitAt(int d, int room) override { return multi(d)->SplitAt(room, m_data.Resolutions); }
    int partCount(int d) const override { return int(multi(d)->PartsList.size()); }
    int partHeight(int d, int part) const override
    {
        return multi(d)->PartsList[std::size_t(part)].Height;
    }

private:
    const TCustomDVItemInfo &item(int d) const { return m_data.Items().ItemAt(m_items[d].ItemNo); }
    const TParaInfo &paragraph(int d) const { return m_style->ParaStyles.GetItem(item(d).ParaNo); }
    TDVMultiDrawItemInfo *multi(int d) const
    {
        return dynamic_cast<TDVMultiDrawItemInfo *>(&m_items[d]);
    }

    TPrintableDVData &m_data;
    const TDVDrawLines &m_items;
    const TDVStyle *m_style;
};

PrinterGeometry geometryOf(const Printer &printer)
{
    PrinterGeometry geometry;
    geometry.ppiX = printer.deviceCaps(DeviceCap::LogPixelsX);
    geometry.ppiY = printer.deviceCaps(DeviceCap::LogPixelsY);
    geometry.offsetX = printer.deviceCaps(DeviceCap::PhysicalOffsetX);
    geometry.offsetY = printer.deviceCaps(DeviceCap::PhysicalOffsetY);
    geometry.paperWidth = printer.deviceCaps(DeviceCap::PhysicalWidth);
    geometry.paperHeight = printer.deviceCaps(DeviceCap::PhysicalHeight);
    geometry.pageWidth = printer.pageWidth();
    geometry.pageHeight = printer.pageHeight();
    return geometry;
}

// Releases the printer canvas when formatting ends, also on failure.
class PrinterCanvasScope
{
public:
    PrinterCanvasScope(TPrintableDVData &data, std::unique_ptr<Canvas> canvas) : m_data(data)
    {
        m_data.PrinterCanvas = std::move(canvas);
    }
    ~PrinterCanvasScope() { m_data.PrinterCanvas.reset(); }
    PrinterCanvasScope(const PrinterCanvasScope &) = delete;
    PrinterCanvasScope &operator=(const PrinterCanvasScope &) = delete;

private:
    TPrintableDVData &m_data;
};

} // namespace

TPrintableDVData::TPrintableDVData(TCustomPrintableDV *view) : TDocViewDVData(view) { }

TPrintableDVData::~TPrintableDVData() = default;

TCustomPrintableDV &TPrintableDVData::PrintableView() const
{
    return *static_cast<TCustomPrintableDV *>(m_view);
}

void TPrintableDVData::GetSADForFormatting(Canvas &, TDVScreenAndDevice &sad)
{
    sad = Resolutions;
}

Canvas *TPrintableDVData::GetCanvas()
{
    if (PrinterCanvas)
        return PrinterCanvas.get();
    return TDocViewDVData::GetCanvas();
}

void TPrintableDVData::SetDocumentAreaSize(int, int, bool)
{
    // The copy is never shown or scrolled: its area is the text area set by Prepare.
}

TColor TPrintableDVData::GetColor() const
{
    if (TransparentBackground)
        return clNone;
    return TDocViewDVData::GetColor();
}

void TPrintableDVData::Prepare(const PrinterGeometry &printer, const MarginsMM &margins)
{
    assert(PrinterCanvas && "the text area is measured while the printer canvas exists");
    DV_InfoAboutSaD(Resolutions, *PrinterCanvas);
    PrinterCanvas->setFontResolution(Resolutions.DevicePpiY);
    DocTopMarginDev = MulDiv(DocTopMargin, Resolutions.DevicePpiY, Resolutions.ScreenPpiY);
    DocBottomMarginDev = MulDiv(DocBottomMargin, Resolutions.DevicePpiY, Resolutions.ScreenPpiY);

    const TextAreaGeometry area = computeTextArea(printer, margins);
    ContentLeft = area.ContentLeft;
    ContentTop = area.ContentTop;
    ContentRight = area.ContentRight;
    ContentBottom = area.ContentBottom;
    MirroredLeft = area.MirroredLeft;
    SkipFormatting skip(*this);
    PrintableView().SetClientSize(std::max(0, area.width), std::max(0, area.height));
}

int TPrintableDVData::TextAreaHeight() const
{
    return GetHeight() - DocTopMarginDev - DocBottomMarginDev;
}

void TPrintableDVData::BreakIntoPages(const PageBreaker::Progress &progress)
{
    Pages.clear();
    DrawItemsSource source(*this);
    PageBreaker breaker(source, TextAreaHeight(), progress);
    breaker.run(Pages);
}

DrawItemsRange TPrintableDVData::GetDrawItemsRange(int page) const
{
    return drawItemsRange(Pages, page, DrawItems.Count());
}

int TPrintableDVData::GetTopCoord(int page) const
{
    return Pages[std::size_t(page - 1)].TopY - ContentTop - DocTopMarginDev;
}

int TPrintableDVData::GetTopCoord2(int page) const
{
    return Pages[std::size_t(page - 1)].PartTopY - ContentTop - DocTopMarginDev;
}

int TPrintableDVData::GetPrintableAreaLeft(int page) const
{
    const TCustomDVPrint *owner = PrintableView().Owner();
    if (owner && owner->MirrorMargins && page % 2 == 0)
        return MirroredLeft;
    return ContentLeft;
}

TCustomPrintableDV::TCustomPrintableDV(TCustomDVPrint *owner, QWidget *parent)
    : TCustomDocView(parent, std::make_unique<TPrintableDVData>(this)), m_owner(owner)
{
    setVisible(false);
    setFrameStyle(QFrame::NoFrame);
    TopMargin = 0;
    BottomMargin = 0;
    Flags = { dvflTrim, dvflShareContents, dvflUseExternalLeading, dvflAllowCustomDrawItems,
        dvflPrinting, dvflRoot };
}

TCustomPrintableDV::~TCustomPrintableDV() = default;

TPrintableDVData &TCustomPrintableDV::PrintData() const
{
    return static_cast<TPrintableDVData &>(DVData());
}

Printer &TCustomPrintableDV::printer() const
{
    Printer *printer = m_owner ? m_owner->printer() : nullptr;
    if (printer == nullptr)
        throw ZanError("no printer is available");
    return *printer;
}

int TCustomPrintableDV::PagesCount() const
{
    return int(PrintData().Pages.size());
}

void TCustomPrintableDV::FormatPages()
{
    TPrintableDVData &data = PrintData();
    {
        SkipFormatting skip(data);
        SetScrollBarsHidden(true);
    }
    const auto report = [this](int page, TDVPrintingStep step) {
        if (m_owner && m_owner->OnFormatting)
            m_owner->OnFormatting(*this, page, step);
    };
    Printer &printer = this->printer();
    report(0, dvpsStarting);
    {
        PrinterCanvasScope canvas(data, printer.createMeasuringCanvas());
        data.Prepare(geometryOf(printer), Margins);
        MaxTextWidth = DV_XToScreen(ClientWidth(), data.Resolutions) - LeftMargin - RightMargin;
        // Without a style sheet nothing is formatted: no draw items of an earlier layout stay.
        data.ClearTemporal();
        data.Format_(false, true, false, 0, data.PrinterCanvas.get(), false, false);
    }
    data.Pages.clear();
    if (data.DrawItems.Empty())
        return;
    report(0, dvpsProceeding);
    data.BreakIntoPages(report);
    report(PagesCount(), dvpsFinished);
}

void TCustomPrintableDV::DrawPage(int page, Canvas &canvas, bool preview, bool correction)
{
    PrintData().DrawPage(page, canvas, preview, correction);
}

void TCustomPrintableDV::PrintPages(
    int firstPage, int lastPage, const std::string &title, int copies, bool collate)
{
    const auto draw = [this](int page, Canvas &canvas) { DrawPage(page, canvas, false, false); };
    const auto progress = [this](int page, TDVPrintingStep step) {
        if (m_owner && m_owner->OnSendingToPrinter)
            m_owner->OnSendingToPrinter(*this, page, step);
    };
    printPageRange(printer(), firstPage, lastPage, title, copies, collate, draw, progress);
}

void TCustomPrintableDV::Print(const std::string &title, int copies, bool collate)
{
    PrintPages(1, PagesCount(), title, copies, collate);
}

void TCustomPrintableDV::ContinuousPrint()
{
    printContinuously(printer(), PagesCount(),
        [this](int page, Canvas &canvas) { DrawPage(page, canvas, false, false); });
}

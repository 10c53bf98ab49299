#include "dv_print.h"

#include "platform/bitmap.h"

#include <QWidget>

#include <algorithm>

namespace {

// FormatStamp runs 0 .. 9999 and wraps.
constexpr int formatStampLimit = 10000;

// Restores the plain device-pixel mapping when a preview drawing ends, also on failure.
class TextMappingScope
{
public:
    explicit TextMappingScope(Canvas &canvas) : m_canvas(canvas) { }
    ~TextMappingScope() { m_canvas.setMappingText({ 0, 0 }); }
    TextMappingScope(const TextMappingScope &) = delete;
    TextMappingScope &operator=(const TextMappingScope &) = delete;

private:
    Canvas &m_canvas;
};

} // namespace

TCustomDVPrint::TCustomDVPrint(QWidget *owner) : QObject(owner)
{
    m_docView = CreateDocView(owner).release();
}

TCustomDVPrint::~TCustomDVPrint()
{
    destroyDocView();
}

void TCustomDVPrint::destroyDocView()
{
    // The owner window deletes the copy with its children when it goes first.
    delete m_docView.data();
}

std::unique_ptr<TPrintableDV> TCustomDVPrint::CreateDocView(QWidget *owner)
{
    return std::make_unique<TPrintableDV>(this, owner);
}

int TCustomDVPrint::GetLM() const
{
    return m_docView->Margins.left;
}

void TCustomDVPrint::SetLM(int mm)
{
    m_docView->Margins.left = mm;
}

int TCustomDVPrint::GetRM() const
{
    return m_docView->Margins.right;
}

void TCustomDVPrint::SetRM(int mm)
{
    m_docView->Margins.right = mm;
}

int TCustomDVPrint::GetTM() const
{
    return m_docView->Margins.top;
}

void TCustomDVPrint::SetTM(int mm)
{
    m_docView->Margins.top = mm;
}

int TCustomDVPrint::GetBM() const
{
    return m_docView->Margins.bottom;
}

void TCustomDVPrint::SetBM(int mm)
{
    m_docView->Margins.bottom = mm;
}

bool TCustomDVPrint::GetTransparentBackground() const
{
    return m_docView->PrintData().TransparentBackground;
}

void TCustomDVPrint::SetTransparentBackground(bool transparent)
{
    m_docView->PrintData().TransparentBackground = transparent;
}

TDVColorMode TCustomDVPrint::GetColorMode() const
{
    return m_docView->PrintData().ColorMode;
}

void TCustomDVPrint::SetColorMode(TDVColorMode mode)
{
    m_docView->PrintData().ColorMode = mode;
}

void TCustomDVPrint::AssignSource(TCustomDocView &source)
{
    TPrintableDV &copy = *m_docView;
    TPrintableDVData &data = copy.PrintData();
    data.ShareItemsFrom(source.DVData());
    data.State.insert(dvstSkipFormatting);
    try {
        copy.LeftMargin = source.LeftMargin;
        copy.RightMargin = source.RightMargin;
        copy.TopMargin = 0;
        copy.BottomMargin = 0;
        data.DocTopMargin = source.TopMargin;
        data.DocBottomMargin = source.BottomMargin;
        copy.SetStyle(source.Style());
        copy.DoInPaletteMode = source.DoInPaletteMode;
        copy.SetBackgroundBitmap(source.BackgroundBitmap());
        copy.SetBackgroundStyle(source.GetBackgroundStyle());
        copy.Color = source.Color;
        copy.BiDiMode = source.BiDiMode;
    } catch (...) {
        data.State.erase(dvstSkipFormatting);
        throw;
    }
    data.State.erase(dvstSkipFormatting);
}

void TCustomDVPrint::FormatPages(TDVDisplayOptions)
{
    m_formatStamp = (m_formatStamp + 1) % formatStampLimit;
    m_docView->FormatPages();
    m_formatted = true;
}

int TCustomDVPrint::GetPagesCount() const
{
    return m_docView->PagesCount();
}

void TCustomDVPrint::Clear()
{
    m_docView->Clear();
    m_formatted = false;
}

int TCustomDVPrint::GetPreview100PercentWidth() const
{
    const TPrintableDVData &data = m_docView->PrintData();
    const int width = m_docView->ClientWidth() + data.ContentLeft + data.ContentRight;
    return MulDiv(width, data.Resolutions.ScreenPpiX, data.Resolutions.DevicePpiX);
}

int TCustomDVPrint::GetPreview100PercentHeight() const
{
    const TPrintableDVData &data = m_docView->PrintData();
    const int height = m_docView->ClientHeight() + data.ContentTop + data.ContentBottom;
    return MulDiv(height, data.Resolutions.ScreenPpiY, data.Resolutions.DevicePpiY);
}

void TCustomDVPrint::DrawPreview(int page, Canvas &canvas, const Rect &rect)
{
    const TPrintableDVData &data = m_docView->PrintData();
    TextMappingScope mapping(canvas);
    canvas.setMappingText({ 0, 0 });
    canvas.setPen({ PenStyle::Solid, 1, clWhite });
    canvas.setBrush({ BrushStyle::Solid, clWhite });
    canvas.fillRect(rect);
    const Size printable { m_docView->ClientWidth() + data.ContentLeft + data.ContentRight,
        m_docView->ClientHeight() + data.ContentTop + data.ContentBottom };
    canvas.setMappingAnisotropic(
        printable, { rect.width(), rect.height() }, { rect.left, rect.top });
    canvas.setFontResolution(std::min(data.Resolutions.DevicePpiX, data.Resolutions.DevicePpiY));
    m_docView->DrawPage(page, canvas, true, PreviewCorrection);
}

void TCustomDVPrint::DrawMarginsRect(Canvas &canvas, const Rect &rect, int page)
{
    const TPrintableDVData &data = m_docView->PrintData();
    const int pageWidth = m_docView->ClientWidth() + data.ContentLeft + data.ContentRight;
    const int pageHeight = m_docView->ClientHeight() + data.ContentTop + data.ContentBottom;
    const int areaLeft = data.GetPrintableAreaLeft(page);
    const Rect outline { rect.left + MulDiv(areaLeft, rect.width(), pageWidth),
        rect.top + MulDiv(data.ContentTop, rect.height(), pageHeight),
        rect.left + MulDiv(areaLeft + m_docView->ClientWidth(), rect.width(), pageWidth),
        rect.top + MulDiv(data.ContentTop + m_docView->ClientHeight(), rect.height(), pageHeight) };
    canvas.rectangle(outline);
}

TDVPrint::TDVPrint(QWidget *owner) : TCustomDVPrint(owner) { }

void TDVPrint::Print(const std::string &title, int copies, bool collate)
{
    DocView().Print(title, copies, collate);
}

void TDVPrint::PrintPages(
    int firstPage, int lastPage, const std::string &title, int copies, bool collate)
{
    DocView().PrintPages(firstPage, lastPage, title, copies, collate);
}

void TDVPrint::ContinuousPrint()
{
    DocView().ContinuousPrint();
}

void TDVPrint::MakePreview(int page, Bitmap &bitmap)
{
    bitmap.resize(GetPreview100PercentWidth(), GetPreview100PercentHeight());
    MakeScaledPreview(page, bitmap);
}

void TDVPrint::MakeScaledPreview(int page, Bitmap &bitmap)
{
    std::unique_ptr<Canvas> canvas = bitmap.canvas();
    DrawPreview(page, *canvas, Rect { 0, 0, bitmap.width(), bitmap.height() });
}

#include "docview/dv_items.h"

#include "docview/dv_data.h"
#include "docview/dv_draw_items.h"
#include "docview/dv_style.h"

#include <string>

namespace {

std::unique_ptr<TCustomDVItemInfo> createTextItem(TCustomDVData *data)
{
    return std::make_unique<TDVTextItemInfo>(data);
}

} // namespace

TDVTextItemFactory DocViewTextItemClass = createTextItem;

// ---- TCustomDVItemInfo ----

TCustomDVItemInfo::TCustomDVItemInfo(TCustomDVData *data)
{
    (void)data;
}

TCustomDVItemInfo::~TCustomDVItemInfo() = default;

void TCustomDVItemInfo::SetItemOption(TDVItemOption option, bool on)
{
    if (!on) {
        m_options.erase(option);
        return;
    }
    switch (option) {
    case dvioSameAsPrev:
        m_options.erase(dvioBR).erase(dvioPageBreakBefore);
        break;
    case dvioPageBreakBefore:
        m_options.erase(dvioSameAsPrev).erase(dvioBR);
        break;
    case dvioBR:
        if (GetBoolValue(dvbpFullWidth)) {
            m_options.erase(dvioBR);
            return;
        }
        m_options.erase(dvioSameAsPrev);
        break;
    case dvioUnicode:
        break;
    }
    m_options.insert(option);
}

void TCustomDVItemInfo::Assign(const TCustomDVItemInfo &source)
{
    StyleNo = source.StyleNo;
    ParaNo = source.ParaNo;
    m_options = source.m_options;
    Tag = source.Tag;
    JumpNo = source.JumpNo;
}

int TCustomDVItemInfo::GetMinWidth(
    const TDVScreenAndDevice *sad, Canvas *canvas, TCustomDVData *data) const
{
    (void)canvas, (void)data;
    return sad ? MulDiv(20, sad->DevicePpiX, sad->ScreenPpiX) : 20;
}

bool TCustomDVItemInfo::GetBoolValue(TDVItemBoolProperty property) const
{
    return property == dvbpValid || property == dvbpRequiresDVFLines;
}

bool TCustomDVItemInfo::GetBoolValueEx(TDVItemBoolPropertyEx property, const TDVStyle *sheet) const
{
    (void)sheet;
    return property == dvbpPrintToBMP;
}

void TCustomDVItemInfo::PaintFullWidth(int left, int right, int top, Canvas &canvas,
    TDVItemDrawState state, const TDVStyle &sheet, const Rect &clipRect,
    const TDVDrawLineInfo &drawItem)
{
    (void)left, (void)right, (void)top, (void)canvas, (void)state, (void)sheet, (void)clipRect,
        (void)drawItem;
}

void TCustomDVItemInfo::Paint(int x, int y, Canvas &canvas, TDVItemDrawState state,
    const TDVStyle &sheet, const TDVDrawLineInfo &drawItem)
{
    (void)x, (void)y, (void)canvas, (void)state, (void)sheet, (void)drawItem;
}

bool TCustomDVItemInfo::PrintToBitmap(Bitmap &bitmap, bool preview, TCustomDVData &data,
    const TDVDrawLineInfo &drawItem, int part, TDVColorMode colorMode)
{
    (void)bitmap, (void)preview, (void)data, (void)drawItem, (void)part, (void)colorMode;
    return false;
}

void TCustomDVItemInfo::Print(Canvas &canvas, int x, int y, int x2, bool preview, bool correction,
    const TDVScreenAndDevice &sad, const TDVDrawLineInfo &drawItem, int part,
    TDVColorMode colorMode, TCustomDVData &data)
{
    (void)canvas, (void)x, (void)y, (void)x2, (void)preview, (void)correction, (void)sad,
        (void)drawItem, (void)part, (void)colorMode, (void)data;
}

int TCustomDVItemInfo::GetImageWidth(const TDVStyle *sheet) const
{
    (void)sheet;
    return 0;
}

int TCustomDVItemInfo::GetImageHeight(const TDVStyle *sheet) const
{
    (void)sheet;
    return 0;
}

std::unique_ptr<TDVDrawLineInfo> TCustomDVItemInfo::CreatePrintingDrawItem(
    TCustomDVData &data, const TDVScreenAndDevice &sad)
{
    (void)data, (void)sad;
    return nullptr;
}

void TCustomDVItemInfo::Inserting(TCustomDVData *data, std::string &text, bool safe)
{
    (void)safe;
    if (data)
        data->ItemAction(dviaInserting, *this, text, data);
}

void TCustomDVItemInfo::Inserted(TCustomDVData *data, int itemNo)
{
    if (data)
        data->ItemAction(dviaInserted, *this, data->Items().TextAt(itemNo), data);
}

// ---- text items ----

bool TDVTextItemInfo::GetBoolValueEx(TDVItemBoolPropertyEx property, const TDVStyle *sheet) const
{
    switch (property) {
    case dvbpJump:
    case dvbpAllowsFocus:
    case dvbpXORFocus:
        return sheet && sheet->TextStyles.GetItem(StyleNo).Jump;
    case dvbpHotColdJump:
        return sheet && sheet->TextStyles.GetItem(StyleNo).Jump
            && const_cast<TDVStyle *>(sheet)->StyleHoverSensitive(StyleNo);
    case dvbpPrintToBMP:
        break;
    }
    return TCustomDVItemInfo::GetBoolValueEx(property, sheet);
}

// ---- non-text items ----

void TDVNonTextItemInfo::AdjustInserted(int x, int y, bool adjustSelection)
{
    (void)x, (void)y, (void)adjustSelection;
}

bool TDVFullLineItemInfo::GetBoolValue(TDVItemBoolProperty property) const
{
    if (property == dvbpFullWidth)
        return true;
    return TDVNonTextItemInfo::GetBoolValue(property);
}

// ---- break items ----

TDVBreakItemInfo::TDVBreakItemInfo(TCustomDVData *data) : TDVFullLineItemInfo(data)
{
    StyleNo = -1;
}

void TDVBreakItemInfo::Assign(const TCustomDVItemInfo &source)
{
    TDVFullLineItemInfo::Assign(source);
    if (const auto *other = dynamic_cast<const TDVBreakItemInfo *>(&source)) {
        LineWidth = other->LineWidth;
        Style = other->Style;
        Color = other->Color;
    }
}

bool TDVBreakItemInfo::GetBoolValue(TDVItemBoolProperty property) const
{
    if (property == dvbpRequiresDVFLines)
        return false;
    return TDVFullLineItemInfo::GetBoolValue(property);
}

bool TDVBreakItemInfo::GetBoolValueEx(TDVItemBoolPropertyEx property, const TDVStyle *sheet) const
{
    if (property == dvbpPrintToBMP)
        return false;
    return TDVFullLineItemInfo::GetBoolValueEx(property, sheet);
}

void TDVBreakItemInfo::PaintFullWidth(int left, int right, int top, Canvas &canvas,
    TDVItemDrawState state, const TDVStyle &sheet, const Rect &clipRect,
    const TDVDrawLineInfo &drawItem)
{
    (void)clipRect, (void)drawItem;
    const TColor color = Color != clNone ? Color : sheet.TextStyles.GetItem(0).Color;
    canvas.setPen({ PenStyle::Solid, LineWidth, color });
    canvas.line(left + 5, top + 5, right - 5, top + 5);
    canvas.setPen({ PenStyle::Solid, 1, color });
    if (!state.contains(dvidsSelected))
        return;
    const TColor selection
        = state.contains(dvidsControlFocused) ? sheet.SelColor : sheet.InactiveSelColor;
    if (selection == clNone)
        return;
    canvas.setPen({ PenStyle::Solid, 1, selection });
    canvas.line(left + 5, top + 4, right - 5, top + 4);
    canvas.line(left + 5, top + 6, right - 5, top + 6);
}

void TDVBreakItemInfo::Print(Canvas &canvas, int x, int y, int x2, bool preview, bool correction,
    const TDVScreenAndDevice &sad, const TDVDrawLineInfo &drawItem, int part,
    TDVColorMode colorMode, TCustomDVData &data)
{
    (void)preview, (void)correction, (void)drawItem, (void)part;
    TColor color = Color;
    if (color == clNone) {
        const TDVStyle *sheet = data.GetDVStyle();
        color = sheet ? sheet->TextStyles.GetItem(0).Color : clWindowText;
    }
    const int penWidth = LineWidth * sad.DevicePpiY / sad.ScreenPpiY;
    const int dx = sad.DevicePpiX * 5 / sad.ScreenPpiX;
    const int dy = sad.DevicePpiY * 5 / sad.ScreenPpiY;
    canvas.setPen({ PenStyle::InsideFrame, penWidth, DV_GetColor(color, colorMode) });
    canvas.line(x + dx, y + dy, x2 - dx, y + dy);
    canvas.setPen({ PenStyle::Solid, penWidth, canvas.pen().color });
}

// ---- the item list ----

void TDVItemList::checkIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string &TDVItemList::GetText(int index) const
{
    checkIndex(index);
    return TextAt(index);
}

TCustomDVItemInfo &TDVItemList::GetItem(int index) const
{
    checkIndex(index);
    return ItemAt(index);
}

void TDVItemList::Add(std::string text, std::unique_ptr<TCustomDVItemInfo> item)
{
    m_entries.push_back({ std::move(text), std::move(item) });
}

void TDVItemList::Clear()
{
    for (Entry &entry : m_entries)
        entry.item.reset();
    m_entries.clear();
}

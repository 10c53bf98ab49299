#include "docview/dv_data.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

// Replaces every tab by `spaces` spaces; for 16-bit text the units are byte pairs.
std::string expandTabs(std::string_view text, int spaces, bool sixteenBit)
{
    std::string result;
    result.reserve(text.size());
    if (!sixteenBit) {
        for (char c : text) {
            if (c == '\t')
                result.append(std::size_t(spaces), ' ');
            else
                result.push_back(c);
        }
        return result;
    }
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        if (text[i] == '\t' && text[i + 1] == '\0') {
            for (int s = 0; s < spaces; ++s)
                result.append(" ", 2);
        } else {
            result.append(text.substr(i, 2));
        }
    }
    if (text.size() % 2 != 0)
        result.push_back(text.back());
    return result;
}

const char *const itemIndexError = "Item index is out of bounds";

} // namespace

// ---- TCustomDVData ----

TCustomDVData::TCustomDVData()
    : m_ownItems(std::make_unique<TDVItemList>()), m_items(m_ownItems.get())
{ }

TCustomDVData::~TCustomDVData() = default;

void TCustomDVData::InternalFreeItem(TCustomDVItemInfo *item, bool clearing)
{
    (void)clearing;
    item->Checkpoint = nullptr;
}

void TCustomDVData::ItemAction(
    TDVItemAction action, TCustomDVItemInfo &item, const std::string &text, TCustomDVData *data)
{
    (void)action, (void)item, (void)text, (void)data;
}

void TCustomDVData::ShareItemsFrom(TCustomDVData &source)
{
    Clear();
    m_sharedFrom = &source;
    m_items = source.m_items;
}

void TCustomDVData::AddNLTag(std::string_view text, int styleNo, int paraNo, int tag)
{
    std::unique_ptr<TCustomDVItemInfo> item = DocViewTextItemClass(this);
    item->StyleNo = styleNo;
    item->ParaNo = paraNo;
    item->Tag = tag;
    const TDVStyle *sheet = GetDVStyle();
    const bool sixteenBit = sheet && sheet->TextStyles.GetItem(styleNo).Unicode;
    if (sixteenBit)
        item->SetItemOption(dvioUnicode, true);
    const int spaces = sheet ? sheet->SpacesInTab : 8;
    AddItem(expandTabs(text, spaces, sixteenBit), std::move(item));
}

void TCustomDVData::AddBreakExTag(int width, TDVBreakStyle style, TColor color, int tag)
{
    auto item = std::make_unique<TDVBreakItemInfo>(this);
    item->LineWidth = std::uint8_t(width);
    item->Style = style;
    item->Color = color;
    item->SetItemOption(dvioSameAsPrev, false);
    item->ParaNo = 0;
    item->Tag = tag;
    AddItem(std::string(), std::move(item));
}

void TCustomDVData::AddItem(std::string text, std::unique_ptr<TCustomDVItemInfo> item)
{
    TDVItemList &items = Items();
    const TCustomDVItemInfo *last = items.Empty() ? nullptr : &items.ItemAt(items.Count() - 1);
    if (item->ParaNo == -1 && last && !last->GetBoolValue(dvbpFullWidth)) {
        item->SetItemOption(dvioSameAsPrev, true);
        item->ParaNo = last->ParaNo;
    } else {
        if (last && last->StyleNo == -11) {
            auto filler = DocViewTextItemClass(this);
            filler->StyleNo = 0;
            filler->ParaNo = -1;
            AddItem(std::string(), std::move(filler));
        }
        item->SetItemOption(dvioSameAsPrev, false);
        const bool fullWidth = item->GetBoolValue(dvbpFullWidth);
        item->SetItemOption(dvioBR, (item->BR() || !AddParagraphMode) && !fullWidth);
        if (item->ParaNo == -1)
            item->ParaNo = 0;
    }
    item->UpdatePaletteInfo(GetDoInPaletteMode());
    item->Inserting(this, text, false);
    items.Add(std::move(text), std::move(item));
    const int index = items.Count() - 1;
    items.ItemAt(index).Inserted(this, index);
}

void TCustomDVData::SetPageBreaksBeforeItems(int index, bool value)
{
    if (index < 0 || index >= ItemCount())
        throw EDocViewError(itemIndexError);
    Items().ItemAt(index).SetItemOption(dvioPageBreakBefore, value);
}

bool TCustomDVData::GetPageBreaksBeforeItems(int index) const
{
    if (index < 0 || index >= ItemCount())
        throw EDocViewError(itemIndexError);
    if (index > 0 && Items().ItemAt(index - 1).StyleNo == -11)
        return Items().ItemAt(index - 1).PageBreakBefore();
    return Items().ItemAt(index).PageBreakBefore();
}

void TCustomDVData::Clear()
{
    const bool wasClearing = State.contains(dvstClearing);
    State.insert(dvstClearing);
    State.erase(dvstFirstParaAborted).erase(dvstLastParaAborted);
    if (!ShareItems()) {
        TDVItemList &items = Items();
        for (int i = 0; i < items.Count(); ++i) {
            ItemAction(dviaDestroying, items.ItemAt(i), items.TextAt(i), this);
            InternalFreeItem(&items.ItemAt(i), true);
        }
        items.Clear();
    }
    State.set(dvstClearing, wasClearing);
}

// ---- TCustomDVFormattedData: everything but Format_ ----

TCustomDVFormattedData::TCustomDVFormattedData() = default;
TCustomDVFormattedData::~TCustomDVFormattedData() = default;

void TCustomDVFormattedData::GetSADForFormatting(Canvas &canvas, TDVScreenAndDevice &sad)
{
    DV_InfoAboutSaD(sad, canvas);
}

void TCustomDVFormattedData::SetDocumentAreaSize(int width, int height, bool redraw)
{
    (void)width, (void)height, (void)redraw;
}

void TCustomDVFormattedData::Clear()
{
    ClearTemporal();
    TCustomDVData::Clear();
}

void TCustomDVFormattedData::ClearTemporal()
{
    DrawItems.Clear();
}

int TCustomDVFormattedData::Item2FirstDrawItem(int itemNo) const
{
    int low = 0;
    int high = DrawItems.Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (DrawItems[middle].ItemNo < itemNo)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < DrawItems.Count() && DrawItems[low].ItemNo == itemNo)
        return low;
    return -1;
}

int TCustomDVFormattedData::GetDrawItemNo(int itemNo, int offs) const
{
    int index = Item2FirstDrawItem(itemNo);
    if (index < 0)
        return -1;
    while (index + 1 < DrawItems.Count() && DrawItems[index + 1].ItemNo == itemNo
        && DrawItems[index + 1].Offs <= offs)
        ++index;
    return index;
}

bool TCustomDVFormattedData::Item2DrawItem(
    int itemNo, int offs, int &drawItemNo, int &offsInDrawItem) const
{
    drawItemNo = GetDrawItemNo(itemNo, offs);
    if (drawItemNo < 0)
        return false;
    offsInDrawItem = offs - DrawItems[drawItemNo].Offs + 1;
    return true;
}

void TCustomDVFormattedData::DrawItem2Item(
    int drawItemNo, int offs, int &itemNo, int &offsInItem) const
{
    const TDVDrawLineInfo &drawItem = DrawItems[drawItemNo];
    itemNo = drawItem.ItemNo;
    offsInItem = drawItem.Offs + offs - 1;
}

int TCustomDVFormattedData::FindDrawItemAtY(int y) const
{
    // The last draw item whose top is not below y (0 when all are).
    int low = 0;
    int high = DrawItems.Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (DrawItems[middle].Top <= y)
            low = middle + 1;
        else
            high = middle;
    }
    return std::max(0, low - 1);
}

void TCustomDVFormattedData::DrawBackground(Canvas &canvas, const Rect &rect)
{
    if (const TDVBackground *background = GetBackground()) {
        background->Draw(
            canvas, rect, GetHOffs(), GetVOffs(), 0, 0, GetWidth(), GetHeight(), GetColor(), false);
        return;
    }
    if (GetColor() != clNone)
        canvas.fillRect({ 0, 0, rect.width(), rect.height() }, GetColor());
}

std::string TCustomDVFormattedData::checkConsistency() const
{
    const auto at = [](int index) { return "draw item " + std::to_string(index) + ": "; };
    int expectedItem = 0;
    int previousLineTop = INT_MIN;
    int nextOffs = 1;
    for (int d = 0; d < DrawItems.Count(); ++d) {
        const TDVDrawLineInfo &piece = DrawItems[d];
        const bool firstOfItem = d == 0 || DrawItems[d - 1].ItemNo != piece.ItemNo;
        if (firstOfItem) {
            if (piece.ItemNo != expectedItem)
                return at(d) + "item " + std::to_string(expectedItem) + " has no draw item";
            ++expectedItem;
            nextOffs = 1;
        }
        if (piece.ItemNo >= ItemCount())
            return at(d) + "item number out of range";
        const TCustomDVItemInfo &item = Items().ItemAt(piece.ItemNo);
        if (d == 0 && !piece.StartsLine())
            return at(d) + "the first draw item does not start a line";
        if (firstOfItem && !item.SameAsPrev() && !piece.StartsLine())
            return at(d) + "an item that starts a line continues one";
        if (item.StyleNo >= 0) {
            const int size = int(Items().TextAt(piece.ItemNo).size());
            if (piece.Offs < nextOffs || piece.Length < 0 || piece.Offs + piece.Length - 1 > size)
                return at(d) + "piece outside its text or overlapping the previous one";
            nextOffs = piece.Offs + piece.Length;
        }
        if (piece.StartsLine()) {
            if (piece.Top < previousLineTop)
                return at(d) + "line above the previous line";
            previousLineTop = piece.Top;
        }
    }
    if (!DrawItems.Empty() && expectedItem != ItemCount())
        return "item " + std::to_string(expectedItem) + " has no draw item";
    return {};
}

#pragma once

// The rich document view: a scrollable control showing a document of styled text items and
// horizontal rules, formatted into lines for its width and painted with its style sheet.
//
//   TDocView view;
//   std::unique_ptr<TDVStyle> sheet = CreateReportStyleSheet();
//   view.SetStyle(sheet.get());
//   view.Clear();
//   view.AddNL("File = pedigree.csv", 1, 1);               // centred heading
//   view.AddNL("  1 A1 ...", 0, 0);
//   view.SetPageBreaksBeforeItems(view.GetLineCount() - 1, true);
//   view.Format();

#include "docview/dv_background.h"
#include "docview/dv_data.h"
#include "docview/dv_scroller.h"
#include "docview/dv_style.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TCustomDocView;

// Data object of a control: answers the formatting questions from its view.
class TDVControlData : public TCustomDVFormattedData
{
public:
    explicit TDVControlData(TCustomDocView *view) : m_view(view) { }
    TCustomDocView *View() const { return m_view; }

protected:
    TCustomDocView *m_view;
};

// The screen view's data object; the print copy's data derives from it.
class TDocViewDVData : public TDVControlData
{
public:
    using TDVControlData::TDVControlData;

    TDVOptions GetOptions() const override;
    void SetOptions(TDVOptions options) override;
    TDVStyle *GetDVStyle() const override;
    TDVPaletteAction GetDoInPaletteMode() const override;
    void ItemAction(TDVItemAction action, TCustomDVItemInfo &item, const std::string &text,
        TCustomDVData *data) override;

    TDVFlags GetFlags() const override;
    void SetFlags(TDVFlags flags) override;
    int GetAreaWidth() const override;
    int GetLeftMargin() const override;
    int GetRightMargin() const override;
    int GetTopMargin() const override;
    int GetBottomMargin() const override;
    int GetMinTextWidth() const override;
    int GetMaxTextWidth() const override;
    TDVBackground *GetBackground() const override;
    void AdjustVScrollUnits() override;
    void SetDocumentAreaSize(int width, int height, bool redraw) override;
    int GetHOffs() const override;
    int GetVOffs() const override;
    int GetWidth() const override;
    int GetHeight() const override;
    Canvas *GetCanvas() override;
    void ScrollTo(int y, bool redraw) override;
    void HScrollTo(int x) override;
    int GetVSmallStep() const override;
    TColor GetColor() const override;
    bool IsControlFocused() const override;
};

// The document view control. Every building operation forwards to the data object.
class TCustomDocView : public TDVScroller
{
    Q_OBJECT
public:
    explicit TCustomDocView(QWidget *parent = nullptr);
    ~TCustomDocView() override;

    // The data object (the print copy supplies its own class through the protected constructor).
    TDocViewDVData &DVData() const { return *m_data; }

    // Style sheet; nothing is formatted or painted without one. Cleared when the sheet dies.
    TDVStyle *Style() const { return m_style; }
    void SetStyle(TDVStyle *style);

    // Document margins, screen pixels.
    int LeftMargin = 5;
    int RightMargin = 5;
    int TopMargin = 5;
    int BottomMargin = 5;
    int MinTextWidth = 0;
    int MaxTextWidth = 0;
    TDVOptions Options = { dvoAllowSelection, dvoScrollToEnd, dvoShowPageBreaks, dvoAutoCopyText,
        dvoAutoCopyDVF, dvoAutoCopyImage, dvoAutoCopyRTF, dvoFormatInvalidate,
        dvoDblClickSelectsWord, dvoRClickDeselects };
    TDVFlags Flags = { dvflUseJumps, dvflTrim, dvflUseExternalLeading, dvflRoot };
    // Background colour; clNone means the sheet's Color (clWindow without a sheet).
    TColor Color = clNone;
    TDVPaletteAction DoInPaletteMode = dvpaCreateCopies;
    TDVBiDiMode BiDiMode = dvbdUnspecified;

    // Background picture and its placement; changing either repaints (dvoFormatInvalidate).
    const Bitmap &BackgroundBitmap() const { return m_background.Picture; }
    void SetBackgroundBitmap(const Bitmap &bitmap);
    TBackgroundStyle GetBackgroundStyle() const { return m_background.BackStyle; }
    void SetBackgroundStyle(TBackgroundStyle style);
    TDVBackground &Background() { return m_background; }
    const TDVBackground &Background() const { return m_background; }

    // Called after every paint with (this, canvas, prepaint = false).
    std::function<void(TCustomDocView &sender, Canvas &canvas, bool prepaint)> OnPaint;
    // Called for item actions (insertion, destruction).
    std::function<void(TCustomDocView &sender, TDVItemAction action, TCustomDVItemInfo &item,
        const std::string &text)>
        OnItemAction;

    // Removes all items and formatting results; does not repaint.
    void Clear();
    // Appends a text item: paraNo >= 0 starts a paragraph, -1 continues the last line. Tabs
    // become SpacesInTab spaces.
    void AddNL(std::string_view text, int styleNo, int paraNo);
    void AddNLTag(std::string_view text, int styleNo, int paraNo, int tag);
    // Appends a horizontal rule (a line of width 1 in text style 0's colour by default).
    void AddBreak();
    void AddBreakTag(int tag);
    void AddBreakEx(int width, TDVBreakStyle style, TColor color);
    void AddBreakExTag(int width, TDVBreakStyle style, TColor color, int tag);
    // Page-break-before flag of item index; EDocViewError "Item index is out of bounds".
    void SetPageBreaksBeforeItems(int index, bool value);
    bool GetPageBreaksBeforeItems(int index) const;
    // Number of items (not of lines).
    int GetLineCount() const;

    // Item readers; a bad index raises EListError "List index out of bounds (%d)".
    int GetItemStyle(int index) const;
    int GetItemPara(int index) const;
    int GetItemTag(int index) const;
    bool IsFromNewLine(int index) const;
    bool IsParaStart(int index) const;
    TCustomDVItemInfo &GetItem(int index) const;
    const std::string &GetItemText(int index) const;
    // Break and text item fields; EDocViewError "Can't get or set this kind of information for
    // this item" on an item of another kind.
    void GetBreakInfo(int index, int &width, TDVBreakStyle &style, TColor &color, int &tag) const;
    void SetBreakInfo(int index, int width, TDVBreakStyle style, TColor color, int tag);
    void GetTextInfo(int index, std::string &text, int &tag) const;

    // Lays the document out for the current width and repaints (dvoFormatInvalidate).
    void Format();
    void FormatTail();
    int GetDocumentHeight() const { return m_data->DocumentHeight; }

    // The canvas used for measuring on the screen (a screen-resolution image canvas).
    Canvas &MeasureCanvas();

    // Paints the clip rectangle of the view into canvas (double-buffered), as a paint event does.
    void Paint(Canvas &canvas, const Rect &clip);

protected:
    // For controls with their own data class (the print copy).
    TCustomDocView(QWidget *parent, std::unique_ptr<TDocViewDVData> data);
    int GetDefSmallStep() const override { return 10; }
    void paintViewport(QPaintEvent *event) override;
    void OnClientResized() override;
    void OnScrolled() override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class TDVStyle;
    void styleDestroyed() { m_style = nullptr; }
    void backgroundChanged();
    void paintNoStyle(Canvas &canvas, const Rect &clip);
    TCustomDVItemInfo &checkedItem(int index) const;

    std::unique_ptr<TDocViewDVData> m_data;
    TDVStyle *m_style = nullptr;
    TDVBackground m_background;
    std::unique_ptr<Bitmap> m_measureBitmap;
    std::unique_ptr<Canvas> m_measureCanvas;
};

class TDocView : public TCustomDocView
{
    Q_OBJECT
public:
    explicit TDocView(QWidget *parent = nullptr) : TCustomDocView(parent) { }

protected:
    using TCustomDocView::TCustomDocView;
};

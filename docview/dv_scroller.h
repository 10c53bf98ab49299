#pragma once

// The scrollable control base shared by the document view and the print preview. The vertical
// position counts in units of the small step (pixels per unit, GetDefSmallStep: 10 here, 1 for
// the preview); the horizontal position counts in pixels.
//
//   class Preview : public TDVScroller {
//       int GetDefSmallStep() const override { return 1; }
//       void paintViewport(QPaintEvent *event) override { ... HScrollPos(), VScrollPos() ... }
//   };
//   preview.UpdateScrollBars(pageWidth + 40, pageHeight + 40, true, true);

#include <QAbstractScrollArea>

class TDVScroller : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TDVScroller(QWidget *parent = nullptr);
    ~TDVScroller() override;

    // Pixels per vertical unit; taken from GetDefSmallStep on first use.
    int VSmallStep() const;
    void SetVSmallStep(int step);
    virtual int GetDefSmallStep() const { return 10; }

    // Scroll positions: vertical in units, horizontal in pixels.
    int VScrollPos() const;
    int HScrollPos() const;
    // Moves to the position (clamped); repaints what changed.
    void SetVScrollPos(int units);
    void SetHScrollPos(int pixels);
    // Largest vertical position: the height in units less the page.
    int VScrollMax() const;

    // Sets the scroll area: width in pixels, height in vertical units. A bar shows only while
    // its range exceeds its page; positions are clamped. A nested call returns at once.
    void UpdateScrollBars(int width, int height, bool redraw, bool updateHorizontal);
    int ScrollAreaWidth() const { return m_areaWidth; }
    int ScrollAreaHeight() const { return m_areaHeight; } // units

    // The drawing area (the viewport) in pixels. For a hidden control the area follows
    // SetClientSize at once.
    int ClientWidth() const;
    int ClientHeight() const;
    // Resizes the control so that its drawing area is width x height pixels.
    void SetClientSize(int width, int height);
    // Hides both bars for good (the print copy) or lets them follow the scroll area again.
    void SetScrollBarsHidden(bool hidden);

    bool Tracking = true;
    int WheelStep = 2; // vertical units per wheel notch
    bool KeyboardScroll = true;

protected:
    // Paints the viewport; the default fills nothing.
    virtual void paintViewport(QPaintEvent *event);
    // Called after the vertical or horizontal position changed.
    virtual void OnScrolled() { }
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Called when the drawing area changed size.
    virtual void OnClientResized() { }

private:
    void applyBarPolicies();
    void applyRanges(bool updateHorizontal);
    mutable int m_vSmallStep = -1;
    int m_areaWidth = 0;
    int m_areaHeight = 0;
    bool m_updating = false;
    bool m_barsHidden = false;
};

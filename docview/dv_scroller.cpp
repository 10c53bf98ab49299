#include "docview/dv_scroller.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

TDVScroller::TDVScroller(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    applyBarPolicies();
}

TDVScroller::~TDVScroller() = default;

int TDVScroller::VSmallStep() const
{
    if (m_vSmallStep < 0)
        m_vSmallStep = GetDefSmallStep();
    return m_vSmallStep;
}

void TDVScroller::SetVSmallStep(int step)
{
    if (step <= 0 || step == VSmallStep())
        return;
    m_vSmallStep = step;
}

int TDVScroller::VScrollPos() const
{
    return verticalScrollBar()->value();
}

int TDVScroller::HScrollPos() const
{
    return horizontalScrollBar()->value();
}

int TDVScroller::VScrollMax() const
{
    return verticalScrollBar()->maximum();
}

void TDVScroller::SetVScrollPos(int units)
{
    verticalScrollBar()->setValue(std::clamp(units, 0, verticalScrollBar()->maximum()));
}

void TDVScroller::SetHScrollPos(int pixels)
{
    horizontalScrollBar()->setValue(std::clamp(pixels, 0, horizontalScrollBar()->maximum()));
}

void TDVScroller::UpdateScrollBars(int width, int height, bool redraw, bool updateHorizontal)
{
    if (m_updating)
        return;
    m_updating = true;
    m_areaWidth = width;
    m_areaHeight = height;
    // A bar that appears or vanishes changes the drawing area, and so the pages: repeat until
    // the area stays put (a bar can change at most twice).
    for (int pass = 0; pass < 3; ++pass) {
        const QSize before = viewport()->size();
        applyRanges(updateHorizontal);
        // The bars are shown or hidden through a queued call: deliver it now, so that the
        // drawing area has its new size when this returns.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        if (viewport()->size() == before)
            break;
    }
    m_updating = false;
    if (redraw)
        viewport()->update();
}

void TDVScroller::applyRanges(bool updateHorizontal)
{
    const int step = VSmallStep();
    if (updateHorizontal) {
        QScrollBar *bar = horizontalScrollBar();
        bar->setPageStep(std::max(1, ClientWidth()));
        bar->setSingleStep(step);
        bar->setRange(0, std::max(0, m_areaWidth - ClientWidth()));
    }
    QScrollBar *bar = verticalScrollBar();
    const int page = ClientHeight() / step;
    bar->setPageStep(std::max(1, page));
    bar->setSingleStep(1);
    bar->setTracking(Tracking);
    bar->setRange(0, std::max(0, m_areaHeight - page));
}

int TDVScroller::ClientWidth() const
{
    return viewport()->width();
}

int TDVScroller::ClientHeight() const
{
    return viewport()->height();
}

void TDVScroller::SetClientSize(int width, int height)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QSize chrome = size() - viewport()->size();
        const QSize old = size();
        resize(width + chrome.width(), height + chrome.height());
        if (!isVisible()) {
            // A hidden control gets its resize event only when shown: lay it out now.
            QResizeEvent event(size(), old);
            QCoreApplication::sendEvent(this, &event);
        }
        if (ClientWidth() == width && ClientHeight() == height)
            return;
    }
}

void TDVScroller::SetScrollBarsHidden(bool hidden)
{
    m_barsHidden = hidden;
    applyBarPolicies();
}

void TDVScroller::applyBarPolicies()
{
    const Qt::ScrollBarPolicy policy
        = m_barsHidden ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setVerticalScrollBarPolicy(policy);
    setHorizontalScrollBarPolicy(policy);
}

void TDVScroller::paintViewport(QPaintEvent *event)
{
    (void)event;
}

bool TDVScroller::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        paintViewport(static_cast<QPaintEvent *>(event));
        return true;
    }
    const bool result = QAbstractScrollArea::viewportEvent(event);
    if (event->type() == QEvent::Resize) {
        // The pages of the bars follow the drawing area.
        UpdateScrollBars(m_areaWidth, m_areaHeight, false, true);
        OnClientResized();
    }
    return result;
}

void TDVScroller::scrollContentsBy(int dx, int dy)
{
    (void)dx, (void)dy;
    viewport()->update();
    OnScrolled();
}

void TDVScroller::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    SetVScrollPos(VScrollPos() - notches * WheelStep);
    event->accept();
}

void TDVScroller::keyPressEvent(QKeyEvent *event)
{
    if (!KeyboardScroll) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    QScrollBar *vertical = verticalScrollBar();
    QScrollBar *horizontal = horizontalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageUp:
        vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        vertical->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case Qt::Key_End:
        vertical->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    case Qt::Key_Up:
        vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Left:
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

#pragma once

// The printing component: turns a formatted document into pages for the printer it is handed,
// draws them for the preview and sends them to that printer.
//
//   TDVPrint print(window);
//   print.setPrinter(&printer);           // not owned
//   print.SetLM(20); print.SetRM(20); print.SetTM(20); print.SetBM(20);   // millimetres
//   print.AssignSource(view);             // shares the view's items; formats nothing
//   print.OnFormatting = [](TCustomDocView &, int page, TDVPrintingStep step) { ... };
//   print.FormatPages();                  // measured against the printer
//   int pages = print.GetPagesCount();
//   print.Print("pedigree.csv", 1, false);

#include "docview/doc_view.h"
#include "print/printable_dv.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

class Bitmap;
class Printer;

enum TDVDisplayOption : std::uint8_t { dvdoImages, dvdoComponents, dvdoBullets };
using TDVDisplayOptions = DVSet<TDVDisplayOption>;

class TCustomDVPrint;

// Progress of formatting or printing; the sender is the print copy control.
using TDVPrintingEvent
    = std::function<void(TCustomDocView &sender, int pageCompleted, TDVPrintingStep step)>;
// Hooks around page drawing: pageRect is the whole printable area, printAreaRect the page's
// text area, both in device pixels of the printable area.
using TDVPagePrepaintEvent = std::function<void(TCustomDVPrint &sender, int pageNo, Canvas &canvas,
    bool preview, const Rect &pageRect, const Rect &printAreaRect)>;

class TCustomDVPrint : public QObject
{
    Q_OBJECT
public:
    // `owner` is the window the component belongs to; the print copy becomes its child.
    explicit TCustomDVPrint(QWidget *owner = nullptr);
    ~TCustomDVPrint() override;

    bool PreviewCorrection = true;
    bool Formatted() const { return m_formatted; }
    // Advanced by every FormatPages, 0 .. 9999 (10000 wraps to 0).
    int FormatStamp() const { return m_formatStamp; }

    bool MirrorMargins = false;
    bool ClipMargins = false;
    int HeaderYMM = 10;
    int FooterYMM = 10;
    TDVPrintingEvent OnFormatting;
    TDVPrintingEvent OnSendingToPrinter;
    TDVPagePrepaintEvent OnPagePrepaint;
    TDVPagePrepaintEvent OnPagePostpaint;

    // The printer the pages are formatted for and printed on; not owned, it must outlive its
    // use. Formatting and printing throw ZanError while there is none. A new printer needs a
    // new FormatPages.
    void setPrinter(Printer *printer) { m_printer = printer; }
    Printer *printer() const { return m_printer; }

    // Page margins in whole millimetres; plain stores, used by the next FormatPages.
    int GetLM() const;
    void SetLM(int mm);
    int GetRM() const;
    void SetRM(int mm);
    int GetTM() const;
    void SetTM(int mm);
    int GetBM() const;
    void SetBM(int mm);

    bool GetTransparentBackground() const;
    void SetTransparentBackground(bool transparent);
    TDVColorMode GetColorMode() const;
    void SetColorMode(TDVColorMode mode);

    // Makes the print copy show the source's items, style sheet, background and colour, with
    // the source's top and bottom margins kept for every page. Formats nothing.
    void AssignSource(TCustomDocView &source);
    // Formats the copy for the printer and cuts it into pages. Raises OnFormatting with
    // (0, dvpsStarting), (0, dvpsProceeding), (k, dvpsProceeding) per page, (count,
    // dvpsFinished); an empty document stops after the first. The options are ignored.
    void FormatPages(TDVDisplayOptions options = {});
    int GetPagesCount() const;
    // Back to the unformatted state; the shared items are left alone.
    void Clear();

    // The printable area's size in screen pixels (the page at 100 %).
    int GetPreview100PercentWidth() const;
    int GetPreview100PercentHeight() const;
    // Draws page `page` scaled so that the printable area fills `rect`, on white paper.
    void DrawPreview(int page, Canvas &canvas, const Rect &rect);
    // Outlines the text area of `page` scaled into `rect` with the canvas's pen and brush.
    void DrawMarginsRect(Canvas &canvas, const Rect &rect, int page);

    TPrintableDV &DocView() const { return *m_docView; }

protected:
    virtual std::unique_ptr<TPrintableDV> CreateDocView(QWidget *owner);

private:
    void destroyDocView();

    QPointer<TPrintableDV> m_docView;
    Printer *m_printer = nullptr;
    bool m_formatted = false;
    int m_formatStamp = 0;

    friend class TCustomPrintableDV;
};

class TDVPrint : public TCustomDVPrint
{
    Q_OBJECT
public:
    explicit TDVPrint(QWidget *owner = nullptr);

    void Print(const std::string &title, int copies, bool collate);
    void PrintPages(
        int firstPage, int lastPage, const std::string &title, int copies, bool collate);
    void ContinuousPrint();

    // Draws a page into a bitmap resized to the page's 100 % size first.
    void MakePreview(int page, Bitmap &bitmap);
    // Draws a page scaled into the bitmap's current size.
    void MakeScaledPreview(int page, Bitmap &bitmap);
};

#pragma once

// The analysis report window: a print preview of the report with a scroll bar that chooses the
// page, a Print button that prints every page and a Return button that goes back to the pedigree.
//
//   TZAN_printF report(mainWindow);     // created once; the engine's tables live as long
//   report.Analyze(pedigree);           // modal; analyses the pedigree once it is on screen
//
// Analyze runs the analysis once, when the window has appeared: coming back to the window from
// another program does not run it again. The status bar follows the work:
//
//   "Computing the ZAN statistiics."  "Repaginating..."  "Repaginating (1)" ...  ""
//   "Previewing Page 1 of 5"          (after a run, and whenever the page changes)
//   "Starting..."  "Printing (1)" ... "Printing (5)"  ""                  (Print)
//
// Ctrl+P prints; Home and End (also with Ctrl) show the first and the last page.
//
// A run or a print that fails shows a message and leaves the window usable. While one runs, the
// buttons and closing the window do nothing. The report is laid out for the window's printer
// (Page Setup's choice, else the system's default printer); with none, Print says how to choose
// one and the pages are laid out for a PDF printer of the locale's paper.

#include "docview/dv_types.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

// Why a print fails when there is no printer, and what to do about it.
inline constexpr const char *NoPrinterReason
    = "no printer is available: choose one with File > Page Setup";

class CheckNoticeBar;
class PedigreeSource;
class Printer;
class QPushButton;
class QScrollBar;
class QStatusBar;
class ReportAnalysis;
class TCustomDocView;
class TDVPrint;
class TDVPrintPreview;

class TZAN_printF : public QDialog
{
    Q_OBJECT
public:
    explicit TZAN_printF(QWidget *parent = nullptr);
    ~TZAN_printF() override;

    // Shows the window modally and analyses `pedigree` as soon as it is on screen; returns when
    // the user has returned. The pedigree is read during the run and not kept.
    void Analyze(const PedigreeSource &pedigree);
    // The same without waiting: shows the window (modal to the application) and returns; the
    // analysis runs from the event loop once the window is on screen.
    void showAnalysis(const PedigreeSource &pedigree);

    // What the pedigree check found in the pedigree of the next analysis: with errors or warnings
    // a line above the preview says so, with a button that calls `showList`; none hides it.
    void setCheckProblems(int errors, int warnings, std::function<void()> showList);
    CheckNoticeBar *checkNotice() const { return m_checkNotice; }

    // Runs the analysis when Analyze asked for one and it has not run yet; does nothing
    // otherwise (a window activated again keeps its pages).
    void FormActivate();
    // Shows the page the scroll bar points at; a position of 0 or less shows nothing new.
    void ScrollBar1Change();
    // Prints every page as one job titled with the pedigree's file name.
    void PrintClick();
    // Forgets the pages and closes the window.
    void ReturnClick();
    void DVPrint1Formatting(TCustomDocView &sender, int pagesCompleted, TDVPrintingStep step);
    void DVPrint1SendingToPrinter(TCustomDocView &sender, int pagesCompleted, TDVPrintingStep step);

    // The printer the report is laid out for and printed on: the one Page Setup chose, else the
    // system's default printer (looked up once, at the first use); null when there is neither.
    Printer *printer();
    // Page Setup's choice; null for none. Takes effect at the next analysis run.
    void setPrinter(std::unique_ptr<Printer> printer);

    ReportAnalysis &analysis() { return *m_analysis; }
    TDVPrint &DVPrint1();
    std::string statusText() const;
    // True while an analysis run or a print is going on.
    bool isBusy() const { return m_busy; }
    // An analysis is asked for and starts once the window is shown on the screen.
    bool isAnalysisPending() const { return m_analysisDue; }

protected:
    // Escape, the close box and Alt+F4 end here: they do what Return does.
    void reject() override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void addShortcuts();
    void setStatusText(const std::string &text);
    void showPreviewText();
    void showFirstPage();
    void forgetPages();
    void showFailure(const std::string &what, const std::string &reason);
    void startPendingAnalysis();
    bool turnPage(int direction);
    Printer &pagePrinter();

    // The printers outlive the analysis that is handed one of them.
    std::unique_ptr<Printer> m_printer;
    // Lays the pages out while there is no printer: a PDF printer nothing is printed on.
    std::unique_ptr<Printer> m_layoutPrinter;
    bool m_printerKnown = false; // m_printer is Page Setup's choice or the default looked up
    std::unique_ptr<ReportAnalysis> m_analysis;
    QWidget *m_controls = nullptr;
    QPushButton *m_return = nullptr;
    QPushButton *m_print = nullptr;
    TDVPrintPreview *m_preview = nullptr;
    QWidget *m_panel = nullptr;
    QScrollBar *m_scrollBar = nullptr;
    QStatusBar *m_statusBar = nullptr;
    CheckNoticeBar *m_checkNotice = nullptr;

    const PedigreeSource *m_pedigree = nullptr; // only while an analysis is due
    std::string m_title; // the print job's title: the pedigree's file name at the last run
    bool m_analysisDue = false;
    bool m_busy = false;
    bool m_placed = false;
};

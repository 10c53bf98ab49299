#include "report_fixture.h"

#include "report/report_analysis.h"
#include "report/report_plain_text.h"
#include "report/report_window.h"

#include "platform/scripted_user_dialogs.h"
#include "platform/virtual_printer.h"
#include "platform/zan_error.h"
#include "print/dv_print.h"
#include "print/dv_print_preview.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A virtual A4 printer that can fail to measure and can call back between two sheets.
class TestPrinter : public VirtualPrinter
{
public:
    TestPrinter() : VirtualPrinter(VirtualPrinterSetup::a4(600)) { }

    bool failMeasuring = false;
    std::function<void()> onNewPage;

    void newPage() override
    {
        if (onNewPage)
            onNewPage();
        VirtualPrinter::newPage();
    }
    std::unique_ptr<Canvas> createMeasuringCanvas() const override
    {
        if (failMeasuring)
            throw ZanError("the printer went away");
        return VirtualPrinter::createMeasuringCanvas();
    }
};

// A pedigree whose rows the test edits between two analyses.
class EditableSource : public PedigreeSource
{
public:
    std::vector<PedigreeRow> rows;

    int GetPedigreeRowCount() const override { return static_cast<int>(rows.size()) + 1; }
    bool ReadPedigreeRow(int row, PedigreeRow &out) const override
    {
        if (row < 1 || row > static_cast<int>(rows.size()))
            return false;
        out = rows[row - 1];
        return true;
    }
    std::string CurrentFile() const override { return "/lofts/blue bar.csv"; }
};

// A full tree: bird i has the parents 2i and 2i + 1 where they exist.
std::vector<PedigreeRow> tree(int birds, const std::string &prefix = "NL-2020-")
{
    std::vector<PedigreeRow> rows;
    auto band = [&](int n) { return n > birds ? std::string() : prefix + std::to_string(n); };
    for (int i = 1; i <= birds; ++i)
        rows.push_back({ band(i), band(2 * i), band(2 * i + 1) });
    return rows;
}

// Every status text set, and every text the status bar painted, in order.
class StatusRecorder : public QObject
{
public:
    explicit StatusRecorder(QStatusBar &bar) : m_bar(bar)
    {
        connect(&bar, &QStatusBar::messageChanged, this,
            [this](const QString &text) { set.push_back(text.toStdString()); });
        bar.installEventFilter(this);
    }

    std::vector<std::string> set;
    std::vector<std::string> painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const std::string text = m_bar.currentMessage().toStdString();
        if (event->type() == QEvent::Paint && (painted.empty() || painted.back() != text))
            painted.push_back(text);
        return false;
    }

private:
    QStatusBar &m_bar;
};

class ReportWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_nextPrinter = std::make_unique<TestPrinter>();
        m_printer = m_nextPrinter.get();
        m_source.rows = tree(20); // six pages on the test printer's font, the last the depth
    }
    void TearDown() override
    {
        EXPECT_EQ(m_dialogs.problems(), "");
        m_window.reset();
    }

    TZAN_printF &window()
    {
        if (!m_window) {
            m_window = std::make_unique<TZAN_printF>();
            m_window->setPrinter(std::move(m_nextPrinter));
        }
        return *m_window;
    }
    template <typename T> T &child(const char *name)
    {
        T *found = window().findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    QScrollBar &scrollBar() { return child<QScrollBar>("ScrollBar1"); }
    TDVPrintPreview &preview() { return child<TDVPrintPreview>("DVPrintPreview1"); }

    // Shows the window as Analyze does and waits until the run has shown its first page.
    void analyze()
    {
        const int stamp = window().DVPrint1().FormatStamp();
        const size_t messages = m_dialogs.shown().size();
        window().showAnalysis(m_source);
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return !window().isBusy()
                && (window().DVPrint1().FormatStamp() != stamp
                    || m_dialogs.shown().size() > messages);
        }));
    }
    int pages() { return window().DVPrint1().GetPagesCount(); }

    std::unique_ptr<TestPrinter> m_nextPrinter; // until the window takes it
    TestPrinter *m_printer = nullptr;
    ScriptedUserDialogs m_dialogs;
    EditableSource m_source;
    std::unique_ptr<TZAN_printF> m_window;
};

TEST_F(ReportWindowTest, DesignOfTheWindow)
{
    TZAN_printF &w = window();
    EXPECT_EQ(w.windowTitle(), "ZAN ( Print Preview  )");
    EXPECT_EQ(w.size(), QSize(728, 530));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(child<QPushButton>("Print").toolTip(), "Print This Data");
    EXPECT_EQ(child<QPushButton>("Return").toolTip(), "Return to Input From");
    EXPECT_EQ(child<QPushButton>("Return").geometry(), QRect(448, 8, 89, 33));
    EXPECT_EQ(preview().WheelStep, 50);
    EXPECT_EQ(preview().MarginsPen.style, PenStyle::InsideFrame);
    const TDVPrint &print = w.DVPrint1();
    EXPECT_EQ((PageMargins { print.GetLM(), print.GetRM(), print.GetTM(), print.GetBM() }),
        (PageMargins { 20, 20, 20, 20 }));
}

TEST_F(ReportWindowTest, RunPaintsEveryProgressTextAndShowsPageOne)
{
    StatusRecorder status(child<QStatusBar>("StatusBar1"));
    analyze();
    const int count = pages();
    ASSERT_EQ(count, 6);

    std::vector<std::string> expected { "Computing the ZAN statistiics.", "Repaginating..." };
    for (int page = 0; page <= count; ++page)
        expected.push_back("Repaginating (" + std::to_string(page) + ")");
    expected.push_back("");
    expected.push_back("Previewing Page 1 of 6");
    EXPECT_EQ(status.set, expected);
    // The window is drawn once with an empty status bar before the run starts.
    if (!status.painted.empty() && status.painted.front().empty())
        status.painted.erase(status.painted.begin());
    EXPECT_EQ(status.painted, expected) << "each text is on screen while the run goes on";

    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(scrollBar().minimum(), 1);
    EXPECT_EQ(scrollBar().maximum(), 6);
    EXPECT_EQ(scrollBar().value(), 1);
    EXPECT_EQ(preview().PageNo(), 1);
    EXPECT_EQ(preview().ZoomMode(), dvzmFullPage);
}

// Each row acts on the window showing page 1 of 6 and names the page it then shows.
struct PagingCase
{
    const char *name;
    std::function<void(TZAN_printF &, QScrollBar &, TDVPrintPreview &)> act;
    int page;
};

class ReportWindowPaging : public ReportWindowTest, public testing::WithParamInterface<PagingCase>
{ };

TEST_P(ReportWindowPaging, ScrollBarAndStatusFollowThePage)
{
    analyze();
    GetParam().act(window(), scrollBar(), preview());
    const int page = GetParam().page;
    EXPECT_EQ(preview().PageNo(), page);
    EXPECT_EQ(scrollBar().value(), page);
    EXPECT_EQ(window().statusText(), "Previewing Page " + std::to_string(page) + " of 6");
}

INSTANTIATE_TEST_SUITE_P(Actions, ReportWindowPaging,
    testing::Values(
        PagingCase { "ScrollBarToThree",
            [](TZAN_printF &, QScrollBar &bar, TDVPrintPreview &) { bar.setValue(3); }, 3 },
        PagingCase { "ScrollBarKeys",
            [](TZAN_printF &, QScrollBar &bar, TDVPrintPreview &) {
                QTest::keyClick(&bar, Qt::Key_End);
                QTest::keyClick(&bar, Qt::Key_Up);
            },
            5 },
        PagingCase { "PageDownTwiceInThePreview",
            [](TZAN_printF &, QScrollBar &, TDVPrintPreview &preview) {
                QTest::keyClick(&preview, Qt::Key_PageDown);
                QTest::keyClick(&preview, Qt::Key_PageDown);
            },
            3 },
        PagingCase { "PageUpOnPageOneStays",
            [](TZAN_printF &, QScrollBar &, TDVPrintPreview &preview) {
                QTest::keyClick(&preview, Qt::Key_PageUp);
            },
            1 },
        PagingCase { "WheelDownThenUp",
            [](TZAN_printF &, QScrollBar &, TDVPrintPreview &preview) {
                const QPoint centre = preview.viewport()->rect().center();
                const auto wheel = [&](int delta) {
                    QWheelEvent event(centre, preview.viewport()->mapToGlobal(centre), {},
                        { 0, delta }, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                    QApplication::sendEvent(preview.viewport(), &event);
                };
                wheel(-120);
                wheel(-120);
                wheel(120);
            },
            2 },
        PagingCase { "EndInThePreview",
            [](TZAN_printF &, QScrollBar &, TDVPrintPreview &preview) {
                QTest::keyClick(&preview, Qt::Key_End);
            },
            6 },
        PagingCase { "HomeFromPageThree",
            [](TZAN_printF &, QScrollBar &bar, TDVPrintPreview &preview) {
                bar.setValue(3);
                QTest::keyClick(&preview, Qt::Key_Home);
            },
            1 },
        PagingCase { "CtrlEndOnTheReturnButton",
            [](TZAN_printF &window, QScrollBar &, TDVPrintPreview &) {
                QTest::keyClick(
                    window.findChild<QPushButton *>("Return"), Qt::Key_End, Qt::ControlModifier);
            },
            6 },
        PagingCase { "CtrlHomeFromTheLastPage",
            [](TZAN_printF &, QScrollBar &bar, TDVPrintPreview &preview) {
                bar.setValue(6);
                QTest::keyClick(&preview, Qt::Key_Home, Qt::ControlModifier);
            },
            1 },
        PagingCase { "PageDownAtTheLastPageStays",
            [](TZAN_printF &, QScrollBar &bar, TDVPrintPreview &preview) {
                bar.setValue(6);
                QTest::keyClick(&preview, Qt::Key_PageDown);
            },
            6 }),
    [](const testing::TestParamInfo<PagingCase> &info) { return std::string(info.param.name); });

TEST_F(ReportWindowTest, PrintSendsEveryPageAsOneJobTitledWithTheFile)
{
    analyze();
    StatusRecorder status(child<QStatusBar>("StatusBar1"));
    QTest::mouseClick(&child<QPushButton>("Print"), Qt::LeftButton);

    EXPECT_EQ(status.set,
        (std::vector<std::string> { "Starting...", "Printing (1)", "Printing (2)", "Printing (3)",
            "Printing (4)", "Printing (5)", "Printing (6)", "" }));
    EXPECT_EQ(status.painted, status.set);
    ASSERT_EQ(m_printer->jobs().size(), 1u);
    const VirtualPrintJob &job = m_printer->jobs()[0];
    EXPECT_EQ(job.title, "/lofts/blue bar.csv");
    EXPECT_EQ(job.pages.size(), 6u);
    EXPECT_EQ(job.copies, 1);
    EXPECT_TRUE(job.finished);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportWindowTest, CtrlPPrintsLikeThePrintButton)
{
    analyze();
    QTest::keyClick(&preview(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(m_printer->jobs().size(), 1u);
    EXPECT_EQ(m_printer->jobs()[0].pages.size(), 6u);
}

TEST_F(ReportWindowTest, FailedPrintLeavesTheWindowUsable)
{
    analyze();
    scrollBar().setValue(2);
    m_printer->failNextBeginDoc();
    m_dialogs.answerMessage(DialogButton::Ok);
    QTest::mouseClick(&child<QPushButton>("Print"), Qt::LeftButton);

    ASSERT_EQ(m_dialogs.shown().size(), 1u);
    EXPECT_NE(
        m_dialogs.shown()[0].text.find("The report could not be printed."), std::string::npos);
    EXPECT_EQ(m_dialogs.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(window().statusText(), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window().isBusy());
    EXPECT_TRUE(window().isVisible());

    scrollBar().setValue(4);
    EXPECT_EQ(window().statusText(), "Previewing Page 4 of 6");
    QTest::mouseClick(&child<QPushButton>("Print"), Qt::LeftButton);
    ASSERT_FALSE(m_printer->jobs().empty());
    EXPECT_TRUE(m_printer->jobs().back().finished);
    EXPECT_EQ(m_printer->jobs().back().pages.size(), 6u);
}

TEST_F(ReportWindowTest, PrintWithoutAPrinterSaysHowToChooseOne)
{
    m_nextPrinter.reset();
    m_printer = nullptr;
    analyze();
    EXPECT_TRUE(window().DVPrint1().Formatted()) << "laid out all the same";
    m_dialogs.answerMessage(DialogButton::Ok);
    QTest::mouseClick(&child<QPushButton>("Print"), Qt::LeftButton);

    ASSERT_EQ(m_dialogs.shown().size(), 1u);
    EXPECT_EQ(m_dialogs.shown()[0].text,
        "The report could not be printed.\n\nno printer is available: choose one with File > "
        "Page Setup");
    EXPECT_EQ(window().statusText(), "");
    EXPECT_TRUE(window().isVisible());
}

TEST_F(ReportWindowTest, FailedRunShowsWhyAndLeavesNoPages)
{
    m_printer->failMeasuring = true;
    m_dialogs.answerMessage(DialogButton::Ok);
    analyze();

    ASSERT_EQ(m_dialogs.shown().size(), 1u);
    EXPECT_NE(m_dialogs.shown()[0].text.find("the printer went away"), std::string::npos);
    EXPECT_EQ(window().statusText(), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window().DVPrint1().Formatted());
    QTest::mouseClick(&child<QPushButton>("Print"), Qt::LeftButton);
    EXPECT_TRUE(m_printer->jobs().empty()) << "nothing to print";
    QTest::mouseClick(&child<QPushButton>("Return"), Qt::LeftButton);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(ReportWindowTest, ReturnThenAnalyzeComputesTheEditedRows)
{
    analyze();
    EXPECT_EQ(pages(), 6);
    QTest::mouseClick(&child<QPushButton>("Return"), Qt::LeftButton);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(window().DVPrint1().Formatted());

    m_source.rows = tree(40, "BE-2021-");
    analyze();
    EXPECT_EQ(pages(), 8);
    const std::string text = reportPlainText(window().analysis().OutPut());
    EXPECT_NE(text.find("BE-2021-40"), std::string::npos);
    EXPECT_EQ(text.find("NL-2020-"), std::string::npos);
    EXPECT_EQ(window().statusText(), "Previewing Page 1 of 8");
    EXPECT_EQ(scrollBar().maximum(), 8);
}

TEST_F(ReportWindowTest, ActivatedAgainWithoutAnalyzeKeepsThePages)
{
    analyze();
    scrollBar().setValue(3);
    const int stamp = window().DVPrint1().FormatStamp();

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    window().FormActivate();
    QCoreApplication::processEvents();

    EXPECT_EQ(window().DVPrint1().FormatStamp(), stamp);
    EXPECT_EQ(preview().PageNo(), 3);
    EXPECT_EQ(window().statusText(), "Previewing Page 3 of 6");
}

class ReportWindowClosing : public ReportWindowTest,
                            public testing::WithParamInterface<std::pair<const char *, int>>
{ };

// Escape, the close box (close()) and Alt+F4 all return to the pedigree as Return does.
TEST_P(ReportWindowClosing, DoesWhatReturnDoes)
{
    analyze();
    switch (GetParam().second) {
    case 0:
        QTest::keyClick(&window(), Qt::Key_Escape);
        break;
    case 1:
        window().close();
        break;
    }
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(window().DVPrint1().Formatted());
}

INSTANTIATE_TEST_SUITE_P(Ways, ReportWindowClosing,
    testing::Values(std::make_pair("Escape", 0), std::make_pair("CloseBox", 1)),
    [](const auto &info) { return std::string(info.param.first); });

TEST_F(ReportWindowTest, ButtonsAndClosingWaitWhileAPrintRuns)
{
    analyze();
    int attempts = 0;
    m_printer->onNewPage = [&] {
        ++attempts;
        window().PrintClick();
        window().ReturnClick();
        window().close();
        QTest::keyClick(&window(), Qt::Key_Escape);
    };
    QTest::mouseClick(&child<QPushButton>("Print"), Qt::LeftButton);

    EXPECT_EQ(attempts, 5);
    ASSERT_EQ(m_printer->jobs().size(), 1u);
    EXPECT_TRUE(m_printer->jobs()[0].finished);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().DVPrint1().Formatted());
}

} // namespace

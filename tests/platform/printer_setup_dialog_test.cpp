#include "printer_setup_dialog.h"

#include "pdf_printer.h"
#include "platform/virtual_printer.h"
#include "zan_error.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Answers the next modal dialog; fails the test if none appears.
class DialogAnswer
{
public:
    explicit DialogAnswer(bool accept)
    {
        QTimer::singleShot(0, [this, accept] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->inherits("QPrintDialog"))
                return;
            m_seen = true;
            m_title = dialog->windowTitle().toStdString();
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
    }
    ~DialogAnswer() { EXPECT_TRUE(m_seen) << "no printer setup dialog appeared"; }
    const std::string &title() const { return m_title; }

private:
    bool m_seen = false;
    std::string m_title;
};

class PrinterSetupDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!availablePrinterNames().empty())
            GTEST_SKIP() << "a system printer is installed";
        m_pdf.setPaper(Paper::Letter);
        m_pdf.setTitle("pedigree.csv");
    }

    PdfPrinter m_pdf;
};

TEST_F(PrinterSetupDialogTest, CancelChoosesNothing)
{
    DialogAnswer answer(false);
    EXPECT_EQ(executePrinterSetupDialog(nullptr, &m_pdf), nullptr);
    EXPECT_EQ(answer.title(), "Printer Setup");
}

TEST_F(PrinterSetupDialogTest, AcceptingStartsFromThePrinterGiven)
{
    std::unique_ptr<Printer> choice;
    {
        DialogAnswer answer(true);
        choice = executePrinterSetupDialog(nullptr, &m_pdf);
    }
    auto *chosen = dynamic_cast<PdfPrinter *>(choice.get());
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->paper(), Paper::Letter);
    EXPECT_EQ(chosen->title(), "pedigree.csv");
    EXPECT_EQ(chosen->deviceCaps(DeviceCap::LogPixelsY), 600);
}

TEST(PrinterSetupRefusalTest, RefusedDuringAJob)
{
    VirtualPrinter printer;
    printer.beginDoc();
    EXPECT_THROW(executePrinterSetupDialog(nullptr, &printer), ZanError);
    printer.endDoc();
}

} // namespace

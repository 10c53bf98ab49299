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
        auto pdf = std::make_unique<PdfPrinter>();
        pdf->setPaper(Paper::Letter);
        pdf->setTitle("pedigree.csv");
        m_pdf = pdf.get();
        m_previous = setCurrentPrinter(std::move(pdf));
    }
    void TearDown() override { setCurrentPrinter(std::move(m_previous)); }

    PdfPrinter *m_pdf = nullptr;
    std::unique_ptr<Printer> m_previous;
};

TEST_F(PrinterSetupDialogTest, CancelKeepsTheCurrentPrinter)
{
    DialogAnswer answer(false);
    EXPECT_FALSE(executePrinterSetupDialog(nullptr));
    EXPECT_EQ(&currentPrinter(), m_pdf);
    EXPECT_EQ(answer.title(), "Printer Setup");
}

TEST_F(PrinterSetupDialogTest, AcceptingMakesTheChoiceTheCurrentPrinter)
{
    {
        DialogAnswer answer(true);
        EXPECT_TRUE(executePrinterSetupDialog(nullptr));
    }
    auto *chosen = dynamic_cast<PdfPrinter *>(&currentPrinter());
    ASSERT_NE(chosen, nullptr);
    EXPECT_NE(chosen, m_pdf);
    EXPECT_EQ(chosen->paper(), Paper::Letter);
    EXPECT_EQ(chosen->title(), "pedigree.csv");
    EXPECT_EQ(chosen->deviceCaps(DeviceCap::LogPixelsY), 600);
}

TEST(PrinterSetupRefusalTest, RefusedDuringAJob)
{
    auto virtualPrinter = std::make_unique<VirtualPrinter>();
    VirtualPrinter *printer = virtualPrinter.get();
    auto previous = setCurrentPrinter(std::move(virtualPrinter));
    printer->beginDoc();
    EXPECT_THROW(executePrinterSetupDialog(nullptr), ZanError);
    printer->endDoc();
    setCurrentPrinter(std::move(previous));
}

} // namespace

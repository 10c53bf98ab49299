#include "mul_div.h"
#include "pdf_printer.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdlib>

// The printed test page: every face, the report's box characters forming a small chart, a
// 118-column "Crystal" line against a millimetre ruler. It is written to $ZAN_TEST_PAGE, or to
// platform_test_page.pdf in the working folder, for a look with pdftoppm.

namespace {

constexpr int resolution = 600;

int millimetres(int mm)
{
    return MulDiv(mm, 5 * resolution, 127);
}

// A ruler of `length` mm with a tick every millimetre, longer ones every 5 and 10 mm and the
// centimetres numbered; returns the y below it.
int drawRuler(Canvas &canvas, int left, int top, int length)
{
    canvas.setPen({ PenStyle::Solid, 3, clBlack });
    canvas.line(left, top, left + millimetres(length) + 3, top);
    canvas.setFont({ "Arial", 6 });
    canvas.setBrush({ BrushStyle::Clear });
    for (int mm = 0; mm <= length; ++mm) {
        const int x = left + millimetres(mm);
        const int tick = mm % 10 == 0 ? millimetres(4)
            : mm % 5 == 0             ? millimetres(3)
                                      : millimetres(2);
        canvas.line(x, top, x, top + tick);
        if (mm % 10 == 0)
            canvas.textOut(x + 8, top + millimetres(2), std::to_string(mm));
    }
    return top + millimetres(7);
}

int drawFaces(Canvas &canvas, int left, int top)
{
    struct Sample
    {
        FontSpec font;
        const char *label;
    };
    const Sample samples[] = {
        { { "Crystal", 9 }, "Crystal 9 pt" },
        { { "Crystal", 12, FontStyle::Bold }, "Crystal 12 pt bold" },
        { { "Courier New", 10 }, "Courier New 10 pt" },
        { { "Times New Roman", 11 }, "Times New Roman 11 pt" },
        { { "Times New Roman", 11, FontStyle::Italic }, "Times New Roman 11 pt italic" },
        { { "Arial", 10 }, "Arial 10 pt" },
        { { "Arial", 10, FontStyle::Underline }, "Arial 10 pt underlined" },
        { { "MS Sans Serif", 8 }, "MS Sans Serif 8 pt" },
    };
    canvas.setTextColor(clBlack);
    int y = top;
    for (const Sample &sample : samples) {
        canvas.setFont(sample.font);
        canvas.textOut(
            left, y, std::string(sample.label) + ": NL-2023-0412345 \xC4\xE9\xFC \x80 0.125");
        y += canvas.textMetrics().height + canvas.textMetrics().externalLeading;
    }
    return y + millimetres(4);
}

// A pedigree chart in the report's bytes: C4 horizontal, B3 vertical, DA top corner,
// C0 bottom corner, C3 tee to the right, C2 tee down.
int drawChart(Canvas &canvas, int left, int top)
{
    const char *lines[] = {
        "                                  \xDA\xC4\xC4\xC4\xC4 NL-2019-0000101",
        "                 \xDA\xC4\xC4\xC4\xC4 NL-2021-0001001",
        "                 \xB3                \xC0\xC4\xC4\xC4\xC4 NL-2019-0000102",
        " NL-2023-0412345 \xB3",
        "                 \xB3                \xDA\xC4\xC4\xC4\xC4 BE-2018-7777777",
        "                 \xC0\xC4\xC4\xC4\xC4 BE-2020-1234567",
        "                                  \xC3\xC4\xC4\xC4\xC4 BE-2018-8888888",
        "                                  \xC0\xC4\xC2\xC4\xC4 (tee down)",
        "                                    \xB3",
    };
    canvas.setFont({ "Crystal", 9 });
    canvas.setCharacterMap(CharacterMap::Document);
    const int pitch = canvas.textMetrics().height;
    int y = top;
    for (const char *line : lines) {
        canvas.textOut(left, y, line);
        y += pitch;
    }
    canvas.setCharacterMap(CharacterMap::Windows1252);
    return y + millimetres(4);
}

int drawColumns(Canvas &canvas, int left, int top)
{
    canvas.setFont({ "Crystal", 9 });
    std::string columns;
    for (int i = 0; i < 118; ++i)
        columns += char('0' + (i + 1) % 10);
    canvas.textOut(left, top, columns);
    const int width = canvas.textWidth(columns);
    canvas.setPen({ PenStyle::Solid, 1, clRed });
    canvas.line(left + width, top - millimetres(2), left + width,
        top + canvas.textMetrics().height + millimetres(2));
    canvas.setFont({ "Arial", 8 });
    canvas.textOut(left, top + millimetres(5),
        "118 Crystal 9 pt characters end at the red line: " + std::to_string(width)
            + " px = " + std::to_string(width * 254 / resolution / 10) + "."
            + std::to_string(width * 254 / resolution % 10) + " mm");
    return top + millimetres(12);
}

void drawTestPage(Canvas &canvas, int pageWidth)
{
    const int left = (pageWidth - millimetres(182)) / 2;
    canvas.setFont({ "Arial", 14, FontStyle::Bold });
    canvas.setBrush({ BrushStyle::Clear });
    canvas.textOut(left, millimetres(15), "ZAN platform test page");
    int y = drawRuler(canvas, left, millimetres(25), 182);
    y = drawColumns(canvas, left, y + millimetres(3));
    y = drawFaces(canvas, left, y);
    y = drawChart(canvas, left, y);
    canvas.setPen({ PenStyle::InsideFrame, 6, clNavy });
    canvas.setBrush({ BrushStyle::Solid, rgbColor(255, 239, 255) });
    canvas.rectangle({ left, y, left + millimetres(182), y + millimetres(20) });
    canvas.setBrush({ BrushStyle::Solid, clYellow });
    canvas.setTextColor(clBlue);
    canvas.setFont({ "Arial", 10 });
    canvas.textOut(left + millimetres(5), y + millimetres(5), "opaque text on yellow");
}

int pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral(R"(/Type\s*/Page\b(?!s))"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

TEST(TestPageTest, PrintsOneA4PageToPdf)
{
    const char *configured = std::getenv("ZAN_TEST_PAGE");
    const std::string path = configured ? configured : "platform_test_page.pdf";
    PdfPrinter printer;
    printer.setPaper(Paper::A4);
    printer.setOutputFile(path);
    printer.setTitle("ZAN platform test page");
    printer.beginDoc();
    drawTestPage(printer.canvas(), printer.pageWidth());
    printer.endDoc();
    EXPECT_EQ(pdfPageCount(QString::fromStdString(path)), 1);
    EXPECT_GT(QFileInfo(QString::fromStdString(path)).size(), 10000);
}

} // namespace

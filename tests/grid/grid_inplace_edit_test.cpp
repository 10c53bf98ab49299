#include "grid_widget_fixture.h"

#include "grid/grid_inplace_edit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <memory>

using InplaceEditTest = GridWidgetTest;

namespace {

// Characters outside ASCII, each as a key press carrying the character.
void typeCharacters(const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
}

} // namespace

TEST_F(InplaceEditTest, TypingStopsAtEighteenCharacters)
{
    type("abcdefghijklmnopqrs");
    EXPECT_EQ(model->GetCellEx(0, 1), "ABCDEFGHIJKLMNOPQR");
    key(Qt::Key_Left);
    type("z"); // nothing selected, 18 characters: ignored anywhere
    EXPECT_EQ(model->GetCellEx(0, 1), "ABCDEFGHIJKLMNOPQR");
    key(Qt::Key_Left, Qt::ShiftModifier);
    type("z"); // replacing one selected character keeps 18
    EXPECT_EQ(model->GetCellEx(0, 1), "ABCDEFGHIJKLMNOPZR");
}

TEST_F(InplaceEditTest, UpperCasingIsCharacterByCharacterOnTheEightBitText)
{
    typeCharacters(QString::fromUtf8("straße é µ ÿ"));
    EXPECT_EQ(model->GetCellEx(0, 1),
        "STRA\xDF"
        "E \xC9 \xB5 \x9F");
    typeCharacters(QString::fromUtf8("\u4E00")); // no 8-bit byte
    EXPECT_EQ(model->GetCellEx(0, 1).size(), 12u);
}

TEST_F(InplaceEditTest, AltOrCtrlAloneMakesACommandNotACharacter)
{
    QTest::keyClick(QApplication::focusWidget(), 'a', Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), 'b', Qt::ControlModifier);
    EXPECT_FALSE(editing->isEditing());
    QTest::keyClick(QApplication::focusWidget(), 'c', Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(editing->isEditing()); // AltGr on some keyboards
    QTest::keyClick(QApplication::focusWidget(), 'd', Qt::AltModifier);
    type("e");
    EXPECT_EQ(model->GetCellEx(0, 1), "CE");
}

TEST_F(InplaceEditTest, ComposedCharactersAreCapitalisedAndLimitedLikeTypedOnes)
{
    type("abcdefghijklmnop");
    QInputMethodEvent composing(QString::fromUtf8("e"), {});
    QApplication::sendEvent(QApplication::focusWidget(), &composing);
    EXPECT_EQ(model->GetCellEx(0, 1), "ABCDEFGHIJKLMNOP");
    QInputMethodEvent committed;
    committed.setCommitString(QString::fromUtf8("é"));
    QApplication::sendEvent(QApplication::focusWidget(), &committed);
    EXPECT_EQ(model->GetCellEx(0, 1), "ABCDEFGHIJKLMNOP\xC9");
    committed.setCommitString(QString::fromUtf8("üü")); // one too many
    QApplication::sendEvent(QApplication::focusWidget(), &committed);
    EXPECT_EQ(model->GetCellEx(0, 1), "ABCDEFGHIJKLMNOP\xC9");
}

TEST_F(InplaceEditTest, ALongerStoredTextOpensWholeAndIsNotCut)
{
    const std::string longBand = "ABCDEFGHIJKLMNOPQRSTUVWXY"; // 25 characters, from a file
    fillRows({ { longBand, "", "" } });
    key(Qt::Key_Return);
    EXPECT_EQ(grid->inplaceEditor()->text().toStdString(), longBand);
    key(Qt::Key_End);
    type("z");
    key(Qt::Key_Return);
    EXPECT_EQ(model->GetCellEx(0, 1), longBand);
    EXPECT_TRUE(events.empty());
}

// The paste rule: the whole clipboard text or nothing, never capitalised.
struct PasteCase
{
    const char *name;
    std::string cell;
    int caretKey; // Qt::Key_End to paste at the end, 0 to replace the whole selected text
    std::string clipboard;
    std::string expected;
    std::string selectedAfter;
};

class PasteTest : public GridWidgetTest, public testing::WithParamInterface<PasteCase>
{ };

TEST_P(PasteTest, FollowsTheOneRule)
{
    const PasteCase &c = GetParam();
    fillRows({ { c.cell, "", "" } });
    key(Qt::Key_Return);
    if (c.caretKey)
        key(c.caretKey);
    setClipboard(c.clipboard);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model->GetCellEx(0, 1), c.expected);
    EXPECT_EQ(grid->inplaceEditor()->selectedText().toStdString(), c.selectedAfter);
}

INSTANTIATE_TEST_SUITE_P(Rule, PasteTest,
    testing::Values(PasteCase { "LowerCaseIsKept", "", 0, "ab-12", "ab-12", "" },
        PasteCase { "ReplacesTheSelectionAndSelectsIt", "OLD", 0, "new", "new", "new" },
        PasteCase {
            "InsertsAtTheCaret", "0123456789", Qt::Key_End, "abcdefgh", "0123456789abcdefgh", "" },
        PasteCase { "NineteenCharactersAreIgnored", "", 0, "abcdefghijklmnopqrs", "", "" },
        PasteCase { "TenIntoTenUnselectedIsIgnored", "0123456789", Qt::Key_End, "abcdefghij",
            "0123456789", "" },
        PasteCase { "LineBreaksAreKept", "OLD", 0, "a\r\nb", "a\r\nb", "a\r\nb" }),
    [](const testing::TestParamInfo<PasteCase> &info) { return info.param.name; });

TEST_F(InplaceEditTest, ShiftInsertAndTheContextMenuPasteByTheSameRule)
{
    type("x");
    setClipboard("abcdefghijklmnopqrs");
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(model->GetCellEx(0, 1), "X");
    std::unique_ptr<QMenu> menu(grid->inplaceEditor()->createEditMenu());
    QAction *paste = menu->findChild<QAction *>("edit-paste");
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(model->GetCellEx(0, 1), "X");
    setClipboard("yz");
    paste->trigger();
    EXPECT_EQ(model->GetCellEx(0, 1), "Xyz");
}

TEST_F(InplaceEditTest, ADropFollowsThePasteRule)
{
    fillRows({ { "0123456789", "", "" } });
    key(Qt::Key_Return);
    QLineEdit *editor = grid->inplaceEditor();
    auto drop = [&](const std::string &text) {
        QMimeData data;
        data.setText(QString::fromStdString(text));
        const QPoint at(editor->width() - 2, editor->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor, &enter);
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor, &event);
        return event.isAccepted();
    };
    EXPECT_FALSE(drop("abcdefghij"));
    EXPECT_EQ(model->GetCellEx(0, 1), "0123456789");
    EXPECT_TRUE(drop("ab"));
    EXPECT_EQ(model->GetCellEx(0, 1), "0123456789ab");
}

// Runs where the platform has a primary selection (an X server), e.g. under xvfb-run with
// QT_QPA_PLATFORM=xcb.
TEST_F(InplaceEditTest, AMiddleClickPastesThePrimarySelectionByTheRule)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection())
        GTEST_SKIP() << "this platform has no primary selection";
    fillRows({ { "0123456789", "", "" } });
    key(Qt::Key_Return);
    QLineEdit *editor = grid->inplaceEditor();
    const QPoint end(editor->width() - 4, editor->height() / 2);
    clipboard->setText("abcdefghij", QClipboard::Selection);
    QTest::mouseClick(editor, Qt::MiddleButton, Qt::NoModifier, end);
    EXPECT_EQ(model->GetCellEx(0, 1), "0123456789");
    clipboard->setText("ab", QClipboard::Selection);
    QTest::mouseClick(editor, Qt::MiddleButton, Qt::NoModifier, end);
    EXPECT_EQ(model->GetCellEx(0, 1), "0123456789ab");
}

TEST_F(InplaceEditTest, WindowShortcutsTakeTheirKeysBeforeTheEditor)
{
    std::vector<std::string> triggered;
    const std::vector<std::pair<const char *, QKeySequence>> shortcuts {
        { "cut", QKeySequence(Qt::CTRL | Qt::Key_X) },
        { "copy", QKeySequence(Qt::CTRL | Qt::Key_C) },
        { "paste", QKeySequence(Qt::CTRL | Qt::Key_V) },
        { "undo", QKeySequence(Qt::ALT | Qt::Key_Backspace) },
        { "find", QKeySequence(Qt::CTRL | Qt::Key_F) },
        { "help", QKeySequence(Qt::Key_F1) },
        { "analyze", QKeySequence(Qt::Key_F2) },
    };
    for (const auto &[name, sequence] : shortcuts) {
        auto *action = new QAction(window.get());
        action->setShortcut(sequence);
        const std::string recorded = name;
        QObject::connect(
            action, &QAction::triggered, [&triggered, recorded] { triggered.push_back(recorded); });
        window->addAction(action);
    }
    type("ab");
    setClipboard("zz");
    key(Qt::Key_X, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Backspace, Qt::AltModifier);
    key(Qt::Key_F, Qt::ControlModifier);
    key(Qt::Key_F1);
    key(Qt::Key_F2);
    EXPECT_EQ(triggered,
        (std::vector<std::string> { "cut", "copy", "paste", "undo", "find", "help", "analyze" }));
    EXPECT_EQ(model->GetCellEx(0, 1), "AB");
    EXPECT_TRUE(editing->isEditing());
}

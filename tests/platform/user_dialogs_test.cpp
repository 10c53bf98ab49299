#include "platform/scripted_user_dialogs.h"
#include "user_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(UserDialogText, KeepsUtf8AndReadsOtherBytesAsWindows1252)
{
    EXPECT_EQ(userDialogText("Could not find text"), "Could not find text");
    EXPECT_EQ(userDialogText("/home/m\xC3\xBCller/p.csv"), "/home/m\xC3\xBCller/p.csv");
    EXPECT_EQ(userDialogText("M\xDCLLER-12"), "M\xC3\x9CLLER-12");
    EXPECT_EQ(userDialogText("\x80 5"), "\xE2\x82\xAC 5");
}

// Clicks `button` of the next message box, or closes it with Escape when `button` is NoButton.
void answerNextBox(QMessageBox::StandardButton button, std::string *title, std::string *text)
{
    QTimer::singleShot(0, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        *title = box->windowTitle().toStdString();
        *text = box->text().toStdString();
        if (button == QMessageBox::NoButton)
            box->reject();
        else
            box->button(button)->click();
    });
}

TEST(QtUserDialogs, MessageAnswersTheButtonClickedAndCancelWhenClosed)
{
    const MessageRequest question { "Confirm", "Save changes to M\xDC.csv?", MessageIcon::None,
        { DialogButton::Yes, DialogButton::No, DialogButton::Cancel } };
    const struct
    {
        const char *name;
        QMessageBox::StandardButton click;
        DialogButton expected;
    } rows[] = {
        { "yes", QMessageBox::Yes, DialogButton::Yes },
        { "no", QMessageBox::No, DialogButton::No },
        { "closed", QMessageBox::NoButton, DialogButton::Cancel },
    };
    for (const auto &row : rows) {
        std::string title, text;
        answerNextBox(row.click, &title, &text);
        EXPECT_EQ(QtUserDialogs().showMessage(nullptr, question), row.expected) << row.name;
        EXPECT_EQ(title, "Confirm") << row.name;
        EXPECT_EQ(text, "Save changes to M\xC3\x9C.csv?") << row.name;
    }
}

TEST(QtUserDialogs, ClosingAnInformationBoxAnswersItsOnlyButton)
{
    std::string title, text;
    answerNextBox(QMessageBox::NoButton, &title, &text);
    const MessageRequest information { "Information", "Could not find text",
        MessageIcon::Information, { DialogButton::Ok } };
    EXPECT_EQ(QtUserDialogs().showMessage(nullptr, information), DialogButton::Ok);
}

// Writes `name` into the next file dialog's name box and presses Enter. A "File not found" box that follows
// is closed, and so is the dialog.
void typeIntoNextFileDialog(const QString &name, bool allFiles, std::string *notFound)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (allFiles)
            dialog->selectNameFilter(dialog->nameFilters().last());
        auto *nameBox = dialog->findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(nameBox, nullptr);
        QTimer::singleShot(0, [=] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            *notFound = box->text().toStdString();
            box->reject();
            dialog->reject();
        });
        // Set rather than typed: the completer's pop-up would take the Enter key.
        nameBox->setText(name);
        QTest::keyClick(nameBox, Qt::Key_Return);
    });
}

TEST(QtUserDialogs, OpenTakesATypedNameThatExistsAndAddsTheSuffixOnlyToOneThatDoesNot)
{
    QTemporaryDir folder;
    for (const char *name : { "pedigree", "both", "both.csv", "short.csv", "notes.txt" })
        QFile(folder.filePath(name)).open(QIODevice::WriteOnly);
    const struct
    {
        const char *name;
        const char *typed;
        bool allFiles;
        const char *opened; // nullptr: not found
    } rows[] = {
        { "typed name exists", "pedigree", false, "pedigree" },
        { "typed name exists, all files", "pedigree", true, "pedigree" },
        { "with and without the suffix", "both", false, "both" },
        { "suffix added", "short", false, "short.csv" },
        { "suffix added, all files", "short", true, "short.csv" },
        { "another suffix", "notes.txt", false, "notes.txt" },
        { "neither", "none", false, nullptr },
    };
    FileRequest request;
    request.caption = "Open";
    request.fileName = folder.path().toStdString();
    request.filter = "ZAN files (*.csv)|*.csv|All files (*.*)|*.*";
    request.defaultExtension = ".csv";
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        std::string notFound;
        typeIntoNextFileDialog(QString::fromLatin1(row.typed), row.allFiles, &notFound);
        const std::optional<std::string> opened = QtUserDialogs().chooseOpenFile(nullptr, request);
        if (row.opened == nullptr) {
            EXPECT_EQ(opened, std::nullopt);
            EXPECT_NE(notFound.find("none"), std::string::npos) << notFound;
            continue;
        }
        EXPECT_EQ(opened, folder.filePath(row.opened).toStdString());
        EXPECT_EQ(notFound, "");
    }

    std::string unused;
    typeIntoNextFileDialog("pedigree", false, &unused);
    EXPECT_EQ(QtUserDialogs().chooseSaveFile(nullptr, request),
        folder.filePath("pedigree.csv").toStdString())
        << "saving adds the suffix to any name without one";
}

TEST(ScriptedUserDialogs, AnswersInOrderAndReportsEveryMismatch)
{
    UserDialogs *before = &userDialogs();
    {
        ScriptedUserDialogs dialogs;
        EXPECT_EQ(&userDialogs(), &dialogs);
        dialogs.answerMessage(DialogButton::No);
        dialogs.answerOpenFile("/tmp/a.csv");
        dialogs.answerSaveFile(std::nullopt);
        const MessageRequest question { "ZAN", "Save?", MessageIcon::None,
            { DialogButton::Yes, DialogButton::No, DialogButton::Cancel } };
        EXPECT_EQ(userDialogs().showMessage(nullptr, question), DialogButton::No);
        FileRequest open;
        open.caption = "Open";
        open.defaultExtension = ".csv";
        EXPECT_EQ(
            userDialogs().chooseOpenFile(nullptr, open), std::optional<std::string>("/tmp/a.csv"));
        EXPECT_EQ(dialogs.problems(), "expected save file dialog never came\n");
        EXPECT_EQ(userDialogs().chooseSaveFile(nullptr, {}), std::nullopt);
        EXPECT_EQ(dialogs.problems(), "");

        // Unexpected: closed as a user would close it, with Cancel when offered.
        EXPECT_EQ(userDialogs().showMessage(nullptr, question), DialogButton::Cancel);
        dialogs.answerMessage(DialogButton::Ok);
        EXPECT_EQ(userDialogs().chooseOpenFile(nullptr, open), std::nullopt);
        EXPECT_EQ(dialogs.problems(),
            "unexpected message: Save?\n"
            "open file dialog came where a message was expected: Open\n");
        ASSERT_EQ(dialogs.shown().size(), 5u);
        EXPECT_EQ(dialogs.shown()[1].kind, DialogKind::OpenFile);
        EXPECT_EQ(dialogs.shown()[1].defaultExtension, ".csv");
        dialogs.reset();
        EXPECT_EQ(dialogs.problems(), "");
    }
    EXPECT_EQ(&userDialogs(), before);
}

} // namespace

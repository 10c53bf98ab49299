#include "user_dialogs.h"

#include "text_codec.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringConverter>
#include <QStringList>

namespace {

UserDialogs *installedDialogs = nullptr;

QString displayString(const std::string &text)
{
    return QString::fromStdString(userDialogText(text));
}

QMessageBox::StandardButton standardButton(DialogButton button)
{
    switch (button) {
    case DialogButton::Ok:
        return QMessageBox::Ok;
    case DialogButton::Yes:
        return QMessageBox::Yes;
    case DialogButton::No:
        return QMessageBox::No;
    case DialogButton::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon messageIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// "ZAN files (*.csv)|*.csv|All files (*.*)|*.*" becomes "ZAN files (*.csv);;All files (*)": the
// patterns stand in parentheses, and "*.*" (every file) is "*", which also takes names without a
// dot.
QString qtFilter(const std::string &filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        filters << description + QLatin1String(" (") + patterns.trimmed() + QLatin1Char(')');
    }
    return filters.join(QLatin1String(";;"));
}

// Qt's dialog adds the default suffix to every typed name without one, so a file named without
// it could not be opened. When opening, this one takes a typed name that exists as it is and adds
// the suffix only to a name that does not; when saving, it adds the suffix as Qt's does.
class FileDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    void setOpenSuffix(const QString &suffix) { m_suffix = suffix; }

    void accept() override
    {
        if (acceptMode() == AcceptSave) {
            QFileDialog::accept();
            return;
        }
        setDefaultSuffix(QString());
        const QStringList typed = selectedFiles();
        if (typed.size() == 1 && !QFileInfo::exists(typed.first()))
            setDefaultSuffix(m_suffix);
        QFileDialog::accept();
        // Still open after "File not found": the next name typed is looked for as it stands.
        if (result() != Accepted)
            setDefaultSuffix(QString());
    }

private:
    QString m_suffix;
};

std::optional<std::string> runFileDialog(
    QWidget *parent, const FileRequest &request, QFileDialog::AcceptMode mode)
{
    FileDialog dialog(parent, displayString(request.caption),
        QString::fromStdString(request.fileName), qtFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(
        mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QString suffix = QString::fromStdString(request.defaultExtension);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setOpenSuffix(suffix);
    else
        dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace

UserDialogs &userDialogs()
{
    static QtUserDialogs qtDialogs;
    return installedDialogs != nullptr ? *installedDialogs : qtDialogs;
}

UserDialogs *setUserDialogs(UserDialogs *dialogs)
{
    UserDialogs *previous = installedDialogs;
    installedDialogs = dialogs;
    return previous;
}

DialogButton QtUserDialogs::showMessage(QWidget *parent, const MessageRequest &request)
{
    QMessageBox box(messageIcon(request.icon), displayString(request.caption),
        displayString(request.text), QMessageBox::NoButton, parent);
    for (DialogButton button : request.buttons)
        box.addButton(standardButton(button));
    if (!request.buttons.empty())
        box.setDefaultButton(standardButton(request.buttons.front()));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (DialogButton button : request.buttons) {
        if (standardButton(button) == clicked)
            return button;
    }
    for (DialogButton button : request.buttons) {
        if (button == DialogButton::Cancel)
            return button;
    }
    return request.buttons.empty() ? DialogButton::Cancel : request.buttons.back();
}

std::optional<std::string> QtUserDialogs::chooseOpenFile(
    QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtUserDialogs::chooseSaveFile(
    QWidget *parent, const FileRequest &request)
{
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::string userDialogText(const std::string &text)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder(QByteArrayView(text.data(), qsizetype(text.size())));
    if (!decoder.hasError())
        return text;
    return bytesToUtf8(text);
}

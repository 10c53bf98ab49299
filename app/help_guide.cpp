#include "help_guide.h"

#include "app/app_info.h"
#include "app/window_texts.h"

#include "platform/user_dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

std::string &currentHelpFile()
{
    static std::string fileName;
    return fileName;
}

void showProblem(QWidget *parent, std::string_view text, const std::string &fileName)
{
    MessageRequest message;
    message.caption = std::string(WindowTexts::programName);
    message.text = std::string(text) + fileName;
    message.icon = MessageIcon::Warning;
    userDialogs().showMessage(parent, message);
}

} // namespace

namespace HelpGuide {

std::string installedLocation()
{
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/')
        + QLatin1String(helpIndexFromExecutable);
    return QDir::cleanPath(path).toStdString();
}

void setHelpFile(const std::string &fileName)
{
    currentHelpFile() = fileName;
}

const std::string &helpFile()
{
    return currentHelpFile();
}

void showContents(QWidget *parent)
{
    const std::string &fileName = helpFile();
    const QFileInfo file(QString::fromStdString(fileName));
    if (fileName.empty() || !file.isFile()) {
        showProblem(parent, WindowTexts::helpMissingText, fileName);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
        showProblem(parent, WindowTexts::helpNotOpenedText, fileName);
}

} // namespace HelpGuide

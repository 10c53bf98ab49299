#include "help_guide.h"

#include "app/app_info.h"
#include "app/window_texts.h"

#include "platform/user_dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

namespace {

std::string &currentHelpFile()
{
    static std::string fileName;
    return fileName;
}

// The desktop's opener says by its exit status whether a browser took the file; Qt's own start
// only says whether the opener itself could be run. Without the opener Qt looks for a browser.
void startDesktopBrowser(const std::string &fileName, const std::function<void()> &failed)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(fileName))))
            failed();
        return;
    }
    auto *process = new QProcess(QCoreApplication::instance());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto ended = [process, failed](bool started) {
        // An opener still running when the program ends is stopped, which is no failure.
        if (!started && !QCoreApplication::closingDown())
            failed();
        process->deleteLater();
    };
    QObject::connect(
        process, &QProcess::finished, process, [ended](int code, QProcess::ExitStatus status) {
            ended(status == QProcess::NormalExit && code == 0);
        });
    QObject::connect(
        process, &QProcess::errorOccurred, process, [ended](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                ended(false);
        });
    process->start(opener, { QString::fromStdString(fileName) });
}

HelpGuide::BrowserStart &browserStart()
{
    static HelpGuide::BrowserStart start;
    return start;
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
    const QPointer<QWidget> window(parent);
    const auto failed
        = [window, fileName] { showProblem(window, WindowTexts::helpNotOpenedText, fileName); };
    const std::string path = file.absoluteFilePath().toStdString();
    if (browserStart())
        browserStart()(path, failed);
    else
        startDesktopBrowser(path, failed);
}

void setBrowserStart(BrowserStart start)
{
    browserStart() = std::move(start);
}

} // namespace HelpGuide

#include "start_up.h"

#include "app/about_box.h"
#include "app/app_identity.h"
#include "app/exception_boundary.h"
#include "app/help_guide.h"
#include "app/main_window.h"

#include "report/report_window.h"

#include <QFileInfo>
#include <QTimer>

#include <cstdlib>
#include <iostream>

namespace {

// A file named on the command line is kept by its full path, as the file dialogs give it.
std::string absolutePath(const std::string &fileName)
{
    return QFileInfo(QString::fromLocal8Bit(fileName.c_str())).absoluteFilePath().toStdString();
}

void quitWhenShown(const TmainF &mainF)
{
    QTimer::singleShot(0, qApp, [&mainF] {
        std::cout << "shown " << mainF.GetPedigreeRowCount() << std::endl;
        QCoreApplication::quit();
    });
}

} // namespace

int runMainWindow(int &argc, char **argv, const std::string &fileName)
{
    ZanApplication application(argc, argv);
    setUpApplicationIdentity();
    HelpGuide::setHelpFile(HelpGuide::installedLocation());
    try {
        TmainF mainF;
        TAbout about(&mainF);
        mainF.setAboutBox(&about);
        TZAN_printF ZAN_printF(&mainF);
        mainF.setReportWindow(&ZAN_printF);

        if (!fileName.empty())
            mainF.openAtStart(absolutePath(fileName));
        mainF.show();
        if (std::getenv("ZAN_STARTUP_PROBE") != nullptr)
            quitWhenShown(mainF);
        return application.exec();
    } catch (...) {
        // Whatever escaped the windows is shown before the program ends.
        showCurrentException(nullptr);
        return 1;
    }
}

#include "zan_main.h"

#include "app/check_command.h"
#include "app/command_line.h"
#include "app/import_command.h"
#include "app/pairs_command.h"
#include "app/population_command.h"
#include "app/report_command.h"
#include "app/start_up.h"

#include <QApplication>
#include <QtGlobal>

#include <cstdlib>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int usageError = 2;

// The batch commands need fonts and printers but no display: without a chosen platform plugin
// they run offscreen, so they also work over ssh and in scripts.
void chooseHeadlessPlatform()
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QtMessageHandler defaultMessageHandler = nullptr;

// A batch command reports its own errors as one line; the toolkit's debugging and warning chatter
// (about runtime folders, painters) would only bury it. Critical and fatal messages still show.
void batchMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
        return;
    if (defaultMessageHandler)
        defaultMessageHandler(type, context, text);
}

} // namespace

int zanMain(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandLine command;
    try {
        command = parseCommandLine(arguments);
    } catch (const CommandLineError &error) {
        std::cerr << "zan: " << error.what() << " (see zan --help)\n";
        return usageError;
    }

    switch (command.kind) {
    case CommandKind::Help:
        std::cout << usageText();
        return 0;
    case CommandKind::Version:
        std::cout << versionText();
        return 0;
    case CommandKind::Report: {
        chooseHeadlessPlatform();
        defaultMessageHandler = qInstallMessageHandler(batchMessageHandler);
        QApplication application(argc, argv);
        return runReportCommand(command.report, std::cout, std::cerr);
    }
    case CommandKind::Pairs: {
        chooseHeadlessPlatform();
        defaultMessageHandler = qInstallMessageHandler(batchMessageHandler);
        QApplication application(argc, argv);
        return runPairsCommand(command.pairs, std::cout, std::cerr);
    }
    case CommandKind::Check:
        return runCheckCommand(command.check, std::cout, std::cerr);
    case CommandKind::Population: {
        chooseHeadlessPlatform();
        defaultMessageHandler = qInstallMessageHandler(batchMessageHandler);
        QApplication application(argc, argv);
        return runPopulationCommand(
            command.population, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    }
    case CommandKind::Import:
        return runImportCommand(command.tableImport, std::cerr);
    case CommandKind::MainWindow:
        return runMainWindow(argc, argv, command.windowFile);
    }
    return usageError;
}

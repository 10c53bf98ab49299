#include "grid/import_reading.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QPromise>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace {

constexpr int progressSteps = 1000;
// How long a reading may take before its progress dialog shows, in milliseconds.
constexpr int quietReading = 400;

struct Reading
{
    ImportTable table;
    std::exception_ptr error;
};

// Runs on the worker thread: reads the table, telling `promise` how far it has come and stopping
// when it is cancelled.
void readAway(QPromise<Reading> &promise, const std::string &fileName, const std::string &sheet)
{
    promise.setProgressRange(0, progressSteps);
    Reading reading;
    try {
        reading.table = readImportTable(fileName, sheet, [&](size_t done, size_t total) {
            promise.setProgressValue(total == 0
                    ? progressSteps
                    : static_cast<int>(static_cast<double>(done) * progressSteps / total));
            return !promise.isCanceled();
        });
    } catch (...) {
        reading.error = std::current_exception();
    }
    promise.addResult(std::move(reading));
}

} // namespace

std::optional<ImportTable> readImportTableAway(
    QWidget *parent, const std::string &fileName, const std::string &sheet)
{
    QFutureWatcher<Reading> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(readAway, fileName, sheet));

    // A short reading passes unseen; the clicks and keys meanwhile wait for the dialog.
    QTimer::singleShot(quietReading, &loop, &QEventLoop::quit);
    if (!watcher.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!watcher.isFinished()) {
        const QString name = QFileInfo(QString::fromStdString(fileName)).fileName();
        QProgressDialog progress(
            QString("Reading %1...").arg(name), "Cancel", 0, progressSteps, parent);
        progress.setObjectName("importProgress");
        progress.setWindowTitle("Import");
        progress.setWindowModality(Qt::WindowModal);
        progress.setAutoReset(false);
        progress.setAutoClose(false);
        progress.setMinimumDuration(0);
        progress.setValue(watcher.progressValue());
        QObject::connect(&watcher, &QFutureWatcherBase::progressValueChanged, &progress,
            &QProgressDialog::setValue);
        QObject::connect(
            &progress, &QProgressDialog::canceled, &watcher, &QFutureWatcherBase::cancel);
        progress.show();
        if (!watcher.isFinished())
            loop.exec();
    }
    watcher.waitForFinished();

    QFuture<Reading> future = watcher.future();
    if (future.isCanceled() || future.resultCount() == 0)
        return std::nullopt;
    Reading reading = future.takeResult();
    if (reading.error)
        std::rethrow_exception(reading.error);
    return std::move(reading.table);
}

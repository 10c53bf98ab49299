#pragma once

// The population statistics of the grid's pedigree: the summary and the by-year table as text,
// the chart of the means by year, and every bird's figures in a table that sorts by any column.
// Print and Save PDF write the same document as `zan population --pdf`, Save CSV the same file as
// `--csv`; dialogs go through userDialogs().
//
// The figures are computed on another thread as soon as the window is made, behind a progress
// dialog with Cancel, for the birds with no offspring; Compute computes them again for the
// reference group typed (bands separated by commas, or @FILE), or after a cancel.
//
//   PopulationWindow window(document, this);   // reads the rows of the pedigree now
//   window.exec();

#include <QDialog>

#include <memory>
#include <string>

class PedigreeSource;
class PopulationBirdModel;
class PopulationChartView;
class PopulationStudy;
class Printer;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class QTableView;
template <typename T> class QFutureWatcher;

class PopulationWindow : public QDialog
{
    Q_OBJECT

public:
    // Reads the rows of `pedigree`, which is not kept, and starts computing.
    explicit PopulationWindow(const PedigreeSource &pedigree, QWidget *parent = nullptr);
    ~PopulationWindow() override;

    // The printer Print prints on (not owned); null: Print says that there is none.
    void setPrinter(Printer *printer) { m_printer = printer; }
    bool isComputing() const;
    // True once figures are shown.
    bool hasFigures() const { return m_computed; }

public slots:
    // Starts computing the figures again; nothing while computing.
    void compute();
    void printStudy();
    void savePdf();
    void saveCsv();

private:
    void buildLayout();
    void computationFinished();
    void stopComputing();
    void showFigures();
    void showError(const std::string &what);
    std::string proposedFile(const char *ending) const;

    std::shared_ptr<PopulationStudy> m_study;
    bool m_computed = false;
    bool m_cancelled = false; // Cancel was pressed, perhaps just after the last bird
    Printer *m_printer = nullptr;
    QFutureWatcher<bool> *m_computation = nullptr;
    QProgressDialog *m_progress = nullptr;
    QPlainTextEdit *m_summary = nullptr;
    PopulationChartView *m_chart = nullptr;
    QTableView *m_birds = nullptr;
    PopulationBirdModel *m_birdModel = nullptr;
    QLineEdit *m_group = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_computeButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_pdfButton = nullptr;
    QPushButton *m_csvButton = nullptr;
};

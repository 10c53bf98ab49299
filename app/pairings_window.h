#pragma once

// The pairing planner's window: the user picks cocks and hens among the birds of the pedigree
// (lists with several selected at once and a filter box each), computes, and reads the young's
// inbreeding of every pair as a matrix coloured by inbreeding and as a list of pairs with their
// main common ancestors; both tables sort by any column. Print, Save PDF and Save CSV write the
// same document and file as `zan pairs`, and Save Excel the same workbook; dialogs go through
// userDialogs().
//
// The Allocate tab makes the season's pairs from the figures (see PairingAllocation) under the
// most hens per cock and an optional bound on the young's inbreeding, and shows every
// candidate's mean kinship. A click on a figure of the matrix (or Space on the current one) fixes
// that pair, a second forbids it and a third frees it again; the matrix marks the choices and
// the pairs allocated.
// Once made, the allocation follows every change of the choices and limits, and the printed
// and saved pairings hold it as `zan pairs --allocate` writes it. A new computation keeps the
// choices whose cock and hen are still among the lists.
//
// Compute runs the plan on another thread behind a progress dialog with Cancel; the window keeps
// the last results until new ones are in, and a cancelled computation leaves them. A selection
// whose results would not fit in memory is refused with a message before any work.
//
//   PairingsWindow window(document, this);   // reads the rows of the pedigree now
//   window.exec();

#include "app/pairing_choices.h"
#include "report/pairing_allocation.h"
#include "report/pairing_plan.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class PairingListModel;
class PairingMatrixModel;
class PedigreeSource;
class Printer;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTabWidget;
class QTableView;
template <typename T> class QFutureWatcher;
struct PairingComputation;

class PairingsWindow : public QDialog
{
    Q_OBJECT

public:
    // How a figure is coloured: below 3.125 %, below 6.25 %, and from 6.25 % up.
    enum class InbreedingBand {
        Low,
        Moderate,
        High,
    };

    // Reads the rows of `pedigree`, which is not kept.
    explicit PairingsWindow(const PedigreeSource &pedigree, QWidget *parent = nullptr);
    ~PairingsWindow() override;

    // Reads the rows again and offers their birds; the selection and the results are cleared
    // (a computation under way is cancelled first).
    void reload(const PedigreeSource &pedigree);

    const PairingPlan &plan() const { return m_plan; }
    // The allocation shown; null before Allocate.
    const PairingAllocation *allocation() const { return m_allocated ? &m_allocation : nullptr; }
    const PairingChoices &choices() const { return m_choices; }
    // The printer Print prints on (not owned); null: Print says that there is none.
    void setPrinter(Printer *printer) { m_printer = printer; }
    // From Compute until the results or the message are shown, or the computation is stopped.
    bool isComputing() const;
    // The most memory the results of a computation may take (see PairingPlan).
    void setMemoryLimit(std::uint64_t bytes);

    static InbreedingBand bandOf(double inbreeding);

public slots:
    // Starts computing the selected cocks with the selected hens; nothing while computing.
    void computePairs();
    void printPairs();
    void savePdf();
    void saveCsv();
    void saveWorkbook();
    // Makes the season's pairs under the limits and choices shown; nothing without figures.
    void allocatePairs();
    // Frees every fixed and forbidden pair.
    void clearChoices();

private:
    void buildLayout();
    QWidget *legend();
    QWidget *allocationTab();
    QLayout *allocationLimits();
    void choosePair(const QModelIndex &index);
    void followLimits();
    PairingAllocation::Limits limits() const;
    void showAllocation();
    void showKinship();
    void startProgress(std::size_t cocks, std::size_t hens);
    void computationFinished();
    void stopComputing();
    void endProgress();
    QWidget *candidateBox(const QString &title, const QString &name, QLineEdit *&filter,
        QListWidget *&list, QLabel *&count);
    void fillList(QListWidget *list, const std::vector<std::string> &bands);
    void filterList(QListWidget *list, const QString &text);
    std::vector<std::string> selectedBands(const QListWidget *list) const;
    void showResults(std::vector<PairingPlan::Pair> pairs);
    void showNotes();
    void updateCounts();
    std::string proposedFile(const char *extension) const;
    void showError(const std::string &what);

    PairingPlan m_plan;
    PairingAllocation m_allocation; // its mean kinship from the computation
    bool m_allocated = false;
    PairingChoices m_choices;
    std::string m_title;
    Printer *m_printer = nullptr;
    QLineEdit *m_cockFilter = nullptr;
    QListWidget *m_cockList = nullptr;
    QLabel *m_cockCount = nullptr;
    QLineEdit *m_henFilter = nullptr;
    QListWidget *m_henList = nullptr;
    QLabel *m_henCount = nullptr;
    QPushButton *m_computeButton = nullptr;
    QLabel *m_computeStatus = nullptr;
    QFutureWatcher<PairingComputation> *m_computation = nullptr;
    QProgressDialog *m_progress = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTableView *m_matrix = nullptr;
    QTableView *m_pairs = nullptr;
    PairingMatrixModel *m_matrixModel = nullptr;
    PairingListModel *m_listModel = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    QSpinBox *m_maxPerCock = nullptr;
    QCheckBox *m_boundCheck = nullptr;
    QDoubleSpinBox *m_bound = nullptr;
    QPushButton *m_allocateButton = nullptr;
    QPushButton *m_clearChoicesButton = nullptr;
    QTableView *m_allocationTable = nullptr;
    PairingListModel *m_allocationModel = nullptr;
    QPlainTextEdit *m_allocationNotes = nullptr;
    QTableView *m_kinship = nullptr;
    QStandardItemModel *m_kinshipModel = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_pdfButton = nullptr;
    QPushButton *m_csvButton = nullptr;
    QPushButton *m_xlsxButton = nullptr;
};

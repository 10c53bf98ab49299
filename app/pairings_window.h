#pragma once

// The pairing planner's window: the user picks cocks and hens among the birds of the pedigree
// (lists with several selected at once and a filter box each), computes, and reads the young's
// inbreeding of every pair as a matrix coloured by inbreeding and as a list of pairs with their
// main common ancestors; both tables sort by any column. Print, Save PDF and Save CSV write the
// same document and file as `zan pairs`; dialogs go through userDialogs().
//
//   PairingsWindow window(document, this);   // reads the rows of the pedigree now
//   window.exec();

#include "report/pairing_plan.h"

#include <QDialog>

#include <string>
#include <vector>

class PedigreeSource;
class Printer;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

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

    // Reads the rows again and offers their birds; the selection and the results are cleared.
    void reload(const PedigreeSource &pedigree);

    const PairingPlan &plan() const { return m_plan; }
    // The printer Print prints on (not owned); null: Print says that there is none.
    void setPrinter(Printer *printer) { m_printer = printer; }

    static InbreedingBand bandOf(double inbreeding);

public slots:
    void computePairs();
    void printPairs();
    void savePdf();
    void saveCsv();

private:
    void buildLayout();
    QWidget *candidateBox(const QString &title, const QString &name, QLineEdit *&filter,
        QListWidget *&list, QLabel *&count);
    void fillList(QListWidget *list, const std::vector<std::string> &bands);
    void filterList(QListWidget *list, const QString &text);
    std::vector<std::string> selectedBands(const QListWidget *list) const;
    void showResults();
    void fillMatrix();
    void fillPairs();
    void showNotes();
    void updateCounts();
    std::string proposedFile(const char *extension) const;
    void showError(const std::string &what);

    PairingPlan m_plan;
    std::string m_title;
    Printer *m_printer = nullptr;
    QLineEdit *m_cockFilter = nullptr;
    QListWidget *m_cockList = nullptr;
    QLabel *m_cockCount = nullptr;
    QLineEdit *m_henFilter = nullptr;
    QListWidget *m_henList = nullptr;
    QLabel *m_henCount = nullptr;
    QPushButton *m_computeButton = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTableWidget *m_matrix = nullptr;
    QTableWidget *m_pairs = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_pdfButton = nullptr;
    QPushButton *m_csvButton = nullptr;
};

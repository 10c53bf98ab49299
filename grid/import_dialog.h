#pragma once

#include "grid/import_table.h"
#include "grid/pedigree_import.h"

#include <QDialog>

#include <array>
#include <string>

class ImportPreviewModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

// The window's import of a table another program wrote: the first rows of the table with the
// band, sire and dam columns guessed from its header and marked, a box to choose each of them,
// whether the first row is a header, the sheet of a workbook with several, and the unifying of
// band separators. Below, kept up to date with every choice: how many rows will be imported and
// every row left out, with its line number and reason.
//
//   ImportDialog dialog(fileName, std::move(table), this);
//   if (dialog.exec() == QDialog::Accepted)
//       fillPedigreeGrid(grid, dialog.result().rows);
//
// Another sheet is read as readImportTableAway does; a sheet that cannot be read is said in a
// message and the sheet shown stays.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    // How many data rows the preview shows.
    static constexpr int previewRows = 20;

    // Shows `table`, read from `fileName` (its first sheet when it is a workbook).
    ImportDialog(std::string fileName, ImportTable table, QWidget *parent = nullptr);
    ~ImportDialog() override;

    // The import as chosen now: no rows while a column is not chosen.
    const PedigreeImport &result() const { return m_result; }
    // The columns as numbers counted from 1 (empty: not chosen), the header and the separators.
    ImportChoice choice() const;

    // The controls, for tests.
    QComboBox *columnBox(PedigreeColumn column) const
    {
        return m_columnBoxes[static_cast<size_t>(column)];
    }
    QComboBox *sheetBox() const { return m_sheetBox; }
    QCheckBox *headerBox() const { return m_headerBox; }
    QCheckBox *unifyBox() const { return m_unifyBox; }
    QTableView *preview() const { return m_preview; }
    QLabel *summary() const { return m_summary; }
    QPlainTextEdit *problemList() const { return m_problems; }
    QPushButton *importButton() const { return m_importButton; }

private:
    void buildLayout();
    // Shows a newly read table with the columns and the header guessed from it.
    void showTable(ImportTable table);
    void fillColumnBoxes();
    // Guesses the columns not chosen: from the header's names, else the first three in order.
    void guessColumns();
    void chooseSheet(int index);
    // Imports the table as chosen and shows the outcome.
    void update();
    void showOutcome(const std::string &error);

    std::string m_fileName;
    ImportTable m_table;
    int m_tableWidth = 0; // columns of the widest row
    PedigreeImport m_result;
    ImportPreviewModel *m_model = nullptr;
    QComboBox *m_sheetBox = nullptr;
    QLabel *m_sheetLabel = nullptr;
    std::array<QComboBox *, 3> m_columnBoxes {};
    QCheckBox *m_headerBox = nullptr;
    QCheckBox *m_unifyBox = nullptr;
    QTableView *m_preview = nullptr;
    QLabel *m_summary = nullptr;
    QPlainTextEdit *m_problems = nullptr;
    QPushButton *m_importButton = nullptr;
};

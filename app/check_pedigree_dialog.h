#pragma once

// The list of the pedigree check's findings: severity, rows and the problem in plain words, errors
// first, one line each; the current finding's whole message stands below the list. Double-clicking
// a finding (or Enter on it) closes the list with the finding's first row chosen, for the caller to
// select in the grid. With no findings the list says the pedigree is clean. A summary of the
// pedigree stands at the bottom.
//
//   CheckPedigreeDialog list(checkPedigree(document), this);
//   if (list.exec() == QDialog::Accepted && list.chosenRow() > 0)
//       grid.SelectRange(0, 0, list.chosenRow(), list.chosenRow());

#include "engine/pedigree_check.h"

#include <QDialog>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class CheckPedigreeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CheckPedigreeDialog(const pedigree_findings &checked, QWidget *parent = nullptr);

    // The data row (from 1) of the finding the user went to; 0 when the list was just closed.
    int chosenRow() const { return m_chosenRow; }

    QTreeWidget *findingList() const { return m_list; }
    QLabel *heading() const { return m_heading; }
    QLabel *detail() const { return m_detail; }

private:
    void fill(const pedigree_findings &checked);
    void goTo(QTreeWidgetItem *item);

    QLabel *m_heading = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_detail = nullptr;
    QLabel *m_summary = nullptr;
    int m_chosenRow = 0;
};

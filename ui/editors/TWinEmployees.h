#pragma once
#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TDialogService;
class TQCContext;

// "List of operators": edits the operator codes in a one-column grid numbered on
// the left, with always an empty row below the last one. OK asks before dropping
// stored codes whose cell was cleared, then stores the non-empty codes sorted.
// The caller reloads its operator selector and saves the configuration.
class TWinEmployees : public QDialog {
    Q_OBJECT
public:
    TWinEmployees(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    // Loads the grid from the operator list (also the "&Undo" button).
    void FormActivate();
    // Adds a numbered empty row when the cell about to be edited is in the last row.
    void GridGetEditMask(int row);
    void BtOKClick();

    // The code cell of a row.
    QLineEdit* CodeEdit(int row) const;
    QStringList Cells() const;

    QTableWidget* Grid;
    QLabel* LblNbChar;
    QPushButton* BtOK;
    QPushButton* BtCancel;
    QPushButton* BtUndo;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetRowCount(int rows);
    void AddRow();
    // Tab, Shift+Tab and the vertical arrows move from code cell to code cell.
    bool MoveBetweenCells(QObject* watched, int key);

    TQCContext& m_context;
    TDialogService& m_dialogs;
};

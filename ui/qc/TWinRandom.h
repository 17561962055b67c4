#pragma once
#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimeEdit;
class TDialogService;
class TQCContext;

// "Random data generator for <analyte>": a series of training runs for the
// current analyte, one a day from the first date at the chosen time, each level
// drawn from the mean and CV typed in the grid, into the charts or the queue.
class TWinRandom : public QDialog {
    Q_OBJECT
public:
    TWinRandom(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    // Empties the window for the current analyte (the time of day stays).
    void FormActivate();
    // Reads the number and the grid, asks, creates the runs and closes with OK;
    // an error or a Cancel keeps the window open and creates nothing.
    void BtOKClick();

    QLineEdit* EditNumber;
    QDateEdit* DatePicker;
    QTimeEdit* TimePicker;
    QRadioButton* RBFifo;
    QRadioButton* RBCharts;
    QTableWidget* Grille;
    QPushButton* BtOK;
    QPushButton* BtCancel;

protected:
    void showEvent(QShowEvent* event) override;
    // Enter in the grid acts as OK, Escape as Cancel.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads one cell; false after reporting a cell that is not a number.
    bool ReadCell(int row, int column, struct TQCValue& value);

    TQCContext& m_context;
    TDialogService& m_dialogs;
};

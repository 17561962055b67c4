#pragma once
#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class TDialogService;
class TPrinterService;
class TQCContext;

// The data printing window: the QC points of the current analyte between two
// dates as a table, optionally with the statistics of each level. Made once
// and reused; the opener sets the caption ("Print QC data for " + name).
class TWinPrnData : public QDialog {
    Q_OBJECT
public:
    TWinPrnData(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent = nullptr);
    ~TWinPrnData() override;

    // Handlers
    // Dates from the analyte's first to its last point, statistics ticked.
    void FormActivate();
    // Shows the number of points between the two dates.
    void CountNbLines();
    // "Nothing to print" when no point is chosen (the window stays); else
    // the print dialog, then the table printed and the window closed.
    void BtPrintClick();

    QLabel* Label1;
    QLabel* PanelNbLines;
    QLabel* Label2;
    QDateEdit* DatePicker1;
    QLabel* Label3;
    QDateEdit* DatePicker2;
    QCheckBox* CBPrnStats;
    QPushButton* BtPrint;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPrinterService& m_printers;
};

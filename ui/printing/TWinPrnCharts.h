#pragma once
#include "TQCTypes.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class TDialogService;
class TPrinterService;
class TQCContext;

// The chart printing window: the control charts of the current analyte
// between two dates, one per chosen level, in colour or in black and white,
// optionally with the statistics of the printed points. Made once and
// reused; the main window sets the caption ("Print QC charts for " + name).
class TWinPrnCharts : public QDialog {
    Q_OBJECT
public:
    TWinPrnCharts(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent = nullptr);
    ~TWinPrnCharts() override;

    // Handlers
    // Dates from the analyte's first to its last point, every level ticked
    // (a single level cannot be cleared), colour from the settings.
    void FormActivate();
    // Shows the number of points between the two dates.
    void CountNbPoints();
    // Keeps the colour choice in the settings.
    void CBColorClick();
    // "Nothing to print" (and the window closes) without an analyte, a point
    // or a chosen level; else the print dialog, the charts printed and the
    // window closed with OK.
    void BtPrintClick();

    QLabel* Label1;
    QLabel* PanelNbPoints;
    QLabel* Label2;
    QDateEdit* DatePicker1;
    QLabel* Label3;
    QDateEdit* DatePicker2;
    QLabel* Label4;
    std::array<QCheckBox*, MaxLevels> CBLevels;
    QCheckBox* CBColor;
    QCheckBox* CBStat;
    QPushButton* BtPrint;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPrinterService& m_printers;
};

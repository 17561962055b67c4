#pragma once
#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
class TDialogService;
class TPrinterService;
class TQCContext;

// The audit trail of the program's folder, newest entry first, filtered by
// analyte, kind of change and local days; printed through the printer
// service. Reads the trail through its own read-only connection and changes
// nothing. Made once and reused; each showing reads the trail again.
class TWinAudit : public QDialog {
    Q_OBJECT
public:
    TWinAudit(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent = nullptr);
    ~TWinAudit() override;

    // Handlers
    // The filters reset (every analyte and kind, the trail's first to last day), the entries listed.
    void FormActivate();
    // Lists the entries the filters let through; a trail that cannot be read says why in LblStatus.
    void FilterChange();
    // "Nothing to print" with an empty list; else the listed entries printed.
    void BtPrnClick();

    QComboBox* CBAnalyte;
    QComboBox* CBKind;
    QDateEdit* DateFrom;
    QDateEdit* DateTo;
    QTableView* Grid;
    QLabel* LblStatus;
    QPushButton* BtPrn;
    QPushButton* BtOK;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPrinterService& m_printers;
    bool m_filling = false;
};

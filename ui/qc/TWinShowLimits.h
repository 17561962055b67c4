#pragma once
#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TDialogService;
class TKeyButton;
class TPrinterService;
class TQCContext;

// The control limits of the current analyte, one column per level, with the
// analyte's common-CV switch, which applies at once and is put back when the
// window closes without OK. Made once and reused.
class TWinShowLimits : public QDialog {
    Q_OBJECT
public:
    TWinShowLimits(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent = nullptr);
    ~TWinShowLimits() override;

    // Redraws the main window's charts after the statistics changed.
    std::function<void()> Redraw;

    // Handlers
    // Sizes the grid and places the buttons for the analyte's levels, remembers
    // the switch, locks it while a password is set, and fills the grid.
    void FormShow();
    void FillGrid();
    void CBCommonCVClick();
    void BtPrnClick();

    QTableWidget* Grid;
    QLabel* Panel3;
    QCheckBox* CBCommonCV;
    TKeyButton* BtCle;
    QPushButton* BtOK;
    QPushButton* BtCancel;
    QPushButton* BtPrn;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Sets the switch, recomputes and reclassifies the analyte, redraws the charts.
    void ApplyCommonCV(bool on);

    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPrinterService& m_printers;
    bool m_shownCommonCV = false;
};

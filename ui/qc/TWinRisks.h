#pragma once
#include <QDialog>
#include <array>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TDialogService;
class TKeyButton;
class TQCContext;

// "Vantorel : Statistical parameters": the risks the warning and the action
// limits stand for. Every change shows at once on the current analyte's chart
// (Preview); Undo, Cancel and the close box put back the risks in force when the
// window was shown. OK, behind the key button while a password is set, keeps
// them; the caller then writes the configuration file.
class TWinRisks : public QDialog {
    Q_OBJECT
public:
    TWinRisks(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    // Redraws the main chart after the current analyte was recomputed (set by the main window).
    std::function<void()> RedrawChart;

    void FormShow();
    void FormActivate();
    void RGAlertClick(int item);
    void RGActionClick(int item);
    void BtUndoClick();

    QLabel* LblInfo;
    QGroupBox* RGAlert;
    QGroupBox* RGAction;
    std::array<QRadioButton*, 2> RBAlert;
    std::array<QRadioButton*, 3> RBAction;
    QPushButton* BtOK;
    QPushButton* BtCancel;
    QPushButton* BtUndo;
    TKeyButton* BtCle;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Recomputes the current analyte with the risks now set, when there is one.
    void Preview();

    TQCContext& m_context;
    QButtonGroup* m_alert;
    QButtonGroup* m_action;
    quint8 m_savedAlert = 0;
    quint8 m_savedAction = 4;
};

#pragma once
#include <QDialog>
#include <QList>

class QLabel;
class QListWidget;
class QPushButton;
class TDialogService;
class TKeyButton;
class TPictures;
class TQCContext;
class TWinPrnData;
struct TQCPoint;

// The data table: every stored point of the current analyte, one line each,
// with a mark for each level outside its limits or discarded. Lines are deleted
// (a selection or all) with an undo until the window closes; OK applies the
// deletions after a question. "&Edit line" hands one point back to the main
// window, which moves it into the entry form to be validated again. Made once
// and reused; each showing refills it.
class TWinShowData : public QDialog {
    Q_OBJECT
public:
    TWinShowData(TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent = nullptr);
    ~TWinShowData() override;

    // The data printing window, opened by "&Print".
    TWinPrnData* WinPrnData = nullptr;
    // The main window's selected point, made the current line at each showing (-1: none).
    int SelectedPoint = -1;

    // The point to correct, handed back with the result OK; null otherwise.
    TQCPoint* EditedPoint() const { return m_editedPoint; }
    // The pending deletions: each removed line's position when it was removed.
    const QList<int>& DeletedLines() const { return m_deletedLines; }

    // Handlers
    // Fills the window (also "&Undo"): no deletion pending, no point to correct,
    // the lock by the password, the lines, the current line on the selected point.
    void FormActivate();
    void BtDeleteClick();
    void BtDeleteAllClick();
    void BtOKClick();
    void BtEditClick();
    void BtPrintClick();
    void LBDblClick();

    QLabel* PanelHeads;
    QLabel* LblDate;
    QLabel* lblCQ1;
    QLabel* LblCQ2;
    QLabel* LblCQ3;
    QLabel* LblOperator;
    QLabel* LblComment;
    QListWidget* LB;
    TKeyButton* BtCle;
    QPushButton* BtEdit;
    QPushButton* BtDelete;
    QPushButton* BtDeleteAll;
    QPushButton* BtUndo;
    QPushButton* BtPrint;
    QPushButton* BtOK;
    QPushButton* BtCancel;

    static constexpr int LineHeight = 16;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RemoveLine(int row);
    // Deletes the pending lines' points from the analyte, in the order removed.
    void ApplyDeletions();

    TQCContext& m_context;
    TDialogService& m_dialogs;
    const TPictures& m_pictures;
    QList<int> m_deletedLines;
    TQCPoint* m_editedPoint = nullptr;
};

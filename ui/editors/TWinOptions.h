#pragma once
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class TDialogService;
class TQCContext;

// "Backup / restore options": the folder the backup is written to and read from
// (a mounted volume or any folder chosen with "...") and the number of days after
// which the backup button reminds the user. OK stores both; the caller then
// re-evaluates the reminder and writes the configuration file.
class TWinOptions : public QDialog {
    Q_OBJECT
public:
    TWinOptions(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    // Shows the stored settings (also "&Undo", which then focuses the interval).
    void FormActivate();
    void BtUndoClick();
    // Stores the interval (1 to 1000) and the target; a wrong interval is
    // reported, keeps the window open and stores nothing.
    void BtOKClick();
    // Chooses a folder outside the mounted volumes.
    void BtBrowseClick();

    QLineEdit* EditDelay;
    QComboBox* CBDrive; // item data: the folder
    QPushButton* BtBrowse;
    QPushButton* BtOK;
    QPushButton* BtCancel;
    QPushButton* BtUndo;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Lists the writable mounted volumes, and `folder` when it is not one of them, and selects it.
    void FillTargets(const QString& folder);

    TQCContext& m_context;
    TDialogService& m_dialogs;
};

#pragma once
#include "TArchiveList.h"

#include <QDialog>
#include <functional>

class QListWidget;
class QPushButton;
class TDialogService;
class TKeyButton;
class TPrinterService;
class TQCContext;
class TWinShowArchive;

// The archives of the current analyte, one line each. Lines are deleted with an
// undo until the window closes; OK removes their numbers from the analyte and
// deletes their files. Made once and reused.
class TWinArchives : public QDialog {
    Q_OBJECT
public:
    TWinArchives(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent = nullptr);
    ~TWinArchives() override;

    // The view of one archive, opened by "&Show QC points".
    TWinShowArchive* WinShowArchive = nullptr;
    // Called on OK once the deleted numbers left the analyte, before their
    // files are deleted: the data file is written there.
    std::function<void()> NumbersRemoved;

    // The pending deletions, archive numbers in the order removed.
    const QList<qint32>& DeletedLines() const { return m_deletedLines; }

    // Handlers
    // The lock by the password, the list, the caption.
    void FormActivate();
    void BtShowArchiveClick();
    void BtDeleteClick();
    void BtUndoClick();
    void BtImprimerClick();

    QListWidget* LBArchi;
    TKeyButton* BtCle;
    QPushButton* BtShowArchive;
    QPushButton* BtImprimer;
    QPushButton* BtDelete;
    QPushButton* BtUndo;
    QPushButton* BtOK;
    QPushButton* BtCancel;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillList();

    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPrinterService& m_printers;
    QList<TArchiveList::TEntry> m_shown; // the listed archives, line by line
    QList<qint32> m_deletedLines;
};

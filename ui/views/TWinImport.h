#pragma once
#include "TQCTypes.h"

#include <QDialog>
#include <vector>

class QLabel;
class TAnalyte;
class QListWidget;
class QMimeData;
class QPushButton;
class TDialogService;
class TKeyButton;
class TQCContext;
class TTabListDelegate;

// The import window: the QC results read from pasted or imported text, one line
// each, added all at once to the current analyte. Made once and reused; its
// content lives from one loading to the next.
class TWinImport : public QDialog {
    Q_OBJECT
public:
    static constexpr int LineHeight = 13;

    TWinImport(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);
    ~TWinImport() override;

    // Loads the clipboard's plain text ("ClipBoard contents"). Without text the
    // list shows "Nothing to paste from the clipboard" and false is returned
    // (the caller reports it).
    bool PasteFromClipboard();
    // Loads the given text ("Imported file contents").
    void ShowImportedText(const QString& text);

    // The main window's copy: the analyte's QC text put on the clipboard as plain
    // text, then the information box. Without an analyte: "Nothing to copy.".
    static void CopyToClipboard(const TAnalyte* analyte, TDialogService& dialogs, QWidget* parent = nullptr);

    // The results waiting to be added, in text order.
    const std::vector<TResu0>& PendingResults() const { return m_pendingResults; }

    // Handlers
    void FormActivate();
    void BtAddClick();

    QListWidget* LB;
    QLabel* LblDate;
    QLabel* LblOperator;
    QLabel* lblCQ1;
    QLabel* LblCQ2;
    QLabel* LblCQ3;
    QPushButton* BtAdd;
    QPushButton* BitBtn1;
    TKeyButton* BtCle;
    TTabListDelegate* LBDrawItem;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadText(const QString& text);
    void ClearPending();

    TQCContext& m_context;
    TDialogService& m_dialogs;
    std::vector<TResu0> m_pendingResults;
};

// The text of the clipboard's data: raw plain-text bytes are cut at the first
// zero byte and read as UTF-8 when valid, else as Windows-1252. False when the
// data hold no text.
bool ClipboardQCText(const QMimeData* data, QString& text);

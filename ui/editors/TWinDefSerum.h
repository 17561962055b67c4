#pragma once
#include "TSerumEditor.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;
class TDialogService;
class TKeyButton;
class TPictures;
class TQCContext;

// "Definition of control materials": the materials and their lots on a sorted
// working list. A lot in use cannot be deleted; it can be renamed in place or
// renamed with its former data archived and erased. OK applies the list and
// writes the data file, Cancel leaves everything as it was.
class TWinDefSerum : public QDialog {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 14;
    // Where the red cross of a line marked for erasing stands.
    static constexpr int EraseMarkLeft = 180;

    TWinDefSerum(TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent = nullptr);

    const TSerumEditor& Editor() const { return m_editor; }

    QListWidget* LBSerum;
    QLineEdit* EditNom;
    QLineEdit* EditLot;
    QPushButton* BtAjouter;
    QPushButton* BtReplace;
    QPushButton* BtErase;
    QPushButton* BtClear;
    QPushButton* BtSupprimer;
    QPushButton* BtUsedIn;
    QPushButton* BtOK;
    QPushButton* BtCancel;
    QPushButton* BtDefaire;
    TKeyButton* BtCle;

public slots:
    void FormActivate();
    void BtAjouterClick();
    void BtReplaceClick();
    void BtEraseClick();
    void BtClearClick();
    void BtSupprimerClick();
    void BtUsedInClick();
    void LBSerumClick();
    // Applies the working list (OK).
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillList(int selected);
    int SelectedLine(const QString& missing, int buttons);
    // After a change: the line selected, the fields cleared, the list focused.
    void Changed(const TEditResult& result, int index);

    TQCContext& m_context;
    TDialogService& m_dialogs;
    TSerumEditor m_editor;
};

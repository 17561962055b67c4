#pragma once
#include "TAnalyteEditor.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDialogService;
class TDragList;
class TKeyButton;
class TQCContext;

// "Definition of analytes": creates, renames, re-dimensions, reorders and
// deletes analytes on a working list; OK makes ListAnalytes that list and
// writes the data file, Cancel leaves everything as it was.
class TWinDefAnalytes : public QDialog {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 14;
    static const QList<int> TabStops;
    static const QStringList Units;

    TWinDefAnalytes(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    const TAnalyteEditor& Editor() const { return m_editor; }

    TDragList* LBox;
    QLineEdit* EditNom;
    QSpinBox* SELevels;
    QComboBox* CBUnite;
    QSpinBox* SEDecim;
    QPushButton* BtAjouter;
    QPushButton* BtCorriger;
    QPushButton* BtClear;
    QPushButton* BtSupprimer;
    QPushButton* BtTop;
    QPushButton* BtUp;
    QPushButton* BtDown;
    QPushButton* BtBottom;
    QPushButton* BtSort;
    QPushButton* BtOK;
    QPushButton* BtCancel;
    QPushButton* BtDefaire;
    TKeyButton* BtCle;

public slots:
    void FormActivate();
    void BtAjouterClick();
    void BtCorrigerClick();
    void BtClearClick();
    void BtSupprimerClick();
    void BtMoveTopClick();
    void BtMoveBottomClick();
    void BtUpClick();
    void BtDownClick();
    void BtSortClick();
    void BtDefaireClick();
    void BtOKClick();
    void LBClick();
    void LBoxDragDrop(int target);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TAnalyteFields Fields() const;
    // Shows the working list with the line `selected` selected (none for -1).
    void FillList(int selected);
    // The selected line, or -1 after the error box for `missing`.
    int SelectedLine(const QString& missing, int buttons);
    void Move(int (TAnalyteEditor::*move)(int));

    TQCContext& m_context;
    TDialogService& m_dialogs;
    TAnalyteEditor m_editor;
};

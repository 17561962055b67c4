#pragma once
#include "TArchiveList.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class TDialogService;
class TPrinterService;
class TQCContext;

// One archive: its points with the material, lot, period and statistics, and
// their printout. Made once and reused; the archives window fills it.
class TWinShowArchive : public QDialog {
    Q_OBJECT
public:
    TWinShowArchive(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent = nullptr);
    ~TWinShowArchive() override;

    // Shows the archive's lines and summary fields.
    void SetArchive(const QString& analyteName, const TArchiveList::TEntry& archive);
    void BtImprimerClick();

    QListWidget* LB;
    QLabel* PanelControlMaterial;
    QLabel* LblLot;
    QLabel* LblDateFrom;
    QLabel* LblDateTo;
    QLabel* LblMean;
    QLabel* LblUnite;
    QLabel* LblCV;
    QLabel* LblNbre;
    QPushButton* BtImprimer;
    QPushButton* BtOK;

private:
    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPrinterService& m_printers;
    QString m_analyteName;
    TArchiveList::TEntry m_archive;
};

#include "TWinArchives.h"
#include "TKitMessages.h"
#include "TViewMessages.h"

#include "TAnalyte.h"
#include "TArchiveReport.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TKeyButton.h"
#include "TPrintCanvas.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TTabListDelegate.h"
#include "TWinShowArchive.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

TWinArchives::TWinArchives(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("TWinArchives"));
    setWindowTitle(QStringLiteral("QC archives"));
    setFont(WindowFont());
    setFixedSize(432, 385);
    const QColor navy(0, 0, 128);
    for (const auto& [text, left, width] :
        { std::tuple { "Begin", 0, 58 }, { "End", 60, 58 }, { "Control material", 120, 98 }, { "Lot", 220, 68 },
            { "Mean", 290, 48 }, { "CV", 340, 28 }, { "N", 370, 40 } })
        MakePanel(this, QRect(8 + left, 8, width, 18), navy, Qt::yellow, QString::fromLatin1(text), TPanelFrame::Flat);
    LBArchi = Named(new QListWidget(this), "LBArchi");
    LBArchi->setGeometry(8, 28, 416, 300);
    LBArchi->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LBArchi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LBArchi->setItemDelegate(new TTabListDelegate({ 60, 120, 220, 290, 340, 370 }, 13, LBArchi));
    LBArchi->installEventFilter(this);

    BtCle = new TKeyButton(m_context, m_dialogs, this);
    BtCle->setGeometry(8, 336, 40, 40);
    BtShowArchive = Named(MakeButton(this, QRect(52, 340, 96, 30), QStringLiteral("&Show QC points")), "BtShowArchive");
    BtDelete = Named(MakeButton(this, QRect(152, 340, 96, 30), QStringLiteral("&Delete selection")), "BtDelete");
    BtUndo = Named(MakeButton(this, QRect(252, 340, 40, 30), QStringLiteral("&Undo")), "BtUndo");
    BtImprimer = Named(MakeButton(this, QRect(296, 340, 40, 30), QStringLiteral("&Print")), "BtImprimer");
    BtOK = Named(MakeButton(this, QRect(340, 340, 40, 30), QStringLiteral("OK")), "BtOK");
    BtCancel = Named(MakeButton(this, QRect(384, 340, 44, 30), QStringLiteral("Cancel")), "BtCancel");
    BtCle->Protect({ BtDelete, BtUndo });

    connect(BtShowArchive, &QPushButton::clicked, this, &TWinArchives::BtShowArchiveClick);
    connect(LBArchi, &QListWidget::itemDoubleClicked, this, &TWinArchives::BtShowArchiveClick);
    connect(BtDelete, &QPushButton::clicked, this, &TWinArchives::BtDeleteClick);
    connect(BtUndo, &QPushButton::clicked, this, &TWinArchives::BtUndoClick);
    connect(BtImprimer, &QPushButton::clicked, this, &TWinArchives::BtImprimerClick);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TWinArchives::~TWinArchives() = default;

void TWinArchives::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinArchives::FormActivate()
{
    m_deletedLines.clear();
    BtCle->Reset();
    FillList();
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    setWindowTitle(QStringLiteral("QC archives for ") + (analyte ? analyte->Name : QString()));
}

void TWinArchives::FillList()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    m_shown = analyte ? TArchiveList::Read(*analyte, m_context.ProgramFolder()) : QList<TArchiveList::TEntry>();
    LBArchi->clear();
    for (const TArchiveList::TEntry& entry : std::as_const(m_shown))
        LBArchi->addItem(entry.Summary());
}

void TWinArchives::BtDeleteClick()
{
    for (int row = LBArchi->count() - 1; row >= 0; --row) {
        if (!LBArchi->item(row)->isSelected())
            continue;
        delete LBArchi->takeItem(row);
        m_deletedLines.append(m_shown.takeAt(row).Number);
    }
    LBArchi->setFocus();
}

void TWinArchives::BtUndoClick()
{
    m_deletedLines.clear();
    FillList();
    LBArchi->setFocus();
}

void TWinArchives::BtShowArchiveClick()
{
    if (LBArchi->count() == 0) {
        m_dialogs.Show(ViewMessages::NothingToShow, this);
        LBArchi->setFocus();
        return;
    }
    const int row = std::max(LBArchi->currentRow(), 0);
    if (!WinShowArchive || !m_context.CurrentAnalyte)
        return;
    WinShowArchive->SetArchive(m_context.CurrentAnalyte->Name, m_shown[row]);
    WinShowArchive->move(pos() + QPoint(100, 20));
    m_dialogs.Exec(*WinShowArchive);
    LBArchi->setFocus();
}

void TWinArchives::BtImprimerClick()
{
    if (LBArchi->count() == 0 || !m_context.CurrentAnalyte) {
        m_dialogs.Show(KitMessages::NothingToPrint, this);
        return;
    }
    std::unique_ptr<TPrintCanvas> canvas
        = m_printers.ChoosePrinter({ QStringLiteral("Printing QC archives"), m_context.CurrentAnalyte->Name,
                                       QStringLiteral("archives"), m_context.Clock().Now().date() },
            this);
    if (canvas
        && PrintReportTable(*canvas, ArchivesReportTable(m_context.CurrentAnalyte->Name, m_shown),
               QStringLiteral("Printing QC archives"), m_context.Clock().TodayDays())
            == TPrintOutcome::DeviceFailed)
        m_dialogs.Show(KitMessages::PrintingFailed, this);
}

bool TWinArchives::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees the Delete key before the list does.
    if (watched == LBArchi && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (BtDelete->isEnabled())
            BtDeleteClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TWinArchives::done(int result)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (result == QDialog::Accepted && analyte && !m_deletedLines.isEmpty()) {
        // The numbers leave the data file before the files go: a crash between
        // the two leaves a file no analyte lists, never a listed archive missing.
        TArchiveList::RemoveNumbers(*analyte, m_deletedLines);
        if (NumbersRemoved)
            NumbersRemoved();
        TArchiveList::DeleteFiles(m_context.ProgramFolder(), m_deletedLines);
    }
    m_deletedLines.clear();
    m_shown.clear();
    LBArchi->clear();
    QDialog::done(result);
}

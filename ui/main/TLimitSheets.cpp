#include "TLimitSheets.h"
#include "TMainMessages.h"
#include "TSheetHost.h"

#include "TAnalyte.h"
#include "TArchive.h"
#include "TChartGeometry.h"
#include "TControls.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TGBArchivage.h"
#include "TGBFixedParam.h"
#include "TGBLockedParam.h"
#include "TQCContext.h"
#include "TQCDocument.h"
#include "TStatistics.h"
#include "TWinEntryPsw.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

// One panel per level, hidden until its sheet is prepared; the level is its tag.
template <class TPanel, class TMake> void MakeLevelPanels(std::array<TPanel*, MaxLevels>& panels, TMake make)
{
    for (int i = 0; i < MaxLevels; ++i) {
        panels[i] = make(i);
        panels[i]->SetTag(i);
        panels[i]->hide();
    }
}

// OK, Undo (when asked for) and Cancel at the bottom of a special sheet.
void MakeSheetButtons(QWidget* sheet, QPushButton*& ok, QPushButton** undo, QPushButton*& cancel)
{
    ok = MakeButton(sheet, QRect(3, 410, 58, 25), QStringLiteral("OK"), QStringLiteral("ok"));
    if (undo)
        *undo = MakeButton(sheet, QRect(65, 410, 58, 25), QStringLiteral("&Undo"), QStringLiteral("undo"));
    cancel = MakeButton(sheet, QRect(127, 410, 58, 25), QStringLiteral("Cancel"), QStringLiteral("cancel"));
}

} // namespace

TLimitSheets::TLimitSheets(TSheetHost& host, TQCContext& context, TDialogService& dialogs, QTabWidget& pages)
    : QObject(host.SheetWindow())
    , m_host(host)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_pages(pages)
{
    Q_ASSERT(pages.count() == int(TSheet::Lock));
    TabSheetLock = AddSheet(pages, QStringLiteral("Locking control limits"));
    TabSheetFix = AddSheet(pages, QStringLiteral("Fixing control limits"));
    TabSheetArchi = AddSheet(pages, QStringLiteral("Erasing QC levels"));
    BuildLockSheet();
    BuildFixSheet();
    BuildArchiSheet();
    Connect();
}

TChartView& TLimitSheets::View() { return m_host.SheetView(); }

TSheet TLimitSheets::Current() const { return TSheet(m_pages.currentIndex()); }

// ---------------------------------------------------------------- creation

void TLimitSheets::BuildLockSheet()
{
    QWidget* s = TabSheetLock;
    MakeLabel(s, 5, 30, QStringLiteral("From"));
    PanelFirstDate = MakePanel(s, QRect(35, 27, 64, 20), Qt::yellow, Qt::black);
    MakeLabel(s, 104, 30, QStringLiteral("to"));
    PanelLastDate = MakePanel(s, QRect(120, 27, 64, 20), Qt::yellow, Qt::black);
    MakeLabel(s, 5, 54, QStringLiteral("Partial statistics for the interval"));
    GrilleLock = new QTableWidget(4, 4, s);
    GrilleLock->setGeometry(5, 70, 162, 4 * 19 + 2);
    GrilleLock->horizontalHeader()->hide();
    GrilleLock->verticalHeader()->hide();
    GrilleLock->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrilleLock->setSelectionMode(QAbstractItemView::NoSelection);
    GrilleLock->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrilleLock->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int widths[4] = { 30, 55, 40, 33 };
    const char* heads[4] = { "#", "m", "CV", "N" };
    for (int c = 0; c < 4; ++c) {
        GrilleLock->setColumnWidth(c, widths[c]);
        GrilleLock->setItem(0, c, new QTableWidgetItem(QString::fromLatin1(heads[c])));
    }
    // Rows of 19 pixels: the header's minimum would otherwise make them taller
    // than the space the sheet gives the grid.
    GrilleLock->verticalHeader()->setMinimumSectionSize(19);
    GrilleLock->verticalHeader()->setDefaultSectionSize(19);
    GrilleLock->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int r = 1; r <= MaxLevels; ++r)
        GrilleLock->setItem(r, 0, new QTableWidgetItem(QStringLiteral("C%1").arg(r)));
    GrilleLock->setCurrentCell(-1, -1);
    MakeLabel(s, 5, 170, QStringLiteral("Lock limits on the new date interval"));
    MakeLevelPanels(GBLocked, [s](int i) {
        auto* panel = new TGBLockedParam(s);
        panel->move(0, 190 + 75 * i);
        return panel;
    });
    MakeSheetButtons(s, BtOKLock, &BtUndoLock, BtCancelLock);
}

void TLimitSheets::BuildFixSheet()
{
    QWidget* s = TabSheetFix;
    MakeLevelPanels(GBFixed, [this, s](int i) {
        auto* panel = new TGBFixedParam(m_dialogs, s);
        panel->move(10, 25 + 130 * i);
        return panel;
    });
    MakeSheetButtons(s, BtOKFix, &BtUndoFix, BtCancelFix);
}

void TLimitSheets::BuildArchiSheet()
{
    QWidget* s = TabSheetArchi;
    MakeLevelPanels(GBArchi, [s](int i) {
        auto* panel = new TGBArchivage(s);
        panel->move(10, 40 + 120 * i);
        return panel;
    });
    MakeSheetButtons(s, BtOKErase, nullptr, BtCancelArchi);
}

void TLimitSheets::Connect()
{
    connect(BtOKLock, &QPushButton::clicked, this, &TLimitSheets::BtOKLockClick);
    connect(BtOKFix, &QPushButton::clicked, this, &TLimitSheets::BtOKLockClick);
    connect(BtUndoLock, &QPushButton::clicked, this, [this] { BtUndoLockFixClick(TSheet::Lock); });
    connect(BtUndoFix, &QPushButton::clicked, this, [this] { BtUndoLockFixClick(TSheet::Fix); });
    for (QPushButton* cancel : { BtCancelLock, BtCancelFix, BtCancelArchi })
        connect(cancel, &QPushButton::clicked, this, &TLimitSheets::BtCancelLockFixArchiClick);
    connect(BtOKErase, &QPushButton::clicked, this, &TLimitSheets::BtValidEraseClick);
    for (int i = 0; i < MaxLevels; ++i) {
        const int level = GBLocked[i]->Tag();
        connect(GBLocked[i]->BtLock, &QPushButton::clicked, this, [this, level] { BtLockClick(level); });
        connect(GBLocked[i]->BtUnLock, &QPushButton::clicked, this, [this, level] { BtUnLockClick(level); });
        connect(GBFixed[i]->BtFix, &QPushButton::clicked, this, [this, level] { BtFixClick(level); });
        connect(GBFixed[i]->BtUnfix, &QPushButton::clicked, this, [this, level] { BtUnfixClick(level); });
        connect(GBArchi[i]->BtArchi, &QPushButton::clicked, this, [this, level] { BtArchiClick(level); });
    }
}

// ---------------------------------------------------------------- switching sheets

void TLimitSheets::MnuChangePageControl(TSheet sheet)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (sheet != TSheet::Enter
        && !m_dialogs.RequireAnalyte(analyte, MainMessages::NoAnalyteSheet, m_host.SheetWindow()))
        return;
    const TSheet showing = Current();
    if (showing == TSheet::Archi) {
        View().Erase = { false, false, false };
        m_host.RepaintCharts();
    }
    if (sheet == TSheet::Enter) {
        m_pages.setCurrentIndex(int(TSheet::Enter));
        ClearInterval();
        return;
    }
    if (showing == TSheet::Enter && !TWinEntryPsw::AskPassword(m_context, m_dialogs, m_host.SheetWindow()))
        return;
    if (showing != TSheet::Enter && m_savedFor == analyte) {
        m_savedLimits.Restore(*analyte);
        ClassifyAll(*analyte);
        m_host.RepaintCharts();
    }
    m_savedLimits = TLimitSettings::Take(*analyte);
    m_savedFor = analyte;
    m_pages.setCurrentIndex(int(sheet));
    if (sheet == TSheet::Lock)
        PrepareLockSheet();
    else if (sheet == TSheet::Fix)
        PrepareFixSheet();
    else
        PrepareArchiSheet();
}

void TLimitSheets::BtOKLockClick()
{
    MnuChangePageControl(TSheet::Enter);
    // The stored marks (data table, daily report, pop-up, printouts) follow the
    // limits now in force.
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    // The limit settings kept by OK are written at once, not only at exit.
    const QList<TChange> changes = m_savedFor == analyte ? LimitChanges(*analyte, m_savedLimits) : QList<TChange>();
    m_host.Commit(changes, { TFile::Data, TRecompute::StatisticsAndMarks, analyte });
}

void TLimitSheets::BtUndoLockFixClick(TSheet sheet)
{
    // Reopening a special sheet from another one drops its changes first.
    MnuChangePageControl(sheet);
    m_host.RepaintCharts();
}

void TLimitSheets::BtCancelLockFixArchiClick()
{
    if (m_context.CurrentAnalyte && m_savedFor == m_context.CurrentAnalyte) {
        m_savedLimits.Restore(*m_context.CurrentAnalyte);
        ClassifyAll(*m_context.CurrentAnalyte);
    }
    MnuChangePageControl(TSheet::Enter);
    m_host.RepaintCharts();
}

void TLimitSheets::LeaveSpecialSheet()
{
    if (Current() != TSheet::Enter)
        BtCancelLockFixArchiClick();
}

bool TLimitSheets::LeaveSpecialSheetAsking(const QString& command)
{
    const TSheet showing = Current();
    if (showing == TSheet::Enter)
        return true;
    const QString sheet = showing == TSheet::Lock ? QStringLiteral("Locking control limits")
        : showing == TSheet::Fix                  ? QStringLiteral("Fixing control limits")
                                                  : QStringLiteral("Erasing QC levels");
    if (!m_dialogs.Ask(MainMessages::LeaveSheet, m_host.SheetWindow(), command, sheet))
        return false;
    BtCancelLockFixArchiClick();
    return true;
}

// ---------------------------------------------------------------- Lock sheet

void TLimitSheets::PrepareLockSheet()
{
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    m_host.DeselectPoint();
    ShowInterval();
    for (int i = 0; i < MaxLevels; ++i) {
        TGBLockedParam* panel = GBLocked[i];
        if (i >= LevelsInUse(analyte)) {
            panel->hide();
            continue;
        }
        panel->Init(m_host.LevelName(i));
        panel->setVisible(analyte.AllPointsStats[i].N > 0);
        ShowLockState(i);
    }
    BtOKLock->setFocus();
}

void TLimitSheets::ShowLockState(int level)
{
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    GBLocked[level]->SetState(LockStateText(analyte, level));
    GBLocked[level]->BtUnLock->setEnabled(analyte.LimitMode[level] == lmLocked);
}

void TLimitSheets::ClearInterval()
{
    m_interval.Clear();
    ShowInterval();
}

void TLimitSheets::ShowInterval()
{
    View().SelFirst = m_interval.First;
    View().SelLast = m_interval.Last;
    m_host.RedrawCharts();
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const bool set = analyte && m_interval.IsSet() && m_interval.Last < analyte->Count();
    PanelFirstDate->setText(set ? ShortDateText(analyte->Point(m_interval.First).DateTime) : QString());
    PanelLastDate->setText(set ? ShortDateText(analyte->Point(m_interval.Last).DateTime) : QString());
    const int levels = analyte ? LevelsInUse(*analyte) : 0;
    GrilleLock->setRowCount(levels + 1);
    for (int i = 0; i < levels; ++i) {
        const TLockGridRow row = set ? LockGridRow(*analyte, i, m_interval, m_context.Risks())
                                     : TLockGridRow { {}, {}, QStringLiteral("0") };
        const QString texts[] = { QStringLiteral("C%1").arg(i + 1), row.Mean, row.CV, row.N };
        for (int c = 0; c < 4; ++c) {
            if (!GrilleLock->item(i + 1, c))
                GrilleLock->setItem(i + 1, c, new QTableWidgetItem);
            GrilleLock->item(i + 1, c)->setText(texts[c]);
        }
    }
    int height = 2 * GrilleLock->frameWidth();
    for (int r = 0; r < GrilleLock->rowCount(); ++r)
        height += GrilleLock->rowHeight(r);
    GrilleLock->setFixedHeight(height);
}

void TLimitSheets::IntervalPress(int index, QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier)
        m_interval.Click(index);
    else if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ShiftModifier)
        m_interval.ShiftClick(index);
    ShowInterval();
}

void TLimitSheets::IntervalGlide(int x)
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte || m_interval.Anchor < 0)
        return;
    const int first = m_interval.Glide(x, View().First, View().Last, analyte->Count());
    if (first != View().First)
        m_host.MoveChartWindow(first);
    ShowInterval();
}

void TLimitSheets::BtLockClick(int level)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    if (!m_interval.IsSet()) {
        m_dialogs.Show(MainMessages::DefineInterval, m_host.SheetWindow());
        return;
    }
    if (!LockLevel(*analyte, level, m_interval.First, m_interval.Last, m_context.Risks())) {
        m_dialogs.Show(MainMessages::NotEnoughPoints, m_host.SheetWindow(), m_host.LevelName(level));
        return;
    }
    ShowLockState(level);
    m_host.RepaintCharts();
    BtOKLock->setFocus();
}

void TLimitSheets::BtUnLockClick(int level)
{
    if (!m_context.CurrentAnalyte)
        return;
    UnlockLevel(*m_context.CurrentAnalyte, level, m_context.Risks());
    ShowLockState(level);
    m_host.RepaintCharts();
    BtOKLock->setFocus();
}

// ---------------------------------------------------------------- Fix sheet

void TLimitSheets::PrepareFixSheet()
{
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    ClearInterval();
    m_host.DeselectPoint();
    const int levels = LevelsInUse(analyte);
    for (int i = 0; i < MaxLevels; ++i) {
        TGBFixedParam* panel = GBFixed[i];
        if (i >= levels) {
            panel->hide();
            continue;
        }
        panel->show();
        panel->Init(m_host.LevelName(i), analyte.Units);
        panel->move(10, 25 + 60 * (3 - levels) + 130 * i);
        const bool fixed = analyte.LimitMode[i] == lmFixed;
        panel->BtUnfix->setEnabled(fixed);
        const TFixedTexts texts = fixed ? FixedLevelTexts(analyte, i) : TFixedTexts();
        panel->EditTarget->setText(texts.Target);
        panel->EditWarning->setText(texts.Warning);
        panel->EditAction->setText(texts.Action);
    }
    BtOKFix->setFocus();
}

void TLimitSheets::BtFixClick(int level)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    double mean = 0, warning = 0, action = 0;
    if (!analyte || !GBFixed[level]->GetFields(mean, warning, action))
        return; // the panel has shown why
    FixLevel(*analyte, level, mean, warning, action, m_context.Risks());
    GBFixed[level]->BtUnfix->setEnabled(true);
    m_host.RepaintCharts();
    BtOKFix->setFocus();
}

void TLimitSheets::BtUnfixClick(int level)
{
    if (!m_context.CurrentAnalyte)
        return;
    UnfixLevel(*m_context.CurrentAnalyte, level, m_context.Risks());
    GBFixed[level]->BtUnfix->setEnabled(false);
    m_host.RepaintCharts();
    BtOKFix->setFocus();
}

// ---------------------------------------------------------------- Archi sheet

void TLimitSheets::PrepareArchiSheet()
{
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    ClearInterval();
    // No level may stay marked from before (the list refill leaves this sheet
    // without clearing the marks).
    View().Erase = { false, false, false };
    const int levels = LevelsInUse(analyte);
    for (int i = 0; i < MaxLevels; ++i) {
        TGBArchivage* panel = GBArchi[i];
        if (i >= levels) {
            panel->hide();
            continue;
        }
        panel->show();
        panel->Init(m_host.LevelName(i));
        panel->move(panel->x(), 160 - 40 * levels + 120 * i);
        panel->BtArchi->setText(QStringLiteral("Erase/archive data"));
        panel->BtArchi->setEnabled(LevelHasData(analyte, i));
    }
    m_host.DeselectPoint();
    GBArchi[0]->BtArchi->setFocus();
}

void TLimitSheets::BtArchiClick(int level)
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    if (!LevelHasData(*analyte, level)) {
        m_dialogs.Show(MainMessages::NothingToArchive, m_host.SheetWindow());
        return;
    }
    const bool mark = !View().Erase[level];
    View().Erase[level] = mark;
    GBArchi[level]->BtArchi->setText(mark ? QStringLiteral("Un-erase data") : QStringLiteral("Erase/archive data"));
    m_host.RepaintCharts();
}

void TLimitSheets::BtValidEraseClick()
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    const std::array<bool, MaxLevels>& marks = View().Erase;
    const int levels = LevelsInUse(*analyte);
    const int marked = int(std::count(marks.begin(), marks.begin() + levels, true));
    if (marked == 0) {
        m_dialogs.Show(MainMessages::NothingToErase, m_host.SheetWindow());
        return;
    }
    if (!m_dialogs.Ask(MainMessages::ConfirmErase, m_host.SheetWindow(), QString::number(marked), analyte->Name))
        return;
    // The levels archived before one that fails stay archived; the others keep their data.
    QString error;
    const TCommitResult result = m_context.Document().ArchiveLevels(*analyte, marks, &error);
    if (!error.isEmpty())
        m_dialogs.Error(error, mbOK, m_host.SheetWindow());
    View().Selected = -1;
    m_host.ReportCommit(result);
    MnuChangePageControl(TSheet::Enter);
}

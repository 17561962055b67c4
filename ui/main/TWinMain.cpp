#include "TWinMain.h"
#include "TAnalyte.h"
#include "TKitMessages.h"
#include "TMainMessages.h"

#include "TAuditVerdict.h"
#include "TChartPainter.h"
#include "TColors.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TEditInput.h"
#include "TFormat.h"
#include "TLimitSheets.h"
#include "TPaintBox.h"
#include "TPictures.h"
#include "TPointPopup.h"
#include "TQCContext.h"
#include "TQCEntry.h"
#include "TQualityGoals.h"
#include "TSettings.h"
#include "TShape.h"
#include "TStatistics.h"
#include "TStorage.h"
#include "TWinAbout.h"
#include "TWinArchives.h"
#include "TWinComment.h"
#include "TWinDailyQC.h"
#include "TWinDefAnalytes.h"
#include "TWinDefSerum.h"
#include "TWinEmployees.h"
#include "TWinNewPsw.h"
#include "TWinPrnCharts.h"
#include "TWinSerumByAnal.h"
#include "TWinSetUp.h"
#include "TWinShowData.h"
#include "TWinShowLimits.h"
#include "TWinValidCQ.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimeEdit>
#include <QTimer>
#include <QUrl>
#include <utility>

namespace {

const QColor& LimeLight = Colors::Lime;
const QColor& RedLight = Colors::Red;

} // namespace

void TWinMain::ShowMainWindow()
{
    const TScreenMetrics screen = ScreenMetrics();
    if (screen.Width == 800) {
        move(0, 0);
    } else {
        adjustSize();
        const QSize frame = frameGeometry().size();
        move(screen.Left + std::max(0, (screen.Width - frame.width()) / 2),
            screen.Top + std::max(0, (screen.Height - frame.height()) / 2));
    }
    FormShow();
    if (m_startupRefused)
        close();
    else
        show();
}

void TWinMain::FormShow()
{
    const TScreenMetrics screen = ScreenMetrics();
    if (qRound(screen.LogicalDpi) != 96) {
        m_dialogs.Show(MainMessages::NotSmallFont, this);
        m_startupRefused = true;
    } else if (screen.Width == 640) {
        m_dialogs.Show(MainMessages::ScreenTooSmall, this);
        m_startupRefused = true;
    } else {
        if (m_context.Config.ShowAboutAtStart && WinAbout) {
            m_dialogs.Exec(*WinAbout);
            if (WinAbout->DoNotShowAgain())
                m_context.Config.ShowAboutAtStart = false;
        }
        m_startupRefused = false;
    }
    m_splash.reset();
    if (m_startupRefused)
        return;
    FillAnalyteList();
    m_view.Erase = { false, false, false };
    m_openTableOnSelected = false;
    ApplyBackupReminder(true);
    RefreshFifoCaption();
}

void TWinMain::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TWinMain::FormCloseQuery()
{
    if (m_startupRefused)
        return true;
    return m_dialogs.Ask(MainMessages::ExitQuestion, this);
}

void TWinMain::MnuAboutClick()
{
    if (!WinAbout)
        return;
    WinAbout->ClearDoNotShowAgain();
    m_dialogs.Exec(*WinAbout);
}

void TWinMain::MnuOperatorsClick()
{
    const QJsonObject before = m_context.Document().SettingsJson(TChangeKind::OperatorsChanged);
    if (!WinEmployees || m_dialogs.Exec(*WinEmployees) != QDialog::Accepted)
        return;
    const QString typed = CBOperator->currentText();
    CBOperator->clear();
    CBOperator->addItems(m_context.ListOperators);
    CBOperator->setEditText(typed);
    ReportCommit(m_context.Document().CommitSettings(TChangeKind::OperatorsChanged, before));
}

void TWinMain::MnuAnalytesClick()
{
    if (!WinDefAnalytes)
        return;
    Sheets->LeaveSpecialSheet();
    if (m_dialogs.Exec(*WinDefAnalytes) != QDialog::Accepted)
        return;
    // The editor wrote the data file; the levels of the current analyte may have changed.
    if (m_context.CurrentAnalyte)
        RecomputeAll(*m_context.CurrentAnalyte, m_context.Risks());
    FillAnalyteList();
}

void TWinMain::MnuControlMaterialsClick()
{
    if (WinDefSerum && m_dialogs.Exec(*WinDefSerum) == QDialog::Accepted)
        FillAnalyteList();
}

void TWinMain::BtAffectationClick()
{
    if (!WinSerumByAnal)
        return;
    if (!m_dialogs.RequireAnalyte(m_context.CurrentAnalyte, MainMessages::NoAnalyte, this))
        return;
    if (m_dialogs.Exec(*WinSerumByAnal) == QDialog::Accepted)
        FillAnalyteList();
}

void TWinMain::BtPrnGraphClick()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!WinPrnCharts)
        return;
    if (!analyte || analyte->Count() == 0) {
        m_dialogs.Show(KitMessages::NothingToPrint, this);
        return;
    }
    WinPrnCharts->setWindowTitle(QStringLiteral("Print QC charts for ") + analyte->Name.left(35));
    m_dialogs.Exec(*WinPrnCharts);
}

void TWinMain::MnuPswClick()
{
    const QJsonObject before = m_context.Document().SettingsJson(TChangeKind::PasswordChanged);
    if (WinNewPsw && m_dialogs.Exec(*WinNewPsw) == QDialog::Accepted)
        ReportCommit(m_context.Document().CommitSettings(TChangeKind::PasswordChanged, before));
}

void TWinMain::MnuShortCutsClick()
{
    TWinSetUp setUp(m_dialogs, this);
    m_dialogs.Exec(setUp);
}

void TWinMain::MnuUserManualClick()
{
    const QString manual = TStorage::FindDocument(QStringLiteral("UserManual.htm"));
    if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        m_dialogs.Show(MainMessages::NoUserManual, this);
}

// ---------------------------------------------------------------- lights

void TWinMain::Blink(TShape& shape)
{
    shape.SetBrushColor(shape.BrushColor() != RedLight ? RedLight : QApplication::palette().color(QPalette::Button));
}

void TWinMain::TimerBackUpTimer() { Blink(*ShapeBackUp); }

void TWinMain::TimerBtFifoTimer() { Blink(*ShapeFifo); }

void TWinMain::ApplyBackupReminder(bool mayStop)
{
    if (TQCEntry::BackupDue(m_context.Config, m_context.Clock().TodayDays())) {
        if (!TimerBackUp->isActive())
            TimerBackUp->start();
    } else if (mayStop) {
        TimerBackUp->stop();
        ShapeBackUp->SetBrushColor(LimeLight);
    }
}

void TWinMain::RefreshFifoCaption()
{
    const int count = m_context.ListFifo.Count();
    BtFifo->setText(QStringLiteral("&Queue : %1").arg(count));
    if (count > 0) {
        if (!TimerBtFifo->isActive())
            TimerBtFifo->start();
    } else if (TimerBtFifo->isActive()) {
        TimerBtFifo->stop();
        ShapeFifo->SetBrushColor(LimeLight);
    }
}

// ---------------------------------------------------------------- analytes and charts

void TWinMain::FillAnalyteList()
{
    PageControl->setCurrentWidget(TabSheetEnter);
    Sheets->ClearInterval();
    m_view.Erase = { false, false, false }; // leaving the Archi sheet unmarks its levels
    const QSignalBlocker block(LBAnalytes);
    LBAnalytes->clear();
    TListAnalytes& list = m_context.ListAnalytes;
    if (list.Count() == 0) {
        PanelNomAnal->clear();
        m_context.CurrentAnalyte = nullptr;
        m_view.Selected = -1;
        for (int i = 0; i < MaxLevels; ++i) {
            LblLevel[i]->hide();
            LblUnit[i]->hide();
            EditValue[i]->hide();
        }
        FollowDocument();
    } else {
        for (int i = 0; i < list.Count(); ++i)
            LBAnalytes->addItem(list.Item(i).Name);
        const int row = std::max(list.IndexOf(m_context.CurrentAnalyte), 0);
        LBAnalytes->setCurrentRow(row);
        LBAnalytesClick();
    }
    DatePicker->setFocus();
}

void TWinMain::LBAnalytesClick()
{
    const int row = LBAnalytes->currentRow();
    if (row < 0 || row >= m_context.ListAnalytes.Count())
        return;
    TAnalyte* analyte = m_context.ListAnalytes.At(row);
    m_context.CurrentAnalyte = analyte;
    m_view.Selected = -1;
    RecomputeChartWindow();
    PanelNomAnal->setText(analyte->Name);
    for (int i = 0; i < MaxLevels; ++i) {
        const bool used = i < analyte->NbLevels;
        if (used) {
            LblLevel[i]->setText(LevelName(i));
            LblUnit[i]->setText(analyte->Units);
        }
        LblLevel[i]->setVisible(used);
        LblUnit[i]->setVisible(used);
        EditValue[i]->setVisible(used);
    }
    ClearEntryForm();
    RepaintCharts();
}

void TWinMain::RecomputeChartWindow()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    // The rules in force follow the analyte, its statistics and its goals: read once here, not at each paint.
    m_view.Rules = analyte ? RulesInForce(*analyte, TQualityGoals::FileName(m_context.BaseName())) : TRuleChoice();
    const TChartWindow w = ComputeChartWindow(analyte ? analyte->Count() : -1, m_view.Selected);
    m_view.First = w.First;
    m_view.Last = w.Last;
    if (w.ScrollVisible) {
        const QSignalBlocker block(ScrollBar);
        ScrollBar->setRange(0, w.ScrollMax);
        ScrollBar->setValue(w.ScrollPos);
        PanelDateDeb->setText(ShortDateText(analyte->Point(0).DateTime));
        PanelDateFin->setText(ShortDateText(analyte->Point(analyte->Count() - 1).DateTime));
    }
    ScrollBar->setVisible(w.ScrollVisible);
    PanelDateDeb->setVisible(w.ScrollVisible);
    PanelDateFin->setVisible(w.ScrollVisible);
}

void TWinMain::ScrollBarScroll(int position)
{
    if (position == m_view.First)
        return;
    MoveChartWindow(position);
    RedrawCharts();
}

void TWinMain::MoveChartWindow(int first)
{
    m_view.First = first;
    m_view.Last = first + ChartGeo::WindowPoints - 1;
    const QSignalBlocker block(ScrollBar);
    ScrollBar->setValue(first);
}

QString TWinMain::LevelName(int level) const
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    return analyte ? m_context.ListSerum.FindByID(analyte->SerumID[level]).Name : QString();
}

void TWinMain::RepaintCharts() { PBox->update(); }

void TWinMain::RedrawCharts() { PBox->update(TChartPainter::PlotRegion()); }

void TWinMain::PBoxPaint(QPainter& painter, const QRect& region)
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const QRect box(0, 0, ChartGeo::BoxWidth, ChartGeo::BoxHeight);
    if (analyte && TChartPainter::PlotRegion().contains(region))
        TChartPainter::PaintPlots(painter, box, *analyte, m_view, m_pictures.Comment);
    else
        TChartPainter::Paint(painter, box, analyte, m_view, m_pictures.Comment);
}

// ---------------------------------------------------------------- entry

void TWinMain::ClearEntryForm()
{
    m_correction.reset(); // a point under correction stays as it is stored
    for (QLineEdit* edit : EditValue)
        edit->clear();
    const QDateTime now = m_context.Clock().Now();
    DatePicker->setDate(now.date());
    TimePicker->setTime(now.time());
    EditComment->clear();
    CBOperator->setCurrentIndex(-1);
    CBOperator->setEditText(QString());
}

void TWinMain::BtRAZEntryFieldsClick()
{
    ClearEntryForm();
    EditValue[0]->setFocus();
}

void TWinMain::BtOKEnterClick()
{
    if (m_entering)
        return;
    const QScopedValueRollback entering(m_entering, true);
    // An edit being left finishes its input as it loses the focus (no message
    // is processed here: a second click or Enter waits until this run is done).
    EditValue[0]->setFocus();

    TAnalyte* analyte = m_context.CurrentAnalyte;
    TResu0 run = TQCEntry::MakeRun(analyte ? analyte->Name : QString(), DatePicker->date(), TimePicker->time(),
        CBOperator->currentText(), EditComment->text());
    const int levels = analyte ? std::clamp(int(analyte->NbLevels), 0, MaxLevels) : 0;
    for (int i = 0; i < levels; ++i)
        if (!ReadQCValueEdit(*EditValue[i], m_dialogs, run.Values[i]))
            return;
    if (TQCEntry::IsEmptyRun(run)) {
        m_dialogs.Show(MainMessages::EnterData, this);
        DatePicker->setFocus();
        return;
    }
    ValidateRun(run);
    ClearEntryForm();
    ApplyBackupReminder(false);
}

void TWinMain::ValidateRun(TResu0& run)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    std::optional<TCorrection> correction = std::exchange(m_correction, std::nullopt);
    if (correction
        && (correction->Analyte != analyte
            || TQCDocument::FindPoint(*analyte, correction->Point, correction->Content) < 0))
        correction.reset(); // the point left by another road: the run is a new one
    // The run is judged as if its point were not stored, on a copy of the analyte:
    // the point itself stays stored (and in the data file) until the run takes its place.
    std::unique_ptr<TAnalyte> without;
    if (correction) {
        without = std::make_unique<TAnalyte>(*analyte);
        without->DeletePoint(TQCDocument::FindPoint(*analyte, correction->Point, correction->Content));
        RecomputeAll(*without, m_context.Risks());
        m_context.CurrentAnalyte = without.get();
    }
    ClassifyPoint(*m_context.CurrentAnalyte, run);
    const bool accepted = WinValidCQ && WinValidCQ->Execute(run);
    if (without) {
        analyte->Options = without->Options; // the validation's Westgard switch
        m_context.CurrentAnalyte = analyte;
    }
    TQCDocument& document = m_context.Document();
    if (accepted && correction)
        ReportCommit(document.ReplacePoint(*analyte, correction->Point, correction->Content, run, &m_view.Selected,
            AuditVerdictJson(WinValidCQ->Result())));
    else if (accepted)
        StoreRun(run);
    else if (correction)
        ReportCommit(document.QueueCorrection(*analyte, correction->Point, correction->Content, std::move(run)));
    else
        HoldRun(std::move(run));
}

void TWinMain::StoreRun(TResu0& run)
{
    // The new point is the selected one before the charts follow the commit.
    const QJsonObject verdict = WinValidCQ ? AuditVerdictJson(WinValidCQ->Result()) : QJsonObject();
    ReportCommit(m_context.Document().StoreRun(*m_context.CurrentAnalyte, run, &m_view.Selected, verdict));
}

void TWinMain::HoldRun(TResu0 run) { ReportCommit(m_context.Document().QueueRun(std::move(run))); }

void TWinMain::Commit(const TChange& change, const TCommitScope& scope)
{
    ReportCommit(m_context.Document().Commit(change, scope));
}

void TWinMain::Commit(const QList<TChange>& changes, const TCommitScope& scope)
{
    ReportCommit(m_context.Document().Commit(changes, scope));
}

void TWinMain::ReportCommit(const TCommitResult& result) { m_dialogs.ReportCommit(result, this); }

void TWinMain::FollowDocument()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte || m_view.Selected >= analyte->Count())
        m_view.Selected = -1;
    RecomputeChartWindow();
    RepaintCharts();
    RefreshFifoCaption();
}

void TWinMain::CorrectPoint(const TQCPoint* point)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte || !point)
        return;
    const QDateTime when = DayCountToDateTime(point->DateTime);
    DatePicker->setDate(when.date());
    TimePicker->setTime(when.time());
    CBOperator->setEditText(point->Operator());
    const int levels = std::clamp(int(analyte->NbLevels), 0, MaxLevels);
    for (int i = 0; i < levels; ++i) {
        const TQCValue& cell = point->Values[i];
        EditValue[i]->setText(cell.Status == psNoValue ? QString() : FormatFixed(cell.Value, 8, analyte->Decimals));
    }
    EditComment->setText(analyte->CommentText(point->CommentID));
    if (analyte->IndexOf(point) >= 0)
        m_correction = TCorrection { analyte, point, *point };
}

void TWinMain::BtDataClick()
{
    if (!WinShowData)
        return;
    TAnalyte* analyte = m_dialogs.RequireAnalyte(m_context.CurrentAnalyte, MainMessages::NoAnalyte, this);
    if (!analyte)
        return;
    Sheets->LeaveSpecialSheet();
    WinShowData->SelectedPoint = m_view.Selected;
    const TAnalyte before = *analyte; // the points as they were, for the record of the deletions
    if (m_dialogs.Exec(*WinShowData) != QDialog::Accepted)
        return;
    m_view.Selected = -1;
    // Confirmed deletions are kept at once.
    ReportCommit(m_context.Document().PointsDeleted(*analyte, before));
    if (TQCPoint* edited = WinShowData->EditedPoint())
        CorrectPoint(edited);
    FollowDocument();
}

void TWinMain::BtLimitsClick()
{
    if (!WinShowLimits)
        return;
    TAnalyte* analyte = m_dialogs.RequireAnalyte(m_context.CurrentAnalyte, MainMessages::NoAnalyte, this);
    if (!analyte)
        return;
    const quint8 options = analyte->Options;
    const QJsonObject before = TQCDocument::AnalyteJson(TChangeKind::CommonCvChanged, *analyte);
    WinShowLimits->Redraw = [this] { FollowDocument(); };
    if (m_dialogs.Exec(*WinShowLimits) == QDialog::Accepted && analyte->Options != options)
        ReportCommit(m_context.Document().CommitAnalyte(TChangeKind::CommonCvChanged, *analyte, before));
}

void TWinMain::BtDailyClick()
{
    if (WinDailyQC)
        m_dialogs.Exec(*WinDailyQC);
}

void TWinMain::BtArchivesClick()
{
    if (!WinArchives)
        return;
    if (!m_dialogs.RequireAnalyte(m_context.CurrentAnalyte, MainMessages::NoAnalyte, this))
        return;
    // The archive numbers before: the record shows them and those left.
    const QJsonObject before = TQCDocument::AnalyteJson(TChangeKind::ArchiveDeleted, *m_context.CurrentAnalyte);
    WinArchives->NumbersRemoved = [this, before] {
        ReportCommit(
            m_context.Document().CommitAnalyte(TChangeKind::ArchiveDeleted, *m_context.CurrentAnalyte, before));
    };
    m_dialogs.Exec(*WinArchives);
}

void TWinMain::PBoxDblClick()
{
    if (m_view.Selected < 0 || !m_context.CurrentAnalyte)
        return;
    // A double click begun on the pop-up only closed it.
    if (WinComment && WinComment->ClosedByPressAt() > PBox->LastPressAt())
        return;
    m_openTableOnSelected = true;
    BtDataClick();
}

// ---------------------------------------------------------------- the charts' mouse

void TWinMain::DeselectPoint()
{
    if (m_view.Selected < 0)
        return;
    m_view.Selected = -1;
    RepaintCharts();
}

void TWinMain::PBoxMouseDown(QMouseEvent* event)
{
    if (WinComment && WinComment->isVisible())
        WinComment->hide();
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (m_context.ListAnalytes.Count() == 0 || !analyte)
        return;
    if (m_openTableOnSelected) {
        m_openTableOnSelected = false;
        m_view.Selected = -1;
        RepaintCharts();
        return;
    }
    const QPoint at = event->position().toPoint();
    const int k = WindowPositionAt(at.x(), m_view.First, analyte->Count());
    if (k < 0) {
        if (m_view.Selected < 0)
            Sheets->ClearInterval();
        else
            DeselectPoint();
        return;
    }
    const TSheet sheet = Sheets->Current();
    const int axisY = DateAxisY(analyte->NbLevels);
    if (sheet == TSheet::Lock && at.y() > axisY) {
        Sheets->IntervalPress(m_view.First + k, event);
    } else if (sheet == TSheet::Enter && CommentIconY(analyte->NbLevels) < at.y() && at.y() < axisY) {
        m_view.Selected = m_view.First + k;
        RedrawCharts();
        if (event->button() == Qt::RightButton)
            ShowPointPopup(m_view.Selected, at.y());
    }
}

void TWinMain::PBoxMouseMove(QMouseEvent* event)
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const QPoint at = event->position().toPoint();
    if (analyte && Sheets->Current() == TSheet::Lock && event->buttons() == Qt::LeftButton
        && at.y() > DateAxisY(analyte->NbLevels))
        Sheets->IntervalGlide(at.x());
}

void TWinMain::ShowPointPopup(int index, int y)
{
    if (!WinComment)
        return;
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    QStringList labels;
    for (int level = 0; level < MaxLevels; ++level)
        labels.append(LevelName(level));
    WinComment->Clear();
    for (const TPopupLine& line : PointPopupLines(analyte, index, labels, m_view.Rules)) {
        const QImage* picture = line.Status >= 0 ? m_pictures.StatusPicture(quint8(line.Status)) : nullptr;
        WinComment->AddCommentLine(line.Text, picture ? QPixmap::fromImage(*picture) : QPixmap());
    }
    // The pop-up's corner stands a little right of the point and above the press.
    const QPoint corner = PBox->mapToGlobal(QPoint(PointX(index, m_view.First) + 5, y - 20));
    WinComment->ShowAt(PointPopupCaption(analyte, index), corner);
}

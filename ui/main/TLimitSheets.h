#pragma once
#include "TChartSelection.h"
#include "TLimitModes.h"
#include "TQCTypes.h"

#include <QObject>
#include <array>

class QLabel;
class QMouseEvent;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;
class TAnalyte;
class TDialogService;
class TGBArchivage;
class TGBFixedParam;
class TGBLockedParam;
class TQCContext;
class TSheetHost;
struct TChartView;

// The pages on the right of the main window, in their order.
enum class TSheet { Enter, Lock, Fix, Archi };

// The Lock, Fix and Archi sheets of the main window: locking a level's limits on
// a date interval chosen at the bottom of the charts, fixing them on typed
// values, erasing (archiving) the data of levels. A sheet takes the current
// analyte's limit settings when it opens; Undo and Cancel put them back, OK keeps
// the changes and writes the data file at once.
class TLimitSheets : public QObject {
    Q_OBJECT
public:
    // Adds the three sheets to `pages`, after the Enter sheet it already holds.
    TLimitSheets(TSheetHost& host, TQCContext& context, TDialogService& dialogs, QTabWidget& pages);

    TSheet Current() const;
    // The date interval chosen at the bottom of the charts (Lock sheet).
    const TIntervalSelection& Interval() const { return m_interval; }

    QWidget* TabSheetLock;
    QWidget* TabSheetFix;
    QWidget* TabSheetArchi;
    // Lock sheet
    QLabel* PanelFirstDate;
    QLabel* PanelLastDate;
    QTableWidget* GrilleLock;
    QPushButton* BtOKLock;
    QPushButton* BtUndoLock;
    QPushButton* BtCancelLock;
    std::array<TGBLockedParam*, MaxLevels> GBLocked;
    // Fix sheet
    QPushButton* BtOKFix;
    QPushButton* BtUndoFix;
    QPushButton* BtCancelFix;
    std::array<TGBFixedParam*, MaxLevels> GBFixed;
    // Archi sheet
    QPushButton* BtOKErase;
    QPushButton* BtCancelArchi;
    std::array<TGBArchivage*, MaxLevels> GBArchi;

public slots:
    // Shows a sheet. A special sheet needs an analyte, asks the password when
    // the Enter sheet is left, and drops the changes of the special sheet it
    // replaces.
    void MnuChangePageControl(TSheet sheet);
    void BtOKLockClick();
    void BtUndoLockFixClick(TSheet sheet);
    void BtCancelLockFixArchiClick();
    void BtValidEraseClick();
    void BtLockClick(int level);
    void BtUnLockClick(int level);
    void BtFixClick(int level);
    void BtUnfixClick(int level);
    void BtArchiClick(int level);

public:
    // A special sheet is left as by its Cancel.
    void LeaveSpecialSheet();
    // Before `command` (a text that names it) from a special sheet: asks whether
    // to leave the sheet as Cancel does; false, the sheet stays, when refused.
    bool LeaveSpecialSheetAsking(const QString& command);
    void ClearInterval();
    // A press below the date axis on the point `index`, and a glide there with
    // the left button held (x in the charts' pixels).
    void IntervalPress(int index, QMouseEvent* event);
    void IntervalGlide(int x);

private:
    void BuildLockSheet();
    void BuildFixSheet();
    void BuildArchiSheet();
    void Connect();
    void PrepareLockSheet();
    void PrepareFixSheet();
    void PrepareArchiSheet();
    void ShowLockState(int level);
    // Shows the interval: date axis, date panels and the partial statistics grid.
    void ShowInterval();
    TChartView& View();

    TSheetHost& m_host;
    TQCContext& m_context;
    TDialogService& m_dialogs;
    QTabWidget& m_pages;
    TIntervalSelection m_interval;
    // The current analyte's limit settings when a special sheet opened.
    TLimitSettings m_savedLimits;
    const TAnalyte* m_savedFor = nullptr;
};

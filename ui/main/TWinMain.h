#pragma once
#include "TChartGeometry.h"
#include "TQCDocument.h"
#include "TQCPoint.h"
#include "TQCTypes.h"
#include "TSheetHost.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPainter;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTableWidget;
class QTimeEdit;
class QTimer;
class TDialogService;
class TPaintBox;
class TPictures;
class TQCContext;
class TLimitSheets;
class TShape;
class TWinAbout;
class TWinAnimCopyFic;
class TWinComment;
class TWinDefAnalytes;
class TWinDefSerum;
class TWinEmployees;
class TWinPrnCharts;
class TWinArchives;
class TWinAudit;
class TAuditTrail;
class TBackup;
class TWinDailyQC;
class TWinShowData;
class TWinShowLimits;
class TWinRandom;
class TWinSigma;
class TWinRisks;
class TWinImport;
class TWinNewPsw;
class TWinOptions;
class TWinSerumByAnal;
class TWinValidCQ;

// What the start-up checks need to know of the screen, in Qt's logical pixels.
struct TScreenMetrics {
    int Width = 0;
    int Height = 0;
    double LogicalDpi = 96;
    int Left = 0; // the screen's corner on the desktop
    int Top = 0;
};

// The main window: the Levey-Jennings charts of the current analyte on the
// left, the entry form (or the Lock, Fix and Archi sheets) on the right, the
// command buttons below and the main menu. It owns the current analyte's chart
// window and the selected point. The form is built in TWinMainForm.cpp, the
// queue, clipboard and file commands are in TWinMainExchange.cpp.
class TWinMain : public QMainWindow, private TSheetHost {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 792;
    static constexpr int ClientHeight = 526;

    TWinMain(TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent = nullptr);
    ~TWinMain() override;

    // Windows opened from here, created once by the program; a command whose
    // window is not there stays disabled.
    TWinAbout* WinAbout = nullptr;
    TWinValidCQ* WinValidCQ = nullptr;
    TWinEmployees* WinEmployees = nullptr;
    TWinNewPsw* WinNewPsw = nullptr;
    // The lines read from the clipboard or a text file, added to the analyte.
    TWinImport* WinImport = nullptr;
    // The pop-up of a point, shown by a right click on the charts.
    TWinComment* WinComment = nullptr;
    // The editors of the analytes, the control materials and the lots of the current analyte's levels.
    TWinDefAnalytes* WinDefAnalytes = nullptr;
    TWinDefSerum* WinDefSerum = nullptr;
    TWinSerumByAnal* WinSerumByAnal = nullptr;
    // The printing of the current analyte's charts.
    TWinPrnCharts* WinPrnCharts = nullptr;
    // The data table of the current analyte.
    TWinShowData* WinShowData = nullptr;
    // The control limits of the current analyte.
    TWinShowLimits* WinShowLimits = nullptr;
    // The day's QC of all analytes.
    TWinDailyQC* WinDailyQC = nullptr;
    // The archives of the current analyte.
    TWinArchives* WinArchives = nullptr;
    // Backup and restore: the copy window and the options (TWinMainBackup.cpp).
    TWinAnimCopyFic* WinAnimCopyFic = nullptr;
    TWinOptions* WinOptions = nullptr;
    // The risks of the limits (TWinMainSettings.cpp).
    TWinRisks* WinRisks = nullptr;
    // The training runs of the current analyte (TWinMainSettings.cpp).
    TWinRandom* WinRandom = nullptr;
    // The audit trail of every change (TWinMainSettings.cpp).
    TWinAudit* WinAudit = nullptr;
    // The trail a backup copies beside its file (none in most window tests).
    TAuditTrail* AuditTrail = nullptr;
    TWinSigma* WinSigma = nullptr;
    // Enables the commands whose windows exist.
    void UpdateCommands();

    // The splash window, destroyed by FormShow.
    void SetSplash(std::unique_ptr<QWidget> splash);
    // Screen size and resolution for the start-up checks (the primary screen
    // unless a test says otherwise).
    std::function<TScreenMetrics()> ScreenMetrics;

    // Runs FormShow, then shows the window unless a screen check refused it.
    void ShowMainWindow();
    bool StartupRefused() const { return m_startupRefused; }

    // State read by the charts and the commands.
    int SelectedPoint() const { return m_view.Selected; }
    const TChartView& ChartView() const { return m_view; }

    // Fills the entry form from a stored point of the current analyte (the data
    // table hands a point back this way). The point stays stored until its
    // corrected run is stored in its place or sent to the queue; clearing the
    // form, another analyte or another correction leave it as it was.
    void CorrectPoint(const TQCPoint* point);
    // Whether the form holds a point under correction.
    bool Correcting() const { return m_correction.has_value(); }

    // Controls
    QWidget* PanelPBox;
    TPaintBox* PBox;
    QLabel* PanelDateDeb;
    QScrollBar* ScrollBar;
    QLabel* PanelDateFin;
    QLabel* PanelNomAnal;
    QTabWidget* PageControl;
    QWidget* TabSheetEnter;
    // The Lock, Fix and Archi sheets, pages of PageControl after TabSheetEnter.
    TLimitSheets* Sheets;
    // Enter sheet
    QDateEdit* DatePicker;
    QTimeEdit* TimePicker;
    std::array<QLabel*, MaxLevels> LblLevel;
    std::array<QLabel*, MaxLevels> LblUnit;
    std::array<QLineEdit*, MaxLevels> EditValue;
    QComboBox* CBOperator;
    QLineEdit* EditComment;
    QPushButton* BtOKEnter;
    QPushButton* BtRAZEntryFields;
    QListWidget* LBAnalytes;
    // Bottom row
    QPushButton* BtData;
    QPushButton* BtDaily;
    QPushButton* BtLimits;
    QPushButton* BtPrnGraph;
    QPushButton* BtAffectation;
    QPushButton* BtArchives;
    QPushButton* BtBackup;
    QPushButton* BtFifo;
    QPushButton* BtExit;
    TShape* ShapeBackUp;
    TShape* ShapeFifo;
    QTimer* TimerBackUp;
    QTimer* TimerBtFifo;
    // Main menu
    QAction* MnuAnalytes;
    QAction* MnuControlMaterials;
    QAction* MnuOperators;
    QAction* MnuOptions;
    QAction* MnuPsw;
    QAction* MnuRisks;
    QAction* MnuShortCuts;
    QAction* Disketterestore1;
    QAction* MnuExport;
    QAction* MnuImport;
    QAction* MnuCopy;
    QAction* MnuPaste;
    QAction* MnuLockLimits;
    QAction* MnuFixLimits;
    QAction* MnuEraseLevels;
    QAction* MnuRandomGenerator;
    QAction* MnuSigma;
    QAction* MnuClearFifo;
    QAction* MnuAuditTrail;
    QAction* MnuUserManual;
    QAction* MnuAbout;

public slots:
    void FormShow();
    void LBAnalytesClick();
    void BtRAZEntryFieldsClick();
    void BtOKEnterClick();
    void ScrollBarScroll(int position);
    void TimerBackUpTimer();
    void TimerBtFifoTimer();
    void MnuAboutClick();
    void MnuOperatorsClick();
    // The editors; after OK the analyte list, the charts and the entry rows show the result.
    void MnuAnalytesClick();
    void MnuControlMaterialsClick();
    void BtAffectationClick();
    void MnuPswClick();
    void MnuUserManualClick();
    // Makes a fresh set-up window, runs it and destroys it (also at a first start).
    void MnuShortCutsClick();
    void MnuClearFifoClick();
    // "Nothing to print" without a current analyte with points; else the
    // chart printing window, captioned with the analyte's name.
    void BtPrnGraphClick();
    // "No analyte." without a current analyte; else leaves a special sheet as
    // its Cancel does and shows the data table. After OK the pending deletions
    // are kept in the data file at once, a point handed back is moved into the
    // entry form, and the statistics, marks and charts follow.
    void BtDataClick();
    // "No analyte." without a current analyte; else the control limits, whose
    // common-CV switch redraws the charts; a switch kept by OK is written at once.
    void BtLimitsClick();
    void BtDailyClick();
    // "No analyte." without a current analyte; else the archives, whose deleted
    // numbers are written to the data file at once.
    void BtArchivesClick();
    // The queue, the clipboard and the exchange files.
    void BtFifoClick();
    void MnuCopyClick();
    void MnuPasteClick();
    void MnuExportClick();
    void MnuImportClick();
    // Backup and restore of the data file, and their options.
    void BtBackupClick();
    void Disketterestore1Click();
    void MnuOptionsClick();
    // The risks of the limits; on OK the current analyte is recomputed and the configuration written.
    void MnuRisksClick();
    // "No analyte" without a current analyte; after OK the queue or the charts follow.
    void MnuRandomGeneratorClick();
    // The audit trail, behind the password while one is set.
    void MnuAuditTrailClick();
    void MnuSigmaClick();
    // The charts' mouse.
    void PBoxMouseDown(QMouseEvent* event);
    void PBoxMouseMove(QMouseEvent* event);
    // Opens the data table on the selected point.
    void PBoxDblClick();

public:
    // Refills LBAnalytes and shows the current analyte (after start and after
    // every editor that may change analytes, materials or lots).
    void FillAnalyteList();
    // Recomputes the chart window over the current analyte's points.
    void RecomputeChartWindow();
    // Full repaint of the charts, and the redraw of the plots alone.
    void RepaintCharts() override;
    void RedrawCharts() override;
    // Clears the entry form (values, date and time now, operator, comment).
    void ClearEntryForm();
    // The backup light starts blinking when a backup is due; with mayStop it
    // also stops (lime) when none is.
    void ApplyBackupReminder(bool mayStop);
    // "&Queue : " and the count; the light blinks while the queue holds runs.
    void RefreshFifoCaption();
    // Draws the charts; region in the paint box's pixels.
    void PBoxPaint(QPainter& painter, const QRect& region);
    // The name shown for a level of the current analyte: its control material.
    QString LevelName(int level) const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the sheets get of the window (TSheetHost).
    QWidget* SheetWindow() override { return this; }
    TChartView& SheetView() override { return m_view; }

    void FormCreate();
    void BuildChartPanel(QWidget* client);
    void BuildEnterSheet();
    void BuildButtonRow(QWidget* client);
    void BuildMenu();
    void ConnectCommands();
    bool FormCloseQuery();
    // Judges the run in the validation window (against the analyte without the
    // point under correction, if any), then stores it, in the point's place when
    // it corrects one, or sends it to the queue.
    void ValidateRun(TResu0& run);
    void StoreRun(TResu0& run);
    void HoldRun(TResu0 run);
    // Removes the head of the queue once its run is stored or moved to the tail.
    void DropQueueHead();
    // Commits an accepted change through the document and shows what failed.
    void Commit(const TChange& change, const TCommitScope& scope = TCommitScope());
    void Commit(const QList<TChange>& changes, const TCommitScope& scope) override;
    // Shows the failures of a commit: the program's message, then the system's reason.
    void ReportCommit(const TCommitResult& result) override;
    // Records a backup made and copies the audit trail beside it (TWinMainBackup.cpp).
    void CopyAuditTrail(const TBackup& backup);
    // The charts and the queue button follow the lists after every commit.
    void FollowDocument();
    // Shows the import window; after OK no point is selected and the charts follow.
    void RunImportWindow();
    static void Blink(TShape& shape);
    void DeselectPoint() override;
    // Moves the chart window to start at point `first`; the scroll bar follows.
    void MoveChartWindow(int first) override;
    void ShowPointPopup(int index, int y);

    TQCContext& m_context;
    TDialogService& m_dialogs;
    const TPictures& m_pictures;
    std::unique_ptr<QWidget> m_splash;
    TChartView m_view;
    bool m_openTableOnSelected = false;
    // The point whose values fill the entry form for correction, by address and content.
    struct TCorrection {
        TAnalyte* Analyte;
        const TQCPoint* Point;
        TQCPoint Content;
    };
    std::optional<TCorrection> m_correction;
    // Set while OK handles a run: a second OK meanwhile is ignored.
    bool m_entering = false;
    bool m_startupRefused = false;
    // Where the export and import file choosers open next (the program folder
    // until a file was chosen).
    QString m_exportFolder;
    QString m_importFolder;
};

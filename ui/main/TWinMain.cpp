#include "TWinMain.h"

#include "TArchive.h"
#include "TChartPainter.h"
#include "TColors.h"
#include "TControls.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TEditInput.h"
#include "TFonts.h"
#include "TFormat.h"
#include "TGBArchivage.h"
#include "TGBFixedParam.h"
#include "TGBLockedParam.h"
#include "TPaintBox.h"
#include "TPassword.h"
#include "TPictures.h"
#include "TPointPopup.h"
#include "TQCContext.h"
#include "TQCEntry.h"
#include "TQCText.h"
#include "TQueueRecall.h"
#include "TSettings.h"
#include "TShape.h"
#include "TStatistics.h"
#include "TStorage.h"
#include "TV2FileReader.h"
#include "TWinAbout.h"
#include "TWinComment.h"
#include "TWinEmployees.h"
#include "TWinEntryPsw.h"
#include "TWinImport.h"
#include "TWinLogoCQ.h"
#include "TWinNewPsw.h"
#include "TWinValidCQ.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QUrl>

namespace {

using Colors::LightYellow;
using Colors::Navy;
const QColor& LimeLight = Colors::Lime;
const QColor& RedLight = Colors::Red;

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

TWinMain::TWinMain(TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_pictures(pictures)
{
    setObjectName(QStringLiteral("TWinMain"));
    setWindowTitle(QStringLiteral("Vantorel"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    ScreenMetrics = [] {
        TScreenMetrics m;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            m.Width = screen->geometry().width();
            m.Height = screen->geometry().height();
            m.LogicalDpi = screen->logicalDotsPerInch();
        }
        return m;
    };
    FormCreate();
}

TWinMain::~TWinMain() = default;

void TWinMain::SetSplash(std::unique_ptr<TWinLogoCQ> splash) { m_splash = std::move(splash); }

// ---------------------------------------------------------------- creation

void TWinMain::FormCreate()
{
    auto* client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);
    BuildChartPanel(client);

    PanelNomAnal = MakePanel(client, QRect(602, 0, 190, 26), Navy, Qt::yellow);
    QFont nameFont = font();
    nameFont.setPointSize(12);
    nameFont.setBold(true);
    PanelNomAnal->setFont(nameFont);

    PageControl = new QTabWidget(client);
    PageControl->setGeometry(601, 26, 191, 456);
    PageControl->tabBar()->hide();
    PageControl->setDocumentMode(true);
    TabSheetEnter = AddSheet(*PageControl, QStringLiteral("Entry of QC points"));
    TabSheetLock = AddSheet(*PageControl, QStringLiteral("Locking control limits"));
    TabSheetFix = AddSheet(*PageControl, QStringLiteral("Fixing control limits"));
    TabSheetArchi = AddSheet(*PageControl, QStringLiteral("Erasing QC levels"));
    BuildEnterSheet();
    BuildLockSheet();
    BuildFixSheet();
    BuildArchiSheet();
    BuildButtonRow(client);
    BuildMenu();

    TimerBackUp = new QTimer(this);
    TimerBackUp->setInterval(300);
    connect(TimerBackUp, &QTimer::timeout, this, &TWinMain::TimerBackUpTimer);
    TimerBtFifo = new QTimer(this);
    TimerBtFifo->setInterval(300);
    connect(TimerBtFifo, &QTimer::timeout, this, &TWinMain::TimerBtFifoTimer);

    // Alt+F4 closes the window even where the window manager leaves it to us.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, &QWidget::close);

    m_context.CurrentAnalyte = nullptr;
    ConnectLimitSheets();
    UpdateCommands();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TWinMain::BuildChartPanel(QWidget* client)
{
    PanelPBox = new QWidget(client);
    PanelPBox->setGeometry(0, 0, 602, 482);
    PanelPBox->setAutoFillBackground(true);
    QPalette pal = PanelPBox->palette();
    pal.setColor(QPalette::Window, Qt::white);
    PanelPBox->setPalette(pal);

    PBox = new TPaintBox(PanelPBox);
    PBox->setAttribute(Qt::WA_OpaquePaintEvent);
    PBox->setGeometry(1, 1, ChartGeo::BoxWidth, ChartGeo::BoxHeight);
    PBox->setFont(font());
    PBox->OnPaint = [this](QPainter& p, const QRect& region) { PBoxPaint(p, region); };

    PanelDateDeb = MakePanel(PanelPBox, QRect(1, 458, 133, 22), Qt::yellow, Qt::black);
    ScrollBar = new QScrollBar(Qt::Horizontal, PanelPBox);
    ScrollBar->setGeometry(137, 460, 329, 18);
    ScrollBar->setPageStep(20);
    ScrollBar->setSingleStep(1);
    connect(ScrollBar, &QScrollBar::valueChanged, this, &TWinMain::ScrollBarScroll);
    PanelDateFin = MakePanel(PanelPBox, QRect(469, 458, 132, 22), Qt::yellow, Qt::black);
    PanelDateDeb->hide();
    ScrollBar->hide();
    PanelDateFin->hide();
}

void TWinMain::BuildEnterSheet()
{
    QWidget* s = TabSheetEnter;
    QLabel* dateLabel = MakeLabel(s, 5, 26, QStringLiteral("&Date"));
    DatePicker = new QDateEdit(s);
    DatePicker->setGeometry(5, 40, 92, 22);
    DatePicker->setCalendarPopup(true);
    DatePicker->setDisplayFormat(ShortDateFormat());
    dateLabel->setBuddy(DatePicker);
    QLabel* timeLabel = MakeLabel(s, 102, 26, QStringLiteral("&Time"));
    TimePicker = new QTimeEdit(s);
    TimePicker->setGeometry(102, 40, 82, 22);
    TimePicker->setDisplayFormat(LongTimeFormat());
    timeLabel->setBuddy(TimePicker);

    QWidget* previous = TimePicker;
    QWidget::setTabOrder(DatePicker, TimePicker);
    for (int i = 0; i < MaxLevels; ++i) {
        LblLevel[i] = new QLabel(s);
        LblLevel[i]->setGeometry(5, 70 + 28 * i, 72, 16);
        EditValue[i] = new QLineEdit(s);
        EditValue[i]->setGeometry(85, 67 + 28 * i, 50, 21);
        LblUnit[i] = new QLabel(s);
        LblUnit[i]->setGeometry(138, 70 + 28 * i, 50, 16);
        QWidget::setTabOrder(previous, EditValue[i]);
        previous = EditValue[i];
    }

    QLabel* operatorLabel = MakeLabel(s, 5, 158, QStringLiteral("&Operator"));
    CBOperator = new QComboBox(s);
    CBOperator->setEditable(true);
    CBOperator->setInsertPolicy(QComboBox::NoInsert);
    CBOperator->setGeometry(85, 155, 70, 22);
    CBOperator->lineEdit()->setMaxLength(4);
    CBOperator->addItems(m_context.ListOperators);
    operatorLabel->setBuddy(CBOperator);

    QLabel* commentLabel = MakeLabel(s, 5, 183, QStringLiteral("Co&mment"));
    EditComment = new QLineEdit(s);
    EditComment->setGeometry(5, 198, 179, 21);
    EditComment->setMaxLength(20);
    commentLabel->setBuddy(EditComment);

    BtOKEnter = MakeButton(s, QRect(5, 226, 86, 27), QStringLiteral("OK"), QStringLiteral("ok"));
    BtRAZEntryFields = MakeButton(s, QRect(98, 226, 86, 27), QStringLiteral("Cl&ear"), QStringLiteral("clear"));
    connect(BtOKEnter, &QPushButton::clicked, this, &TWinMain::BtOKEnterClick);
    connect(BtRAZEntryFields, &QPushButton::clicked, this, &TWinMain::BtRAZEntryFieldsClick);
    QWidget::setTabOrder(previous, CBOperator);
    QWidget::setTabOrder(CBOperator, EditComment);
    QWidget::setTabOrder(EditComment, BtOKEnter);
    QWidget::setTabOrder(BtOKEnter, BtRAZEntryFields);

    QLabel* listLabel = MakeLabel(s, 5, 260, QStringLiteral("Anal&ytes"));
    LBAnalytes = new QListWidget(s);
    LBAnalytes->setGeometry(5, 275, 179, 150);
    QPalette pal = LBAnalytes->palette();
    pal.setColor(QPalette::Base, LightYellow);
    pal.setColor(QPalette::Highlight, Navy);
    pal.setColor(QPalette::HighlightedText, Qt::white);
    LBAnalytes->setPalette(pal);
    listLabel->setBuddy(LBAnalytes);
    QWidget::setTabOrder(BtRAZEntryFields, LBAnalytes);
    connect(LBAnalytes, &QListWidget::itemClicked, this, [this] { LBAnalytesClick(); });
    connect(LBAnalytes, &QListWidget::currentRowChanged, this, [this](int row) {
        // Keys move the selection like clicks do.
        if (row >= 0 && m_context.ListAnalytes.At(row) != m_context.CurrentAnalyte)
            LBAnalytesClick();
    });
}

void TWinMain::BuildLockSheet()
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

void TWinMain::BuildFixSheet()
{
    QWidget* s = TabSheetFix;
    MakeLevelPanels(GBFixed, [this, s](int i) {
        auto* panel = new TGBFixedParam(m_dialogs, s);
        panel->move(10, 25 + 130 * i);
        return panel;
    });
    MakeSheetButtons(s, BtOKFix, &BtUndoFix, BtCancelFix);
}

void TWinMain::BuildArchiSheet()
{
    QWidget* s = TabSheetArchi;
    MakeLevelPanels(GBArchi, [s](int i) {
        auto* panel = new TGBArchivage(s);
        panel->move(10, 40 + 120 * i);
        return panel;
    });
    MakeSheetButtons(s, BtOKErase, nullptr, BtCancelArchi);
}

void TWinMain::BuildButtonRow(QWidget* client)
{
    struct TButtonRow {
        QPushButton** Button;
        const char* Caption;
        const char* Hint;
        const char* Glyph;
    };
    const TButtonRow row[] = {
        { &BtData, "Data ta&ble", "Table of QC data", "data" },
        { &BtDaily, "D&aily QC", "Daily QC results", "daily" },
        { &BtLimits, "&Control limits", "Show control limits", "limits" },
        { &BtPrnGraph, "&Print charts", "Printing control charts", "printcharts" },
        { &BtAffectation, "Assign &lots", "Change QC material or lot number", "assignlots" },
        { &BtArchives, "Archi&ves", "Show archived data", "archives" },
        { &BtBackup, "Bac&kup", "Backup on diskette", "backup" },
        { &BtFifo, "&Queue", "", "queue" },
        { &BtExit, "E&xit", "", "exit" },
    };
    int x = 6;
    for (const TButtonRow& item : row) {
        QPushButton* b = MakeButton(
            client, QRect(x, 488, 85, 33), QString::fromLatin1(item.Caption), QString::fromLatin1(item.Glyph));
        b->setToolTip(QString::fromLatin1(item.Hint));
        *item.Button = b;
        x += 87;
    }
    ShapeBackUp = new TShape(TShape::Rectangle, BtBackup);
    ShapeBackUp->setGeometry(72, 3, 10, 8);
    ShapeFifo = new TShape(TShape::Circle, BtFifo);
    ShapeFifo->setGeometry(74, 3, 8, 9);
    connect(BtExit, &QPushButton::clicked, this, &QWidget::close);
    connect(BtFifo, &QPushButton::clicked, this, &TWinMain::BtFifoClick);
}

void TWinMain::BuildMenu()
{
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const char* caption) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setParent(this);
        return action;
    };
    QMenu* parameters = bar->addMenu(QStringLiteral("Pa&rameters"));
    MnuAnalytes = item(parameters, "&Analytes");
    MnuControlMaterials = item(parameters, "&Control materials");
    MnuOperators = item(parameters, "&Operators");
    QMenu* configuration = bar->addMenu(QStringLiteral("Confi&guration"));
    MnuOptions = item(configuration, "&Backup/restore options");
    MnuPsw = item(configuration, "&Password");
    MnuRisks = item(configuration, "Statistical &risks");
    MnuShortCuts = item(configuration, "&Shortcuts");
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    Disketterestore1 = item(file, "&Diskette restore");
    MnuExport = item(file, "&Export");
    MnuImport = item(file, "&Import");
    QMenu* clipboard = bar->addMenu(QStringLiteral("Cl&ipboard"));
    MnuCopy = item(clipboard, "&Copy");
    MnuPaste = item(clipboard, "&Paste");
    QMenu* special = bar->addMenu(QStringLiteral("&Special functions"));
    MnuLockLimits = item(special, "&Lock limits");
    MnuLockLimits->setData(1);
    MnuFixLimits = item(special, "&Fix limits");
    MnuFixLimits->setData(2);
    MnuEraseLevels = item(special, "&Erase/archive levels");
    MnuEraseLevels->setData(3);
    MnuRandomGenerator = item(special, "&Random generator");
    MnuClearFifo = item(special, "&Clear queue");
    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    MnuUserManual = item(help, "&User manual");
    MnuAbout = item(help, "&About");
    connect(MnuUserManual, &QAction::triggered, this, &TWinMain::MnuUserManualClick);
    connect(MnuAbout, &QAction::triggered, this, &TWinMain::MnuAboutClick);
    connect(MnuOperators, &QAction::triggered, this, &TWinMain::MnuOperatorsClick);
    connect(MnuPsw, &QAction::triggered, this, &TWinMain::MnuPswClick);
    connect(MnuCopy, &QAction::triggered, this, &TWinMain::MnuCopyClick);
    connect(MnuPaste, &QAction::triggered, this, &TWinMain::MnuPasteClick);
    connect(MnuExport, &QAction::triggered, this, &TWinMain::MnuExportClick);
    connect(MnuImport, &QAction::triggered, this, &TWinMain::MnuImportClick);
}

void TWinMain::UpdateCommands()
{
    // Commands served by windows that are not part of the program yet.
    for (QAction* a :
        { MnuAnalytes, MnuControlMaterials, MnuOptions, MnuRisks, MnuShortCuts, Disketterestore1, MnuRandomGenerator })
        a->setEnabled(false);
    for (QPushButton* b : { BtData, BtDaily, BtLimits, BtPrnGraph, BtAffectation, BtArchives, BtBackup })
        b->setEnabled(false);
    MnuAbout->setEnabled(WinAbout != nullptr);
    MnuOperators->setEnabled(WinEmployees != nullptr);
    MnuPsw->setEnabled(WinNewPsw != nullptr);
    BtOKEnter->setEnabled(WinValidCQ != nullptr);
    BtFifo->setEnabled(WinValidCQ != nullptr);
    MnuPaste->setEnabled(WinImport != nullptr);
    MnuImport->setEnabled(WinImport != nullptr);
}

// ---------------------------------------------------------------- showing and closing

void TWinMain::ShowMainWindow()
{
    const TScreenMetrics screen = ScreenMetrics();
    if (screen.Width == 800)
        move(0, 0);
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
        m_dialogs.Error(QStringLiteral("You  are not using the small screen font.\rYou must change it to the small one "
                                       "(96 pixels per inch)."),
            mbOK, this);
        m_startupRefused = true;
    } else if (screen.Width == 640) {
        m_dialogs.Error(QStringLiteral("Your screen resolution is 640 x 480 pixels.\rThe programme needs a minimum "
                                       "resolution of 800 x 600 pixels.\rYou must change it."),
            mbOK, this);
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
    return m_dialogs.Confirm(QStringLiteral("Exit Vantorel"), this);
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
    if (!WinEmployees || m_dialogs.Exec(*WinEmployees) != QDialog::Accepted)
        return;
    const QString typed = CBOperator->currentText();
    CBOperator->clear();
    CBOperator->addItems(m_context.ListOperators);
    CBOperator->setEditText(typed);
    SaveConfig(m_context);
}

void TWinMain::MnuPswClick()
{
    if (WinNewPsw && m_dialogs.Exec(*WinNewPsw) == QDialog::Accepted)
        SaveConfig(m_context);
}

void TWinMain::MnuUserManualClick()
{
    const QString manual = m_context.ProgramFolder() + QStringLiteral("UserManual.htm");
    if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        m_dialogs.Error(QStringLiteral("Impossible to open the user manual"), mbYes, this);
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
    ClearInterval();
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
        RecomputeChartWindow();
        RepaintCharts();
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
            LblLevel[i]->setText(m_context.ListSerum.FindByID(analyte->SerumID[i]).Name);
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
    m_view.First = position;
    m_view.Last = position + ChartGeo::WindowPoints - 1;
    RedrawCharts();
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
    // Let an edit being left finish its own input handling first.
    EditValue[0]->setFocus();
    QCoreApplication::processEvents();

    TAnalyte* analyte = m_context.CurrentAnalyte;
    TResu0 run = TQCEntry::MakeRun(analyte ? analyte->Name : QString(), DatePicker->date(), TimePicker->time(),
        CBOperator->currentText(), EditComment->text());
    const int levels = analyte ? std::clamp(int(analyte->NbLevels), 0, MaxLevels) : 0;
    for (int i = 0; i < levels; ++i)
        if (!ReadQCValueEdit(*EditValue[i], m_dialogs, run.Values[i]))
            return;
    if (TQCEntry::IsEmptyRun(run)) {
        m_dialogs.Error(QStringLiteral("Enter data"), mbYes, this);
        DatePicker->setFocus();
        return;
    }
    ClassifyPoint(*analyte, run);
    if (WinValidCQ && WinValidCQ->Execute(run))
        StoreRun(run);
    else
        HoldRun(std::move(run));
    ClearEntryForm();
    ApplyBackupReminder(false);
}

void TWinMain::StoreRun(TResu0& run)
{
    TAnalyte& analyte = *m_context.CurrentAnalyte;
    m_view.Selected = TQCEntry::StoreRun(analyte, run, m_context.Risks());
    RecomputeChartWindow();
    RepaintCharts();
    SaveDataFile();
}

void TWinMain::HoldRun(TResu0 run) { QueueChanged(m_context.ListFifo.Push(std::move(run))); }

void TWinMain::QueueChanged(bool saved)
{
    if (!saved)
        m_dialogs.Error(QString::fromLatin1(TStorage::MsgUnableToSaveFifo), mbYes, this);
    RefreshFifoCaption();
}

void TWinMain::SaveDataFile()
{
    if (!SaveData(m_context, DataFileName(m_context)))
        m_dialogs.Error(QString::fromLatin1(TStorage::MsgCannotSaveData), mbYes, this);
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
    const int index = analyte->IndexOf(point);
    if (index >= 0)
        analyte->DeletePoint(index);
}

// ---------------------------------------------------------------- limit sheets

void TWinMain::ConnectLimitSheets()
{
    for (QAction* special : { MnuLockLimits, MnuFixLimits, MnuEraseLevels })
        connect(special, &QAction::triggered, this, [this, special] { MnuChangePageControl(special->data().toInt()); });
    connect(MnuClearFifo, &QAction::triggered, this, &TWinMain::MnuClearFifoClick);
    connect(BtOKLock, &QPushButton::clicked, this, &TWinMain::BtOKLockClick);
    connect(BtOKFix, &QPushButton::clicked, this, &TWinMain::BtOKLockClick);
    connect(BtUndoLock, &QPushButton::clicked, this, [this] { BtUndoLockFixClick(1); });
    connect(BtUndoFix, &QPushButton::clicked, this, [this] { BtUndoLockFixClick(2); });
    for (QPushButton* cancel : { BtCancelLock, BtCancelFix, BtCancelArchi })
        connect(cancel, &QPushButton::clicked, this, &TWinMain::BtCancelLockFixArchiClick);
    connect(BtOKErase, &QPushButton::clicked, this, &TWinMain::BtValidEraseClick);
    for (int i = 0; i < MaxLevels; ++i) {
        const int level = GBLocked[i]->Tag();
        connect(GBLocked[i]->BtLock, &QPushButton::clicked, this, [this, level] { BtLockClick(level); });
        connect(GBLocked[i]->BtUnLock, &QPushButton::clicked, this, [this, level] { BtUnLockClick(level); });
        connect(GBFixed[i]->BtFix, &QPushButton::clicked, this, [this, level] { BtFixClick(level); });
        connect(GBFixed[i]->BtUnfix, &QPushButton::clicked, this, [this, level] { BtUnfixClick(level); });
        connect(GBArchi[i]->BtArchi, &QPushButton::clicked, this, [this, level] { BtArchiClick(level); });
    }
    connect(PBox, &TPaintBox::MouseDown, this, &TWinMain::PBoxMouseDown);
    connect(PBox, &TPaintBox::MouseMove, this, &TWinMain::PBoxMouseMove);
}

void TWinMain::MnuChangePageControl(int tag)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (tag != 0 && !analyte) {
        m_dialogs.Error(QStringLiteral("No analyte."), mbOK, this);
        return;
    }
    const int showing = PageControl->currentIndex();
    if (showing == 3) {
        m_view.Erase = { false, false, false };
        RepaintCharts();
    }
    if (tag == 0) {
        PageControl->setCurrentIndex(0);
        ClearInterval();
        return;
    }
    if (showing == 0 && !TWinEntryPsw::AskPassword(m_context, m_dialogs, this))
        return;
    if (showing != 0 && m_savedFor == analyte) {
        m_savedLimits.Restore(*analyte);
        RepaintCharts();
    }
    m_savedLimits = TLimitSettings::Take(*analyte);
    m_savedFor = analyte;
    PageControl->setCurrentIndex(tag);
    if (tag == 1)
        PrepareLockSheet();
    else if (tag == 2)
        PrepareFixSheet();
    else
        PrepareArchiSheet();
}

void TWinMain::BtOKLockClick()
{
    MnuChangePageControl(0);
    // The limit settings kept by OK are written at once, not only at exit.
    SaveDataFile();
}

void TWinMain::BtUndoLockFixClick(int tag)
{
    // Reopening a special sheet from another one drops its changes first.
    MnuChangePageControl(tag);
    RepaintCharts();
}

void TWinMain::BtCancelLockFixArchiClick()
{
    if (m_context.CurrentAnalyte && m_savedFor == m_context.CurrentAnalyte)
        m_savedLimits.Restore(*m_context.CurrentAnalyte);
    MnuChangePageControl(0);
    RepaintCharts();
}

void TWinMain::DeselectPoint()
{
    if (m_view.Selected < 0)
        return;
    m_view.Selected = -1;
    RepaintCharts();
}

void TWinMain::PrepareLockSheet()
{
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    DeselectPoint();
    ShowInterval();
    for (int i = 0; i < MaxLevels; ++i) {
        TGBLockedParam* panel = GBLocked[i];
        if (i >= LevelsInUse(analyte)) {
            panel->hide();
            continue;
        }
        panel->Init(LblLevel[i]->text());
        panel->move(panel->x(), 190 + 75 * i);
        panel->setVisible(analyte.AllPointsStats[i].N > 0);
        ShowLockState(i);
    }
    BtOKLock->setFocus();
}

void TWinMain::ShowLockState(int level)
{
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    GBLocked[level]->SetState(LockStateText(analyte, level));
    GBLocked[level]->Lbl1->adjustSize();
    GBLocked[level]->BtUnLock->setEnabled(analyte.LimitMode[level] == lmLocked);
}

void TWinMain::ClearInterval()
{
    m_interval.Clear();
    ShowInterval();
}

void TWinMain::ShowInterval()
{
    m_view.SelFirst = m_interval.First;
    m_view.SelLast = m_interval.Last;
    RedrawCharts();
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

void TWinMain::BtLockClick(int level)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    if (!m_interval.IsSet()) {
        m_dialogs.Error(QStringLiteral("Define a date interval at the bottom of the charts\r - click on one end of the "
                                       "interval, then Shift+click on the other end\r - or click on one end and glide "
                                       "to the other end;\rThe selected date interval is spotted in light blue."),
            mbOK, this);
        return;
    }
    if (!LockLevel(*analyte, level, m_interval.First, m_interval.Last, m_context.Risks())) {
        m_dialogs.Error(
            QStringLiteral("Not enough QC points in the dates interval for ") + GBLocked[level]->title(), mbOK, this);
        return;
    }
    ShowLockState(level);
    RepaintCharts();
    BtOKLock->setFocus();
}

void TWinMain::BtUnLockClick(int level)
{
    if (!m_context.CurrentAnalyte)
        return;
    UnlockLevel(*m_context.CurrentAnalyte, level, m_context.Risks());
    ShowLockState(level);
    RepaintCharts();
    BtOKLock->setFocus();
}

void TWinMain::PrepareFixSheet()
{
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    ClearInterval();
    DeselectPoint();
    const int levels = LevelsInUse(analyte);
    for (int i = 0; i < MaxLevels; ++i) {
        TGBFixedParam* panel = GBFixed[i];
        if (i >= levels) {
            panel->hide();
            continue;
        }
        panel->show();
        panel->Init(LblLevel[i]->text(), analyte.Units);
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

void TWinMain::BtFixClick(int level)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    double mean = 0, warning = 0, action = 0;
    if (!analyte || !GBFixed[level]->GetFields(mean, warning, action))
        return; // the panel has shown why
    FixLevel(*analyte, level, mean, warning, action, m_context.Risks());
    GBFixed[level]->BtUnfix->setEnabled(true);
    RepaintCharts();
    BtOKFix->setFocus();
}

void TWinMain::BtUnfixClick(int level)
{
    if (!m_context.CurrentAnalyte)
        return;
    UnfixLevel(*m_context.CurrentAnalyte, level, m_context.Risks());
    GBFixed[level]->BtUnfix->setEnabled(false);
    RepaintCharts();
    BtOKFix->setFocus();
}

void TWinMain::PrepareArchiSheet()
{
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    ClearInterval();
    // Every button reads "Erase/archive data": no level may stay marked unseen
    // (the list refill leaves this sheet without clearing the marks).
    m_view.Erase = { false, false, false };
    const int levels = LevelsInUse(analyte);
    for (int i = 0; i < MaxLevels; ++i) {
        TGBArchivage* panel = GBArchi[i];
        if (i >= levels) {
            panel->hide();
            continue;
        }
        panel->show();
        panel->Init(LblLevel[i]->text());
        panel->move(panel->x(), 160 - 40 * levels + 120 * i);
        panel->BtArchi->setText(QStringLiteral("Erase/archive data"));
        panel->BtArchi->setEnabled(LevelHasData(analyte, i));
    }
    DeselectPoint();
    GBArchi[0]->BtArchi->setFocus();
}

void TWinMain::BtArchiClick(int level)
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    if (!LevelHasData(*analyte, level)) {
        m_dialogs.Error(QStringLiteral("Nothing to archive"), mbYes, this);
        return;
    }
    QPushButton* button = GBArchi[level]->BtArchi;
    const bool mark = button->text().startsWith(QChar('E'));
    button->setText(mark ? QStringLiteral("Un-erase data") : QStringLiteral("Erase/archive data"));
    m_view.Erase[level] = mark;
    RepaintCharts();
}

void TWinMain::BtValidEraseClick()
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    const int levels = LevelsInUse(*analyte);
    const int marked = int(std::count(m_view.Erase.begin(), m_view.Erase.begin() + levels, true));
    if (marked == 0) {
        m_dialogs.Error(QStringLiteral("Nothing to erase"), mbYes, this);
        return;
    }
    if (!m_dialogs.Confirm(QStringLiteral("You are going to erase/archive the data of %1 QC level(s) for %2\r")
                               .arg(marked)
                               .arg(analyte->Name),
            this))
        return;
    for (int level = 0; level < levels; ++level) {
        if (!m_view.Erase[level])
            continue;
        QString error;
        if (ArchiveLevel(*analyte, level, m_context.ProgramFolder(), m_context.ListSerum, m_context.Risks(), &error)
            == 0) {
            // The levels archived so far stay archived; the others keep their data.
            m_dialogs.Error(error, mbOK, this);
            break;
        }
    }
    // The data file follows the archives at once: after a crash the erased
    // points must not come back beside their archive.
    SaveDataFile();
    m_view.Selected = -1;
    RecomputeChartWindow();
    MnuChangePageControl(0);
}

void TWinMain::MnuClearFifoClick()
{
    TFifo& fifo = m_context.ListFifo;
    if (fifo.Count() == 0) {
        m_dialogs.Error(QStringLiteral("Nothing hold in the queue."), mbYes, this);
        return;
    }
    if (!TWinEntryPsw::AskPassword(m_context, m_dialogs, this))
        return;
    if (!m_dialogs.Confirm(QStringLiteral("Erase %1 control points in the queue ?").arg(fifo.Count()), this))
        return;
    QueueChanged(fifo.Clear());
}

// ---------------------------------------------------------------- queue, clipboard and exchange files

void TWinMain::BtFifoClick()
{
    TFifo& fifo = m_context.ListFifo;
    if (fifo.IsEmpty()) {
        m_dialogs.Error(QStringLiteral("Nothing hold in the queue"), mbYes, this);
        ApplyBackupReminder(false);
        return;
    }
    LeaveSpecialSheet();
    // The run stays at the head of the queue, and so in its file, until it is
    // stored or moved to the tail: a crash while it is judged loses nothing.
    TResu0 run = fifo.Item(0);
    const TAnalyte* previous = m_context.CurrentAnalyte;
    const TRecallTarget target = PrepareRecalledRun(m_context.ListAnalytes, run, m_context.Risks());
    m_context.CurrentAnalyte = target.Analyte;
    if (target.LevelsGrown || target.Analyte != previous)
        FillAnalyteList();
    if (WinValidCQ && WinValidCQ->Execute(run)) {
        StoreRun(run);
        DropQueueHead();
        ClearEntryForm();
    } else {
        // Back at the tail before it leaves the head: at worst the file holds it twice.
        HoldRun(std::move(run));
        DropQueueHead();
    }
    ApplyBackupReminder(false);
}

void TWinMain::DropQueueHead()
{
    TFifo& fifo = m_context.ListFifo;
    fifo.Pop();
    QueueChanged(fifo.Synced());
}

void TWinMain::LeaveSpecialSheet()
{
    if (PageControl->currentIndex() != 0)
        BtCancelLockFixArchiClick();
}

void TWinMain::RunImportWindow()
{
    if (m_dialogs.Exec(*WinImport) != QDialog::Accepted)
        return;
    m_view.Selected = -1;
    RecomputeChartWindow();
    RepaintCharts();
    // The added runs are kept at once, as an entered run is.
    SaveDataFile();
}

void TWinMain::MnuCopyClick() { TWinImport::CopyToClipboard(m_context.CurrentAnalyte, m_dialogs, this); }

void TWinMain::MnuPasteClick()
{
    if (!WinImport)
        return;
    if (m_context.ListAnalytes.Count() == 0) {
        m_dialogs.Error(QStringLiteral("No analyte to paste"), mbYes, this);
        return;
    }
    LeaveSpecialSheet();
    if (!WinImport->PasteFromClipboard()) {
        m_dialogs.Error(QStringLiteral("Bad clipboard format"), mbYes, this);
        return;
    }
    RunImportWindow();
}

void TWinMain::MnuExportClick()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte) {
        m_dialogs.Error(QStringLiteral("No analyte"), mbOK, this);
        return;
    }
    QString name = m_dialogs.SaveFileName(this, QStringLiteral("Export"),
        m_exportFolder.isEmpty() ? m_context.ProgramFolder() : m_exportFolder,
        QStringLiteral("Text files with tabs as separators (*.txt)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".txt");
    m_exportFolder = QFileInfo(name).absolutePath();
    if (QFileInfo::exists(name)
        && !m_dialogs.Confirm(QStringLiteral("The file ") + QDir::toNativeSeparators(name) + QStringLiteral("\r")
                + QStringLiteral("already exists. Overwrite ?"),
            this))
        return;
    QString error;
    if (!WriteQCTextFile(name, AsText(*analyte), error))
        m_dialogs.Error(error, mbOK, this);
}

void TWinMain::MnuImportClick()
{
    if (!WinImport)
        return;
    LeaveSpecialSheet();
    const QString name = m_dialogs.OpenFileName(this, QStringLiteral("Import"),
        m_importFolder.isEmpty() ? m_context.ProgramFolder() : m_importFolder,
        QStringLiteral("Text file from spreadsheet (*.txt);;Data file of Vantorel 2 (*.dat);;"
                       "Backup file of Vantorel 2 (*.sav)"));
    if (name.isEmpty())
        return;
    m_importFolder = QFileInfo(name).absolutePath();
    if (IsVersion2FileName(name)) {
        if (!ImportV2(name, m_context.ListAnalytes, m_context.Risks())) {
            m_dialogs.Error(QString::fromLatin1(TStorage::MsgCannotReadData), mbYes, this);
        } else {
            FillAnalyteList();
            SaveDataFile();
        }
        return;
    }
    if (m_context.ListAnalytes.Count() == 0) {
        m_dialogs.Error(QStringLiteral("No analyte to import data"), mbYes, this);
        return;
    }
    QString text, error;
    if (!ReadQCTextFile(name, text, error)) {
        m_dialogs.Error(QStringLiteral("Bad file format"), mbYes, this);
        return;
    }
    WinImport->ShowImportedText(text);
    RunImportWindow();
}

// ---------------------------------------------------------------- the charts' mouse

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
            ClearInterval();
        else
            DeselectPoint();
        return;
    }
    const int sheet = PageControl->currentIndex();
    const int axisY = DateAxisY(analyte->NbLevels);
    if (sheet == 1 && at.y() > axisY) {
        IntervalPress(m_view.First + k, event);
    } else if (sheet == 0 && CommentIconY(analyte->NbLevels) < at.y() && at.y() < axisY) {
        m_view.Selected = m_view.First + k;
        RedrawCharts();
        if (event->button() == Qt::RightButton)
            ShowPointPopup(m_view.Selected, k, at.y());
    }
}

void TWinMain::IntervalPress(int index, QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier)
        m_interval.Click(index);
    else if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ShiftModifier)
        m_interval.ShiftClick(index);
    ShowInterval();
}

void TWinMain::PBoxMouseMove(QMouseEvent* event)
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const QPoint at = event->position().toPoint();
    if (!analyte || PageControl->currentIndex() != 1 || event->buttons() != Qt::LeftButton || m_interval.Anchor < 0
        || at.y() <= DateAxisY(analyte->NbLevels))
        return;
    const int first = m_interval.Glide(at.x(), m_view.First, m_view.Last, analyte->Count());
    if (first != m_view.First) {
        m_view.First = first;
        m_view.Last = first + ChartGeo::WindowPoints - 1;
        const QSignalBlocker block(ScrollBar);
        ScrollBar->setValue(first);
    }
    ShowInterval();
}

void TWinMain::ShowPointPopup(int index, int windowPosition, int y)
{
    if (!WinComment)
        return;
    const TAnalyte& analyte = *m_context.CurrentAnalyte;
    QStringList labels;
    for (QLabel* label : LblLevel)
        labels.append(label->text());
    WinComment->Clear();
    for (const TPopupLine& line : PointPopupLines(analyte, index, labels)) {
        const QImage* picture = line.Status >= 0 ? m_pictures.StatusPicture(quint8(line.Status)) : nullptr;
        WinComment->AddCommentLine(line.Text, picture ? QPixmap::fromImage(*picture) : QPixmap());
    }
    const QPoint box = PBox->mapToGlobal(QPoint(0, 0));
    WinComment->ShowAt(PointPopupCaption(analyte, index), QPoint(box.x() + 15 * windowPosition + 45, box.y() + y - 20));
}

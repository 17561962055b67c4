#include "TWinMain.h"

#include "TChartPainter.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TFormat.h"
#include "TPaintBox.h"
#include "TPictures.h"
#include "TQCContext.h"
#include "TQCEntry.h"
#include "TShape.h"
#include "TStatistics.h"
#include "TWinAbout.h"
#include "TWinLogoCQ.h"
#include "TWinValidCQ.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
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

const QColor Navy(0, 0, 128);
const QColor LightYellow(255, 255, 192);
const QColor LimeLight(0, 255, 0);
const QColor RedLight(255, 0, 0);

QLabel* MakePanel(QWidget* parent, const QRect& geometry, const QColor& back, const QColor& fore)
{
    auto* panel = new QLabel(parent);
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, fore);
    panel->setPalette(pal);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, int left, int top, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QRect& geometry, const QString& caption, const QString& glyph = {})
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    if (!glyph.isEmpty())
        button->setIcon(QIcon(ButtonGlyph(glyph)));
    return button;
}

} // namespace

TWinMain::TWinMain(TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_pictures(pictures)
{
    setObjectName(QStringLiteral("WinMain"));
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
    TabSheetEnter = AddSheet(QStringLiteral("Entry of QC points"));
    TabSheetLock = AddSheet(QStringLiteral("Locking control limits"));
    TabSheetFix = AddSheet(QStringLiteral("Fixing control limits"));
    TabSheetArchi = AddSheet(QStringLiteral("Erasing QC levels"));
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

QWidget* TWinMain::AddSheet(const QString& title)
{
    auto* sheet = new QWidget;
    auto* label = new QLabel(title, sheet);
    QFont titleFont = font();
    titleFont.setPointSize(11);
    titleFont.setBold(true);
    label->setFont(titleFont);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(pal);
    label->setGeometry(0, 3, 189, 20);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    PageControl->addTab(sheet, title);
    return sheet;
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
    for (int r = 0; r < 4; ++r)
        GrilleLock->setRowHeight(r, 19);
    for (int r = 1; r <= MaxLevels; ++r)
        GrilleLock->setItem(r, 0, new QTableWidgetItem(QStringLiteral("C%1").arg(r)));
    GrilleLock->setCurrentCell(-1, -1);
    MakeLabel(s, 5, 170, QStringLiteral("Lock limits on the new date interval"));
    BtOKLock = MakeButton(s, QRect(3, 410, 58, 25), QStringLiteral("OK"), QStringLiteral("ok"));
    BtUndoLock = MakeButton(s, QRect(65, 410, 58, 25), QStringLiteral("&Undo"), QStringLiteral("undo"));
    BtCancelLock = MakeButton(s, QRect(127, 410, 58, 25), QStringLiteral("Cancel"), QStringLiteral("cancel"));
}

void TWinMain::BuildFixSheet()
{
    QWidget* s = TabSheetFix;
    BtOKFix = MakeButton(s, QRect(3, 410, 58, 25), QStringLiteral("OK"), QStringLiteral("ok"));
    BtUndoFix = MakeButton(s, QRect(65, 410, 58, 25), QStringLiteral("&Undo"), QStringLiteral("undo"));
    BtCancelFix = MakeButton(s, QRect(127, 410, 58, 25), QStringLiteral("Cancel"), QStringLiteral("cancel"));
}

void TWinMain::BuildArchiSheet()
{
    QWidget* s = TabSheetArchi;
    BtOKErase = MakeButton(s, QRect(10, 410, 80, 25), QStringLiteral("OK"), QStringLiteral("ok"));
    BtCancelArchi = MakeButton(s, QRect(100, 410, 80, 25), QStringLiteral("Cancel"), QStringLiteral("cancel"));
}

void TWinMain::BuildButtonRow(QWidget* client)
{
    struct TSpec {
        QPushButton** Button;
        const char* Caption;
        const char* Hint;
        const char* Glyph;
    };
    const TSpec specs[] = {
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
    for (const TSpec& spec : specs) {
        QPushButton* b = MakeButton(client, QRect(x, 488, 85, 33), QString::fromLatin1(spec.Caption),
                                    QString::fromLatin1(spec.Glyph));
        b->setToolTip(QString::fromLatin1(spec.Hint));
        *spec.Button = b;
        x += 87;
    }
    ShapeBackUp = new TShape(TShape::Rectangle, BtBackup);
    ShapeBackUp->setGeometry(72, 3, 10, 8);
    ShapeFifo = new TShape(TShape::Circle, BtFifo);
    ShapeFifo->setGeometry(74, 3, 8, 9);
    connect(BtExit, &QPushButton::clicked, this, &QWidget::close);
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
}

void TWinMain::UpdateCommands()
{
    // Commands served by windows that are not part of the program yet.
    for (QAction* a : { MnuAnalytes, MnuControlMaterials, MnuOperators, MnuOptions, MnuPsw, MnuRisks, MnuShortCuts,
                        Disketterestore1, MnuExport, MnuImport, MnuCopy, MnuPaste, MnuLockLimits, MnuFixLimits,
                        MnuEraseLevels, MnuRandomGenerator, MnuClearFifo })
        a->setEnabled(false);
    for (QPushButton* b : { BtData, BtDaily, BtLimits, BtPrnGraph, BtAffectation, BtArchives, BtBackup, BtFifo })
        b->setEnabled(false);
    MnuAbout->setEnabled(WinAbout != nullptr);
    BtOKEnter->setEnabled(WinValidCQ != nullptr);
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
    m_view.SelFirst = m_view.SelLast = m_anchor = -1;
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
    if (analyte)
        m_dateAxisY = DateAxisY(analyte->NbLevels);
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

bool TWinMain::ReadEntryValues(TResu0& run)
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const int levels = analyte ? std::clamp(int(analyte->NbLevels), 0, MaxLevels) : 0;
    for (int i = 0; i < levels; ++i) {
        const TQCValueCheck check = ReadQCValueText(EditValue[i]->text());
        if (!check.Ok) {
            EditValue[i]->selectAll();
            EditValue[i]->setFocus();
            m_dialogs.Error(check.Error, mbOK, this);
            return false;
        }
        run.Values[i] = check.Cell;
    }
    return true;
}

void TWinMain::BtOKEnterClick()
{
    // Let an edit being left finish its own input handling first.
    EditValue[0]->setFocus();
    QCoreApplication::processEvents();

    TAnalyte* analyte = m_context.CurrentAnalyte;
    TResu0 run = TQCEntry::MakeRun(analyte ? analyte->Name : QString(), DatePicker->date(), TimePicker->time(),
                                   CBOperator->currentText(), EditComment->text());
    if (!ReadEntryValues(run))
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

void TWinMain::HoldRun(TResu0 run)
{
    if (!m_context.ListFifo.Push(std::move(run)))
        m_dialogs.Error(QStringLiteral("Unable to save fifo"), mbYes, this);
    RefreshFifoCaption();
}

void TWinMain::SaveDataFile()
{
    if (!SaveData(m_context, DataFileName(m_context)))
        m_dialogs.Error(QStringLiteral("Cannot save data"), mbYes, this);
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
        EditValue[i]->setText(cell.Status == psNoValue ? QString()
                                                       : FormatFixed(cell.Value, 8, analyte->Decimals));
    }
    EditComment->setText(analyte->CommentText(point->CommentID));
    const int index = analyte->IndexOf(point);
    if (index >= 0)
        analyte->DeletePoint(index);
}

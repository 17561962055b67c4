#include "TWinMain.h"

#include "TColors.h"
#include "TControls.h"
#include "TDates.h"
#include "TFonts.h"
#include "TLimitSheets.h"
#include "TPaintBox.h"
#include "TQCContext.h"
#include "TShape.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>

// The main window's form: its controls, menu and command wiring.

using Colors::LightYellow;
using Colors::Navy;

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
            m.Left = screen->geometry().left();
            m.Top = screen->geometry().top();
        }
        return m;
    };
    FormCreate();
}

TWinMain::~TWinMain() = default;

void TWinMain::SetSplash(std::unique_ptr<QWidget> splash) { m_splash = std::move(splash); }

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
    BuildEnterSheet();
    Sheets = new TLimitSheets(*this, m_context, m_dialogs, *PageControl);
    BuildButtonRow(client);
    BuildMenu();

    TimerBackUp = new QTimer(this);
    TimerBackUp->setInterval(300);
    connect(&m_context.Document(), &TQCDocument::Committed, this, &TWinMain::FollowDocument);
    connect(TimerBackUp, &QTimer::timeout, this, &TWinMain::TimerBackUpTimer);
    TimerBtFifo = new QTimer(this);
    TimerBtFifo->setInterval(300);
    connect(TimerBtFifo, &QTimer::timeout, this, &TWinMain::TimerBtFifoTimer);

    // Alt+F4 closes the window even where the window manager leaves it to us.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, &QWidget::close);

    m_context.CurrentAnalyte = nullptr;
    ClearEntryForm(); // today and now in the pickers, with or without an analyte
    ConnectCommands();
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
    CBOperator->lineEdit()->setMaxLength(TQCPoint::OperatorCapacity);
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
    // The caption keeps clear of the light, however many runs it counts.
    BtFifo->setStyleSheet(QStringLiteral("QPushButton { padding-right: 12px; }"));
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
    MnuFixLimits = item(special, "&Fix limits");
    MnuEraseLevels = item(special, "&Erase/archive levels");
    MnuRandomGenerator = item(special, "&Random generator");
    MnuClearFifo = item(special, "&Clear queue");
    MnuAuditTrail = item(special, "&Audit trail");
    MnuSigma = item(special, "&Sigma and rules");
    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    MnuUserManual = item(help, "&User manual");
    MnuAbout = item(help, "&About");
}

void TWinMain::ConnectCommands()
{
    connect(BtExit, &QPushButton::clicked, this, &QWidget::close);
    connect(BtFifo, &QPushButton::clicked, this, &TWinMain::BtFifoClick);
    connect(BtPrnGraph, &QPushButton::clicked, this, &TWinMain::BtPrnGraphClick);
    connect(BtData, &QPushButton::clicked, this, &TWinMain::BtDataClick);
    connect(BtLimits, &QPushButton::clicked, this, &TWinMain::BtLimitsClick);
    connect(BtDaily, &QPushButton::clicked, this, &TWinMain::BtDailyClick);
    connect(BtArchives, &QPushButton::clicked, this, &TWinMain::BtArchivesClick);
    connect(MnuUserManual, &QAction::triggered, this, &TWinMain::MnuUserManualClick);
    connect(MnuShortCuts, &QAction::triggered, this, &TWinMain::MnuShortCutsClick);
    connect(MnuAbout, &QAction::triggered, this, &TWinMain::MnuAboutClick);
    connect(MnuOperators, &QAction::triggered, this, &TWinMain::MnuOperatorsClick);
    connect(MnuAnalytes, &QAction::triggered, this, &TWinMain::MnuAnalytesClick);
    connect(LBAnalytes, &QListWidget::itemDoubleClicked, this, &TWinMain::MnuAnalytesClick);
    connect(MnuControlMaterials, &QAction::triggered, this, &TWinMain::MnuControlMaterialsClick);
    connect(BtAffectation, &QPushButton::clicked, this, &TWinMain::BtAffectationClick);
    connect(MnuPsw, &QAction::triggered, this, &TWinMain::MnuPswClick);
    connect(MnuCopy, &QAction::triggered, this, &TWinMain::MnuCopyClick);
    connect(MnuPaste, &QAction::triggered, this, &TWinMain::MnuPasteClick);
    connect(MnuExport, &QAction::triggered, this, &TWinMain::MnuExportClick);
    connect(MnuImport, &QAction::triggered, this, &TWinMain::MnuImportClick);
    connect(MnuClearFifo, &QAction::triggered, this, &TWinMain::MnuClearFifoClick);
    connect(BtBackup, &QPushButton::clicked, this, &TWinMain::BtBackupClick);
    connect(Disketterestore1, &QAction::triggered, this, &TWinMain::Disketterestore1Click);
    connect(MnuOptions, &QAction::triggered, this, &TWinMain::MnuOptionsClick);
    connect(MnuRisks, &QAction::triggered, this, &TWinMain::MnuRisksClick);
    connect(MnuRandomGenerator, &QAction::triggered, this, &TWinMain::MnuRandomGeneratorClick);
    connect(MnuAuditTrail, &QAction::triggered, this, &TWinMain::MnuAuditTrailClick);
    connect(MnuSigma, &QAction::triggered, this, &TWinMain::MnuSigmaClick);
    const std::pair<QAction*, TSheet> special[]
        = { { MnuLockLimits, TSheet::Lock }, { MnuFixLimits, TSheet::Fix }, { MnuEraseLevels, TSheet::Archi } };
    for (const auto& [action, sheet] : special)
        connect(action, &QAction::triggered, Sheets, [this, sheet] { Sheets->MnuChangePageControl(sheet); });
    connect(PBox, &TPaintBox::MouseDown, this, &TWinMain::PBoxMouseDown);
    connect(PBox, &TPaintBox::DblClick, this, &TWinMain::PBoxDblClick);
    connect(PBox, &TPaintBox::MouseMove, this, &TWinMain::PBoxMouseMove);
}

void TWinMain::UpdateCommands()
{
    MnuAnalytes->setEnabled(WinDefAnalytes != nullptr);
    MnuControlMaterials->setEnabled(WinDefSerum != nullptr);
    BtAffectation->setEnabled(WinSerumByAnal != nullptr);
    BtBackup->setEnabled(WinAnimCopyFic != nullptr);
    Disketterestore1->setEnabled(WinAnimCopyFic != nullptr);
    MnuOptions->setEnabled(WinOptions != nullptr);
    MnuRisks->setEnabled(WinRisks != nullptr);
    MnuRandomGenerator->setEnabled(WinRandom != nullptr);
    MnuAuditTrail->setEnabled(WinAudit != nullptr);
    MnuSigma->setEnabled(WinSigma != nullptr);
    BtPrnGraph->setEnabled(WinPrnCharts != nullptr);
    BtData->setEnabled(WinShowData != nullptr);
    BtLimits->setEnabled(WinShowLimits != nullptr);
    BtDaily->setEnabled(WinDailyQC != nullptr);
    BtArchives->setEnabled(WinArchives != nullptr);
    MnuAbout->setEnabled(WinAbout != nullptr);
    MnuOperators->setEnabled(WinEmployees != nullptr);
    MnuPsw->setEnabled(WinNewPsw != nullptr);
    BtOKEnter->setEnabled(WinValidCQ != nullptr);
    BtFifo->setEnabled(WinValidCQ != nullptr);
    MnuPaste->setEnabled(WinImport != nullptr);
    MnuImport->setEnabled(WinImport != nullptr);
}

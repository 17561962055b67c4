#include "TWinShowLimits.h"
#include "TColors.h"
#include "TKitMessages.h"

#include "TAnalyte.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TKeyButton.h"
#include "TLimitsReport.h"
#include "TLimitsTable.h"
#include "TPrintCanvas.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TStatistics.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int ColumnWidth = 110;
constexpr int RowHeight = 22;
constexpr int ButtonTop = 276;

} // namespace

TWinShowLimits::TWinShowLimits(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("TWinShowLimits"));
    setFont(WindowFont());
    Panel3 = Named(MakePanel(this, QRect(0, 0, 450, 236), palette().color(QPalette::Window), Qt::black, {}), "Panel3");
    Grid = Named(new QTableWidget(TLimitsTable::RowCount, 4, this), "Grid");
    Grid->setGeometry(2, 2, 444, TLimitsTable::RowCount * (RowHeight + 1) + 2);
    Grid->horizontalHeader()->hide();
    Grid->verticalHeader()->hide();
    Grid->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    Grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    Grid->setSelectionMode(QAbstractItemView::NoSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setFocusPolicy(Qt::NoFocus);
    Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette tip = Grid->palette();
    tip.setColor(QPalette::Base, Colors::InfoTip);
    Grid->setPalette(tip);

    CBCommonCV = Named(new QCheckBox(QStringLiteral("&Common CV method"), this), "CBCommonCV");
    BtCle = new TKeyButton(m_context, m_dialogs, this);
    BtOK = Named(MakeButton(this, QRect(116, ButtonTop, 66, 30), QStringLiteral("OK"), QStringLiteral("ok")), "BtOK");
    BtCancel
        = Named(MakeButton(this, QRect(190, ButtonTop, 66, 30), QStringLiteral("Cancel"), QStringLiteral("cancel")),
            "BtCancel");
    BtPrn = Named(MakeButton(this, QRect(265, ButtonTop, 66, 30), QStringLiteral("&Print")), "BtPrn");
    BtPrn->setToolTip(QStringLiteral("Print"));
    BtCle->Protect({ CBCommonCV });

    connect(CBCommonCV, &QCheckBox::clicked, this, &TWinShowLimits::CBCommonCVClick);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtPrn, &QPushButton::clicked, this, &TWinShowLimits::BtPrnClick);
}

TWinShowLimits::~TWinShowLimits() = default;

void TWinShowLimits::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TWinShowLimits::FormShow()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    const int levels = std::clamp(int(analyte->NbLevels), 1, MaxLevels);
    Grid->setColumnCount(levels + 1);
    setWindowTitle(QStringLiteral("Control limits for ") + analyte->Name);

    m_shownCommonCV = analyte->HasOption(aoCommonCV);
    CBCommonCV->setChecked(m_shownCommonCV);

    // Each column is as wide as its longest text, at least the usual 110
    // pixels; the window and its buttons follow the grid's width.
    FillGrid();
    int gridWidth = 0;
    for (int c = 0; c <= levels; ++c) {
        int width = ColumnWidth;
        for (int r = 0; r < Grid->rowCount(); ++r)
            if (const QTableWidgetItem* item = Grid->item(r, c))
                width = std::max(width, Grid->fontMetrics().horizontalAdvance(item->text()) + 10);
        Grid->setColumnWidth(c, width);
        gridWidth += width + 1;
    }
    Grid->resize(gridWidth, Grid->height());
    Panel3->resize(gridWidth + 4, Panel3->height());
    setFixedSize(gridWidth + 6, ButtonTop + 40);

    const int left = 116 - 56 * (3 - levels) + (gridWidth - (levels + 1) * (ColumnWidth + 1)) / 2;
    BtOK->move(left, ButtonTop);
    BtCancel->move(left + 74, ButtonTop);
    BtPrn->move(left + 149, ButtonTop);
    CBCommonCV->setGeometry(left + 74, ButtonTop - 32, 150, 22);
    BtCle->setGeometry(left + 15, ButtonTop - 40, 40, 36);

    bool allFixed = true;
    for (int level = 0; level < levels; ++level)
        allFixed = allFixed && analyte->LimitMode[level] == lmFixed;
    if (allFixed) {
        BtCle->Reset();
        CBCommonCV->hide();
        BtCle->hide();
    } else {
        CBCommonCV->show();
        BtCle->Reset();
    }
    BtOK->setFocus();
}

void TWinShowLimits::FillGrid()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    const QList<QStringList> rows = TLimitsTable::Rows(*analyte, m_context.ListSerum);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size() && c < Grid->columnCount(); ++c)
            Grid->setItem(r, c, new QTableWidgetItem(rows[r][c]));
}

void TWinShowLimits::ApplyCommonCV(bool on)
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    if (on)
        analyte->Options |= aoCommonCV;
    else
        analyte->Options &= quint8(~aoCommonCV);
    RecomputeAll(*analyte, m_context.Risks());
    ClassifyAll(*analyte);
    if (Redraw)
        Redraw();
}

void TWinShowLimits::CBCommonCVClick()
{
    ApplyCommonCV(CBCommonCV->isChecked());
    FillGrid();
}

void TWinShowLimits::BtPrnClick()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (analyte) {
        std::unique_ptr<TPrintCanvas> canvas
            = m_printers.ChoosePrinter({ QStringLiteral("QC limits for ") + analyte->Name, analyte->Name,
                                           QStringLiteral("limits"), m_context.Clock().Now().date() },
                this);
        if (canvas
            && PrintLimitsReport(*canvas, *analyte, m_context.ListSerum, m_context.Clock().TodayDays())
                == TPrintOutcome::DeviceFailed)
            m_dialogs.Show(KitMessages::PrintingFailed, this);
    }
    BtOK->setFocus();
}

void TWinShowLimits::done(int result)
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (result != QDialog::Accepted && analyte && analyte->HasOption(aoCommonCV) != m_shownCommonCV)
        ApplyCommonCV(m_shownCommonCV);
    QDialog::done(result);
}

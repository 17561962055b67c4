#include "TWinEmployees.h"

#include "TDialogService.h"
#include "TFonts.h"
#include "TOperatorList.h"
#include "TQCContext.h"
#include "TQCPoint.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int RowHeight = 15;
const QColor NumberColour(255, 255, 128);
} // namespace

TWinEmployees::TWinEmployees(TQCContext& context, TDialogService& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TWinEmployees"));
    setWindowTitle(QStringLiteral("List of operators"));
    setFont(WindowFont());

    Grid = new QTableWidget(0, 2, this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->horizontalHeader()->hide();
    Grid->horizontalHeader()->setMinimumSectionSize(10);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setMinimumSectionSize(RowHeight);
    Grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    Grid->setColumnWidth(0, 25);
    Grid->setColumnWidth(1, 115);
    Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setFixedWidth(25 + 115 + Grid->verticalScrollBar()->sizeHint().width() + 2 * Grid->frameWidth());
    Grid->setMinimumHeight(RowHeight * 16 + 2 * Grid->frameWidth());

    auto* maximum = new QLabel(QStringLiteral("Maximum length"), this);
    LblNbChar = new QLabel(this);
    LblNbChar->setObjectName(QStringLiteral("LblNbChar"));
    LblNbChar->setText(QString::number(TQCPoint::OperatorCapacity));
    auto* characters = new QLabel(QStringLiteral("characters"), this);

    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setAutoDefault(false);
    BtCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    BtCancel->setAutoDefault(false);
    BtUndo = new QPushButton(QStringLiteral("&Undo"), this);
    BtUndo->setObjectName(QStringLiteral("BtUndo"));
    BtUndo->setAutoDefault(false);

    auto* note = new QHBoxLayout;
    note->addWidget(maximum);
    note->addWidget(LblNbChar);
    note->addWidget(characters);
    note->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtOK);
    buttons->addWidget(BtCancel);
    buttons->addWidget(BtUndo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid);
    layout->addLayout(note);
    layout->addLayout(buttons);

    connect(BtOK, &QPushButton::clicked, this, &TWinEmployees::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtUndo, &QPushButton::clicked, this, &TWinEmployees::FormActivate);
    Grid->installEventFilter(this);
}

void TWinEmployees::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinEmployees::AddRow()
{
    const int row = Grid->rowCount();
    Grid->insertRow(row);
    auto* number = new QTableWidgetItem(QString::number(row + 1));
    number->setFlags(Qt::ItemIsEnabled);
    number->setBackground(NumberColour);
    Grid->setItem(row, 0, number);
    // The cell editor is always shown: each code cell is its own edit.
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("Code%1").arg(row + 1));
    edit->setMaxLength(TQCPoint::OperatorCapacity);
    edit->setFrame(false);
    edit->installEventFilter(this);
    Grid->setCellWidget(row, 1, edit);
}

void TWinEmployees::SetRowCount(int rows)
{
    Grid->setRowCount(0);
    for (int row = 0; row < rows; ++row)
        AddRow();
}

QLineEdit* TWinEmployees::CodeEdit(int row) const { return qobject_cast<QLineEdit*>(Grid->cellWidget(row, 1)); }

QStringList TWinEmployees::Cells() const
{
    QStringList cells;
    for (int row = 0; row < Grid->rowCount(); ++row)
        cells.append(CodeEdit(row)->text());
    return cells;
}

void TWinEmployees::FormActivate()
{
    const QStringList& codes = m_context.ListOperators;
    SetRowCount(OperatorGridRows(int(codes.size())));
    for (int row = 0; row < codes.size(); ++row)
        CodeEdit(row)->setText(codes[row]);
    Grid->scrollToTop();
    Grid->setCurrentCell(0, 1);
    CodeEdit(0)->setFocus();
}

void TWinEmployees::GridGetEditMask(int row)
{
    if (row == Grid->rowCount() - 1)
        AddRow();
}

bool TWinEmployees::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (int row = 0; row < Grid->rowCount(); ++row)
            if (Grid->cellWidget(row, 1) == watched) {
                Grid->setCurrentCell(row, 1);
                GridGetEditMask(row);
                break;
            }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (MoveBetweenCells(watched, key))
            return true;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            BtOK->click();
            return true;
        }
        if (key == Qt::Key_Escape) {
            BtCancel->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TWinEmployees::MoveBetweenCells(QObject* watched, int key)
{
    int step = 0;
    if (key == Qt::Key_Tab || key == Qt::Key_Down)
        step = 1;
    else if (key == Qt::Key_Backtab || key == Qt::Key_Up)
        step = -1;
    if (step == 0)
        return false;
    for (int row = 0; row < Grid->rowCount(); ++row) {
        if (Grid->cellWidget(row, 1) != watched)
            continue;
        const int target = row + step;
        if (target < 0 || target >= Grid->rowCount())
            return false; // Tab leaves the grid at its ends
        Grid->scrollTo(Grid->model()->index(target, 1));
        CodeEdit(target)->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

void TWinEmployees::BtOKClick()
{
    const QStringList cells = Cells();
    const QStringList deleted = DeletedOperators(m_context.ListOperators, cells);
    if (!deleted.isEmpty()) {
        QString question = QStringLiteral("Deletion of :\r\r");
        for (const QString& code : deleted)
            question += QStringLiteral("   ") + code + QChar('\r');
        if (!m_dialogs.Confirm(question, this)) {
            // The list stays as it was; the window still closes.
            accept();
            return;
        }
    }
    m_context.ListOperators = OperatorsFromCells(cells);
    accept();
}

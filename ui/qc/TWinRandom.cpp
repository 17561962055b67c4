#include "TWinRandom.h"
#include "TQCMessages.h"

#include "TAnalyte.h"
#include "TControls.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TEditInput.h"
#include "TFonts.h"
#include "TInputCheck.h"
#include "TQCContext.h"
#include "TRandomSeries.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimeEdit>

namespace {

constexpr int GridRows = 3;
constexpr int ColumnWidth = 80;
constexpr int WindowWidth = 420;

} // namespace

TWinRandom::TWinRandom(TQCContext& context, TDialogService& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TWinRandom"));
    setFont(WindowFont());
    setFixedSize(WindowWidth, 330);

    QLabel* lblNumber = MakeLabel(this, 16, 16, QStringLiteral("&Number of QC points"));
    EditNumber = Named(MakeEdit(this, QRect(16, 34, 80, 21)), "EditNumber");
    lblNumber->setBuddy(EditNumber);
    QLabel* lblDate = MakeLabel(this, 150, 16, QStringLiteral("&First date"));
    DatePicker = Named(new QDateEdit(this), "DatePicker");
    DatePicker->setGeometry(150, 34, 110, 21);
    DatePicker->setCalendarPopup(true);
    DatePicker->setDisplayFormat(ShortDateFormat());
    lblDate->setBuddy(DatePicker);
    QLabel* lblTime = MakeLabel(this, 280, 16, QStringLiteral("QC &time"));
    TimePicker = Named(new QTimeEdit(this), "TimePicker");
    TimePicker->setGeometry(280, 34, 100, 21);
    TimePicker->setDisplayFormat(LongTimeFormat());
    TimePicker->setTime(QTime(12, 0));
    lblTime->setBuddy(TimePicker);

    auto* destination = new QGroupBox(this);
    destination->setGeometry(16, 66, 388, 52);
    RBFifo = Named(new QRadioButton(QStringLiteral("Random data in &queue"), destination), "RBFifo");
    RBFifo->setGeometry(10, 16, 180, 24);
    RBCharts = Named(new QRadioButton(QStringLiteral("Random data in &charts"), destination), "RBCharts");
    RBCharts->setGeometry(200, 16, 180, 24);

    QLabel* lblGrid = MakeLabel(this, 16, 128, QStringLiteral("&Distribution of data "));
    Grille = Named(new QTableWidget(GridRows, 2, this), "Grille");
    Grille->horizontalHeader()->hide();
    Grille->verticalHeader()->hide();
    Grille->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    Grille->verticalHeader()->setDefaultSectionSize(24);
    Grille->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grille->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grille->installEventFilter(this);
    lblGrid->setBuddy(Grille);

    BtOK = Named(MakeButton(this, QRect(110, 280, 80, 25), QStringLiteral("OK"), QStringLiteral("ok")), "BtOK");
    BtCancel = Named(
        MakeButton(this, QRect(230, 280, 80, 25), QStringLiteral("Cancel"), QStringLiteral("cancel")), "BtCancel");
    connect(BtOK, &QPushButton::clicked, this, &TWinRandom::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TWinRandom::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinRandom::FormActivate()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const int levels = analyte ? analyte->NbLevels : 1;
    setWindowTitle(QStringLiteral("Random data generator for ") + (analyte ? analyte->Name : QString()));
    RBCharts->setChecked(true);
    Grille->clear();
    Grille->setColumnCount(levels + 1);
    const auto fixed = [this](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled);
        Grille->setItem(row, column, item);
    };
    fixed(0, 0, QStringLiteral("Control material"));
    fixed(1, 0, QStringLiteral("m (") + (analyte ? analyte->Units : QString()) + ')');
    fixed(2, 0, QStringLiteral("C.V. (%)"));
    for (int l = 0; l < levels; ++l) {
        fixed(0, l + 1, m_context.ListSerum.FindByID(analyte->SerumID[l]).Name);
        Grille->setItem(1, l + 1, new QTableWidgetItem());
        Grille->setItem(2, l + 1, new QTableWidgetItem());
    }
    // The headings' column is as wide as its longest heading.
    int headings = ColumnWidth;
    for (int row = 0; row < GridRows; ++row)
        headings = std::max(headings, Grille->fontMetrics().horizontalAdvance(Grille->item(row, 0)->text()) + 12);
    for (int column = 0; column <= levels; ++column)
        Grille->setColumnWidth(column, column == 0 ? headings : ColumnWidth);
    const int width = headings + 1 + (ColumnWidth + 1) * levels + 4;
    Grille->setGeometry((WindowWidth - width) / 2, 146, width, 25 * GridRows + 4);
    DatePicker->setDate(m_context.Clock().Now().date());
    EditNumber->clear();
    Grille->setCurrentCell(1, 1);
    EditNumber->setFocus();
}

bool TWinRandom::ReadCell(int row, int column, TQCValue& value)
{
    const QTableWidgetItem* item = Grille->item(row, column);
    const TQCValueCheck check = ReadQCValueText(item ? item->text() : QString());
    if (!check.Ok) {
        m_dialogs.Error(check.Error, mbOK, this);
        Grille->setCurrentCell(row, column);
        Grille->setFocus();
        return false;
    }
    value = check.Cell;
    return true;
}

void TWinRandom::BtOKClick()
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte)
        return;
    TRandomSeries series;
    if (!CheckIntegerEdit(*EditNumber, m_dialogs, 1, 1000, series.Number))
        return;
    for (int l = 0; l < analyte->NbLevels; ++l)
        if (!ReadCell(1, l + 1, series.Means[size_t(l)]) || !ReadCell(2, l + 1, series.CVs[size_t(l)]))
            return;
    if (!series.AnyLevel()) {
        m_dialogs.Show(QCMessages::FillInTheGrid, this);
        Grille->setFocus();
        return;
    }
    series.FirstDateTime = DateToDayCount(DatePicker->date()) + TimePicker->time().msecsSinceStartOfDay() / 86400000.0;
    const QString question = series.Question(EditNumber->text());
    if (RBFifo->isChecked()) {
        if (!m_dialogs.Ask(QCMessages::RandomToQueue, this, question))
            return;
        AddRandomToQueue(*analyte, series, m_context.Random(), m_context.ListFifo);
    } else {
        if (analyte->Count() > 0 && !m_dialogs.Ask(QCMessages::RandomToCharts, this, question))
            return;
        AddRandomToCharts(*analyte, series, m_context.Random(), m_context.Risks());
    }
    accept();
}

bool TWinRandom::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Grille && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The cell being edited commits first: its delegate would only do so
            // after this key has been handled.
            if (QWidget* editor = Grille->indexWidget(Grille->currentIndex())) {
                emit Grille->itemDelegate()->commitData(editor);
                emit Grille->itemDelegate()->closeEditor(editor);
            }
            BtOKClick();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

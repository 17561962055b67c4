#include "TWinDailyQC.h"
#include "TKitMessages.h"

#include "TAnalyte.h"
#include "TControls.h"
#include "TDailyQC.h"
#include "TDailyReport.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TPictures.h"
#include "TPrintCanvas.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TTabListDelegate.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int PointRole = Qt::UserRole;
constexpr int LevelsRole = Qt::UserRole + 1;

// The day's lines with a dot or cross per level: green within, yellow
// warning, red action, red cross discarded. Selection does not change colours.
class TDailyLineDelegate : public TTabListDelegate {
public:
    TDailyLineDelegate(const TPictures* const& pictures, QObject* parent)
        : TTabListDelegate({ 110, 180, 240, 300, 350, 395 }, TWinDailyQC::LineHeight, parent)
        , m_pictures(pictures)
    {
        SetShowSelection(false);
        SetMarkedStops({ 180, 240, 300 });
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TTabListDelegate::paint(painter, option, index);
        const auto* point = reinterpret_cast<const TQCPoint*>(index.data(PointRole).value<quintptr>());
        if (!point || !m_pictures)
            return;
        // Levels beyond the analyte's own show nothing, as in the text.
        const int levels = std::clamp(index.data(LevelsRole).toInt(), 0, MaxLevels);
        for (int k = 0; k < levels; ++k)
            if (const QImage* picture = m_pictures->StatusPicture(point->Values[k].Status))
                painter->drawImage(
                    QPoint(option.rect.left() + MarkLeft(180 + 60 * k), option.rect.top() + 2), *picture);
    }

private:
    const TPictures* const& m_pictures; // the window's, which may be given later
};

} // namespace

TWinDailyQC::TWinDailyQC(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("TWinDailyQC"));
    setWindowTitle(QStringLiteral("QC daily summary"));
    setFont(WindowFont());
    setFixedSize(741, 340);
    const QColor navy(0, 0, 128);
    auto head = [&](const char* name, int left, int width, const QString& text) {
        return Named(MakePanel(this, QRect(8 + left, 8, width, 18), navy, Qt::yellow, text, TPanelFrame::Flat), name);
    };
    Panel4 = head("Panel4", 0, 100, QStringLiteral("Analyte"));
    LblDate = head("LblDate", 110, 64, QStringLiteral("Time"));
    lblCQ1 = head("lblCQ1", 180, 56, QStringLiteral("QC1"));
    LblCQ2 = head("LblCQ2", 240, 56, QStringLiteral("QC2"));
    LblCQ3 = head("LblCQ3", 300, 48, QStringLiteral("QC3"));
    // Each head starts where its column's text does (the list's tab stops).
    LblOperator = head("LblOperator", 350, 43, QStringLiteral("Operator"));
    LblComment = head("LblComment", 395, 175, QStringLiteral("Comment"));

    LB = Named(new QListWidget(this), "LB");
    LB->setGeometry(8, 28, 570, 304);
    LB->setUniformItemSizes(true);
    LB->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LB->setItemDelegate(new TDailyLineDelegate(Pictures, LB));

    Panel3 = Named(
        MakePanel(this, QRect(588, 8, 145, 18), navy, Qt::yellow, QStringLiteral("Date"), TPanelFrame::Flat), "Panel3");
    Calendar = Named(new QCalendarWidget(this), "Calendar");
    Calendar->setGeometry(588, 28, 145, 180);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar->setGridVisible(false);
    Calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    BtToday = Named(MakeButton(this, QRect(588, 220, 145, 30), QStringLiteral("&Today")), "BtToday");
    BtPrn = Named(MakeButton(this, QRect(588, 258, 145, 30), QStringLiteral("&Print")), "BtPrn");
    BtOK = Named(MakeButton(this, QRect(588, 298, 145, 30), QStringLiteral("Close"), QStringLiteral("ok")), "BtOK");

    if (QWidget* days = Calendar->focusProxy())
        days->installEventFilter(this);
    connect(Calendar, &QCalendarWidget::clicked, this, &TWinDailyQC::CalendarChange);
    connect(Calendar, &QCalendarWidget::selectionChanged, this, &TWinDailyQC::CalendarChange);
    connect(BtToday, &QPushButton::clicked, this, &TWinDailyQC::FormActivate);
    connect(BtPrn, &QPushButton::clicked, this, &TWinDailyQC::BtPrnClick);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
}

TWinDailyQC::~TWinDailyQC() = default;

void TWinDailyQC::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinDailyQC::FormActivate()
{
    Calendar->setSelectedDate(m_context.Clock().Now().date());
    CalendarChange();
    Calendar->setFocus();
}

void TWinDailyQC::CalendarChange()
{
    LB->setUpdatesEnabled(false);
    LB->clear();
    for (const TDailyQC::TLine& line : TDailyQC::Points(m_context.ListAnalytes, Calendar->selectedDate())) {
        auto* item = new QListWidgetItem(TDailyQC::LineText(line));
        item->setData(PointRole, QVariant::fromValue(quintptr(line.Point)));
        item->setData(LevelsRole, int(line.Analyte->NbLevels));
        LB->addItem(item);
    }
    LB->setUpdatesEnabled(true);
}

void TWinDailyQC::BtPrnClick()
{
    if (LB->count() == 0) {
        m_dialogs.Show(KitMessages::NothingToPrintOK, this);
        return;
    }
    std::unique_ptr<TPrintCanvas> canvas
        = m_printers.ChoosePrinter({ QString(), QString(), QStringLiteral("daily"), Calendar->selectedDate() }, this);
    if (!canvas)
        return;
    if (PrintDailyReport(*canvas, m_context.ListAnalytes, Calendar->selectedDate(), m_context.Clock().TodayDays())
        == TPrintOutcome::DeviceFailed) {
        m_dialogs.Show(KitMessages::PrintingFailed, this);
        return;
    }
    accept();
}

namespace {

bool ClosesWindow(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape;
}

} // namespace

bool TWinDailyQC::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && ClosesWindow(static_cast<QKeyEvent&>(*event))) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TWinDailyQC::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape close the window, whichever control has the focus.
    if (ClosesWindow(*event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

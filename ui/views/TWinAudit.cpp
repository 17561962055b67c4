#include "TWinAudit.h"
#include "TKitMessages.h"

#include "TAnalyte.h"
#include "TAuditLog.h"
#include "TAuditReport.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TPrintCanvas.h"
#include "TPrinterService.h"
#include "TQCContext.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

// The listed entries as rows: number, local time, operator, user, change,
// analyte, level, before, after.
class TAuditModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    QList<TAuditEntry> Entries;

    void Set(QList<TAuditEntry> entries)
    {
        beginResetModel();
        Entries = std::move(entries);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(Entries.size()); }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 9; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        const TAuditEntry& e = Entries.at(index.row());
        switch (index.column()) {
        case 0:
            return e.Sequence;
        case 1:
            return e.TimeLocal.left(19).replace(QLatin1Char('T'), QLatin1Char(' '));
        case 2:
            return e.OperatorCode;
        case 3:
            return e.User + QLatin1Char('@') + e.Host;
        case 4:
            return AuditKindCaption(e.Kind);
        case 5:
            return e.Analyte;
        case 6:
            return e.Level > 0 ? QVariant(e.Level) : QVariant(QString());
        case 7:
            return e.Before;
        default:
            return e.After;
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const heads[]
            = { "No.", "Time", "Operator", "User", "Change", "Analyte", "Level", "Before", "After" };
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        return QString::fromLatin1(heads[section]);
    }
};

TAuditModel& Model(QTableView* grid) { return *static_cast<TAuditModel*>(grid->model()); }

} // namespace

TWinAudit::TWinAudit(TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("TWinAudit"));
    setWindowTitle(QStringLiteral("Audit trail"));
    setFont(WindowFont());
    setFixedSize(780, 460);
    CBAnalyte = Named(new QComboBox(this), "CBAnalyte");
    CBAnalyte->setGeometry(56, 8, 130, 22);
    CBKind = Named(new QComboBox(this), "CBKind");
    CBKind->setGeometry(244, 8, 190, 22);
    DateFrom = Named(new QDateEdit(this), "DateFrom");
    DateFrom->setGeometry(480, 8, 110, 22);
    DateTo = Named(new QDateEdit(this), "DateTo");
    DateTo->setGeometry(620, 8, 110, 22);
    const std::pair<const char*, QWidget*> captions[]
        = { { "&Analyte", CBAnalyte }, { "&Change", CBKind }, { "&From", DateFrom }, { "&To", DateTo } };
    for (const auto& [caption, control] : captions)
        MakeLabel(this, control->x() - 48, 12, QString::fromLatin1(caption))->setBuddy(control);
    for (QDateEdit* date : { DateFrom, DateTo }) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    Grid = Named(new QTableView(this), "Grid");
    Grid->setGeometry(8, 38, 764, 374);
    Grid->setModel(new TAuditModel(Grid));
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setDefaultSectionSize(18);
    const int widths[] = { 50, 120, 56, 90, 150, 80, 40, 170, 170 };
    for (int column = 0; column < 9; ++column)
        Grid->setColumnWidth(column, widths[column]);
    LblStatus = Named(MakeLabel(this, 8, 428, QString()), "LblStatus");
    LblStatus->resize(500, 16);
    BtPrn = Named(MakeButton(this, QRect(560, 420, 100, 30), QStringLiteral("&Print")), "BtPrn");
    BtOK = Named(MakeButton(this, QRect(672, 420, 100, 30), QStringLiteral("Close"), QStringLiteral("ok")), "BtOK");

    for (QComboBox* combo : { CBAnalyte, CBKind })
        connect(combo, &QComboBox::currentIndexChanged, this, &TWinAudit::FilterChange);
    for (QDateEdit* date : { DateFrom, DateTo })
        connect(date, &QDateEdit::dateChanged, this, &TWinAudit::FilterChange);
    connect(BtPrn, &QPushButton::clicked, this, &TWinAudit::BtPrnClick);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
}

TWinAudit::~TWinAudit() = default;

void TWinAudit::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinAudit::FormActivate()
{
    TAuditLog log;
    QList<TAuditEntry> all;
    QString error;
    const bool read = log.Open(m_context.ProgramFolder(), true, &error) && log.List({}, all, &error);
    m_filling = true;
    // Analytes of the trail, deleted ones included, besides those of the lists.
    QStringList analytes;
    for (int i = 0; i < m_context.ListAnalytes.Count(); ++i)
        analytes << m_context.ListAnalytes.Item(i).Name;
    for (const TAuditEntry& entry : all)
        if (!entry.Analyte.isEmpty())
            analytes << entry.Analyte;
    analytes.removeDuplicates();
    analytes.sort(Qt::CaseInsensitive);
    CBAnalyte->clear();
    CBAnalyte->addItem(QStringLiteral("(all)"));
    CBAnalyte->addItems(analytes);
    CBKind->clear();
    CBKind->addItem(QStringLiteral("(all)"));
    for (const QString& kind : AuditKindNames())
        CBKind->addItem(AuditKindCaption(kind), kind);
    const QDate today = m_context.Clock().Now().date();
    DateFrom->setDate(all.isEmpty() ? today : QDate::fromString(all.first().TimeLocal.left(10), Qt::ISODate));
    DateTo->setDate(all.isEmpty() ? today : QDate::fromString(all.last().TimeLocal.left(10), Qt::ISODate));
    m_filling = false;
    if (!read) {
        Model(Grid).Set({});
        LblStatus->setText(QStringLiteral("The audit trail cannot be read: ") + error);
        return;
    }
    FilterChange();
}

void TWinAudit::FilterChange()
{
    if (m_filling)
        return;
    TAuditFilter filter;
    filter.Analyte = CBAnalyte->currentIndex() > 0 ? CBAnalyte->currentText() : QString();
    filter.Kind = CBKind->currentData().toString();
    filter.From = DateFrom->date();
    filter.To = DateTo->date();
    filter.NewestFirst = true;
    TAuditLog log;
    QList<TAuditEntry> entries;
    QString error;
    if (!log.Open(m_context.ProgramFolder(), true, &error) || !log.List(filter, entries, &error)) {
        LblStatus->setText(QStringLiteral("The audit trail cannot be read: ") + error);
        entries.clear();
    } else {
        LblStatus->setText(QStringLiteral("%1 entries").arg(entries.size()));
    }
    Model(Grid).Set(std::move(entries));
}

void TWinAudit::BtPrnClick()
{
    const QList<TAuditEntry>& entries = Model(Grid).Entries;
    if (entries.isEmpty()) {
        m_dialogs.Show(KitMessages::NothingToPrintOK, this);
        return;
    }
    std::unique_ptr<TPrintCanvas> canvas = m_printers.ChoosePrinter(
        { QStringLiteral("Audit trail"), CBAnalyte->currentIndex() > 0 ? CBAnalyte->currentText() : QString(),
            QStringLiteral("audit"), m_context.Clock().Now().date() },
        this);
    if (!canvas)
        return;
    QStringList subtitles;
    if (CBAnalyte->currentIndex() > 0)
        subtitles << QStringLiteral("Analyte ") + CBAnalyte->currentText();
    if (CBKind->currentIndex() > 0)
        subtitles << CBKind->currentText();
    subtitles << QStringLiteral("From %1 to %2").arg(DateFrom->text(), DateTo->text());
    if (PrintAuditReport(*canvas, entries, subtitles, m_context.Clock().TodayDays()) == TPrintOutcome::DeviceFailed)
        m_dialogs.Show(KitMessages::PrintingFailed, this);
}

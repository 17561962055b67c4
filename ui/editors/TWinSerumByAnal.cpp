#include "TWinSerumByAnal.h"
#include "TAnalyte.h"
#include "TEditorMessages.h"

#include "TArrowButton.h"
#include "TColors.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TDragList.h"
#include "TFileLog.h"
#include "TFonts.h"
#include "TKeyButton.h"
#include "TLotAssignment.h"
#include "TPaintBox.h"
#include "TPictures.h"
#include "TQCContext.h"
#include "TStorage.h"
#include "TTabListDelegate.h"

#include <QDropEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace {

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

TWinSerumByAnal::TWinSerumByAnal(
    TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_pictures(pictures)
{
    FormCreate();
}

TWinSerumByAnal::~TWinSerumByAnal() = default;

void TWinSerumByAnal::FormCreate()
{
    setObjectName(QStringLiteral("TWinSerumByAnal"));
    setFont(WindowFont());
    setWindowTitle(QStringLiteral("Assignment of control materials"));
    setFixedSize(455, 275);

    PanelHeader = Named(MakePanel(this, QRect(5, 5, 445, 24), Colors::Navy, Colors::Yellow), "PanelHeader");
    QFont bold = PanelHeader->font();
    bold.setBold(true);
    PanelHeader->setFont(bold);

    for (int i = 0; i < MaxLevels; ++i) {
        TArrowButton* button = new TArrowButton(this);
        button->setObjectName(QStringLiteral("BtLevel%1").arg(i + 1));
        button->setGeometry(5, 35 + 50 * i, 60, 40);
        button->SetButtonColor(Colors::Yellow);
        button->SetDirection(btnRIGHT);
        button->SetCaption(QStringLiteral("Level &%1").arg(i + 1));
        connect(button, &TArrowButton::Click, this, [this, i] { SendToLevel(i); });
        BtLevel[i] = button;

        auto* panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("PanelLevel%1").arg(i + 1));
        panel->setGeometry(75, 40 + 50 * i, 110, 31);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setAutoFillBackground(true);
        PanelLevel[i] = panel;
        auto* box = new TPaintBox(panel);
        box->setObjectName(QStringLiteral("PBoxLevel%1").arg(i + 1));
        box->setGeometry(panel->contentsRect());
        box->setAcceptDrops(true);
        box->installEventFilter(this);
        box->OnPaint = [this, i](QPainter& painter, const QRect&) { PBoxPaint(i, painter); };
        PBoxLevel[i] = box;
    }

    LBSerum = Named(new TDragList(this), "LBSerum");
    LBSerum->setGeometry(195, 35, 255, 150);
    LBSerum->setUniformItemSizes(true);
    LBSerum->setItemDelegate(new TTabListDelegate({ 130 }, ItemHeight, LBSerum));
    LBSerum->SetDragCursors(m_pictures.CursDragLot, m_pictures.CursNoDropLot);

    BtChange
        = Named(MakeButton(this, QRect(5, 195, 250, 30), QStringLiteral("Change only the assignment of materials")),
            "BtChange");
    BtErase
        = Named(MakeButton(this, QRect(260, 195, 190, 30), QStringLiteral("Change and &erase former data")), "BtErase");
    BtUndo = Named(MakeButton(this, QRect(5, 237, 90, 30), QStringLiteral("&Undo")), "BtUndo");
    BtCancel = Named(MakeButton(this, QRect(101, 237, 90, 30), QStringLiteral("Cancel")), "BtCancel");
    BtCle = new TKeyButton(m_context, m_dialogs, this);
    BtCle->setGeometry(410, 231, 40, 40);
    BtCle->Protect({ BtErase });
    // Return in the list presses no button.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    connect(BtChange, &QPushButton::clicked, this, &TWinSerumByAnal::BtChangeClick);
    connect(BtErase, &QPushButton::clicked, this, &TWinSerumByAnal::BtEraseClick);
    connect(BtUndo, &QPushButton::clicked, this, &TWinSerumByAnal::BtUndoClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

qint32 TWinSerumByAnal::WorkingLot(int level) const { return m_assignment ? m_assignment->Lot(level) : -1; }

void TWinSerumByAnal::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinSerumByAnal::FormActivate()
{
    m_assignment.reset();
    if (m_context.CurrentAnalyte)
        m_assignment = std::make_unique<TLotAssignment>(m_context, *m_context.CurrentAnalyte);
    InitForm();
}

void TWinSerumByAnal::InitForm()
{
    BtCle->Reset();
    if (m_assignment)
        m_assignment->Reload();
    const TAnalyte* analyte = m_assignment ? &m_assignment->Analyte() : nullptr;
    PanelHeader->setText(analyte ? QStringLiteral("QC materials for ") + analyte->Name : QString());
    for (int i = 0; i < MaxLevels; ++i) {
        const bool used = analyte && i < analyte->NbLevels;
        BtLevel[i]->setVisible(used);
        PanelLevel[i]->setVisible(used);
        ShowLevel(i);
    }
    // The list shows the lots sorted by their text, case ignored.
    QList<const TSerum*> lots;
    for (int i = 0; i < m_context.ListSerum.Count(); ++i)
        lots.append(&m_context.ListSerum.Item(i));
    std::stable_sort(lots.begin(), lots.end(), [](const TSerum* a, const TSerum* b) {
        return (a->Name + '\t' + a->Lot).compare(b->Name + '\t' + b->Lot, Qt::CaseInsensitive) < 0;
    });
    LBSerum->clear();
    for (const TSerum* lot : std::as_const(lots)) {
        auto* item = new QListWidgetItem(lot->Name + '\t' + lot->Lot, LBSerum);
        item->setData(Qt::UserRole, lot->ID);
    }
    LBSerum->setCurrentRow(-1);
    LBSerum->setFocus();
}

void TWinSerumByAnal::ShowLevel(int level)
{
    const bool changed = m_assignment && m_assignment->Changed(level);
    SetColour(PanelLevel[level], QPalette::Window, changed ? Colors::Yellow : QColor(Qt::white));
    PBoxLevel[level]->update();
}

QStringList TWinSerumByAnal::PanelLines(int level) const
{
    if (!m_assignment)
        return {};
    const TSerum& lot = m_context.ListSerum.FindByID(m_assignment->Lot(level));
    return { lot.Name, lot.Lot };
}

void TWinSerumByAnal::PBoxPaint(int level, QPainter& painter)
{
    const QStringList lines = PanelLines(level);
    painter.fillRect(PBoxLevel[level]->rect(), PanelLevel[level]->palette().window());
    painter.setPen(Qt::black);
    const int width = PBoxLevel[level]->width();
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QRect(5, 14 * i, width - 5, 14), Qt::AlignLeft | Qt::AlignTop, lines[i]);
}

void TWinSerumByAnal::SendToLevel(int level)
{
    if (!m_assignment || level >= m_assignment->Analyte().NbLevels)
        return;
    const QListWidgetItem* item = LBSerum->currentItem();
    if (!item || !item->isSelected()) {
        m_dialogs.Show(EditorMessages::NoMaterialSelected, this);
        return;
    }
    m_assignment->Send(level, item->data(Qt::UserRole).toInt());
    ShowLevel(level);
}

void TWinSerumByAnal::Report(const TApplyResult& result) { m_dialogs.ReportApply(result, this); }

void TWinSerumByAnal::BtChangeClick()
{
    if (!m_assignment || !m_assignment->AnyChange()) {
        m_dialogs.Show(EditorMessages::NothingChanged, this);
        return;
    }
    Report(m_assignment->Change());
    accept();
}

void TWinSerumByAnal::BtEraseClick()
{
    if (!m_assignment || !m_assignment->AnyChange()) {
        m_dialogs.Show(EditorMessages::NothingChanged, this);
        return;
    }
    if (m_dialogs.Confirm(m_assignment->EraseQuestion(), this))
        Report(m_assignment->ChangeAndErase());
    accept();
}

void TWinSerumByAnal::BtUndoClick() { InitForm(); }

bool TWinSerumByAnal::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < MaxLevels; ++i) {
        if (watched != PBoxLevel[i])
            continue;
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
            return true;
        case QEvent::Drop:
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            SendToLevel(i);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

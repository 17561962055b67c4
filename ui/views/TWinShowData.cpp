#include "TWinShowData.h"
#include "TKitMessages.h"
#include "TViewMessages.h"

#include "TAnalyte.h"
#include "TControls.h"
#include "TDataTable.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TKeyButton.h"
#include "TPictures.h"
#include "TQCContext.h"
#include "TTabListDelegate.h"
#include "TWinPrnData.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int PointRole = Qt::UserRole;

TQCPoint* LinePoint(const QListWidgetItem* item)
{
    return item ? reinterpret_cast<TQCPoint*>(item->data(PointRole).value<quintptr>()) : nullptr;
}

// The lines with their marks: a yellow dot for a warning, a red dot for an
// action, a red cross for a discarded value, just left of the level's value.
class TDataLineDelegate : public TTabListDelegate {
public:
    TDataLineDelegate(const TQCContext& context, const TPictures& pictures, QObject* parent)
        : TTabListDelegate({}, TWinShowData::LineHeight, parent)
        , m_context(context)
        , m_pictures(pictures)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TTabListDelegate::paint(painter, option, index);
        const TAnalyte* analyte = m_context.CurrentAnalyte;
        const auto* point = reinterpret_cast<const TQCPoint*>(index.data(PointRole).value<quintptr>());
        if (!analyte || !point)
            return;
        for (int k = 0; k < std::clamp(int(analyte->NbLevels), 0, MaxLevels); ++k) {
            const quint8 status = point->Values[k].Status;
            if (status == psWithin)
                continue; // the green dot is left to the charts
            if (const QImage* picture = m_pictures.StatusPicture(status))
                painter->drawImage(QPoint(option.rect.left() + MarkLeft(TDataTable::TabStops(analyte->NbLevels)[k]),
                                       option.rect.top() + 2),
                    *picture);
        }
    }

private:
    const TQCContext& m_context;
    const TPictures& m_pictures;
};

} // namespace

TWinShowData::TWinShowData(TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_pictures(pictures)
{
    setObjectName(QStringLiteral("TWinShowData"));
    setFixedSize(553, 540);
    setFont(WindowFont());
    const QColor navy(0, 0, 128);
    PanelHeads = Named(
        MakePanel(this, QRect(0, 8, 553, 20), palette().color(QPalette::Window), Qt::black, {}, TPanelFrame::Flat),
        "PanelHeads");
    auto head = [&](const char* name, const QString& text) {
        return Named(MakePanel(this, QRect(0, 8, 56, 18), navy, Qt::yellow, text, TPanelFrame::Flat), name);
    };
    LblDate = head("LblDate", QStringLiteral("Date - time"));
    LblDate->resize(90, 18);
    lblCQ1 = head("lblCQ1", QStringLiteral("QC1"));
    LblCQ2 = head("LblCQ2", QStringLiteral("QC2"));
    LblCQ3 = head("LblCQ3", QStringLiteral("QC3"));
    LblOperator = head("LblOperator", QStringLiteral("Operator"));
    LblComment = head("LblComment", QStringLiteral("Comment"));
    LblComment->resize(120, 18);

    LB = Named(new QListWidget(this), "LB");
    LB->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LB->setUniformItemSizes(true);
    LB->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LB->setItemDelegate(new TDataLineDelegate(m_context, m_pictures, LB));
    LB->installEventFilter(this);

    const int top = 494;
    BtCle = new TKeyButton(m_context, m_dialogs, this);
    BtCle->setGeometry(8, top - 4, 40, 40);
    BtEdit = Named(MakeButton(this, QRect(54, top, 74, 33), QStringLiteral("&Edit line")), "BtEdit");
    BtDelete = Named(MakeButton(this, QRect(132, top, 98, 33), QStringLiteral("&Delete selection")), "BtDelete");
    BtDeleteAll = Named(MakeButton(this, QRect(234, top, 70, 33), QStringLiteral("Delete &all")), "BtDeleteAll");
    BtUndo = Named(MakeButton(this, QRect(308, top, 56, 33), QStringLiteral("&Undo")), "BtUndo");
    BtPrint = Named(MakeButton(this, QRect(368, top, 56, 33), QStringLiteral("&Print")), "BtPrint");
    BtPrint->setToolTip(QStringLiteral("Printing control charts"));
    BtOK = Named(MakeButton(this, QRect(428, top, 56, 33), QStringLiteral("OK"), QStringLiteral("ok")), "BtOK");
    BtCancel = Named(
        MakeButton(this, QRect(488, top, 58, 33), QStringLiteral("Cancel"), QStringLiteral("cancel")), "BtCancel");
    BtCle->Protect({ BtDelete, BtDeleteAll, BtUndo, BtEdit });

    connect(BtEdit, &QPushButton::clicked, this, &TWinShowData::BtEditClick);
    connect(BtDelete, &QPushButton::clicked, this, &TWinShowData::BtDeleteClick);
    connect(BtDeleteAll, &QPushButton::clicked, this, &TWinShowData::BtDeleteAllClick);
    connect(BtUndo, &QPushButton::clicked, this, &TWinShowData::FormActivate);
    connect(BtPrint, &QPushButton::clicked, this, &TWinShowData::BtPrintClick);
    connect(BtOK, &QPushButton::clicked, this, &TWinShowData::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(LB, &QListWidget::itemDoubleClicked, this, &TWinShowData::LBDblClick);
}

TWinShowData::~TWinShowData() = default;

void TWinShowData::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinShowData::FormActivate()
{
    m_deletedLines.clear();
    m_editedPoint = nullptr;
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    const int levels = analyte ? std::clamp(int(analyte->NbLevels), 1, MaxLevels) : 1;

    const int width = TDataTable::ListWidth(levels);
    const int left = (this->width() - width) / 2;
    LB->setGeometry(left, 28, width, 450);
    auto* delegate = static_cast<TTabListDelegate*>(LB->itemDelegate());
    delegate->SetTabStops(TDataTable::TabStops(levels));
    delegate->SetMarkedStops(TDataTable::TabStops(levels).mid(0, levels));
    LblDate->move(left + 10, 8);
    lblCQ1->move(left + 110, 8);
    LblCQ2->move(left + 170, 8);
    LblCQ3->move(left + 230, 8);
    LblCQ2->setVisible(levels >= 2);
    LblCQ3->setVisible(levels >= 3);
    LblOperator->move(left + width - 200, 8);
    LblComment->move(left + width - 130, 8);

    setWindowTitle(QStringLiteral("QC data for ") + (analyte ? analyte->Name : QString()));
    BtCle->Reset();

    LB->setUpdatesEnabled(false);
    LB->clear();
    if (analyte) {
        const QStringList lines = TDataTable::Lines(*analyte);
        for (int i = 0; i < analyte->Count(); ++i) {
            auto* item = new QListWidgetItem(lines[i]);
            item->setData(PointRole, QVariant::fromValue(quintptr(&analyte->Point(i))));
            LB->addItem(item);
        }
    }
    LB->setUpdatesEnabled(true);
    LB->setFocus();
    if (SelectedPoint >= 0 && SelectedPoint < LB->count()) {
        LB->setCurrentRow(SelectedPoint, QItemSelectionModel::ClearAndSelect);
        LB->scrollToItem(LB->currentItem(), QAbstractItemView::PositionAtCenter);
    } else {
        LB->setCurrentRow(-1, QItemSelectionModel::Clear);
    }
}

void TWinShowData::RemoveLine(int row)
{
    delete LB->takeItem(row);
    m_deletedLines.append(row);
}

void TWinShowData::BtDeleteClick()
{
    for (int row = LB->count() - 1; row >= 0; --row)
        if (LB->item(row)->isSelected())
            RemoveLine(row);
    LB->setCurrentRow(-1, QItemSelectionModel::Clear);
    LB->setFocus();
}

void TWinShowData::BtDeleteAllClick()
{
    for (int row = LB->count() - 1; row >= 0; --row)
        RemoveLine(row);
    LB->setFocus();
}

void TWinShowData::ApplyDeletions()
{
    if (m_context.CurrentAnalyte)
        TDataTable::ApplyDeletions(*m_context.CurrentAnalyte, m_deletedLines);
    m_deletedLines.clear();
}

void TWinShowData::BtOKClick()
{
    const int m = int(m_deletedLines.size());
    if (m > 0 && m_dialogs.Ask(ViewMessages::ConfirmLineDeletion, this, QString::number(m)))
        ApplyDeletions();
    accept();
}

void TWinShowData::BtEditClick()
{
    if (LB->count() == 0) {
        m_dialogs.Show(ViewMessages::NothingToEdit, this);
        return;
    }
    // Qt makes a line current on focus without selecting it: only a line the
    // user chose counts.
    QListWidgetItem* current = LB->currentItem();
    if (!current || LB->currentRow() < 0 || !current->isSelected()) {
        m_dialogs.Show(ViewMessages::SelectLineToEdit, this);
        return;
    }
    QString question;
    const int m = int(m_deletedLines.size());
    if (m > 0)
        question = QStringLiteral("Irreversible deletion of ") + QString::number(m) + QStringLiteral(" lines.\r+ ");
    question += QStringLiteral("Edit and validate again the control point on ")
        + TDataTable::DateTimeText(LinePoint(current)->DateTime);
    if (m_dialogs.Confirm(question, this)) {
        m_editedPoint = LinePoint(current);
        ApplyDeletions();
        accept();
        return;
    }
    LB->setFocus();
}

void TWinShowData::LBDblClick()
{
    if (BtCle->isVisible()) {
        BtCle->BtCleClick();
        if (BtCle->isVisible())
            return;
    }
    BtEditClick();
}

void TWinShowData::BtPrintClick()
{
    const TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte || analyte->Count() == 0) {
        m_dialogs.Show(KitMessages::NothingToPrint, this);
        return;
    }
    if (!WinPrnData)
        return;
    WinPrnData->setWindowTitle(QStringLiteral("Print QC data for ") + analyte->Name);
    m_dialogs.Exec(*WinPrnData);
}

void TWinShowData::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        if (BtDelete->isEnabled())
            BtDeleteClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TWinShowData::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees the Delete key before the list does.
    if (watched == LB && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TWinShowData::done(int result)
{
    // Whatever the way of closing, nothing stays pending; a point to correct is
    // handed back only with OK.
    m_deletedLines.clear();
    if (result != QDialog::Accepted)
        m_editedPoint = nullptr;
    QDialog::done(result);
}

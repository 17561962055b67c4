#include "TWinDefSerum.h"

#include "TColors.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TFileLog.h"
#include "TFonts.h"
#include "TKeyButton.h"
#include "TPictures.h"
#include "TQCContext.h"
#include "TStorage.h"
#include "TTabListDelegate.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int EraseRole = Qt::UserRole + 1;

// The lines with the red cross of an erase mark.
class TSerumDelegate : public TTabListDelegate {
public:
    TSerumDelegate(const QImage& cross, QObject* parent)
        : TTabListDelegate({ 130 }, TWinDefSerum::ItemHeight, parent)
        , m_cross(cross)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TTabListDelegate::paint(painter, option, index);
        if (index.data(EraseRole).toBool() && !m_cross.isNull())
            painter->drawImage(option.rect.left() + TWinDefSerum::EraseMarkLeft,
                option.rect.top() + (option.rect.height() - m_cross.height()) / 2, m_cross);
    }

private:
    QImage m_cross;
};

} // namespace

TWinDefSerum::TWinDefSerum(TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_editor(context)
{
    setObjectName(QStringLiteral("TWinDefSerum"));
    setFont(WindowFont());
    setWindowTitle(QStringLiteral("Definition of control materials"));
    setFixedSize(560, 340);

    MakePanel(this, QRect(8, 8, 128, 16), Colors::Navy, Colors::Yellow, QStringLiteral(" Control material"),
        TPanelFrame::Flat);
    MakePanel(this, QRect(138, 8, 130, 16), Colors::Navy, Colors::Yellow, QStringLiteral(" Lot"), TPanelFrame::Flat);
    LBSerum = Named(new QListWidget(this), "LBSerum");
    LBSerum->setGeometry(8, 26, 260, 260);
    LBSerum->setUniformItemSizes(true);
    LBSerum->setItemDelegate(new TSerumDelegate(pictures.CroixRouge, LBSerum));
    LBSerum->installEventFilter(this);
    // A line picked with the mouse or the arrow keys fills the fields; a line selected by a command does not.
    connect(LBSerum, &QListWidget::itemClicked, this, &TWinDefSerum::LBSerumClick);
    connect(LBSerum, &QListWidget::currentRowChanged, this, [this] {
        if (LBSerum->hasFocus())
            LBSerumClick();
    });

    EditNom = Named(MakeEdit(this, QRect(280, 44, 130, 22)), "EditNom");
    EditNom->setMaxLength(TSerum::NameCapacity);
    MakeLabel(this, 280, 26, QStringLiteral("&Name (15 characters max)"))->setBuddy(EditNom);
    EditLot = Named(MakeEdit(this, QRect(280, 90, 100, 22)), "EditLot");
    EditLot->setMaxLength(TSerum::LotCapacity);
    MakeLabel(this, 280, 72, QStringLiteral("&Lot (10 characters max)"))->setBuddy(EditLot);

    BtAjouter = Named(MakeButton(this, QRect(280, 124, 272, 26), QStringLiteral("&Add to list")), "BtAjouter");
    BtReplace
        = Named(MakeButton(this, QRect(280, 154, 272, 26), QStringLiteral("&Change only the definition of materials")),
            "BtReplace");
    BtErase
        = Named(MakeButton(this, QRect(280, 184, 272, 26), QStringLiteral("Change and &erase former data")), "BtErase");
    BtClear = Named(MakeButton(this, QRect(280, 214, 134, 26), QStringLiteral("&Clear fields")), "BtClear");
    BtSupprimer = Named(MakeButton(this, QRect(418, 214, 134, 26), QStringLiteral("&Delete material")), "BtSupprimer");
    BtUsedIn = Named(MakeButton(this, QRect(280, 244, 272, 26), QStringLiteral("&Material used by")), "BtUsedIn");
    BtOK = Named(MakeButton(this, QRect(8, 300, 90, 30), QStringLiteral("OK")), "BtOK");
    BtCancel = Named(MakeButton(this, QRect(104, 300, 90, 30), QStringLiteral("Cancel")), "BtCancel");
    BtDefaire = Named(MakeButton(this, QRect(200, 300, 90, 30), QStringLiteral("&Undo")), "BtDefaire");
    BtCle = new TKeyButton(context, dialogs, this);
    BtCle->setGeometry(512, 292, 40, 40);
    BtCle->Protect({ BtErase });
    // Return in a field presses no button.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    connect(BtAjouter, &QPushButton::clicked, this, &TWinDefSerum::BtAjouterClick);
    connect(BtReplace, &QPushButton::clicked, this, &TWinDefSerum::BtReplaceClick);
    connect(BtErase, &QPushButton::clicked, this, &TWinDefSerum::BtEraseClick);
    connect(BtClear, &QPushButton::clicked, this, &TWinDefSerum::BtClearClick);
    connect(BtSupprimer, &QPushButton::clicked, this, &TWinDefSerum::BtSupprimerClick);
    connect(BtUsedIn, &QPushButton::clicked, this, &TWinDefSerum::BtUsedInClick);
    connect(BtOK, &QPushButton::clicked, this, &TWinDefSerum::FormClose);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtDefaire, &QPushButton::clicked, this, &TWinDefSerum::FormActivate);
}

void TWinDefSerum::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinDefSerum::FormActivate()
{
    BtCle->Reset();
    m_editor.Load();
    FillList(-1);
    BtClearClick();
}

void TWinDefSerum::FillList(int selected)
{
    LBSerum->clear();
    for (int i = 0; i < m_editor.Count(); ++i) {
        auto* item = new QListWidgetItem(m_editor.Line(i).Text(), LBSerum);
        item->setData(EraseRole, m_editor.Line(i).Erase);
    }
    LBSerum->setCurrentRow(selected);
}

void TWinDefSerum::BtClearClick()
{
    EditNom->clear();
    EditLot->clear();
    EditNom->setFocus();
}

int TWinDefSerum::SelectedLine(const QString& missing, int buttons)
{
    const int row = LBSerum->currentRow();
    if (row < 0 || row >= m_editor.Count() || !LBSerum->currentItem()->isSelected()) {
        m_dialogs.Error(missing, buttons, this);
        return -1;
    }
    return row;
}

void TWinDefSerum::LBSerumClick()
{
    const int row = LBSerum->currentRow();
    if (row < 0 || row >= m_editor.Count())
        return;
    EditNom->setText(m_editor.Line(row).Name);
    EditLot->setText(m_editor.Line(row).Lot);
}

void TWinDefSerum::BtAjouterClick()
{
    int index = -1;
    const TEditResult result = m_editor.Add(EditNom->text(), EditLot->text(), &index);
    if (!result.Ok()) {
        m_dialogs.Error(result.Text, mbOK, this);
        return;
    }
    FillList(index);
    BtClearClick();
}

void TWinDefSerum::Changed(const TEditResult& result, int index)
{
    if (result.Kind == TEditResult::NotUsed) {
        m_dialogs.MessageBox(TMsgType::Warning, result.Text, mbOK, this);
        return;
    }
    if (!result.Ok()) {
        m_dialogs.Error(result.Text, mbOK, this);
        return;
    }
    FillList(index);
    EditNom->clear();
    EditLot->clear();
    LBSerum->setFocus();
}

void TWinDefSerum::BtReplaceClick()
{
    const int row = SelectedLine(QStringLiteral("Select the line to replace"), mbOK);
    if (row < 0)
        return;
    int index = -1;
    const TEditResult result = m_editor.Replace(row, EditNom->text(), EditLot->text(), &index);
    Changed(result, index);
}

void TWinDefSerum::BtEraseClick()
{
    const int row = SelectedLine(QStringLiteral("Select the line to replace"), mbOK);
    if (row < 0)
        return;
    int index = -1;
    const TEditResult result = m_editor.ReplaceAndErase(row, EditNom->text(), EditLot->text(), &index);
    Changed(result, index);
}

void TWinDefSerum::BtSupprimerClick()
{
    const int row = SelectedLine(QStringLiteral("Select the control material to delete"), mbYes);
    if (row < 0)
        return;
    const QString refusal = m_editor.DeleteRefusal(row);
    if (!refusal.isEmpty()) {
        m_dialogs.Error(refusal, mbYes, this);
        return;
    }
    if (!m_dialogs.Confirm(m_editor.DeleteQuestion(row), this))
        return;
    m_editor.Delete(row);
    FillList(-1);
    EditNom->clear();
    EditLot->clear();
}

void TWinDefSerum::BtUsedInClick()
{
    const int row = SelectedLine(QStringLiteral("Select one control material"), mbYes);
    if (row >= 0)
        m_dialogs.Information(m_editor.UsedByText(row), mbYes, this);
}

void TWinDefSerum::FormClose()
{
    const TApplyResult result
        = m_editor.Apply([this](const QString& question) { return m_dialogs.Confirm(question, this); });
    m_dialogs.ReportApply(result, this);
    accept();
}

bool TWinDefSerum::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LBSerum && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        BtSupprimerClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

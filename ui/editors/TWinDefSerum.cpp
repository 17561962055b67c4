#include "TWinDefSerum.h"

#include "TDialogService.h"
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

QPushButton* Button(const QString& caption, const char* name, const QRect& geometry, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QLabel* ColumnHead(const QString& caption, const QRect& geometry, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
    label->setPalette(palette);
    return label;
}

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

    ColumnHead(QStringLiteral(" Control material"), { 8, 8, 128, 16 }, this);
    ColumnHead(QStringLiteral(" Lot"), { 138, 8, 130, 16 }, this);
    LBSerum = new QListWidget(this);
    LBSerum->setObjectName(QStringLiteral("LBSerum"));
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

    auto* name = new QLabel(QStringLiteral("&Name (15 characters max)"), this);
    name->setGeometry(280, 26, 200, 16);
    EditNom = new QLineEdit(this);
    EditNom->setObjectName(QStringLiteral("EditNom"));
    EditNom->setMaxLength(TSerum::NameCapacity);
    EditNom->setGeometry(280, 44, 130, 22);
    name->setBuddy(EditNom);
    auto* lot = new QLabel(QStringLiteral("&Lot (10 characters max)"), this);
    lot->setGeometry(280, 72, 200, 16);
    EditLot = new QLineEdit(this);
    EditLot->setObjectName(QStringLiteral("EditLot"));
    EditLot->setMaxLength(TSerum::LotCapacity);
    EditLot->setGeometry(280, 90, 100, 22);
    lot->setBuddy(EditLot);

    BtAjouter = Button(QStringLiteral("&Add to list"), "BtAjouter", { 280, 124, 272, 26 }, this);
    BtReplace
        = Button(QStringLiteral("&Change only the definition of materials"), "BtReplace", { 280, 154, 272, 26 }, this);
    BtErase = Button(QStringLiteral("Change and &erase former data"), "BtErase", { 280, 184, 272, 26 }, this);
    BtClear = Button(QStringLiteral("&Clear fields"), "BtClear", { 280, 214, 134, 26 }, this);
    BtSupprimer = Button(QStringLiteral("&Delete material"), "BtSupprimer", { 418, 214, 134, 26 }, this);
    BtUsedIn = Button(QStringLiteral("&Material used by"), "BtUsedIn", { 280, 244, 272, 26 }, this);
    BtOK = Button(QStringLiteral("OK"), "BtOK", { 8, 300, 90, 30 }, this);
    BtCancel = Button(QStringLiteral("Cancel"), "BtCancel", { 104, 300, 90, 30 }, this);
    BtDefaire = Button(QStringLiteral("&Undo"), "BtDefaire", { 200, 300, 90, 30 }, this);
    BtCle = new TKeyButton(context, dialogs, this);
    BtCle->setGeometry(512, 292, 40, 40);
    BtCle->Protect({ BtErase });

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
    for (const QString& error : result.ArchiveErrors)
        m_dialogs.Error(error, mbOK, this);
    if (!result.Saved)
        m_dialogs.Error(QString::fromLatin1(TStorage::MsgCannotSaveData), mbYes, this);
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

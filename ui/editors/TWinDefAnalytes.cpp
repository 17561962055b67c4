#include "TWinDefAnalytes.h"
#include "TAnalyte.h"
#include "TEditorMessages.h"

#include "TColors.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TDragList.h"
#include "TFileLog.h"
#include "TFonts.h"
#include "TKeyButton.h"
#include "TQCContext.h"
#include "TStorage.h"
#include "TTabListDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

const QList<int> TWinDefAnalytes::TabStops { 125, 155, 210, 250 };
// As the laboratories know them, odd entries included: a laboratory may have chosen one.
const QStringList TWinDefAnalytes::Units { QStringLiteral("mmol/L"), QString::fromUtf8("\u00b5mol/L"),
    QStringLiteral("nmol/L"), QStringLiteral("g/L"), QStringLiteral("mg/L"), QString::fromUtf8("\u00b5g/L"),
    QStringLiteral("ng/L"), QStringLiteral("U/L"), QStringLiteral("mULl"), QString::fromUtf8("\u00b5U/L"),
    QStringLiteral("%") };

TWinDefAnalytes::TWinDefAnalytes(TQCContext& context, TDialogService& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_editor(context)
{
    setObjectName(QStringLiteral("TWinDefAnalytes"));
    setFont(WindowFont());
    setWindowTitle(QStringLiteral("Definition of analytes"));
    setFixedSize(560, 380);

    MakePanel(this, QRect(8, 8, 123, 16), Colors::Navy, Colors::Yellow, QStringLiteral(" Analyte"), TPanelFrame::Flat);
    MakePanel(this, QRect(133, 8, 28, 16), Colors::Navy, Colors::Yellow, QStringLiteral(" QC"), TPanelFrame::Flat);
    MakePanel(this, QRect(163, 8, 53, 16), Colors::Navy, Colors::Yellow, QStringLiteral(" Unit"), TPanelFrame::Flat);
    MakePanel(this, QRect(218, 8, 70, 16), Colors::Navy, Colors::Yellow, QStringLiteral(" Dec."), TPanelFrame::Flat);
    LBox = Named(new TDragList(this), "LBox");
    LBox->setGeometry(8, 26, 280, 300);
    LBox->setUniformItemSizes(true);
    LBox->setItemDelegate(new TTabListDelegate(TabStops, ItemHeight, LBox));
    LBox->OnDrop = [this](int target) { LBoxDragDrop(target); };
    LBox->installEventFilter(this);
    // A line picked with the mouse or the arrow keys fills the fields; a line selected by a command does not.
    connect(LBox, &QListWidget::itemClicked, this, &TWinDefAnalytes::LBClick);
    connect(LBox, &QListWidget::currentRowChanged, this, [this] {
        if (LBox->hasFocus())
            LBClick();
    });

    // Each note stands right of its field, clear of the longest text the field takes.
    auto field = [this](const QString& caption, const QString& note, QWidget* edit, int top, int width = 80) {
        MakeLabel(this, 300, top + 3, caption)->setBuddy(edit);
        edit->setGeometry(354, top, width, 22);
        MakeLabel(this, 354 + width + 4, top + 3, note);
    };
    EditNom = Named(new QLineEdit(this), "EditNom");
    EditNom->setMaxLength(TAnalyte::NameCapacity);
    field(QStringLiteral("Na&me"), QStringLiteral("(15 characters max)"), EditNom, 26, 96);
    SELevels = Named(new QSpinBox(this), "SELevels");
    SELevels->setRange(1, MaxLevels);
    field(QStringLiteral("QC le&vels"), QStringLiteral("(1 to 3)"), SELevels, 54);
    CBUnite = Named(new QComboBox(this), "CBUnite");
    CBUnite->setEditable(true);
    CBUnite->setInsertPolicy(QComboBox::NoInsert);
    CBUnite->addItems(Units);
    CBUnite->lineEdit()->setMaxLength(TAnalyte::UnitsCapacity);
    field(QStringLiteral("Un&it"), QStringLiteral("(6 chararcters max)"), CBUnite, 82);
    SEDecim = Named(new QSpinBox(this), "SEDecim");
    SEDecim->setRange(0, 3);
    field(QStringLiteral("De&cimals"), QStringLiteral("(0 to 3)"), SEDecim, 110);

    BtAjouter = Named(MakeButton(this, QRect(300, 146, 125, 27), QStringLiteral("&Add to list")), "BtAjouter");
    BtCorriger = Named(MakeButton(this, QRect(430, 146, 125, 27), QStringLiteral("&Replace in list")), "BtCorriger");
    BtClear = Named(MakeButton(this, QRect(300, 178, 125, 27), QStringLiteral("Reset &fields")), "BtClear");
    BtSupprimer = Named(MakeButton(this, QRect(430, 178, 125, 27), QStringLiteral("&Delete analyte")), "BtSupprimer");
    BtTop = Named(MakeButton(this, QRect(300, 222, 60, 27), QStringLiteral("T&op")), "BtTop");
    BtUp = Named(MakeButton(this, QRect(365, 222, 60, 27), QStringLiteral("U&p")), "BtUp");
    BtDown = Named(MakeButton(this, QRect(430, 222, 60, 27), QStringLiteral("Do&wn")), "BtDown");
    BtBottom = Named(MakeButton(this, QRect(495, 222, 60, 27), QStringLiteral("&Bottom")), "BtBottom");
    BtSort = Named(MakeButton(this, QRect(300, 254, 255, 27), QStringLiteral("&Sort analytes by names")), "BtSort");
    BtOK = Named(MakeButton(this, QRect(8, 340, 90, 30), QStringLiteral("OK")), "BtOK");
    BtCancel = Named(MakeButton(this, QRect(104, 340, 90, 30), QStringLiteral("Cancel")), "BtCancel");
    BtDefaire = Named(MakeButton(this, QRect(200, 340, 90, 30), QStringLiteral("&Undo")), "BtDefaire");
    BtCle = new TKeyButton(context, dialogs, this);
    BtCle->setGeometry(515, 330, 40, 40);
    BtCle->Protect({ BtSupprimer });
    // Return in a field presses no button.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    connect(BtAjouter, &QPushButton::clicked, this, &TWinDefAnalytes::BtAjouterClick);
    connect(BtCorriger, &QPushButton::clicked, this, &TWinDefAnalytes::BtCorrigerClick);
    connect(BtClear, &QPushButton::clicked, this, &TWinDefAnalytes::BtClearClick);
    connect(BtSupprimer, &QPushButton::clicked, this, &TWinDefAnalytes::BtSupprimerClick);
    connect(BtTop, &QPushButton::clicked, this, &TWinDefAnalytes::BtMoveTopClick);
    connect(BtUp, &QPushButton::clicked, this, &TWinDefAnalytes::BtUpClick);
    connect(BtDown, &QPushButton::clicked, this, &TWinDefAnalytes::BtDownClick);
    connect(BtBottom, &QPushButton::clicked, this, &TWinDefAnalytes::BtMoveBottomClick);
    connect(BtSort, &QPushButton::clicked, this, &TWinDefAnalytes::BtSortClick);
    connect(BtOK, &QPushButton::clicked, this, &TWinDefAnalytes::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtDefaire, &QPushButton::clicked, this, &TWinDefAnalytes::BtDefaireClick);
}

void TWinDefAnalytes::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinDefAnalytes::FormActivate()
{
    BtCle->Reset();
    BtDefaireClick();
}

void TWinDefAnalytes::BtDefaireClick()
{
    m_editor.Load();
    FillList(-1);
    BtClearClick();
}

void TWinDefAnalytes::FillList(int selected)
{
    LBox->clear();
    for (int i = 0; i < m_editor.Count(); ++i)
        LBox->addItem(m_editor.Line(i).Text());
    LBox->setCurrentRow(selected);
}

TAnalyteFields TWinDefAnalytes::Fields() const
{
    return { EditNom->text(), SELevels->value(), CBUnite->currentText(), SEDecim->value() };
}

void TWinDefAnalytes::BtClearClick()
{
    const TAnalyteFields defaults;
    EditNom->clear();
    SELevels->setValue(defaults.Levels);
    CBUnite->setEditText(defaults.Units);
    SEDecim->setValue(defaults.Decimals);
    EditNom->setFocus();
}

int TWinDefAnalytes::SelectedLine(const QString& missing, int buttons)
{
    const int row = LBox->currentRow();
    if (row < 0 || row >= m_editor.Count() || !LBox->currentItem()->isSelected()) {
        m_dialogs.Error(missing, buttons, this);
        return -1;
    }
    return row;
}

void TWinDefAnalytes::BtAjouterClick()
{
    const TEditResult result = m_editor.Add(Fields());
    if (!result.Ok()) {
        m_dialogs.Error(result.Text, mbOK, this);
        return;
    }
    FillList(m_editor.Count() - 1);
    BtClearClick();
}

void TWinDefAnalytes::LBClick()
{
    const int row = LBox->currentRow();
    if (row < 0 || row >= m_editor.Count())
        return;
    const TAnalyteFields& fields = m_editor.Line(row).Fields;
    EditNom->setText(fields.Name);
    CBUnite->setEditText(fields.Units);
    SEDecim->setValue(fields.Decimals);
    SELevels->setValue(fields.Levels);
}

void TWinDefAnalytes::BtCorrigerClick()
{
    const int row = SelectedLine(QStringLiteral("Select the analyte to replace"), mbOK);
    if (row < 0)
        return;
    const TEditResult result = m_editor.Replace(row, Fields());
    if (result.Kind == TEditResult::LevelsHoldData) {
        m_dialogs.Error(result.Text, mbYes, this);
        SELevels->setValue(m_editor.Line(row).Analyte->NbLevels);
        return;
    }
    if (!result.Ok()) {
        m_dialogs.Error(result.Text, mbOK, this);
        return;
    }
    FillList(row);
    BtClearClick();
}

void TWinDefAnalytes::BtSupprimerClick()
{
    const int row = SelectedLine(QStringLiteral("Select the analyte to delete"), mbOK);
    if (row < 0)
        return;
    if (!m_dialogs.Ask(EditorMessages::ConfirmAnalyteDeletion, this, m_editor.Line(row).Fields.Name))
        return;
    m_editor.Delete(row);
    FillList(-1);
    BtClearClick();
}

void TWinDefAnalytes::Move(int (TAnalyteEditor::*move)(int))
{
    const int row = SelectedLine(QStringLiteral("Select the analyte to move"), mbYes);
    if (row >= 0)
        FillList((m_editor.*move)(row));
}

void TWinDefAnalytes::BtMoveTopClick() { Move(&TAnalyteEditor::MoveTop); }
void TWinDefAnalytes::BtMoveBottomClick() { Move(&TAnalyteEditor::MoveBottom); }
void TWinDefAnalytes::BtUpClick() { Move(&TAnalyteEditor::MoveUp); }
void TWinDefAnalytes::BtDownClick() { Move(&TAnalyteEditor::MoveDown); }

void TWinDefAnalytes::LBoxDragDrop(int target)
{
    const int source = LBox->currentRow();
    if (source >= 0 && source < m_editor.Count() && target >= 0 && target < m_editor.Count())
        FillList(m_editor.Drop(source, target));
}

void TWinDefAnalytes::BtSortClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int row = LBox->currentRow();
    const QString selected = row >= 0 && row < m_editor.Count() ? m_editor.Line(row).Fields.Name : QString();
    m_editor.Sort();
    // The selected line stays selected where the sort put it (names are unique).
    int follow = -1;
    for (int i = 0; i < m_editor.Count() && !selected.isEmpty(); ++i)
        if (m_editor.Line(i).Fields.Name == selected)
            follow = i;
    FillList(follow);
    QApplication::restoreOverrideCursor();
}

void TWinDefAnalytes::BtOKClick()
{
    const TApplyResult result = m_editor.Apply();
    m_dialogs.ReportApply(result, this);
    accept();
}

bool TWinDefAnalytes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LBox && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete
        && BtSupprimer->isEnabled()) {
        BtSupprimerClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

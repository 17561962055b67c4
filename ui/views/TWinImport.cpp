#include "TWinImport.h"
#include "TAnalyte.h"
#include "TViewMessages.h"

#include "TArchive.h"
#include "TColors.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TKeyButton.h"
#include "TQCContext.h"
#include "TQCText.h"
#include "TTabListDelegate.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>

namespace {
const QList<int> TabStops { 80, 160, 240, 320, 400 };

QLabel* ColumnHead(const QString& caption, int left, QWidget* parent)
{
    return MakePanel(parent, QRect(left, 4, 78, 16), Colors::Navy, Qt::yellow, caption, TPanelFrame::Flat);
}
} // namespace

bool ClipboardQCText(const QMimeData* data, QString& text)
{
    if (!data)
        return false;
    for (const QString& format : { QStringLiteral("text/plain;charset=utf-8"), QStringLiteral("text/plain") }) {
        if (!data->hasFormat(format))
            continue;
        const QByteArray bytes = data->data(format);
        if (bytes.isEmpty())
            continue;
        text = DecodeQCTextBytes(bytes);
        return true;
    }
    if (!data->hasText())
        return false;
    text = data->text();
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return true;
}

TWinImport::TWinImport(TQCContext& context, TDialogService& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TWinImport"));
    setFont(WindowFont());
    setFixedSize(418, 443);
    LblDate = ColumnHead(QStringLiteral("Date"), 4, this);
    LblOperator = ColumnHead(QStringLiteral("Time"), 84, this);
    lblCQ1 = ColumnHead(QStringLiteral("QC1"), 164, this);
    LblCQ2 = ColumnHead(QStringLiteral("QC2"), 244, this);
    LblCQ3 = ColumnHead(QStringLiteral("QC3"), 324, this);

    LB = new QListWidget(this);
    LB->setObjectName(QStringLiteral("LB"));
    LB->setGeometry(4, 22, 410, 360);
    LB->setUniformItemSizes(true);
    LBDrawItem = new TTabListDelegate(TabStops, LineHeight, LB);
    // The lines keep their colours under the selection: the list only shows what will be added.
    LBDrawItem->SetShowSelection(false);
    LB->setItemDelegate(LBDrawItem);

    BtAdd = new QPushButton(this);
    BtAdd->setObjectName(QStringLiteral("BtAdd"));
    BtAdd->setGeometry(50, 396, 258, 33);
    connect(BtAdd, &QPushButton::clicked, this, &TWinImport::BtAddClick);

    BitBtn1 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(314, 396, 100, 33);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    BtCle = new TKeyButton(context, dialogs, this);
    BtCle->setGeometry(4, 392, 40, 40);
    BtCle->Protect({ BtAdd });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TWinImport::~TWinImport() = default;

void TWinImport::ClearPending()
{
    LB->clear();
    m_pendingResults.clear();
}

void TWinImport::LoadText(const QString& text)
{
    ClearPending();
    const int decimals = m_context.CurrentAnalyte ? m_context.CurrentAnalyte->Decimals : 0;
    const QList<TQCTextLine> lines = ReadQCText(text, decimals);
    m_pendingResults.reserve(size_t(lines.size()));
    for (const TQCTextLine& line : lines) {
        LB->addItem(line.Display);
        m_pendingResults.push_back(line.Result);
    }
}

bool TWinImport::PasteFromClipboard()
{
    setWindowTitle(QStringLiteral("ClipBoard contents"));
    QString text;
    if (!ClipboardQCText(QGuiApplication::clipboard()->mimeData(), text)) {
        ClearPending();
        LB->addItem(QStringLiteral("Nothing to paste from the clipboard"));
        return false;
    }
    LoadText(text);
    return true;
}

void TWinImport::ShowImportedText(const QString& text)
{
    setWindowTitle(QStringLiteral("Imported file contents"));
    LoadText(text);
}

void TWinImport::CopyToClipboard(const TAnalyte* analyte, TDialogService& dialogs, QWidget* parent)
{
    if (!analyte) {
        dialogs.Show(ViewMessages::NothingToCopy, parent);
        return;
    }
    QGuiApplication::clipboard()->setText(AsText(*analyte));
    dialogs.Show(ViewMessages::CopiedToClipboard, parent, analyte->Name.left(28));
}

void TWinImport::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinImport::FormActivate()
{
    BtCle->Reset();
    const QString name = m_context.CurrentAnalyte ? m_context.CurrentAnalyte->Name : QString();
    BtAdd->setText(QStringLiteral("&Add the QC data to ") + name);
}

void TWinImport::BtAddClick()
{
    TAnalyte* analyte = m_context.CurrentAnalyte;
    if (!analyte) {
        reject();
        return;
    }
    if (analyte->Count() > 0 && !m_dialogs.Ask(ViewMessages::ImportAddToPoints, this)) {
        reject();
        return;
    }
    AddImportedResults(*analyte, m_pendingResults, m_context.Risks());
    accept();
}

#include "TWinShowArchive.h"
#include "TKitMessages.h"

#include "TArchiveReport.h"
#include "TControls.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TPrintCanvas.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TTabListDelegate.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TWinShowArchive::TWinShowArchive(
    TQCContext& context, TDialogService& dialogs, TPrinterService& printers, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("TWinShowArchive"));
    setFont(WindowFont());
    setFixedSize(550, 386);
    const QColor navy(0, 0, 128);
    const QColor info(255, 255, 225);
    int left = 8;
    for (const auto& [text, width] :
        { std::pair { "Date", 58 }, { "Time", 58 }, { "Result", 58 }, { "Operator", 48 }, { "Comment", 148 } }) {
        MakePanel(this, QRect(left, 8, width, 18), navy, Qt::yellow, QString::fromLatin1(text), TPanelFrame::Flat);
        left += width + 2;
    }
    LB = Named(new QListWidget(this), "LB");
    LB->setGeometry(8, 28, 380, 350);
    LB->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LB->setItemDelegate(new TTabListDelegate({ 60, 120, 180, 230 }, 13, LB));
    static_cast<TTabListDelegate*>(LB->itemDelegate())->SetShowSelection(false);

    PanelControlMaterial = Named(MakePanel(this, QRect(396, 8, 146, 24), navy, Qt::yellow), "PanelControlMaterial");
    auto field = [&](const char* name, const QString& caption, int top, int width = 76) {
        MakeLabel(this, 396, top + 3, caption);
        return Named(MakePanel(this, QRect(466, top, width, 22), info, Qt::black), name);
    };
    LblLot = field("LblLot", QStringLiteral("Lot :"), 44);
    LblDateFrom = field("LblDateFrom", QStringLiteral("Beginning :"), 72);
    LblDateTo = field("LblDateTo", QStringLiteral("End :"), 100);
    LblMean = field("LblMean", QStringLiteral("Mean :"), 128);
    LblUnite = Named(
        MakePanel(this, QRect(466, 152, 76, 18), palette().color(QPalette::Window), Qt::black, {}, TPanelFrame::Flat),
        "LblUnite");
    // The CV's panel leaves room for its "%" inside the window.
    LblCV = field("LblCV", QStringLiteral("CV :"), 176, 62);
    MakeLabel(this, 532, 179, QStringLiteral("%"));
    LblNbre = field("LblNbre", QStringLiteral("N :"), 204);
    BtImprimer = Named(MakeButton(this, QRect(396, 300, 146, 30), QStringLiteral("&Print")), "BtImprimer");
    BtImprimer->setToolTip(QStringLiteral("Print"));
    BtOK = Named(MakeButton(this, QRect(396, 340, 146, 30), QStringLiteral("OK"), QStringLiteral("ok")), "BtOK");
    connect(BtImprimer, &QPushButton::clicked, this, &TWinShowArchive::BtImprimerClick);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
}

TWinShowArchive::~TWinShowArchive() = default;

void TWinShowArchive::SetArchive(const QString& analyteName, const TArchiveList::TEntry& archive)
{
    m_analyteName = analyteName;
    m_archive = archive;
    setWindowTitle(QStringLiteral("Archived data for ") + analyteName);
    LblUnite->setText(archive.Lines.value(1));
    LB->clear();
    LB->addItems(archive.PointLines());
    const QStringList fields = archive.Summary().split(QChar('\t'));
    for (const auto& [label, index] : { std::pair { LblDateFrom, 0 }, { LblDateTo, 1 }, { PanelControlMaterial, 2 },
             { LblLot, 3 }, { LblMean, 4 }, { LblCV, 5 }, { LblNbre, 6 } })
        label->setText(fields.value(index));
}

void TWinShowArchive::BtImprimerClick()
{
    std::unique_ptr<TPrintCanvas> canvas = m_printers.ChoosePrinter(
        { QString(), m_analyteName, QStringLiteral("archive"), m_context.Clock().Now().date() }, this);
    if (canvas
        && PrintReportTable(
               *canvas, ArchiveReportTable(m_analyteName, m_archive), QString(), m_context.Clock().TodayDays())
            == TPrintOutcome::DeviceFailed)
        m_dialogs.Show(KitMessages::PrintingFailed, this);
}

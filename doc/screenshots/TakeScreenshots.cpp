// Takes the pictures of the user manual from the program's own windows: a first
// start in an empty folder on the demonstration data, the windows a user meets
// along the way, and a small chart for each Westgard rule. Run it through
// scripts/take-screenshots.sh, which gives it a display (Xvfb).
#include "TAnalyte.h"
#include "TChartGeometry.h"
#include "TDialogService.h"
#include "TLimitSheets.h"
#include "TPaintBox.h"
#include "TProgram.h"
#include "TQCContext.h"
#include "TShape.h"
#include "TWinArchives.h"
#include "TWinComment.h"
#include "TWinDefAnalytes.h"
#include "TWinMain.h"
#include "TWinShowData.h"
#include "TWinSigma.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <cmath>

namespace {

QDir Target;
bool Failed = false;

void Settle(int milliseconds)
{
    for (int i = 0; i < milliseconds / 10; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

void Grab(QWidget& widget, const QString& name)
{
    if (!widget.grab().save(Target.filePath(name))) {
        QTextStream(stderr) << "Cannot write " << Target.filePath(name) << '\n';
        Failed = true;
    }
}

void Save(QWidget& widget, const QString& name)
{
    widget.show();
    widget.raise();
    Settle(200);
    Grab(widget, name);
}

// The main window with its queue light in the lit phase of its blinking (the
// light stays green while no run waits).
void SaveMain(TWinMain& main, const QString& name)
{
    main.show();
    main.raise();
    Settle(200);
    const auto lit = [&main] {
        const QColor colour = main.ShapeFifo->BrushColor();
        return colour.red() > 180 && colour.green() < 100;
    };
    // Just after the light turns on, so that it is still on when grabbed.
    for (const bool wanted : { false, true })
        for (int i = 0; i < 100 && main.TimerBtFifo->isActive() && lit() != wanted; ++i)
            Settle(10);
    Settle(20);
    Grab(main, name);
}

// The real program's windows, each photographed when the program runs it; every
// window is then left with Cancel (or once with OK, when asked) and every box
// answered with its first button.
class TPhotoDialogs : public TQtDialogService {
public:
    QString Next; // the picture name for the next modal window, none when empty
    std::function<void(QDialog&)> Then; // done in that window after its picture
    bool AcceptNext = false; // the next modal window is left with OK
    int MessageBox(TMsgType, const QString&, int buttons, QWidget* = nullptr) override
    {
        for (int b : { mbOK, mbYes, mbCancel, mbNo })
            if (buttons & b)
                return b;
        return mbOK;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    int Exec(QDialog& dialog) override
    {
        if (!Next.isEmpty())
            Save(dialog, Next);
        Next.clear();
        if (const auto then = std::exchange(Then, nullptr))
            then(dialog);
        dialog.hide();
        return std::exchange(AcceptNext, false) ? QDialog::Accepted : QDialog::Rejected;
    }
};

// A small control chart for one Westgard rule: the mean, the 1, 2 and 3 SD lines,
// a run of points in SD units, the points that break the rule in red.
void DrawRule(const QString& name, const QList<double>& z, int firstBreaking)
{
    const int w = 240, h = 120, left = 34, step = (w - left - 10) / qMax(1, int(z.size()) - 1);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    auto y = [&](double sd) { return h / 2.0 - sd * (h - 16) / 8.0; };
    const QList<QPair<double, QColor>> lines = { { 0, QColor(0, 128, 0) }, { 1, QColor(190, 190, 190) },
        { -1, QColor(190, 190, 190) }, { 2, QColor(224, 176, 0) }, { -2, QColor(224, 176, 0) },
        { 3, QColor(208, 0, 0) }, { -3, QColor(208, 0, 0) } };
    for (const auto& [sd, colour] : lines) {
        p.setPen(QPen(colour, 1));
        p.drawLine(QPointF(left, y(sd)), QPointF(w - 4, y(sd)));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y(sd) - 7, left - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
            sd == 0 ? QStringLiteral("m") : QStringLiteral("%1s").arg(sd, 0, 'f', 0));
    }
    p.setPen(QPen(QColor(0, 0, 128), 1.5));
    for (int i = 1; i < z.size(); ++i)
        p.drawLine(QPointF(left + 8 + (i - 1) * step, y(z[i - 1])), QPointF(left + 8 + i * step, y(z[i])));
    for (int i = 0; i < z.size(); ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(i >= firstBreaking ? QColor(220, 0, 0) : QColor(0, 160, 0));
        p.drawEllipse(QPointF(left + 8 + i * step, y(z[i])), 4, 4);
    }
    p.end();
    if (!image.save(Target.filePath(name)))
        Failed = true;
}

void DrawRules()
{
    DrawRule("rule-1-2s.png", { 0.3, -0.6, 0.9, -0.2, 0.4, 2.4 }, 5);
    DrawRule("rule-1-3s.png", { 0.3, -0.6, 0.9, -0.2, 0.4, 3.3 }, 5);
    DrawRule("rule-2-2s.png", { 0.3, -0.6, 0.9, -0.2, 2.3, 2.5 }, 4);
    DrawRule("rule-r-4s.png", { 0.3, -0.6, 0.9, 0.2, -2.2, 2.3 }, 4);
    DrawRule("rule-4-1s.png", { 0.3, -0.6, 1.3, 1.6, 1.2, 1.4 }, 2);
    DrawRule("rule-10-m.png", { -0.4, 0.3, 0.5, 0.2, 0.8, 0.4, 0.6, 0.3, 0.9, 0.5, 0.2, 0.7 }, 2);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel"));
    if (argc < 2) {
        QTextStream(stderr) << "Usage: vantorel-screenshots FOLDER\n";
        return 1;
    }
    Target = QDir(QString::fromLocal8Bit(argv[1]));
    Target.mkpath(QStringLiteral("."));
    DrawRules();

    QTemporaryDir folder;
    TQCContext context;
    TPhotoDialogs dialogs;
    TProgram program(context, dialogs, folder.path());
    program.SplashMilliseconds = 0;
    dialogs.Next = QStringLiteral("setup.png"); // a first start offers the shortcuts
    if (!program.Start())
        return 1;
    dialogs.Next = QStringLiteral("about.png");
    if (!program.ShowMain())
        return 1;
    TWinMain& main = *program.MainWindow();
    main.move(0, 0);
    main.LBAnalytes->setCurrentRow(0);
    main.LBAnalytesClick();
    SaveMain(main, QStringLiteral("main.png"));

    // A run of the first analyte whose first level lies beyond its warning limit.
    const TAnalyte* analyte = context.CurrentAnalyte;
    for (int level = 0; analyte && level < analyte->NbLevels; ++level) {
        const TLevelStats& s = analyte->ReferenceStats[level];
        const double value = s.Mean + (level == 0 ? 1.25 : 0.2) * s.WarningHalfWidth;
        main.EditValue[level]->setText(QString::number(value, 'f', analyte->Decimals));
    }
    if (main.CBOperator->count() > 0)
        main.CBOperator->setCurrentIndex(0);
    else
        main.CBOperator->setEditText(QStringLiteral("JM")); // a first start has no operator codes yet
    SaveMain(main, QStringLiteral("entry.png"));
    dialogs.Next = QStringLiteral("validation.png");
    main.BtOKEnter->click(); // Cancel in the validation window holds the run in the queue
    SaveMain(main, QStringLiteral("queue.png"));

    // The Lock and Fix sheets as their menu items open them, each left with Cancel.
    const QList<QAction*> sheets = { main.MnuLockLimits, main.MnuFixLimits };
    for (int sheet = 0; sheet < sheets.size(); ++sheet) {
        sheets[sheet]->trigger();
        SaveMain(main, QStringLiteral("sheet-%1.png").arg(sheet + 1));
        main.Sheets->BtCancelLockFixArchiClick();
    }

    const QList<QPair<QAction*, QString>> windows = { { main.MnuOperators, "operators.png" },
        { main.MnuPsw, "password.png" }, { main.MnuControlMaterials, "materials.png" },
        { main.MnuOptions, "options.png" }, { main.MnuRisks, "risks.png" }, { main.MnuRandomGenerator, "random.png" } };
    for (const auto& [action, name] : windows) {
        dialogs.Next = name;
        action->trigger();
    }
    dialogs.Next = QStringLiteral("lots.png");
    main.BtAffectation->click();
    dialogs.Next = QStringLiteral("print-charts.png");
    main.BtPrnGraph->click();

    // The longest name an analyte may have, typed in the analyte editor.
    dialogs.Then = [](QDialog& dialog) {
        dialog.show();
        static_cast<TWinDefAnalytes&>(dialog).EditNom->setText(QStringLiteral("Cholesterol HDL"));
        Save(dialog, QStringLiteral("analytes.png"));
    };
    main.MnuAnalytes->trigger();

    // Today's run of the first analyte carries an operator and a comment.
    if (TAnalyte* first = context.CurrentAnalyte; first && first->Count() > 0) {
        TQCPoint& last = first->Point(first->Count() - 1);
        last.SetOperator(QStringLiteral("JM"));
        last.CommentID = first->Comments.Add(QStringLiteral("New reagent lot"));
    }
    // The first analyte's quality goals (a total allowable error of 10 %), its sigma and rules.
    dialogs.Then = [](QDialog& dialog) {
        auto& sigma = static_cast<TWinSigma&>(dialog);
        dialog.show();
        for (QLineEdit* edit : sigma.EditTEa)
            edit->setText(QStringLiteral("10"));
        sigma.BtCompute->click();
        Save(dialog, QStringLiteral("sigma.png"));
    };
    main.MnuSigma->trigger();

    // The views of the first analyte: its limits, its data (the latest run chosen, with its
    // operator and comment), the day's QC and a point's pop-up.
    dialogs.Next = QStringLiteral("limits.png");
    main.BtLimits->click();
    dialogs.Then = [](QDialog& dialog) {
        QListWidget* lines = static_cast<TWinShowData&>(dialog).LB;
        dialog.show();
        lines->setCurrentRow(lines->count() - 1);
        lines->scrollToBottom();
        Save(dialog, QStringLiteral("data-table.png"));
    };
    main.BtData->click();
    dialogs.Next = QStringLiteral("daily.png");
    main.BtDaily->click();
    if (analyte && main.WinComment) {
        const int index = analyte->Count() - 1;
        const QPointF at(PointX(index, main.ChartView().First), CommentIconY(analyte->NbLevels) + 40);
        QMouseEvent press(
            QEvent::MouseButtonPress, at, main.PBox->mapToGlobal(at), Qt::RightButton, Qt::RightButton, {});
        QApplication::sendEvent(main.PBox, &press);
        Save(*main.WinComment, QStringLiteral("popup.png"));
        main.WinComment->hide();
    }

    // The second analyte's first level erased into an archive, then its archives and that archive.
    main.LBAnalytes->setCurrentRow(1);
    main.LBAnalytesClick();
    main.MnuEraseLevels->trigger();
    main.Sheets->BtArchiClick(0);
    SaveMain(main, QStringLiteral("sheet-3.png"));
    main.Sheets->BtOKErase->click();
    dialogs.Next = QStringLiteral("archives.png");
    dialogs.Then = [&dialogs](QDialog& dialog) {
        auto& archives = static_cast<TWinArchives&>(dialog);
        archives.LBArchi->setCurrentRow(0);
        dialogs.Next = QStringLiteral("archive.png");
        archives.BtShowArchive->click();
    };
    main.BtArchives->click();

    // The run held back at the start recalled and accepted, then the audit trail of the session.
    dialogs.AcceptNext = true;
    main.BtFifo->click();
    dialogs.Next = QStringLiteral("audit.png");
    main.MnuAuditTrail->trigger();

    main.hide();
    program.Shutdown();
    return Failed ? 1 : 0;
}

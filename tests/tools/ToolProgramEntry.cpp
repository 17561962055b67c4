// The real program on a folder, entering runs through its entry form until it
// is killed or asked to end: ToolProgramEntry <folder>. Each run gets a date-time
// of its own (one minute apart from 2030-01-01, continuing after the runs the
// folder already holds); every fourth one is held back in the validation window,
// so it goes to the queue. After each run the program accepted, one line
// "ack <minutes>" (the run's date-time in minutes since 1899-12-30) is written
// and flushed. Used by the kill test; SIGTERM and SIGINT end it as Exit does.
#include "TAnalyte.h"
#include "TDates.h"
#include "TDialogService.h"
#include "TProgram.h"
#include "TQCContext.h"
#include "TWinMain.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <cmath>
#include <cstdio>

namespace {

// Accepts three runs in four in the validation window and every other window;
// boxes are written to stderr and answered with their first button.
class TToolDialogs : public TDialogService {
public:
    int MessageBox(TMsgType, const QString& text, int buttons, QWidget*) override
    {
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
        for (int button : { mbOK, mbYes, mbCancel, mbNo, mbRetry })
            if (buttons & button)
                return button;
        return mbOK;
    }
    int Exec(QDialog& dialog) override
    {
        if (dialog.objectName() == QLatin1String("TWinValidCQ") && ++m_validations % 4 == 0)
            return QDialog::Rejected;
        return QDialog::Accepted;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString ExistingFolder(QWidget*, const QString&, const QString&) override { return {}; }

private:
    int m_validations = 0;
};

qint64 Minutes(double dayCount) { return qint64(std::llround(dayCount * 1440)); }

// The first minute after every run the folder holds.
qint64 NextMinute(const TQCContext& context)
{
    qint64 next = Minutes(DateToDayCount(QDate(2030, 1, 1)));
    for (int i = 0; i < context.ListAnalytes.Count(); ++i) {
        const TAnalyte& a = context.ListAnalytes.Item(i);
        if (a.Count() > 0)
            next = std::max(next, Minutes(a.Point(a.Count() - 1).DateTime) + 1);
    }
    for (int i = 0; i < context.ListFifo.Count(); ++i)
        next = std::max(next, Minutes(context.ListFifo.Item(i).DateTime) + 1);
    return next;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ToolProgramEntry <folder>\n");
        return 2;
    }
    TQCContext context;
    TToolDialogs dialogs;
    TProgram program(context, dialogs, QString::fromLocal8Bit(argv[1]));
    program.SplashMilliseconds = 0;
    program.ScreenMetrics = [] { return TScreenMetrics { 1024, 768, 96 }; };
    qint64 minute = -1;
    QTimer drive;
    QObject::connect(&drive, &QTimer::timeout, [&] {
        TWinMain* w = program.MainWindow();
        TAnalyte* analyte = context.CurrentAnalyte;
        if (!w || !w->isVisible() || !analyte)
            return;
        if (minute < 0)
            minute = NextMinute(context);
        const QDateTime when = DayCountToDateTime(double(minute) / 1440);
        w->DatePicker->setDate(when.date());
        w->TimePicker->setTime(when.time());
        w->EditValue[0]->setText(QString::number(5 + (minute % 100) / 100.0));
        const int stored = analyte->Count(), queued = context.ListFifo.Count();
        w->BtOKEnter->click();
        if (analyte->Count() > stored || context.ListFifo.Count() > queued) {
            std::printf("ack %lld\n", minute);
            std::fflush(stdout);
        }
        ++minute;
    });
    drive.start(0);
    const int code = program.Run();
    std::printf("stopped %d\n", code);
    return code;
}

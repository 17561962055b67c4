// The real program on a folder, entering runs through its entry form until it
// is killed or asked to end: ToolProgramEntry <folder>. Each run has a minute of
// its own, after every run the folder holds; every fourth one is held back in
// the validation window and so goes to the queue. After each run the program
// took, "ack <minute>" (minutes since 1899-12-30) is written and flushed.
#include "TAnalyte.h"
#include "TDates.h"
#include "TProgram.h"
#include "TQCContext.h"
#include "TScriptedDialogs.h"
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

// Takes three runs in four, and every other window.
struct TToolDialogs : TScriptedDialogs {
    int validations = 0;
    int Exec(QDialog& dialog) override
    {
        const bool held = dialog.objectName() == "TWinValidCQ" && ++validations % 4 == 0;
        return held ? QDialog::Rejected : QDialog::Accepted;
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TQCContext context;
    TToolDialogs dialogs;
    TProgram program(context, dialogs, argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("."));
    program.SplashMilliseconds = 0;
    program.ScreenMetrics = [] { return TScreenMetrics { 1024, 768, 96 }; };
    qint64 minute = -1;
    QTimer drive;
    QObject::connect(&drive, &QTimer::timeout, [&] {
        TWinMain* w = program.MainWindow();
        TAnalyte* a = context.CurrentAnalyte;
        if (!w || !w->isVisible() || !a)
            return;
        const auto minuteOf = [](double dayCount) { return qint64(std::llround(dayCount * 1440)); };
        if (minute < 0) // after every run the folder holds
            minute = std::max(minuteOf(DateToDayCount(QDate(2030, 1, 1))),
                a->Count() ? minuteOf(a->Point(a->Count() - 1).DateTime) + 1 : 0);
        for (int i = 0; i < context.ListFifo.Count(); ++i)
            minute = std::max(minute, minuteOf(context.ListFifo.Item(i).DateTime) + 1);
        const QDateTime when = DayCountToDateTime(double(minute) / 1440);
        w->DatePicker->setDate(when.date());
        w->TimePicker->setTime(when.time());
        w->EditValue[0]->setText(QString::number(5 + (minute % 100) / 100.0));
        const int stored = a->Count(), queued = context.ListFifo.Count();
        w->BtOKEnter->click();
        if (a->Count() > stored || context.ListFifo.Count() > queued)
            std::printf("ack %lld\n", minute), std::fflush(stdout);
        ++minute;
    });
    drive.start(0);
    return program.Run();
}

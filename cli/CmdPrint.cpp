// vantorel-cli print data / charts / daily / limits: an analyte's QC data,
// control charts or limits, or one day's QC of all analytes, printed into a PDF file by the reports of the program's
// print windows. They read the program's files and write only the PDF, through a temporary file renamed once the
// document is complete: a failed print leaves no file.
#include "CliCommands.h"
#include "CliFiles.h"
#include "TAnalyte.h"

#include "TArchive.h"
#include "TArchiveReport.h"
#include "TChartReport.h"
#include "TDailyReport.h"
#include "TDataReport.h"
#include "TDates.h"
#include "TLimitsReport.h"
#include "TPdfCanvas.h"
#include "TQCContext.h"
#include "TQualityGoals.h"

#include <QFileInfo>
#include <functional>

namespace {

// What a print command prints from: the program's folder or one data file.
struct TPrintSource {
    TQCContext Context;
    TDataRead Data;
    const TListSerum* Serums = nullptr;
    const TAnalyte* Analyte = nullptr;
    QDate From;
    QDate To;
};

int Fail(QTextStream& err, const QString& command, const QString& reason) { return CliFail(err, command, reason); }

// Reads the program's folder or one data file; the analytes read, or null after
// one line on err.
const TListAnalytes* OpenFiles(const TCliArgs& args, const QString& command, TPrintSource& source, QTextStream& err)
{
    source.Serums = &source.Context.ListSerum;
    if (args.Has("data")) {
        QString error;
        if (!ReadDataFile(args.Text("data"), source.Data, &error)) {
            Fail(err, command, args.Text("data") + ": " + error);
            return nullptr;
        }
        source.Serums = &source.Data.Serums;
        return &source.Data.Analytes;
    }
    QString error;
    if (!OpenProgramFiles(args.Text("folder"), source.Context, &error)) {
        Fail(err, command, error);
        return nullptr;
    }
    return &source.Context.ListAnalytes;
}

// Reads the files and finds the analyte and the dates; false after one line on err.
bool OpenSource(const TCliArgs& args, const QString& command, TPrintSource& source, QTextStream& err)
{
    const TListAnalytes* analytes = OpenFiles(args, command, source, err);
    if (!analytes)
        return false;
    source.Analyte = analytes->FindByName(args.Text("analyte"));
    if (!source.Analyte) {
        Fail(err, command, "no analyte named " + args.Text("analyte"));
        return false;
    }
    // Without dates, the analyte's first and last points, as the windows open.
    const TAnalyte& a = *source.Analyte;
    const bool points = a.Count() > 0;
    source.From = args.Has("from") ? args.Options.value("from").toDate()
        : points                   ? DayCountToDate(a.Point(0).DateTime)
                                   : QDate();
    source.To = args.Has("to") ? args.Options.value("to").toDate()
        : points               ? DayCountToDate(a.Point(a.Count() - 1).DateTime)
                               : QDate();
    return true;
}

int PrintPdf(const TCliArgs& args, const QString& command, const std::function<TPrintOutcome(TPrintCanvas&)>& print,
    QTextStream& out, QTextStream& err)
{
    const QString file = args.Text("pdf");
    TPdfCanvas canvas(file);
    switch (print(canvas)) {
    case TPrintOutcome::Printed:
        out << file << '\n';
        return 0;
    case TPrintOutcome::NothingToPrint:
        return Fail(err, command, QStringLiteral("Nothing to print"));
    case TPrintOutcome::DeviceFailed:
        break;
    }
    return Fail(err, command, "cannot write " + file + ": " + canvas.ErrorString());
}

// The folder of the archive files: the program's, or the data file's own.
QString ArchiveFolder(const TCliArgs& args, const TPrintSource& source)
{
    return args.Has("data") ? QFileInfo(args.Text("data")).absolutePath() : source.Context.ProgramFolder();
}

} // namespace

int CmdPrintData(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("print data");
    TPrintSource s;
    if (!OpenSource(args, command, s, err))
        return 1;
    const TDataReportOptions options { s.From, s.To, !args.Has("no-statistics"),
        RulesInForce(*s.Analyte, GoalsFileName(args.Text("data"), s.Context)) };
    return PrintPdf(
        args, command,
        [&](TPrintCanvas& canvas) {
            return PrintDataReport(
                canvas, *s.Analyte, *s.Serums, options, s.Context.Risks(), s.Context.Clock().TodayDays());
        },
        out, err);
}

int CmdPrintCharts(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("print charts");
    TPrintSource s;
    if (!OpenSource(args, command, s, err))
        return 1;
    TChartReportOptions options { s.From, s.To, { true, true, true }, s.Context.Config.PrintInColour,
        !args.Has("no-statistics") };
    if (args.Has("colour") || args.Has("black-and-white"))
        options.Colour = args.Has("colour");
    if (args.Has("levels")) {
        options.Levels = { false, false, false };
        for (int level : args.Options.value("levels").value<QList<int>>()) {
            if (level > s.Analyte->NbLevels)
                return Fail(err, command,
                    QStringLiteral("level %1: %2 has %3 level(s)")
                        .arg(level)
                        .arg(s.Analyte->Name)
                        .arg(s.Analyte->NbLevels));
            options.Levels[size_t(level - 1)] = true;
        }
    }
    return PrintPdf(
        args, command,
        [&](TPrintCanvas& canvas) {
            return PrintChartReport(
                canvas, *s.Analyte, *s.Serums, options, s.Context.Risks(), s.Context.Clock().TodayDays());
        },
        out, err);
}

int CmdPrintDaily(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("print daily");
    TPrintSource s;
    const TListAnalytes* analytes = OpenFiles(args, command, s, err);
    if (!analytes)
        return 1;
    const QDate day = args.Options.value("date").toDate();
    return PrintPdf(
        args, command,
        [&](TPrintCanvas& canvas) { return PrintDailyReport(canvas, *analytes, day, s.Context.Clock().TodayDays()); },
        out, err);
}

int CmdPrintLimits(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("print limits");
    TPrintSource s;
    if (!OpenSource(args, command, s, err))
        return 1;
    return PrintPdf(
        args, command,
        [&](TPrintCanvas& canvas) {
            return PrintLimitsReport(canvas, *s.Analyte, *s.Serums, s.Context.Clock().TodayDays());
        },
        out, err);
}

int CmdPrintArchives(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("print archives");
    TPrintSource s;
    if (!OpenSource(args, command, s, err))
        return 1;
    const QList<TArchiveList::TEntry> archives = TArchiveList::Read(*s.Analyte, ArchiveFolder(args, s));
    if (archives.isEmpty())
        return Fail(err, command, QStringLiteral("Nothing to print"));
    const TPrintTableData table = ArchivesReportTable(s.Analyte->Name, archives);
    return PrintPdf(
        args, command,
        [&](TPrintCanvas& canvas) {
            return PrintReportTable(
                canvas, table, QStringLiteral("Printing QC archives"), s.Context.Clock().TodayDays());
        },
        out, err);
}

int CmdPrintArchive(const TCliArgs& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("print archive");
    bool isNumber = false;
    const qint32 number = args.Text("number").toInt(&isNumber);
    if (!isNumber || number <= 0)
        return Fail(err, command, "--number wants a positive archive number, not " + args.Text("number"));
    TPrintSource s;
    if (!OpenFiles(args, command, s, err))
        return 1;
    const QString folder = ArchiveFolder(args, s);
    TArchiveList::TEntry archive;
    if (!TArchiveList::ReadEntry(folder, number, archive))
        return Fail(err, command, "no readable archive " + ArchiveFileName(folder, number));
    const TPrintTableData table = ArchiveReportTable(archive.Lines.value(0), archive);
    return PrintPdf(
        args, command,
        [&](TPrintCanvas& canvas) { return PrintReportTable(canvas, table, QString(), s.Context.Clock().TodayDays()); },
        out, err);
}

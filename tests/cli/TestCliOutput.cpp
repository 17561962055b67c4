// The companion. What dump, export and evaluate print of the model folder, compared with what the
// program itself reads from the same files, numbers exactly; the print commands on the demonstration
// data, whose PDF reads back as the report it holds (laid out by the reports' own tests); each
// command line's status and first line (on standard output when it succeeds, else as the one line
// on standard error), and every help. No file is ever written.
#include "TAnalyte.h"
#include "TArchive.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TDates.h"
#include "TDemonstrationData.h"
#include "TFifo.h"
#include "TOperatorList.h"
#include "TPdfText.h"
#include "TSettings.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TV2Sample.h"
#include "TestHelpers.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct TCliRun {
    int Status = -1;
    QString Out;
    QString Err;
};

TCliRun RunCli(const QStringList& args)
{
    QProcess process;
    process.start(QString(VANTOREL_CLI), args);
    const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return { ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

// Names, sizes and modification times of a folder's files, to show nothing was written.
QStringList FolderState(const QString& path)
{
    QStringList state;
    for (const QFileInfo& info : QDir(path).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        state << QString("%1 %2 %3").arg(info.fileName()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    return state;
}

// A JSON value as compact text, so that a comparison shows both sides.
QString JsonText(const QJsonValue& value)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact));
}

// The sample model (2 control materials, Glucose with 3 points, Calcium with
// none) and two analytes for the Westgard rules saved in `folder`:
// "Sodium", three levels, QC1 and QC2 on mobile limits over ten values around
// 100 and 200 (SD 1.826 and 3.651), QC3 on fixed limits 50 +- 2 (warning) and 3
// (action); "Urea", one level of five values, rules switched off. The settings
// have risks 1 and 2 (2% alert), password "pw", backup folder "/media/usb" and
// the operator codes AB, ab, zed; the queue two results, the first one at a day
// count of 17 digits with singles that few digits would miss.
void MakeModelFolder(TQCContext& context, const QString& folder)
{
    context.SetProgramFolder(folder);
    LoadConfig(context);
    context.Config.AlertRisk = 1;
    context.Config.ActionRisk = 2;
    context.Config.Password = "pw";
    context.Config.BackupFolder = "/media/usb";
    for (const char* code : { "zed", "AB", "ab" })
        InsertSorted(context.ListOperators, code);
    FillSampleModel(context.ListSerum, context.ListAnalytes);
    TAnalyte& sodium = context.ListAnalytes.Add(TAnalyte("Sodium", "mmol/L", 1, 3));
    const double first = DateToDayCount(QDate(2026, 3, 1)) + 0.5;
    const double qc1[] = { 99, 101, 98, 102, 100, 99, 101, 100, 103, 97 };
    for (int i = 0; i < 10; ++i)
        sodium.AddPoint(MakeResult(first + i, qc1[i], 2 * qc1[i], 50));
    sodium.Options &= ~aoCommonCV;
    sodium.LimitMode[2] = lmFixed;
    sodium.ReferenceStats[2].Mean = 50;
    sodium.ReferenceStats[2].WarningHalfWidth = 2;
    sodium.ReferenceStats[2].ActionHalfWidth = 3;
    TAnalyte& urea = context.ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 2, 1));
    urea.Options &= ~aoWestgard;
    for (int i = 0; i < 5; ++i)
        urea.AddPoint(MakeResult(first + i, 5 + 0.1 * i));
    for (int i = 2; i < 4; ++i) {
        RecomputeAll(context.ListAnalytes.Item(i), context.Risks());
        ClassifyAll(context.ListAnalytes.Item(i));
    }
    TResu0 queued = MakeResult(46010.123456789012, 0.1, 16777215, 1.17549435e-38, "ab", "held back");
    queued.Analyte = "Glucose";
    context.ListFifo.Push(queued);
    queued = MakeResult(46011.5, 40.5);
    queued.Analyte = "Calcium";
    context.ListFifo.Push(queued);
    QVERIFY(SaveData(context, DataFileName(context)));
    QVERIFY(SaveConfig(context));
    context.ListFifo.SetFileName(context.BaseName() + ".fif");
    QVERIFY(context.ListFifo.Save());
}

// Statistics as dumped; the single CV as its dumped value when that reads back to it.
QJsonObject StatsJson(const QJsonValue& dumped, const TLevelStats& s)
{
    const QJsonValue cv = float(dumped["cv"].toDouble()) == s.CV ? dumped["cv"] : QJsonValue(s.CV);
    return { { "mean", s.Mean }, { "warning", s.WarningHalfWidth }, { "action", s.ActionHalfWidth }, { "min", s.Min },
        { "max", s.Max }, { "chartLow", s.ChartLow }, { "chartHigh", s.ChartHigh }, { "n", s.N },
        { "discarded", s.Discarded }, { "dof", s.DegreesOfFreedom }, { "cv", cv }, { "status", int(s.Status) } };
}

// A level of evaluate's verdict; its rules "none" but for the one named.
QJsonObject Level(int status, bool validated, const QString& rule = {}, const QString& outcome = {})
{
    QJsonObject rules;
    for (const char* name : { "1:2s", "1:3s", "2:2s", "R:4s", "4:1s", "10:m" })
        rules[name] = name == rule ? outcome : "none";
    return { { "status", status }, { "validated", validated }, { "discarded", false }, { "rules", rules } };
}

const char* const Evaluate = "evaluate --folder F --datetime 2026-03-20T08:00:00 --analyte";

// A command line (F and B stand for the model folder and its folder of damaged files, E for
// Evaluate, VERSION for the project's version), its status and its first line; "..." at the end:
// the line starts so.
const struct {
    const char* Name;
    const char* Line;
    int Status;
    const char* Answer;
} Answers[] = {
    // clang-format off
    { "help", "--help", 0, "Usage: vantorel-cli COMMAND [options]" },
    { "version", "--version", 0, "vantorel-cli VERSION" },
    { "no command", "", 1, "vantorel-cli: no command given (vantorel-cli --help lists them)" },
    { "unknown command", "frobnicate", 1, "vantorel-cli: unknown command frobnicate (vantorel-cli --help lists the commands)" },
    { "unknown option before the command", "--colour dump", 1, "vantorel-cli: Unknown option 'colour'." },
    { "unknown option", "dump --colour red", 1, "vantorel-cli dump: Unknown option 'colour'." },
    { "missing value", "dump --folder", 1, "vantorel-cli dump: Missing value after '--folder'." },
    { "missing option", "export --folder F", 1, "vantorel-cli export: --analyte NAME is required" },
    { "missing date", "evaluate --folder F --analyte Sodium --values 1", 1, "vantorel-cli evaluate: --datetime YYYY-MM-DDThh:mm:ss is required" },
    { "bad date", "evaluate --analyte Calcium --values 1 --datetime 20/03/2026", 1, "vantorel-cli evaluate: --datetime wants a local date and time YYYY-MM-DDThh:mm:ss, not 20/03/2026" },
    { "bad level list", "E Glucose --values 1,2 --discard 4", 1, "vantorel-cli evaluate: --discard wants level numbers 1 to 3 separated by commas, not 4" },
    { "bad switch", "E Calcium --values 1 --westgard yes", 1, "vantorel-cli evaluate: --westgard wants on or off, not yes" },
    { "repeated option", "dump --folder F/none --folder F", 1, "No such folder: F/none" }, // the first one holds
    { "folder and data", "dump --folder F --data F/Vantorel.qcf", 1, "vantorel-cli dump: --folder and --data cannot go together" },
    { "no file to check", "check", 1, "vantorel-cli check: FILE is missing" },
    { "two files to check", "check a.qcf b.qcf", 1, "vantorel-cli check: unexpected argument b.qcf" },
    { "check data", "check F/Vantorel.qcf", 0, "F/Vantorel.qcf: sound data file, version 32, 2 control materials, 4 analytes, 18 points" },
    { "check backup", "check F/Vantorel.Sav", 0, "F/Vantorel.Sav: sound data file, version 32, 2 control..." },
    { "check settings", "check F/Vantorel.cfr", 0, "F/Vantorel.cfr: sound configuration file, version 32, 3 operator codes" },
    { "check queue", "check F/Vantorel.fif", 0, "F/Vantorel.fif: sound queue file, 2 queued results" },
    { "check version-2 data", "check F/OLD.DAT", 0, "F/OLD.DAT: sound version-2 data file, version 20, 0 control materials, 2 analytes, 7 points" },
    { "check version-2 backup", "check F/old.sav", 0, "F/old.sav: sound version-2 data file, version 20, 0 control..." },
    { "check data named .dat", "check F/new.dat", 1, "F/new.dat: not sound: Final stamp..." },
    { "check damaged data", "check B/Vantorel.qcf", 1, "B/Vantorel.qcf: not sound: Final stamp..." },
    { "check damaged settings", "check B/cut.cfr", 1, "B/cut.cfr: not sound: Operator count..." },
    { "check damaged queue", "check B/cut.fif", 1, "B/cut.fif: not sound: Queued result 2..." },
    { "check missing file", "check F/none.qcf", 1, "F/none.qcf: no such file" },
    { "check unknown kind", "check F/notes.txt", 1, "F/notes.txt: unknown kind of file (expected .qcf, .cfr, .fif, .dat or .sav)" },
    { "dump missing folder", "dump --folder F/none", 1, "No such folder: F/none" },
    { "dump missing file", "dump --data F/none.qcf", 1, "F/none.qcf: no such file" },
    { "dump damaged folder", "dump --folder B", 1, "Cannot read data: Final stamp..." },
    { "dump damaged file", "dump --data B/Vantorel.qcf", 1, "B/Vantorel.qcf: Final stamp..." },
    { "dump settings as data", "dump --data F/Vantorel.cfr", 1, "F/Vantorel.cfr: not a data file (expected .qcf, .dat or .sav)" },
    { "export missing folder", "export --analyte Glucose --folder F/none", 1, "No such folder: F/none" },
    { "export unknown analyte", "export --analyte Lactate --folder F", 1, "No analyte named Lactate" },
    { "evaluate unknown analyte", "E Lactate --values 1", 1, "evaluate: no analyte named Lactate" },
    { "evaluate not a number", "E Calcium --values abc", 1, "evaluate: value 1 \"abc\": Incorrect floating number" },
    { "evaluate no value", "E Glucose --values ,,", 1, "evaluate: Enter data" },
    { "evaluate more values than levels", "E Calcium --values 5,6", 1, "evaluate: value 2: Calcium has 1 level(s)" },
    { "evaluate discard an empty level", "E Glucose --values 40, --discard 2", 1, "evaluate: level 2 has no value to discard" },
    { "evaluate damaged file", "evaluate --data B/Vantorel.qcf --analyte Calcium --values 1 --datetime 2026-03-20T08:00:00", 1, "evaluate: B/Vantorel.qcf: Final stamp..." },
    // clang-format on
};

} // namespace

class TestCliOutput : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_demo; // the demonstration's files, and the PDF files written
    QString m_data = m_dir.filePath("Vantorel.qcf");
    std::unique_ptr<TQCContext> m_saved = MakeTestContext();
    std::unique_ptr<TQCContext> m_read = MakeTestContext(); // what the program reads from the files

    // The JSON a command prints; empty unless it succeeded and left the files as they were.
    QJsonObject Json(const QStringList& args)
    {
        const QStringList before = FolderState(m_dir.path());
        const TCliRun run = RunCli(args);
        const bool done = run.Status == 0 && run.Err.isEmpty() && FolderState(m_dir.path()) == before;
        return done ? QJsonDocument::fromJson(run.Out.toUtf8()).object() : QJsonObject();
    }

    QStringList State() const { return FolderState(m_dir.path()) + FolderState(m_dir.filePath("B")); }

private slots:
    void initTestCase()
    {
        MakeModelFolder(*m_saved, m_dir.path());
        m_read->SetProgramFolder(m_dir.path());
        LoadConfig(*m_read);
        QVERIFY(LoadData(*m_read, m_data));
        // Beside the model's files (F): copies and version-2 files; in B: damaged files.
        QVERIFY(QDir(m_dir.path()).mkpath("B"));
        const auto bytes = [this](const QString& name) { return FileContent(m_dir.filePath(name)); };
        const QByteArray data = bytes("Vantorel.qcf"), v2 = V2Image(OldSample());
        const std::pair<QString, QByteArray> files[] = { { "Vantorel.Sav", data }, { "new.dat", data },
            { "OLD.DAT", v2 }, { "old.sav", v2 }, { "notes.txt", "QC" }, { "B/Vantorel.qcf", data.chopped(1) },
            { "B/cut.cfr", bytes("Vantorel.cfr").chopped(30) }, { "B/cut.fif", bytes("Vantorel.fif").chopped(3) } };
        for (const auto& [name, content] : files)
            QVERIFY(PutFile(m_dir.filePath(name), content));
        auto context = MakeTestContext(); // Glucose: a point a day at noon, January 30 to March 15
        context->SetProgramFolder(m_demo.path());
        MakeDemonstrationData(*context);
        // Calcium's second level archived as number 1.
        TAnalyte* calcium = context->ListAnalytes.FindByName("Calcium");
        QVERIFY(calcium && ArchiveLevel(*calcium, 1, m_demo.path(), context->ListSerum, context->Risks()) == 1);
        QVERIFY(SaveData(*context, DataFileName(*context)) && SaveConfig(*context));
    }

    void dumpsTheProgramsFiles()
    {
        const QJsonObject dump = Json({ "dump", "--folder", m_dir.path() });
        QCOMPARE(dump["version"].toString(), QString("32"));
        const TSerum& material = m_read->ListSerum.Item(1);
        QCOMPARE(JsonText(dump["materials"][1]),
            JsonText(QJsonObject { { "id", material.ID }, { "name", material.Name }, { "lot", material.Lot } }));

        const TAnalyte& a = m_read->ListAnalytes.Item(0);
        QJsonObject glucose = dump["analytes"][0].toObject();
        QCOMPARE(dump["analytes"][1]["name"].toString(), QString("Calcium"));
        const QJsonValue reference = glucose.take("reference")[1], allPoints = glucose.take("allPoints")[0];
        QCOMPARE(JsonText(reference), JsonText(StatsJson(reference, a.ReferenceStats[1])));
        QCOMPARE(JsonText(allPoints), JsonText(StatsJson(allPoints, a.AllPointsStats[0])));
        const char* iso[] = { "2025-12-09T12:00:00.000", "2025-12-10T06:00:00.000", "2025-12-11T18:00:00.000" };
        QJsonArray points;
        for (int i = 0; i < a.Count(); ++i) {
            QJsonArray cells;
            for (const TQCValue& cell : a.Point(i).Values)
                cells.append(QJsonObject { { "value", cell.Value }, { "status", cell.Status } });
            points.append(QJsonObject { { "dateTime", a.Point(i).DateTime }, { "iso", iso[i] }, { "values", cells },
                { "operator", a.Point(i).Operator() }, { "comment", a.CommentText(a.Point(i).CommentID) } });
        }
        QCOMPARE(JsonText(glucose.take("points")), JsonText(points));
        QCOMPARE(JsonText(glucose),
            JsonText(QJsonObject { { "name", a.Name }, { "units", a.Units }, { "decimals", a.Decimals },
                { "levels", a.NbLevels }, { "options", a.Options }, { "reserved", a.Reserved },
                { "serumIds", QJsonArray { 0, 1, -1 } }, { "limitModes", QJsonArray { "fixed", "locked", "mobile" } },
                { "lockStart", QJsonArray { -1, 0, -1 } }, { "lockEnd", QJsonArray { -1, 1, -1 } },
                { "archives", QJsonArray { 3, 12 } } }));

        // Numbers read back exactly, singles in their shortest decimals.
        QCOMPARE(dump["queue"].toArray().size(), 2);
        QCOMPARE(JsonText(dump["queue"][0]),
            JsonText(QJsonObject { { "dateTime", 46010.123456789012 }, { "iso", "2025-12-19T02:57:46.667" },
                { "values",
                    QJsonArray { QJsonObject { { "value", 0.1 }, { "status", 0 } },
                        QJsonObject { { "value", 16777215 }, { "status", 0 } },
                        QJsonObject { { "value", 1.1754944e-38 }, { "status", 0 } } } },
                { "operator", "ab" }, { "comment", "held back" }, { "analyte", "Glucose" } }));
        QCOMPARE(JsonText(dump["settings"]),
            JsonText(QJsonObject { { "showAboutAtStart", true }, { "printInColour", false }, { "password", "pw" },
                { "backupDrive", "A" }, { "backupInterval", 7 }, { "lastBackupDate", m_saved->Config.LastBackupDate },
                { "alertRisk", 1 }, { "actionRisk", 2 }, { "version", "32" }, { "backupFolder", "/media/usb" },
                { "firstStart", false }, { "operators", QJsonArray { "AB", "ab", "zed" } } }));

        // The data file alone: its version, materials and analytes only.
        const QJsonObject alone = Json({ "dump", "--data", m_data });
        QCOMPARE(alone.keys(), QStringList({ "analytes", "materials", "version" }));
        QCOMPARE(JsonText(alone["version"]) + JsonText(alone["materials"]) + JsonText(alone["analytes"][0]["points"]),
            JsonText(dump["version"]) + JsonText(dump["materials"]) + JsonText(dump["analytes"][0]["points"]));
    }

    void exportPrintsTheStoredQCText()
    {
        const QStringList before = FolderState(m_dir.path());
        // The name is found without regard to case.
        const TCliRun run = RunCli({ "export", "--analyte", "GLUCOSE", "--folder", m_dir.path() });
        QCOMPARE(run.Status, 0);
        QCOMPARE(run.Err, QString());
        QCOMPARE(run.Out, AsText(m_read->ListAnalytes.Item(0)));
        QCOMPARE(run.Out.count("\r\n"), 3);
        QCOMPARE(FolderState(m_dir.path()), before);
    }

    void emptyFolderGetsNoFile()
    {
        QTemporaryDir empty;
        const QJsonObject dump = Json({ "dump", "--folder", empty.path() });
        QCOMPARE(JsonText(dump["analytes"]) + JsonText(dump["queue"]) + JsonText(dump["settings"]["firstStart"]),
            QString("[[]][[]][true]"));
        QCOMPARE(FolderState(empty.path()), QStringList()); // no demonstration data, no lock, no settings
    }

    void verdictOfAThreeLevelRun()
    {
        // QC1 (warning half-width 4.13) and QC2 (8.26) above their warning limits:
        // 1:2s on each, 2:2s across; QC3 is fixed and takes no part.
        const QJsonObject verdict = Json({ "evaluate", "--data", m_data, "--analyte", "sodium", "--datetime",
            "2026-03-20T08:00:00", "--values", "106,212,60" });
        QCOMPARE(JsonText(verdict),
            JsonText(QJsonObject { { "analyte", "Sodium" }, { "previousIndex", 9 }, { "validatedCount", 2 },
                { "levels",
                    QJsonArray { Level(psHighWarning, true, "1:2s", "warning"),
                        Level(psHighWarning, true, "1:2s", "warning"), Level(psHighAction, false) } },
                { "across",
                    QJsonObject { { "shown", true }, { "names", QJsonArray { "2:2s", "R:4s", "4:1s", "10:m" } },
                        { "outcomes", QJsonArray { "rejection", "none", "none", "none" } } } } }));
    }

    void optionsAndDefaults_data()
    {
        QTest::addColumn<QString>("run"); // on 2026-03-20 at 08:00 from the data file, unless it says
        QTest::addColumn<QString>("verdict"); // QC1's status (0 within, 1 high warning, 2 high action, 6 none),
        // the previous index, the validated levels, QC1's 1:2s, the across rules
        QTest::newRow("rules switched off")
            << "Sodium --values 106,200, --westgard off" << QString("1 9 0 none hidden");
        QTest::newRow("a level discarded") << "Sodium --values 106,200, --discard 2" << QString("1 9 1 warning hidden");
        QTest::newRow("an empty value") << "Sodium --values ,200,50" << QString("6 9 1 none hidden");
        QTest::newRow("dated before every point")
            << "Sodium --values 106,212,60 --datetime 2026-02-01T08:00:00" << QString("1 -1 2 warning shown");
        QTest::newRow("switched off in the analyte") << "Urea --values 9" << QString("2 4 0 none hidden");
        QTest::newRow("switched on for one run") << "Urea --values 9 --westgard on" << QString("2 4 1 warning hidden");
        // 104.5 lies beyond QC1's warning limit at 5% (t = 2.262, 4.13), inside it at 2% (t = 2.821, 5.15).
        QTest::newRow("default risks of a data file") << "Sodium --values 104.5" << QString("1 9 1 warning hidden");
        QTest::newRow("risks of the folder") << "Sodium --values 104.5 --folder F" << QString("0 9 1 none hidden");
    }

    void optionsAndDefaults()
    {
        QFETCH(QString, run);
        if (!run.contains("--folder"))
            run += " --data " + m_data;
        if (!run.contains("--datetime"))
            run += " --datetime 2026-03-20T08:00:00";
        const QJsonObject json
            = Json(QString("evaluate --analyte " + run).replace(" F", " " + m_dir.path()).split(' '));
        const QJsonValue qc1 = json["levels"][0];
        QTEST(Join(qc1["status"].toInt(), json["previousIndex"].toInt(), json["validatedCount"].toInt(),
                  qc1["rules"]["1:2s"].toString(), json["across"]["shown"].toBool() ? "shown" : "hidden"),
            "verdict");
    }

    void printsOrSaysWhyNot_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("answer");
        // A print command line (the folder and the PDF file added), its status, and a
        // pattern of the PDF's text or the start of the error line (D is the folder).
        // clang-format off
        QTest::newRow("data of two days in the wrong order") << "data --analyte glucose --from 2026-02-28 --to 2026-02-27" << 0 << "QC data for Glucose.+Date +Time +QC1 +QC2 +QC3.+N +2 +2 +2.+- Page 1/1 -";
        QTest::newRow("data without statistics") << "data --analyte Albumin --no-statistics" << 0 << "^(?!.*Statistics).*Albumin";
        QTest::newRow("charts of two levels") << "charts --analyte Glucose --levels 1,3 --black-and-white" << 0 << "^(?!.*Lyphocheck 2).*Glucose QC charts.+Lyphocheck 3.+C.V. \\(%\\).+- Page 1 - Glucose QC -";
        QTest::newRow("daily report") << "daily --date 2026-03-14" << 0 << "Cumulative daily QC.+Archive document - Keep it.+Analytes +Time.+Glucose";
        QTest::newRow("limits") << "limits --analyte glucose" << 0 << "QC limits for Glucose.+QC mode.+Reference CV";
        QTest::newRow("archives") << "archives --analyte calcium" << 0 << "Archived statistics for Calcium.+Begin +End +Name +Lot +Mean +CV +Number";
        QTest::newRow("one archive") << "archive --number 1" << 0 << "Archived data for Calcium.+From .+Statistics";
        QTest::newRow("analyte without archives") << "archives --analyte Glucose" << 1 << "print archives: Nothing to print";
        QTest::newRow("unknown analyte") << "data --analyte Lactate" << 1 << "print data: no analyte named Lactate";
        QTest::newRow("unwritable path") << "charts --analyte Glucose --pdf D/none/out.pdf" << 1 << "print charts: cannot write D/none/out.pdf: ";
        QTest::newRow("no point between the dates") << "data --analyte Glucose --from 2030-01-01 --to 2030-02-01" << 1 << "print data: Nothing to print";
        QTest::newRow("bad date") << "data --analyte Glucose --to 1/3/2026" << 1 << "vantorel-cli print data: --to wants a date YYYY-MM-DD, not 1/3/2026";
        QTest::newRow("level beyond the analyte's") << "charts --analyte Calcium --levels 3" << 1 << "print charts: level 3: Calcium has 2 level(s)";
        QTest::newRow("both colour switches") << "charts --analyte Glucose --colour --black-and-white" << 1 << "print charts: --colour and --black-and-white cannot go together";
        // clang-format on
    }

    void printsOrSaysWhyNot()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, answer);
        line.replace("D/", m_demo.path() + '/');
        answer.replace("D/", m_demo.path() + '/');
        const QString pdf = m_demo.filePath("out.pdf");
        const QStringList before = FolderState(m_demo.path());
        QStringList args = QStringList { "print" } + line.split(' ') + QStringList { "--folder", m_demo.path() };
        if (!line.contains("--pdf"))
            args << "--pdf" << pdf;
        const TCliRun run = RunCli(args);
        QCOMPARE(run.Status, status);
        if (status == 0) {
            QCOMPARE(run.Err, QString());
            const QString text = PdfText(pdf);
            QVERIFY2(QRegularExpression("(?s)" + answer).match(text).hasMatch(), qPrintable(text));
            QVERIFY(QFile::remove(pdf));
        } else {
            QVERIFY2(run.Err.startsWith(answer) && run.Err.count('\n') == 1, qPrintable(run.Err));
        }
        QCOMPARE(FolderState(m_demo.path()), before);
    }

    void commandLineAnswers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("answer");
        // The project's version as the top CMakeLists.txt declares it.
        const QString version = QRegularExpression(R"(project\(Vantorel VERSION ([0-9.]+))")
                                    .match(FileContent(QT_TESTCASE_SOURCEDIR "/../CMakeLists.txt"))
                                    .captured(1);
        for (const auto& row : Answers)
            QTest::newRow(row.Name) << QString(row.Line).replace(QRegularExpression("^E "), Evaluate + QString(' '))
                                    << row.Status << QString(row.Answer).replace("VERSION", version);
    }

    void commandLineAnswers()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, answer);
        const QRegularExpression model(R"(\bF(?=/|$))"), damaged(R"(\bB(?=/|$))");
        const auto place
            = [&](QString text) { return text.replace(model, m_dir.path()).replace(damaged, m_dir.filePath("B")); };
        answer = place(answer);
        const QStringList before = State();
        QStringList args;
        for (const QString& arg : line.split(' ', Qt::SkipEmptyParts))
            args << place(arg);
        const TCliRun run = RunCli(args);
        QCOMPARE(run.Status, status);
        QCOMPARE(status == 0 ? run.Err : run.Out, QString());
        const QString shown = status == 0 ? run.Out : run.Err, first = shown.section('\n', 0, 0);
        QVERIFY2(answer.endsWith("...") ? first.startsWith(answer.chopped(3)) : first == answer, qPrintable(first));
        QVERIFY2(status == 0 || shown == first + '\n', qPrintable(shown)); // a failure says one line
        QCOMPARE(State(), before);
    }

    void helpShowsEveryOption_data()
    {
        QTest::addColumn<QStringList>("help"); // the command, then what opens a row of its help before a meaning
        QTest::newRow("program") << QStringList { "", "check", "dump", "evaluate", "export", "-v, --version" };
        QTest::newRow("check") << QStringList { "check", "FILE" };
        QTest::newRow("dump") << QStringList { "dump", "--folder DIR", "--data FILE" };
        QTest::newRow("evaluate") << QStringList { "evaluate", "--analyte NAME", "--datetime YYYY-MM-DDThh:mm:ss",
            "--values V1,V2,V3", "--discard L,...", "--westgard on|off", "--folder DIR", "--data FILE" };
        QTest::newRow("export") << QStringList { "export", "--analyte NAME", "--folder DIR" };
    }

    void helpShowsEveryOption()
    {
        QFETCH(QStringList, help);
        const TCliRun run = RunCli(QStringList { help[0], "--help" }.filter(QRegularExpression(".")));
        QCOMPARE(run.Status, 0);
        QCOMPARE(run.Err, QString());
        for (const QString& row : help.mid(1) + QStringList { "-h, --help" })
            QVERIFY2(QRegularExpression("\n  " + QRegularExpression::escape(row) + " +\\w").match(run.Out).hasMatch(),
                qPrintable(row + " in\n" + run.Out));
    }
};

VANTOREL_TEST(TestCliOutput)
#include "TestCliOutput.moc"

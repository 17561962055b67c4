#include "CliTestSupport.h"
#include "TTestRegistry.h"
#include "TV2Sample.h"

#include <QTemporaryDir>

namespace {

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
    { "repeated option", "dump --folder F/none --folder F", 1, "vantorel-cli dump: No such folder: F/none" }, // the first one holds
    { "folder and data", "dump --folder F --data F/Vantorel.qcf", 1, "vantorel-cli dump: --folder and --data cannot go together" },
    { "no file to check", "check", 1, "vantorel-cli check: FILE is missing" },
    { "two files to check", "check a.qcf b.qcf", 1, "vantorel-cli check: unexpected argument b.qcf" },
    { "check data", "check F/Vantorel.qcf", 0, "F/Vantorel.qcf: sound data file, version 32, 2 control materials, 4 analytes, 18 points" },
    { "check backup", "check F/Vantorel.Sav", 0, "F/Vantorel.Sav: sound data file, version 32, 2 control..." },
    { "check settings", "check F/Vantorel.cfr", 0, "F/Vantorel.cfr: sound configuration file, version 32, 3 operator codes" },
    { "check queue", "check F/Vantorel.fif", 0, "F/Vantorel.fif: sound queue file, 2 queued results" },
    { "check version-2 data", "check F/OLD.DAT", 0, "F/OLD.DAT: sound version-2 data file, version 20, 0 control materials, 2 analytes, 7 points" },
    { "check version-2 backup", "check F/old.sav", 0, "F/old.sav: sound version-2 data file, version 20, 0 control..." },
    { "check data named .dat", "check F/new.dat", 1, "vantorel-cli check: F/new.dat: not sound: Final stamp..." },
    { "check damaged data", "check B/Vantorel.qcf", 1, "vantorel-cli check: B/Vantorel.qcf: not sound: Final stamp..." },
    { "check damaged settings", "check B/cut.cfr", 1, "vantorel-cli check: B/cut.cfr: not sound: Operator count..." },
    { "check damaged queue", "check B/cut.fif", 1, "vantorel-cli check: B/cut.fif: not sound: Queued result 2..." },
    { "check missing file", "check F/none.qcf", 1, "vantorel-cli check: F/none.qcf: no such file" },
    { "check unknown kind", "check F/notes.txt", 1, "vantorel-cli check: F/notes.txt: unknown kind of file (expected .qcf, .cfr, .fif, .dat or .sav)" },
    { "dump missing folder", "dump --folder F/none", 1, "vantorel-cli dump: No such folder: F/none" },
    { "dump missing file", "dump --data F/none.qcf", 1, "vantorel-cli dump: F/none.qcf: no such file" },
    { "dump damaged folder", "dump --folder B", 1, "vantorel-cli dump: Cannot read data: Final stamp..." },
    { "dump damaged file", "dump --data B/Vantorel.qcf", 1, "vantorel-cli dump: B/Vantorel.qcf: Final stamp..." },
    { "dump settings as data", "dump --data F/Vantorel.cfr", 1, "vantorel-cli dump: F/Vantorel.cfr: not a data file (expected .qcf, .dat or .sav)" },
    { "export missing folder", "export --analyte Glucose --folder F/none", 1, "vantorel-cli export: No such folder: F/none" },
    { "export unknown analyte", "export --analyte Lactate --folder F", 1, "vantorel-cli export: no analyte named Lactate" },
    { "evaluate unknown analyte", "E Lactate --values 1", 1, "vantorel-cli evaluate: no analyte named Lactate" },
    { "evaluate not a number", "E Calcium --values abc", 1, "vantorel-cli evaluate: value 1 \"abc\": Incorrect floating number" },
    { "evaluate no value", "E Glucose --values ,,", 1, "vantorel-cli evaluate: Enter data" },
    { "evaluate more values than levels", "E Calcium --values 5,6", 1, "vantorel-cli evaluate: value 2: Calcium has 1 level(s)" },
    { "evaluate discard an empty level", "E Glucose --values 40, --discard 2", 1, "vantorel-cli evaluate: level 2 has no value to discard" },
    { "sigma bad TEa", "sigma --folder F --analyte Glucose --tea -3", 1, "vantorel-cli sigma: --tea wants a percentage above 0, not -3" },
    { "sigma too many targets", "sigma --folder F --analyte Calcium --target 1,2", 1, "vantorel-cli sigma: --target gives 2 values for 1 level(s)" },
    { "sigma damaged folder", "sigma --folder B --analyte Glucose", 1, "vantorel-cli sigma: Cannot read data: Final stamp..." },
    { "evaluate damaged file", "evaluate --data B/Vantorel.qcf --analyte Calcium --values 1 --datetime 2026-03-20T08:00:00", 1, "vantorel-cli evaluate: B/Vantorel.qcf: Final stamp..." },
    // clang-format on
};

} // namespace

class TestCliCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QStringList State() const { return FolderState(m_dir.path()) + FolderState(m_dir.filePath("B")); }

private slots:
    // The model's files (F), beside them copies and version-2 files; in B: damaged files.
    void initTestCase()
    {
        auto context = MakeTestContext();
        MakeModelFolder(*context, m_dir.path());
        QVERIFY(QDir(m_dir.path()).mkpath("B"));
        const auto bytes = [this](const QString& name) { return FileContent(m_dir.filePath(name)); };
        const QByteArray data = bytes("Vantorel.qcf"), v2 = V2Image(OldSample());
        const std::pair<QString, QByteArray> files[] = { { "Vantorel.Sav", data }, { "new.dat", data },
            { "OLD.DAT", v2 }, { "old.sav", v2 }, { "notes.txt", "QC" }, { "B/Vantorel.qcf", data.chopped(1) },
            { "B/cut.cfr", bytes("Vantorel.cfr").chopped(30) }, { "B/cut.fif", bytes("Vantorel.fif").chopped(3) } };
        for (const auto& [name, content] : files)
            QVERIFY(PutFile(m_dir.filePath(name), content));
    }

    void answers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("answer");
        // The project's version as the top CMakeLists.txt declares it.
        const QString version = QRegularExpression(R"(project\(Vantorel VERSION ([0-9.]+))")
                                    .match(FileContent(SourcePath("CMakeLists.txt")))
                                    .captured(1);
        for (const auto& row : Answers)
            QTest::newRow(row.Name) << QString(row.Line).replace(QRegularExpression("^E "), Evaluate + QString(' '))
                                    << row.Status << QString(row.Answer).replace("VERSION", version);
    }

    void answers()
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

VANTOREL_TEST(TestCliCommandLine)
#include "TestCliCommandLine.moc"

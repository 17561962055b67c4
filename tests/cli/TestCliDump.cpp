// vantorel-cli dump: the JSON read back and compared with the saved model.
#include "CliTestSupport.h"
#include "TTestRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

QJsonObject ParseDump(const TCliRun& run)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.Out.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << "not JSON:" << error.errorString() << run.Err;
    return doc.object();
}

// Compares one statistics object with the level statistics it shows.
void CompareStats(const QJsonValue& json, const TLevelStats& s)
{
    const QJsonObject o = json.toObject();
    QCOMPARE(o["mean"].toDouble(), s.Mean);
    QCOMPARE(o["warning"].toDouble(), s.WarningHalfWidth);
    QCOMPARE(o["action"].toDouble(), s.ActionHalfWidth);
    QCOMPARE(o["min"].toDouble(), s.Min);
    QCOMPARE(o["max"].toDouble(), s.Max);
    QCOMPARE(o["chartLow"].toDouble(), s.ChartLow);
    QCOMPARE(o["chartHigh"].toDouble(), s.ChartHigh);
    QCOMPARE(o["n"].toInt(), s.N);
    QCOMPARE(o["discarded"].toInt(), s.Discarded);
    QCOMPARE(o["dof"].toInt(), s.DegreesOfFreedom);
    QCOMPARE(float(o["cv"].toDouble()), s.CV);
    QCOMPARE(o["status"].toInt(), int(s.Status));
}

void CompareValues(const QJsonValue& json, const TQCValues& values)
{
    const QJsonArray cells = json.toArray();
    QCOMPARE(cells.size(), 3);
    for (int l = 0; l < 3; ++l) {
        // Read back as a single, the value is the one stored.
        QCOMPARE(float(cells[l]["value"].toDouble()), values[size_t(l)].Value);
        QCOMPARE(cells[l]["status"].toInt(), int(values[size_t(l)].Status));
    }
}

} // namespace

class TestCliDump : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }

    void dumpsASavedFolder()
    {
        auto saved = MakeTestContext();
        MakeModelFolder(*saved, m_dir->path());
        // What the program itself reads back from these files.
        auto expected = MakeTestContext();
        expected->SetProgramFolder(m_dir->path());
        LoadConfig(*expected);
        QVERIFY(LoadData(*expected, DataFileName(*expected)));
        const QStringList before = FolderState(m_dir->path());

        const TCliRun run = RunCli({ "dump", "--folder", m_dir->path() });
        QCOMPARE(run.Status, 0);
        QCOMPARE(run.Err, QString());
        const QJsonObject dump = ParseDump(run);
        QCOMPARE(dump["version"].toString(), QString("32"));

        const QJsonArray materials = dump["materials"].toArray();
        QCOMPARE(materials.size(), expected->ListSerum.Count());
        for (int i = 0; i < materials.size(); ++i) {
            const TSerum& s = expected->ListSerum.Item(i);
            QCOMPARE(materials[i]["id"].toInt(), s.ID);
            QCOMPARE(materials[i]["name"].toString(), s.Name);
            QCOMPARE(materials[i]["lot"].toString(), s.Lot);
        }
        QCOMPARE(materials[1]["name"].toString(), QString::fromUtf8("Lyphocheck 1"));

        const QJsonArray analytes = dump["analytes"].toArray();
        QCOMPARE(analytes.size(), 2);
        for (int i = 0; i < analytes.size(); ++i) {
            const TAnalyte& a = expected->ListAnalytes.Item(i);
            const QJsonObject o = analytes[i].toObject();
            QCOMPARE(o["name"].toString(), a.Name);
            QCOMPARE(o["units"].toString(), a.Units);
            QCOMPARE(o["decimals"].toInt(), a.Decimals);
            QCOMPARE(o["levels"].toInt(), a.NbLevels);
            QCOMPARE(o["options"].toInt(), int(a.Options));
            QCOMPARE(o["reserved"].toInt(), a.Reserved);
            for (int l = 0; l < 3; ++l) {
                QCOMPARE(o["serumIds"][l].toInt(), a.SerumID[size_t(l)]);
                QCOMPARE(o["lockStart"][l].toInt(), a.LockStart[size_t(l)]);
                QCOMPARE(o["lockEnd"][l].toInt(), a.LockEnd[size_t(l)]);
                CompareStats(o["reference"][l], a.ReferenceStats[size_t(l)]);
                CompareStats(o["allPoints"][l], a.AllPointsStats[size_t(l)]);
            }
            const QJsonArray points = o["points"].toArray();
            QCOMPARE(points.size(), a.Count());
            for (int p = 0; p < points.size(); ++p) {
                QCOMPARE(points[p]["dateTime"].toDouble(), a.Point(p).DateTime);
                QCOMPARE(points[p]["operator"].toString(), a.Point(p).Operator());
                QCOMPARE(points[p]["comment"].toString(), a.CommentText(a.Point(p).CommentID));
                CompareValues(points[p]["values"], a.Point(p).Values);
            }
        }
        const QJsonObject glucose = analytes[0].toObject();
        QCOMPARE(glucose["limitModes"].toArray(), QJsonArray({ "mobile", "locked", "mobile" }));
        QCOMPARE(glucose["archives"].toArray(), QJsonArray({ 3, 7 }));
        QCOMPARE(glucose["points"][0]["iso"].toString(), QString("2026-03-01T10:30:00.000"));
        QCOMPARE(glucose["points"][2]["comment"].toString(), QString("New reagent"));
        QCOMPARE(glucose["points"][1]["comment"].toString(), QString(""));
        QCOMPARE(glucose["points"][5]["values"][0]["status"].toInt(), int(psDiscarded));
        QCOMPARE(analytes[1]["limitModes"][0].toString(), QString("fixed"));
        QCOMPARE(analytes[1]["reference"][0]["mean"].toDouble(), 42.0);

        const QJsonArray queue = dump["queue"].toArray();
        QCOMPARE(queue.size(), 2);
        QCOMPARE(queue[0]["analyte"].toString(), QString("Glucose"));
        QCOMPARE(queue[0]["comment"].toString(), QString("held back"));
        QCOMPARE(queue[0]["operator"].toString(), QString("ab"));
        QCOMPARE(queue[0]["dateTime"].toDouble(), saved->ListFifo.Item(0).DateTime);
        QCOMPARE(queue[0]["iso"].toString(), QString("2026-03-21T09:00:00.000"));
        CompareValues(queue[0]["values"], saved->ListFifo.Item(0).Values);
        QCOMPARE(queue[1]["analyte"].toString(), QString("Albumin"));

        const QJsonObject settings = dump["settings"].toObject();
        QCOMPARE(settings["showAboutAtStart"].toBool(), true);
        QCOMPARE(settings["printInColour"].toBool(), false);
        QCOMPARE(settings["password"].toString(), QString("pw"));
        QCOMPARE(settings["backupDrive"].toString(), QString("A"));
        QCOMPARE(settings["backupInterval"].toInt(), 7);
        QCOMPARE(settings["lastBackupDate"].toDouble(), saved->Config.LastBackupDate);
        QCOMPARE(settings["alertRisk"].toInt(), 1);
        QCOMPARE(settings["actionRisk"].toInt(), 2);
        QCOMPARE(settings["version"].toString(), QString("32"));
        QCOMPARE(settings["backupFolder"].toString(), QString("/media/usb"));
        QCOMPARE(settings["firstStart"].toBool(), false);
        QCOMPARE(settings["operators"].toArray(), QJsonArray({ "AB", "ab", "zed" }));

        QCOMPARE(FolderState(m_dir->path()), before);
    }

    void valuesReadBackExactly()
    {
        // Values chosen so that few digits would not do.
        auto saved = MakeTestContext();
        saved->SetProgramFolder(m_dir->path());
        TAnalyte a("Odd", "u", 3, 1);
        const double when = 46096.123456789012;
        a.AddPoint(MakeResult(when, 0.1));
        a.AddPoint(MakeResult(when + 1, 16777215.0));
        a.AddPoint(MakeResult(when + 2, 1.17549435e-38));
        a.RecomputeAll(saved->Risks());
        saved->ListAnalytes.Add(std::move(a));
        QVERIFY(SaveData(*saved, DataFileName(*saved)));
        const TCliRun run = RunCli({ "dump", "--data", DataFileName(*saved) });
        QCOMPARE(run.Status, 0);
        const QJsonObject dump = ParseDump(run);
        const QJsonArray points = dump["analytes"][0]["points"].toArray();
        QCOMPARE(points.size(), 3);
        QCOMPARE(points[0]["dateTime"].toDouble(), when);
        QCOMPARE(float(points[0]["values"][0]["value"].toDouble()), 0.1f);
        QCOMPARE(float(points[1]["values"][0]["value"].toDouble()), 16777215.0f);
        QCOMPARE(float(points[2]["values"][0]["value"].toDouble()), 1.17549435e-38f);
        // The single 0.1 is shown as 0.1, not as its expansion as a double.
        QVERIFY(run.Out.contains("\"value\": 0.1\n") || run.Out.contains("\"value\": 0.1,"));
    }

    void dumpOfADataFileAloneLeavesOutQueueAndSettings()
    {
        auto saved = MakeTestContext();
        MakeModelFolder(*saved, m_dir->path());
        const TCliRun run = RunCli({ "dump", "--data", DataFileName(*saved) });
        QCOMPARE(run.Status, 0);
        const QJsonObject dump = ParseDump(run);
        QCOMPARE(dump.keys(), QStringList({ "analytes", "materials", "version" }));
        QCOMPARE(dump["analytes"].toArray().size(), 2);
        QCOMPARE(dump["analytes"][0]["points"].toArray().size(), 6);
    }

    void dumpOfAVersionTwoFileShowsTheConvertedAnalytes()
    {
        WriteFile(m_dir->filePath("old.dat"), SmallV2File());
        const TCliRun run = RunCli({ "dump", "--data", m_dir->filePath("old.dat") });
        QCOMPARE(run.Status, 0);
        const QJsonObject dump = ParseDump(run);
        QCOMPARE(dump["version"].toString(), QString("20"));
        QCOMPARE(dump["materials"].toArray().size(), 0); // not taken over
        const QJsonArray analytes = dump["analytes"].toArray();
        QCOMPARE(analytes.size(), 1);
        const QJsonObject urea = analytes[0].toObject();
        QCOMPARE(urea["name"].toString(), QString("Urea"));
        QCOMPARE(urea["units"].toString(), QString("mmol/L"));
        QCOMPARE(urea["levels"].toInt(), 3);
        QCOMPARE(urea["serumIds"].toArray(), QJsonArray({ -1, -1, -1 }));
        const QJsonArray points = urea["points"].toArray();
        QCOMPARE(points.size(), 2);
        QCOMPARE(points[0]["iso"].toString(), QString("2026-02-01T12:00:00.000"));
        QCOMPARE(points[0]["comment"].toString(), QString("Old lot"));
        QCOMPARE(points[0]["values"][0]["value"].toDouble(), 6.5);
        QCOMPARE(points[0]["values"][1]["status"].toInt(), int(psNoValue));
        QCOMPARE(points[0]["values"][2]["status"].toInt(), int(psDiscarded));
        QCOMPARE(points[0]["values"][2]["value"].toDouble(), 7.25);
        QCOMPARE(points[1]["comment"].toString(), QString(""));
    }

    void dumpOfAnEmptyFolderShowsEmptyListsAndDefaults()
    {
        const TCliRun run = RunCli({ "dump", "--folder", m_dir->path() });
        QCOMPARE(run.Status, 0);
        const QJsonObject dump = ParseDump(run);
        QCOMPARE(dump["version"].toString(), QString("32"));
        QCOMPARE(dump["materials"].toArray().size(), 0);
        QCOMPARE(dump["analytes"].toArray().size(), 0);
        QCOMPARE(dump["queue"].toArray().size(), 0);
        const QJsonObject settings = dump["settings"].toObject();
        QCOMPARE(settings["firstStart"].toBool(), true);
        QCOMPARE(settings["actionRisk"].toInt(), 4);
        QCOMPARE(settings["lastBackupDate"].toDouble(), DateToDayCount(QDate::currentDate()));
        // No demonstration data, no lock, no file of any kind.
        QCOMPARE(FolderState(m_dir->path()), QStringList());
    }

    void failuresGiveStatusOneAndOneLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("damage");
        QTest::newRow("both options") << QStringList { "--folder", "F", "--data", "D" } << "";
        QTest::newRow("unknown option") << QStringList { "--colour", "red" } << "";
        QTest::newRow("option without value") << QStringList { "--folder" } << "";
        QTest::newRow("missing folder") << QStringList { "--folder", "F/nowhere" } << "";
        QTest::newRow("missing data file") << QStringList { "--data", "F/none.qcf" } << "";
        QTest::newRow("damaged data in the folder") << QStringList { "--folder", "F" } << "Vantorel.qcf";
        QTest::newRow("damaged data file") << QStringList { "--data", "F/Vantorel.qcf" } << "Vantorel.qcf";
        QTest::newRow("not a data file") << QStringList { "--data", "F/Vantorel.cfr" } << "";
    }

    void failuresGiveStatusOneAndOneLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, damage);
        auto saved = MakeTestContext();
        MakeModelFolder(*saved, m_dir->path());
        if (!damage.isEmpty()) {
            QFile file(m_dir->filePath(damage));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(file.size() - 1));
        }
        args.replaceInStrings(QRegularExpression("^F"), m_dir->path());
        const QStringList before = FolderState(m_dir->path());
        const TCliRun run = RunCli(QStringList { "dump" } + args);
        QCOMPARE(run.Status, 1);
        QCOMPARE(run.Out, QString());
        QVERIFY2(IsOneLine(run.Err), qPrintable(run.Err));
        QCOMPARE(FolderState(m_dir->path()), before);
    }
};

VANTOREL_TEST(TestCliDump)
#include "TestCliDump.moc"

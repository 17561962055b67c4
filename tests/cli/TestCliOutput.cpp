#include "CliTestSupport.h"
#include "TArchive.h"
#include "TQualityGoals.h"
#include "TTestRegistry.h"

#include <QJsonObject>
#include <QTemporaryDir>

namespace {

// Statistics as dumped; the single CV as its dumped value when that reads back to it.
QJsonObject StatsJson(const QJsonValue& dumped, const TLevelStats& s)
{
    const QJsonValue cv = float(dumped["cv"].toDouble()) == s.CV ? dumped["cv"] : QJsonValue(s.CV);
    return { { "mean", s.Mean }, { "warning", s.WarningHalfWidth }, { "action", s.ActionHalfWidth }, { "min", s.Min },
        { "max", s.Max }, { "chartLow", s.ChartLow }, { "chartHigh", s.ChartHigh }, { "n", s.N },
        { "discarded", s.Discarded }, { "dof", s.DegreesOfFreedom }, { "cv", cv }, { "status", int(s.Status) } };
}

// A value of a level (from 1) in the scope of a rule of evaluate's verdict, by default the run's.
QJsonObject RunPoint(int level, double value, const char* at = "2026-03-20T08:00:00.000")
{
    return { { "datetime", at }, { "level", level }, { "value", value } };
}

// A level of evaluate's verdict; its rules "none" but for the one named, whose scope is the run alone.
QJsonObject Level(
    int status, bool validated, const QString& rule = {}, const QString& outcome = {}, int level = 0, double value = 0)
{
    QJsonObject rules;
    for (const char* name : { "1:2s", "1:3s", "2:2s", "R:4s", "4:1s", "10:m" })
        rules[name] = name == rule ? outcome : "none";
    const QJsonObject scope
        = rule.isEmpty() ? QJsonObject() : QJsonObject { { rule, QJsonArray { RunPoint(level, value) } } };
    return { { "status", status }, { "validated", validated }, { "discarded", false }, { "rules", rules },
        { "scope", scope } };
}

} // namespace

class TestCliOutput : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
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

private slots:
    void initTestCase()
    {
        MakeModelFolder(*m_saved, m_dir.path());
        m_read->SetProgramFolder(m_dir.path());
        LoadConfig(*m_read);
        QVERIFY(LoadData(*m_read, m_data));
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
                { "rulesInForce",
                    QJsonObject { { "recommended", false },
                        { "rules", QJsonArray { "1:3s", "2:2s", "R:4s", "4:1s", "10:m", "3:1s", "9:m" } } } },
                { "levels",
                    QJsonArray { Level(psHighWarning, true, "1:2s", "warning", 1, 106),
                        Level(psHighWarning, true, "1:2s", "warning", 2, 212), Level(psHighAction, false) } },
                { "across",
                    QJsonObject { { "shown", true }, { "names", QJsonArray { "2:2s", "R:4s", "4:1s", "10:m" } },
                        { "outcomes", QJsonArray { "rejection", "none", "none", "none" } },
                        { "scope",
                            QJsonObject { { "2:2s", QJsonArray { RunPoint(1, 106), RunPoint(2, 212) } } } } } } }));
    }

    void evaluateTakesTheRulesTheLaboratoryChose()
    {
        // Sodium's sigma of 50 % over a CV of about 1.8 % calls for 1:3s alone: 2:2s across goes dark.
        TQualityGoals goals;
        TAnalyteGoals sodium;
        sodium.Levels[0].TEa = sodium.Levels[1].TEa = 50;
        sodium.ApplyRecommended = true;
        goals.SetGoals("Sodium", sodium);
        const QString file = TQualityGoals::FileName(m_dir.filePath("Vantorel"));
        QVERIFY(goals.Save(file, nullptr));
        const QJsonObject verdict = Json({ "evaluate", "--data", m_data, "--analyte", "sodium", "--datetime",
            "2026-03-20T08:00:00", "--values", "106,212,60" });
        QFile::remove(file);
        QCOMPARE(JsonText(verdict["rulesInForce"]) + JsonText(verdict["across"]["outcomes"]),
            QString(R"([{"recommended":true,"rules":["1:3s"]}][["none","none","none","none"]])"));
    }

    void scopeNamesTheStoredPoints()
    {
        // QC1 and QC2 beyond one s in this run and in the point before (103 and 206 on March 9): 4:1s across.
        const QJsonObject verdict = Json({ "evaluate", "--data", m_data, "--analyte", "sodium", "--datetime",
            "2026-03-09T18:00:00", "--values", "104,208" });
        const char* run = "2026-03-09T18:00:00.000";
        const char* before = "2026-03-09T12:00:00.000";
        QCOMPARE(JsonText(verdict["across"]["scope"]),
            JsonText(QJsonObject { { "4:1s",
                QJsonArray { RunPoint(1, 104, run), RunPoint(1, 103, before), RunPoint(2, 208, run),
                    RunPoint(2, 206, before) } } }));
    }

    void sigmaWithGoalsGivenOnTheCommandLine()
    {
        const QJsonObject json
            = Json({ "sigma", "--data", m_data, "--analyte", "sodium", "--tea", "10", "--target", "100,,", "--json" });
        const QJsonObject qc1 = json["levels"][0].toObject(), qc2 = json["levels"][1].toObject();
        const double bias = qc1["mean"].toDouble() - 100; // in percent of a target of 100
        QCOMPARE(qc1["bias"].toDouble(), bias);
        QCOMPARE(qc1["sigma"].toDouble(), (10 - std::abs(bias)) / qc1["cv"].toDouble());
        QCOMPARE(qc1["dsecrit"].toDouble(), qc1["sigma"].toDouble() - 1.65);
        QVERIFY(!qc1.contains("biasNote") && qc2.contains("biasNote") && qc2["bias"].toDouble() == 0);
        QVERIFY(!qc1["recommendation"]["rules"].toArray().isEmpty() && qc1["inForce"]["Pfr"].toDouble() > 0);
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
};

VANTOREL_TEST(TestCliOutput)
#include "TestCliOutput.moc"

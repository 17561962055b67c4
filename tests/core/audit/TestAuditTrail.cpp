#include "TAnalyte.h"
#include "TAuditTrail.h"
#include "TDataFile.h"
#include "TLimitModes.h"
#include "TPrivateMount.h"
#include "TQCDocument.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

const TChange Corrected { TChangeKind::PointCorrected, "Glucose", 1, "AB", { { "value", 5 } }, { { "value", 6 } } };

QJsonObject Object(const QString& json) { return QJsonDocument::fromJson(json.toUtf8()).object(); }

QList<TAuditEntry> Entries(const QString& folder)
{
    TAuditLog log;
    QList<TAuditEntry> entries;
    if (!log.Open(folder, true, nullptr) || !log.List({}, entries, nullptr) || !log.Verify().Ok())
        return {};
    return entries;
}

} // namespace

class TestAuditTrail : public QObject {
    Q_OBJECT

    std::unique_ptr<TQCContext> m_context = MakeTestContext();

private slots:
    void aDamagedTrailIsKeptAsideAndANewChainStarts()
    {
        QTemporaryDir dir;
        const QByteArray damaged = "SQLite format 3\0 and then nothing a database holds";
        QVERIFY(PutFile(AuditDatabaseName(dir.path()), damaged));
        TAuditTrail trail(*m_context);
        QVERIFY(trail.Open(dir.path(), nullptr));
        QCOMPARE(FileContent(trail.KeptAside()), damaged);
        QVERIFY(trail.Record(Corrected, nullptr));
        const QList<TAuditEntry> entries = Entries(dir.path());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].Kind, TAuditKind::TrailStarted);
        QCOMPARE(Object(entries[0].After)["keptAs"].toString(), QFileInfo(trail.KeptAside()).fileName());
        QCOMPARE(entries[1].Kind, "PointCorrected");
    }

    // Each road of the commit layer leaves exactly one entry, with its before and after.
    void everyRoadLeavesOneEntry_data()
    {
        QTest::addColumn<int>("road");
        QTest::addColumn<QString>("entry"); // kind, analyte, level, then parts of before and after
        QTest::newRow("run stored")
            << 0
            << R"(RunStored Glucose 0 {} {"comment":"new".+"rules":\["QC1 1:2s warning"\],"values":\[{"status":0,"value":6})";
        QTest::newRow("point corrected") << 1
                                         << R"(PointCorrected Glucose 0 {.+"value":5.2.+} {"comment":"new".+"value":7)";
        QTest::newRow("run queued") << 2 << R"(RunQueued Glucose 0 {} {"comment":"new".+"value":6)";
        QTest::newRow("points deleted")
            << 4 << R"(PointsDeleted Glucose 0 {"points":\[{.+"value":5.2}.+\]} {"pointsLeft":4})";
        QTest::newRow("limits locked") << 3
                                       << R"(LimitsLocked Glucose 1 {"mode":0} {"lockEnd":3,"lockStart":1,"mode":1})";
    }
    void everyRoadLeavesOneEntry()
    {
        QFETCH(int, road);
        QFETCH(QString, entry);
        QTemporaryDir dir;
        m_context->SetProgramFolder(dir.path());
        const double today = m_context->Clock().TodayDays();
        TAnalyte& a = AddDailyAnalyte(*m_context, "Glucose", 1, 5, today);
        TAuditTrail trail(*m_context);
        QVERIFY(trail.Open(dir.path(), nullptr));
        TQCDocument& document = m_context->Document();
        document.SetJournal(&trail);
        TResu0 run = MakeResult(today + 0.5, road == 1 ? 7 : 6, NAN, NAN, "AB", "new");
        run.Analyte = "Glucose";
        const TLimitSettings limits = TLimitSettings::Take(a);
        TCommitResult result;
        if (road == 0)
            result = document.StoreRun(a, run, nullptr, { { "rules", QJsonArray { "QC1 1:2s warning" } } });
        else if (road == 1)
            result = document.ReplacePoint(a, &a.Point(2), a.Point(2), run);
        else if (road == 2)
            result = document.QueueRun(run);
        else if (road == 4) {
            const TAnalyte before = a;
            a.DeletePoint(2);
            result
                = document.Commit({ TChangeKind::PointsDeleted, "Glucose", 0, {},
                                      { { "points", TQCDocument::PointsNotIn(before, a) } }, { { "pointsLeft", 4 } } },
                    { TFile::Data, TRecompute::StatisticsAndMarks, &a });
        } else if (LockLevel(a, 0, 1, 3, m_context->Risks()))
            result = document.Commit(LimitChanges(a, limits), { TFile::Data, TRecompute::StatisticsAndMarks, &a });
        document.SetJournal(nullptr);
        m_context->ListAnalytes.Clear();
        QVERIFY(result.Ok() && result.JournalError.isEmpty());
        const QList<TAuditEntry> entries = Entries(dir.path());
        QCOMPARE(entries.size(), 2);
        const TAuditEntry& e = entries[1];
        const QString found = Join(e.Kind, e.Analyte, e.Level, e.Before, e.After);
        QVERIFY2(QRegularExpression(entry).match(found).hasMatch(), qPrintable(found));
    }

    // The trail on a small real file system that fills up or turns read-only
    // (the data file in another folder): the run is stored and its file
    // written, the user is told once, and a gap entry follows once the trail
    // can be written again.
    void anUnwritableTrailTellsOnceThenRecordsTheGap_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << true << "full";
        QTest::newRow("read-only folder") << false << "";
    }
    void anUnwritableTrailTellsOnceThenRecordsTheGap()
    {
        QFETCH(bool, full);
        QFETCH(QString, reason);
        QTemporaryDir dir, data;
        TPrivateMount mount(dir.path(), 256);
        if (!mount.Ok())
            QSKIP(qPrintable("a small tmpfs cannot be mounted here: " + mount.Reason()));
        m_context->SetProgramFolder(data.path());
        const double today = m_context->Clock().TodayDays();
        TAnalyte& a = AddDailyAnalyte(*m_context, "Glucose", 1, 3, today);
        auto trail = std::make_unique<TAuditTrail>(*m_context);
        QVERIFY(trail->Open(dir.path(), nullptr));
        if (full) {
            QVERIFY(mount.Fill());
        } else {
            // A folder that turns read-only is met when the program starts on it.
            trail.reset();
            QVERIFY(mount.SetReadOnly(true));
            trail = std::make_unique<TAuditTrail>(*m_context);
            trail->Open(dir.path(), nullptr);
        }
        TQCDocument& document = m_context->Document();
        document.SetJournal(trail.get());
        const TCommitResult first = document.StoreRun(a, MakeResult(today + 0.5, 5.1));
        const TCommitResult second = document.StoreRun(a, MakeResult(today + 0.6, 5.2));
        QVERIFY(first.Ok() && second.Ok());
        QVERIFY2(!first.JournalError.isEmpty() && first.JournalError.contains(reason), qPrintable(first.JournalError));
        QCOMPARE(second.JournalError, QString());
        auto stored = MakeTestContext();
        QVERIFY(LoadData(*stored, DataFileName(*m_context)));
        QCOMPARE(stored->ListAnalytes.Item(0).Count(), 5);
        mount.Drain();
        QVERIFY(mount.SetReadOnly(false));
        QVERIFY(trail->Record(Corrected, nullptr));
        document.SetJournal(nullptr);
        m_context->ListAnalytes.Clear();
        const QList<TAuditEntry> entries = Entries(dir.path());
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[1].Kind, TAuditKind::Gap);
        QCOMPARE(Object(entries[1].After)["count"].toInt(), 2);
        QCOMPARE(Object(entries[1].After)["reason"].toString(), first.JournalError);
        QCOMPARE(entries[2].Kind, "PointCorrected");
    }
};

VANTOREL_TEST(TestAuditTrail)
#include "TestAuditTrail.moc"

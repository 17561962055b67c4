#include "TAnalyte.h"
#include "TAnalyteEditor.h"
#include "TArchiveList.h"
#include "TAuditTrail.h"
#include "TDataFile.h"
#include "TLimitModes.h"
#include "TLotAssignment.h"
#include "TPrivateMount.h"
#include "TQCDocument.h"
#include "TQualityGoals.h"
#include "TRandomSeries.h"
#include "TRuleChoice.h"
#include "TSerumEditor.h"
#include "TTestRegistry.h"
#include "TV2FileReader.h"
#include "TV2Sample.h"
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

bool Ok(const TCommitResult& result) { return result.Ok() && result.JournalError.isEmpty(); }
bool Ok(const TApplyResult& r) { return r.Saved && r.ArchiveErrors.isEmpty() && r.JournalError.isEmpty(); }

// Does what the road of `name` does: its set-up, record() where its change begins, the change.
bool Road(const QString& name, TQCContext& c, const std::function<void()>& record)
{
    // clang-format off
    TQCDocument& d = c.Document();
    TAnalyte& a = AddDailyAnalyte(c, "Glucose", 1, 5, c.Clock().TodayDays());
    c.ListSerum.Add("Lyo", "L1"), c.ListOperators = QStringList { "AB" };
    TResu0 run = MakeResult(c.Clock().TodayDays() + 0.5, name == "point corrected" ? 7 : 6, NAN, NAN, "AB", "new");
    run.Analyte = "Glucose";
    const QString file = c.ProgramFolder() + (name == "imported" ? "old.dat" : "Vantorel.Sav");
    QString error, journal;
    int at = 0;
    const auto yes = [](const QString&) { return true; };
    const auto setting = [&](TChangeKind k, auto f) { const QJsonObject w = d.SettingsJson(k); return f(), Ok(d.CommitSettings(k, w)); };
    const auto analyte = [&](TChangeKind k, auto f) { const QJsonObject w = d.AnalyteJson(k, a); return f(), Ok(d.CommitAnalyte(k, a, w)); };
    TQualityGoals goals;
    TAnalyteGoals glucose; // goals saved: a change of the rules applied is recorded, other goals are not
    glucose.Levels[0].TEa = 10, glucose.ApplyRecommended = name == "rules changed";
    if (name == "run recalled" || name == "queue cleared") c.ListFifo.Push(run), c.ListFifo.Push(run);
    if (name == "limits mobile" || name == "random runs") LockLevel(a, 0, 1, 3, c.Risks());
    if (name == "archive deleted") (void)d.ArchiveLevels(a, { true, false, false }, &error);
    if (name == "material deleted") c.ListSerum.Add("Old", "L9");
    TAnalyteEditor analytes(c);
    TSerumEditor materials(c);
    TLotAssignment lots(c, a);
    analytes.Load(), materials.Load();
    const TLimitSettings was = TLimitSettings::Take(a);
    const TAnalyte before = a;
    const TRandomSeries series { 2, { TQCValue { 5, 0 } }, { TQCValue { 2, 0 } }, c.Clock().TodayDays() };
    const QJsonObject list = TQCDocument::AnalytesJson(c.ListAnalytes);
    const TCommitScope scope { TFile::Data, TRecompute::StatisticsAndMarks, &a };
    record();
    if (name == "run stored") return Ok(d.StoreRun(a, run, nullptr, { { "rules", QJsonArray { "QC1 1:2s warning" } } }));
    if (name == "random runs") return AddRandomToCharts(a, series, c.Random(), c.Risks()), Ok(d.RunsAdded(a, before, "random"));
    if (name == "random runs queued") return AddRandomToQueue(a, series, c.Random(), c.ListFifo) && Ok(d.RunsQueued(0, "random"));
    if (name == "point corrected") return Ok(d.ReplacePoint(a, &a.Point(2), a.Point(2), run));
    if (name == "run queued") return Ok(d.QueueRun(run));
    if (name == "run recalled") return Ok(d.RecallHead());
    if (name == "queue cleared") return Ok(d.ClearQueue());
    if (name == "points deleted") return a.DeletePoint(2), Ok(d.PointsDeleted(a, before));
    if (name == "limits locked") return LockLevel(a, 0, 1, 3, c.Risks()) && Ok(d.Commit(LimitChanges(a, was), scope));
    if (name == "limits fixed") return FixLevel(a, 0, 5.1, 0.4, 0.6, c.Risks()), Ok(d.Commit(LimitChanges(a, was), scope));
    if (name == "limits mobile") return UnlockLevel(a, 0, c.Risks()), Ok(d.Commit(LimitChanges(a, was), scope));
    if (name == "common CV") return analyte(TChangeKind::CommonCvChanged, [&] { a.Options ^= aoCommonCV; });
    if (name == "archive deleted") return analyte(TChangeKind::ArchiveDeleted, [&] { TArchiveList::RemoveNumbers(a, QList(a.Archives)); });
    if (name == "risks") return setting(TChangeKind::RisksChanged, [&] { c.Config.AlertRisk = 1, c.Config.ActionRisk = 3; });
    if (name == "level archived") return Ok(d.ArchiveLevels(a, { true, false, false }, &error));
    if (name == "analyte created") return analytes.Add({ "Urea", 2, "mmol/l", 1 }).Ok() && Ok(analytes.Apply());
    if (name == "analyte changed") return analytes.Replace(0, { "Glucose", 1, "g/l", 1 }).Ok() && Ok(analytes.Apply());
    if (name == "analyte deleted") return analytes.Delete(0), Ok(analytes.Apply());
    if (name == "material created") return materials.Add("Lyo", "L2", &at).Ok() && Ok(materials.Apply(yes));
    if (name == "material changed") return materials.Replace(0, "Lyo", "L1b", &at).Ok() && Ok(materials.Apply(yes));
    if (name == "material deleted") return materials.Delete(1), Ok(materials.Apply(yes));
    if (name == "lots assigned") return lots.Send(0, c.ListSerum.Add("Lyo", "L2")), Ok(lots.Change());
    if (name == "lot changed, level erased") return lots.Send(0, c.ListSerum.Add("Lyo", "L2")), Ok(lots.ChangeAndErase());
    if (name == "material erased") return materials.ReplaceAndErase(0, "Lyo", "L3", &at).Ok() && Ok(materials.Apply(yes));
    if (name == "operators") return setting(TChangeKind::OperatorsChanged, [&] { c.ListOperators << "CD"; });
    if (name == "password") return setting(TChangeKind::PasswordChanged, [&] { c.Config.Password = "secret"; });
    if (name == "backup options") return setting(TChangeKind::BackupOptionsChanged, [&] { c.Config.BackupFolder = "/media/usb", c.Config.BackupInterval = 3; });
    if (name == "backup made") return Ok(d.CommitFile(TChangeKind::BackupMade, "/media/usb/Vantorel.Sav"));
    if (name == "restored") return PutFile(file, "saved") && Ok(d.CommitFile(TChangeKind::Restored, file));
    if (name == "imported") return PutFile(file, V2Image(OldSample())) && ImportV2(file, c.ListAnalytes, c.Risks()) && Ok(d.CommitFile(TChangeKind::Imported, file, list));
    // clang-format on
    return StoreGoals(d, goals, "Glucose", glucose, &error, &journal) && journal.isEmpty();
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

    // Each road of the commit layer leaves exactly one entry, with its before and after (a road
    // starts from Glucose: one level, five daily points, lot 0 "Lyo" L1; operator AB).
    void everyRoadLeavesOneEntry_data()
    {
        // kind, analyte, level, before, after (a pattern); " | " between the entries of a road of two changes
        QTest::addColumn<QString>("entry");
        // clang-format off
        QTest::newRow("run stored") << R"(RunStored Glucose 0 {} {"comment":"new".+"rules":\["QC1 1:2s warning"\],"values":\[{"status":0,"value":6})";
        QTest::newRow("random runs") << R"(RunStored Glucose 0 {} {"runs":\[{.+},{.+}\],"source":"random"} \| LimitsMobile Glucose 1 {"lockEnd":3,"lockStart":1,"mode":1} {"mode":0}$)";
        QTest::newRow("random runs queued") << R"(RunQueued Glucose 0 {} {"runs":\[{.+"values":\[{"status":0,"value":.+},{.+}\],"source":"random"}$)";
        QTest::newRow("point corrected") << R"(PointCorrected Glucose 0 {.+"value":5.2.+} {"comment":"new".+"value":7)";
        QTest::newRow("run queued") << R"(RunQueued Glucose 0 {} {"comment":"new".+"value":6)";
        QTest::newRow("run recalled") << R"(RunRecalled Glucose 0 {"comment":"new".+"value":6.+} {}$)";
        QTest::newRow("queue cleared") << R"(QueueCleared  0 {"runs":2} {"runs":0}$)";
        QTest::newRow("points deleted") << R"(PointsDeleted Glucose 0 {"points":\[{.+"value":5.2}.+\]} {"pointsLeft":4}$)";
        QTest::newRow("limits locked") << R"(LimitsLocked Glucose 1 {"mode":0} {"lockEnd":3,"lockStart":1,"mode":1}$)";
        QTest::newRow("limits fixed") << R"(LimitsFixed Glucose 1 {"mode":0} {"actionHalfWidth":0.6,"mean":5.1,"mode":2,"warningHalfWidth":0.4}$)";
        QTest::newRow("limits mobile") << R"(LimitsMobile Glucose 1 {"lockEnd":3,"lockStart":1,"mode":1} {"mode":0}$)";
        QTest::newRow("common CV") << R"(CommonCvChanged Glucose 0 {"commonCv":true} {"commonCv":false}$)";
        QTest::newRow("risks") << R"(RisksChanged  0 {"action":4,"alert":0} {"action":3,"alert":1}$)";
        QTest::newRow("level archived") << R"(LevelArchived Glucose 1 {"lot":"L1","material":"Lyo","materialId":0,"values":5} {"archive":1}$)";
        QTest::newRow("archive deleted") << R"(ArchiveDeleted Glucose 0 {"archives":\[1\]} {"archives":\[\]}$)";
        QTest::newRow("analyte created") << R"(AnalyteCreated  0 {"analytes":\[{"decimals":1.+"name":"Glucose".+\]} {"analytes":\[.+"name":"Urea".+\]}$)";
        QTest::newRow("analyte changed") << R"(AnalyteChanged  0 {.+"units":"mmol/L"}\]} {.+"units":"g/l"}\]}$)";
        QTest::newRow("analyte deleted") << R"(AnalyteDeleted  0 {"analytes":\[{.+"name":"Glucose".+}\]} {"analytes":\[\]}$)";
        QTest::newRow("material created") << R"(MaterialCreated  0 {"materials":\[{"id":0,"lot":"L1","name":"Lyo"}\]} {"materials":\[{"id":0,.+},{"id":1,"lot":"L2","name":"Lyo"}\]}$)";
        QTest::newRow("material changed") << R"(MaterialChanged  0 {"materials":\[{"id":0,"lot":"L1","name":"Lyo"}\]} {"materials":\[{"id":0,"lot":"L1b","name":"Lyo"}\]}$)";
        QTest::newRow("material deleted") << R"(MaterialDeleted  0 {"materials":\[{.+},{"id":1,"lot":"L9","name":"Old"}\]} {"materials":\[{"id":0,"lot":"L1","name":"Lyo"}\]}$)";
        QTest::newRow("lots assigned") << R"(LotAssigned Glucose 0 {"lots":\[0,-1,-1\]} {"lots":\[1,-1,-1\]}$)";
        QTest::newRow("lot changed, level erased") << R"(LevelArchived Glucose 1 {"lot":"L1","material":"Lyo","materialId":0,"values":5} {"archive":1} \| LotAssigned Glucose 0 {"lots":\[0,-1,-1\]} {"lots":\[1,-1,-1\]}$)";
        QTest::newRow("material erased") << R"(LevelArchived Glucose 1 {"lot":"L1","material":"Lyo","materialId":0,"values":5} {"archive":1} \| MaterialChanged  0 {.+} {"materials":\[{"id":0,"lot":"L3","name":"Lyo"}\]}$)";
        QTest::newRow("operators") << R"(OperatorsChanged  0 {"operators":\["AB"\]} {"operators":\["AB","CD"\]}$)";
        QTest::newRow("password") << R"(PasswordChanged  0 {"passwordSet":false} {"passwordSet":true}$)";
        QTest::newRow("backup options") << R"(BackupOptionsChanged  0 {"folder":"","interval":7} {"folder":"/media/usb","interval":3}$)";
        QTest::newRow("backup made") << R"(BackupMade  0 {} {"file":"/media/usb/Vantorel.Sav"}$)";
        QTest::newRow("restored") << R"(Restored  0 {} {"file":".+Vantorel.Sav","fileDate":"20\d\d-.+"}$)";
        QTest::newRow("imported") << R"(Imported  0 {"analytes":\[{.+}\]} {"analytes":\[{.+},{.+}\],"file":".+old.dat"}$)";
        QTest::newRow("rules changed") << R"(RulesChanged Glucose 0 {"applyRecommended":false} {"applyRecommended":true}$)";
        QTest::newRow("goals alone") << "";
        // clang-format on
    }
    void everyRoadLeavesOneEntry()
    {
        QFETCH(QString, entry);
        QTemporaryDir dir;
        TQCContext& c = *m_context;
        c.SetProgramFolder(dir.path());
        TAuditTrail trail(c);
        QVERIFY(trail.Open(dir.path(), nullptr));
        const bool done = Road(QTest::currentDataTag(), c, [&] { c.Document().SetJournal(&trail); });
        c.Document().SetJournal(nullptr);
        c.ListAnalytes.Clear(), c.ListSerum.Clear(), c.ListFifo.Clear(), c.Config = TConfigRecord();
        QVERIFY(done);
        const QList<TAuditEntry> entries = Entries(dir.path());
        QCOMPARE(entries.size(), entry.isEmpty() ? 1 : 2 + int(entry.count(" \\| ")));
        QStringList found;
        for (const TAuditEntry& e : entries.mid(1))
            found << Join(e.Kind, e.Analyte, e.Level, e.Before, e.After);
        QVERIFY2(QRegularExpression(entry).match(found.join(" | ")).hasMatch(), qPrintable(found.join(" | ")));
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

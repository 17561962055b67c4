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

// Does what the road of `name` does, calling record() where its change begins.
TCommitResult Road(
    const QString& name, TQCContext& c, TAnalyte& a, const TResu0& run, const std::function<void()>& record)
{
    TQCDocument& d = c.Document();
    const auto settings = [&](TChangeKind kind, const std::function<void()>& change) {
        const QJsonObject before = d.SettingsJson(kind);
        change();
        return d.CommitSettings(kind, before);
    };
    const auto analytes = [&](const std::function<void(TAnalyteEditor&)>& edit) {
        TAnalyteEditor editor(c);
        editor.Load();
        edit(editor);
        return editor.Apply().Saved ? TCommitResult() : TCommitResult { { { TFile::Data, "Apply", "" } }, "" };
    };
    const auto materials = [&](const std::function<void(TSerumEditor&)>& edit) {
        TSerumEditor editor(c);
        editor.Load();
        edit(editor);
        return editor.Apply([](const QString&) { return true; }).Saved
            ? TCommitResult()
            : TCommitResult { { { TFile::Data, "Apply", "" } }, "" };
    };
    const TLimitSettings limits = TLimitSettings::Take(a);
    const TAnalyte before = a;
    QString error;
    int at = 0;
    if (name == "run recalled" || name == "queue cleared")
        c.ListFifo.Push(run), c.ListFifo.Push(run);
    if (name == "limits mobile" && LockLevel(a, 0, 1, 3, c.Risks()))
        (void)d.Commit(LimitChanges(a, limits), { TFile::Data, TRecompute::StatisticsAndMarks, &a });
    if (name == "archive deleted")
        (void)d.ArchiveLevels(a, { true, false, false }, &error);
    if (name == "material deleted")
        c.ListSerum.Add("Old", "L9");
    record();
    if (name == "run stored")
        return d.StoreRun(a, run, nullptr, { { "rules", QJsonArray { "QC1 1:2s warning" } } });
    if (name == "point corrected")
        return d.ReplacePoint(a, &a.Point(2), a.Point(2), run);
    if (name == "run queued")
        return d.QueueRun(run);
    if (name == "run recalled")
        return d.RecallHead();
    if (name == "queue cleared")
        return d.ClearQueue();
    if (name == "points deleted")
        return a.DeletePoint(2), d.PointsDeleted(a, before);
    if (name.startsWith("limits")) {
        const TLimitSettings was = TLimitSettings::Take(a);
        if (name == "limits locked")
            LockLevel(a, 0, 1, 3, c.Risks());
        else if (name == "limits fixed")
            FixLevel(a, 0, 5.1, 0.4, 0.6, c.Risks());
        else
            UnlockLevel(a, 0, c.Risks());
        return d.Commit(LimitChanges(a, was), { TFile::Data, TRecompute::StatisticsAndMarks, &a });
    }
    if (name == "common CV" || name == "archive deleted") {
        const TChangeKind kind = name == "common CV" ? TChangeKind::CommonCvChanged : TChangeKind::ArchiveDeleted;
        const QJsonObject was = TQCDocument::AnalyteJson(kind, a);
        name == "common CV" ? void(a.Options ^= aoCommonCV) : TArchiveList::RemoveNumbers(a, QList<qint32>(a.Archives));
        return d.CommitAnalyte(kind, a, was);
    }
    if (name == "risks")
        return settings(TChangeKind::RisksChanged, [&] { c.Config.AlertRisk = 1, c.Config.ActionRisk = 3; });
    if (name == "level archived")
        return d.ArchiveLevels(a, { true, false, false }, &error);
    if (name == "analyte created")
        return analytes([](TAnalyteEditor& e) { (void)e.Add({ "Urea", 2, "mmol/l", 1 }); });
    if (name == "analyte changed")
        return analytes([](TAnalyteEditor& e) { (void)e.Replace(0, { "Glucose", 1, "g/l", 1 }); });
    if (name == "analyte deleted")
        return analytes([](TAnalyteEditor& e) { e.Delete(0); });
    if (name == "material created")
        return materials([&](TSerumEditor& e) { (void)e.Add("Lyo", "L2", &at); });
    if (name == "material changed")
        return materials([&](TSerumEditor& e) { (void)e.Replace(0, "Lyo", "L1b", &at); });
    if (name == "material deleted")
        return materials([](TSerumEditor& e) { e.Delete(1); });
    if (name == "lots assigned") {
        TLotAssignment lots(c, a);
        lots.Send(0, c.ListSerum.Add("Lyo", "L2"));
        return lots.Change().Saved ? TCommitResult() : TCommitResult { { { TFile::Data, "Change", "" } }, "" };
    }
    if (name == "operators")
        return settings(TChangeKind::OperatorsChanged, [&] { c.ListOperators << "CD"; });
    if (name == "password")
        return settings(TChangeKind::PasswordChanged, [&] { c.Config.Password = "secret"; });
    if (name == "backup options")
        return settings(TChangeKind::BackupOptionsChanged,
            [&] { c.Config.BackupFolder = "/media/usb", c.Config.BackupInterval = 3; });
    if (name == "backup made")
        return d.CommitFile(TChangeKind::BackupMade, "/media/usb/Vantorel.Sav");
    if (name == "restored")
        return PutFile(c.BaseName() + ".Sav", "saved"), d.CommitFile(TChangeKind::Restored, c.BaseName() + ".Sav");
    if (name == "imported") {
        const QString file = c.ProgramFolder() + "old.dat";
        const QJsonObject was = TQCDocument::AnalytesJson(c.ListAnalytes);
        if (!PutFile(file, V2Image(OldSample())) || !ImportV2(file, c.ListAnalytes, c.Risks(), &error))
            return { { { TFile::Data, "Import", error } }, "" };
        return d.CommitFile(TChangeKind::Imported, file, was);
    }
    // Goals saved: a change of the rules applied is recorded, other goals are not.
    TQualityGoals goals;
    TAnalyteGoals glucose;
    glucose.Levels[0].TEa = 10;
    glucose.ApplyRecommended = name == "rules changed";
    return StoreGoals(d, goals, "Glucose", glucose, &error) ? TCommitResult()
                                                            : TCommitResult { { { TFile::Data, "Goals", error } }, "" };
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

    // Each road of the commit layer leaves exactly one entry, with its before and after. A road
    // runs in a context with Glucose (one level, five daily points, lot 0 "Lyo" L1) and one
    // operator; the trail records from record() on.
    void everyRoadLeavesOneEntry_data()
    {
        QTest::addColumn<QString>("entry"); // kind, analyte, level, before, after (a pattern)
        // clang-format off
        QTest::newRow("run stored") << R"(RunStored Glucose 0 {} {"comment":"new".+"rules":\["QC1 1:2s warning"\],"values":\[{"status":0,"value":6})";
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
        QTest::newRow("level archived") << R"(LevelArchived Glucose 1 {"lot":0,"values":5} {"archive":1}$)";
        QTest::newRow("archive deleted") << R"(ArchiveDeleted Glucose 0 {"archives":\[1\]} {"archives":\[\]}$)";
        QTest::newRow("analyte created") << R"(AnalyteCreated  0 {"analytes":\[{"decimals":1.+"name":"Glucose".+\]} {"analytes":\[.+"name":"Urea".+\]}$)";
        QTest::newRow("analyte changed") << R"(AnalyteChanged  0 {.+"units":"mmol/L"}\]} {.+"units":"g/l"}\]}$)";
        QTest::newRow("analyte deleted") << R"(AnalyteDeleted  0 {"analytes":\[{.+"name":"Glucose".+}\]} {"analytes":\[\]}$)";
        QTest::newRow("material created") << R"(MaterialCreated  0 {"materials":\[{"id":0,"lot":"L1","name":"Lyo"}\]} {"materials":\[{"id":0,.+},{"id":1,"lot":"L2","name":"Lyo"}\]}$)";
        QTest::newRow("material changed") << R"(MaterialChanged  0 {"materials":\[{"id":0,"lot":"L1","name":"Lyo"}\]} {"materials":\[{"id":0,"lot":"L1b","name":"Lyo"}\]}$)";
        QTest::newRow("material deleted") << R"(MaterialDeleted  0 {"materials":\[{.+},{"id":1,"lot":"L9","name":"Old"}\]} {"materials":\[{"id":0,"lot":"L1","name":"Lyo"}\]}$)";
        QTest::newRow("lots assigned") << R"(LotAssigned Glucose 0 {"lots":\[0,-1,-1\]} {"lots":\[1,-1,-1\]}$)";
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
        const double today = c.Clock().TodayDays();
        TAnalyte& a = AddDailyAnalyte(c, "Glucose", 1, 5, today);
        c.ListSerum.Add("Lyo", "L1");
        c.ListOperators = QStringList { "AB" };
        TAuditTrail trail(c);
        QVERIFY(trail.Open(dir.path(), nullptr));
        TQCDocument& document = c.Document();
        const auto record = [&] { document.SetJournal(&trail); };
        TResu0 run = MakeResult(
            today + 0.5, QTest::currentDataTag() == QString("point corrected") ? 7 : 6, NAN, NAN, "AB", "new");
        run.Analyte = "Glucose";
        const TCommitResult result = Road(QTest::currentDataTag(), c, a, run, record);
        document.SetJournal(nullptr);
        c.ListAnalytes.Clear(), c.ListSerum.Clear(), c.ListFifo.Clear(), c.Config = TConfigRecord();
        QVERIFY(result.Ok() && result.JournalError.isEmpty());
        const QList<TAuditEntry> entries = Entries(dir.path());
        QCOMPARE(entries.size(), entry.isEmpty() ? 1 : 2);
        const TAuditEntry& e = entries.last();
        const QString found = Join(e.Kind, e.Analyte, e.Level, e.Before, e.After);
        QVERIFY2(entry.isEmpty() || QRegularExpression(entry).match(found).hasMatch(), qPrintable(found));
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

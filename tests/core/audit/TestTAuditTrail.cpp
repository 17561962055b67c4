#include "TAuditTrail.h"
#include "TPrivateMount.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
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

class TestTAuditTrail : public QObject {
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

    // The trail on a small real file system that fills up or turns read-only:
    // the change is refused by the trail alone (the data are another file's
    // business), the user is told once, and a gap entry follows once the trail
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
        QTemporaryDir dir;
        TPrivateMount mount(dir.path(), 256);
        if (!mount.Ok())
            QSKIP(qPrintable("a small tmpfs cannot be mounted here: " + mount.Reason()));
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
        QString first, second;
        QVERIFY(!trail->Record(Corrected, &first));
        QVERIFY(!trail->Record(Corrected, &second));
        QVERIFY2(!first.isEmpty() && first.contains(reason), qPrintable(first));
        QCOMPARE(second, QString());
        mount.Drain();
        QVERIFY(mount.SetReadOnly(false));
        QVERIFY(trail->Record(Corrected, nullptr));
        const QList<TAuditEntry> entries = Entries(dir.path());
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[1].Kind, TAuditKind::Gap);
        QCOMPARE(Object(entries[1].After)["count"].toInt(), 2);
        QCOMPARE(Object(entries[1].After)["reason"].toString(), first);
        QCOMPARE(entries[2].Kind, "PointCorrected");
    }
};

VANTOREL_TEST(TestTAuditTrail)
#include "TestTAuditTrail.moc"

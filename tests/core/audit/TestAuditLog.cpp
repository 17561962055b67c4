#include "TAuditLog.h"
#include "TAuditTrail.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(TAuditFault)

class TestAuditLog : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<TQCContext> m_context = MakeTestContext();

    // Runs statements on the trail as someone with the sqlite3 shell would.
    void Tamper(const QStringList& statements)
    {
        TAuditLog log;
        QVERIFY(log.Open(m_dir.path(), false, nullptr));
        QSqlQuery query(log.Database());
        for (const QString& sql : statements)
            QVERIFY2(query.exec(sql), qPrintable(sql));
    }

private slots:
    // Six changes of glucose, level 1, values 1 to 6 (the first entry starts the trail).
    void init()
    {
        QFile::remove(AuditDatabaseName(m_dir.path()));
        QFile::remove(AuditAnchorName(m_dir.path()));
        TAuditTrail trail(*m_context);
        QVERIFY(trail.Open(m_dir.path(), nullptr));
        for (int value = 2; value <= 6; ++value)
            QVERIFY(trail.Record(
                { TChangeKind::PointCorrected, "Glucose", 1, "AB", { { "value", value - 1 } }, { { "value", value } } },
                nullptr));
    }

    void soundTrailVerifiesAndLists()
    {
        TAuditLog log;
        QVERIFY(log.Open(m_dir.path(), true, nullptr));
        const TAuditCheck check = log.Verify();
        QVERIFY2(check.Ok(), qPrintable(check.Message));
        QCOMPARE(check.Count, 6);
        QList<TAuditEntry> entries;
        QVERIFY(
            log.List({ "GLUCOSE", "PointCorrected", QDate(2026, 3, 15), QDate(2026, 3, 15), true }, entries, nullptr));
        QCOMPARE(entries.size(), 5);
        QCOMPARE(Join(entries[0].Sequence, entries[0].OperatorCode, entries[0].Before, entries[0].After),
            R"(6 AB {"value":5} {"value":6})");
        QCOMPARE(entries[0].Hash, check.LastHash);
        QVERIFY(log.List({ {}, {}, QDate(2026, 3, 16), {}, false }, entries, nullptr));
        QCOMPARE(entries.size(), 0);
    }

    void tamperingIsNamed_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<TAuditFault>("fault");
        QTest::addColumn<qint64>("entry");
        QTest::newRow("a field edited") << QStringList { R"(UPDATE trail SET after = '{"value":9}' WHERE seq = 3)" }
                                        << TAuditFault::Changed << qint64(3);
        QTest::newRow("an entry deleted")
            << QStringList { "DELETE FROM trail WHERE seq = 3" } << TAuditFault::Deleted << qint64(3);
        QTest::newRow("two entries swapped") << QStringList { "UPDATE trail SET seq = -1 WHERE seq = 3",
            "UPDATE trail SET seq = 3 WHERE seq = 4", "UPDATE trail SET seq = 4 WHERE seq = -1" }
                                             << TAuditFault::Reordered << qint64(3);
        QTest::newRow("entries renumbered") << QStringList { "UPDATE trail SET seq = seq + 10 WHERE seq >= 5" }
                                            << TAuditFault::Renumbered << qint64(15);
        QTest::newRow("the last entry cut")
            << QStringList { "DELETE FROM trail WHERE seq = 6" } << TAuditFault::Cut << qint64(6);
        QTest::newRow("an entry inserted, its hash made right") << QStringList() << TAuditFault::Inserted << qint64(3);
    }
    void tamperingIsNamed()
    {
        QFETCH(QStringList, statements);
        QFETCH(TAuditFault, fault);
        QFETCH(qint64, entry);
        if (statements.isEmpty()) {
            // A forged entry between 2 and 3, chained to entry 2 exactly as the program would.
            TAuditLog log;
            QVERIFY(log.Open(m_dir.path(), true, nullptr));
            QList<TAuditEntry> entries;
            QVERIFY(log.List({}, entries, nullptr));
            TAuditEntry forged = entries[1];
            forged.After = R"({"value":42})";
            forged.PreviousHash = entries[1].Hash;
            statements = QStringList { "UPDATE trail SET seq = -seq WHERE seq >= 3",
                "UPDATE trail SET seq = 1 - seq WHERE seq < 0",
                QString("INSERT INTO trail SELECT 3, time_utc, time_local, operator, user, host, kind, analyte, "
                        "level, before, '%1', '%2', '%3' FROM trail WHERE seq = 2")
                    .arg(forged.After, forged.PreviousHash, AuditHash(forged)) };
        }
        Tamper(statements);
        TAuditLog log;
        QVERIFY(log.Open(m_dir.path(), true, nullptr));
        const TAuditCheck check = log.Verify();
        QCOMPARE(check.Fault, fault);
        QCOMPARE(check.Entry, entry);
        QVERIFY2(check.Message.contains(QString::number(entry)), qPrintable(check.Message));
    }

    void aMissingAnchorIsReported()
    {
        QVERIFY(QFile::remove(AuditAnchorName(m_dir.path())));
        TAuditLog log;
        QVERIFY(log.Open(m_dir.path(), true, nullptr));
        QCOMPARE(log.Verify().Fault, TAuditFault::AnchorMissing);
    }
};

VANTOREL_TEST(TestAuditLog)
#include "TestAuditLog.moc"

// Settings at start-up and exit: defaults, first start, operator order.
#include "TConfigReader.h"
#include "TConfigWriter.h"
#include "TDates.h"
#include "TFailDevice.h"
#include "TSettings.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QFile>
#include <QTemporaryDir>

class TestSettings : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;

    QString ConfigName() const { return m_context->BaseName() + ".cfr"; }
    void WriteConfig(const TConfigRecord& record, const QStringList& operators)
    {
        QVERIFY(TConfigWriter().WriteFile(ConfigName(), record, operators));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir->path());
    }

    void cleanup()
    {
        m_context.reset();
        m_dir.reset();
    }

    void defaultsWithoutAFile()
    {
        m_context->Config.Password = "old";
        m_context->ListOperators = { "X" };
        LoadConfig(*m_context);
        const TConfigRecord& c = m_context->Config;
        QVERIFY(m_context->FirstStart);
        QCOMPARE(c.ShowAboutAtStart, true);
        QCOMPARE(c.PrintInColour, false);
        QCOMPARE(c.Password, QString());
        QCOMPARE(c.BackupDrive, 'A');
        QCOMPARE(c.BackupInterval, 7);
        // The test clock says 2026-03-15 10:30: the date without the time.
        QCOMPARE(c.LastBackupDate, DateToDayCount(QDate(2026, 3, 15)));
        QCOMPARE(int(c.AlertRisk), 0);
        QCOMPARE(int(c.ActionRisk), 4);
        QCOMPARE(QByteArray(c.Version, 2), QByteArray("32"));
        QCOMPARE(c.BackupFolder, QString());
        QVERIFY(m_context->ListOperators.isEmpty());
    }

    void readsAStoredFile()
    {
        TConfigRecord stored;
        stored.Password = "secret";
        stored.LastBackupDate = 45000;
        stored.ActionRisk = 2;
        stored.BackupFolder = "/mnt/backup";
        WriteConfig(stored, { "bob", "al" });
        LoadConfig(*m_context);
        QVERIFY(!m_context->FirstStart);
        QCOMPARE(m_context->Config.Password, QString("secret"));
        QCOMPARE(m_context->Config.LastBackupDate, 45000.0);
        QCOMPARE(int(m_context->Config.ActionRisk), 2);
        QCOMPARE(m_context->Config.BackupFolder, QString("/mnt/backup"));
        QCOMPARE(m_context->ListOperators, QStringList({ "al", "bob" }));
    }

    void olderVersionIsAcceptedAndSavedAsCurrent()
    {
        TConfigRecord stored;
        stored.Version[0] = '3';
        stored.Version[1] = '0';
        stored.BackupInterval = 30;
        WriteConfig(stored, {});
        LoadConfig(*m_context);
        QVERIFY(!m_context->FirstStart);
        QCOMPARE(m_context->Config.BackupInterval, 30);
        QVERIFY(SaveConfig(*m_context));
        QFile file(ConfigName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.mid(30, 3),
            QByteArray("\x08"
                       "32"));
    }

    void damagedFileGivesDefaultsAndKeepsTheCodesRead()
    {
        TConfigRecord stored;
        stored.Password = "pw";
        WriteConfig(stored, { "zz", "Aa", "mm" });
        QFile file(ConfigName());
        QVERIFY(file.open(QIODevice::ReadWrite));
        // Keep the record, the count and the first two codes; cut the third.
        QVERIFY(file.resize(40 + 4 + 6 + 6 + 5));
        file.close();
        LoadConfig(*m_context);
        QVERIFY(m_context->FirstStart);
        QCOMPARE(m_context->Config.Password, QString());
        QCOMPARE(m_context->ListOperators, QStringList({ "Aa", "zz" }));
    }

    void hostileRiskGivesDefaults()
    {
        WriteConfig(TConfigRecord(), { "op" });
        QFile file(ConfigName());
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(29);
        file.write("\x09", 1);
        file.close();
        LoadConfig(*m_context);
        QVERIFY(m_context->FirstStart);
        QCOMPARE(int(m_context->Config.ActionRisk), 4);
    }

    void saveAndLoadRoundTrip()
    {
        LoadConfig(*m_context);
        m_context->Config.Password = "abc";
        m_context->Config.PrintInColour = true;
        m_context->Config.BackupFolder = QString::fromUtf8("/media/clé");
        InsertSorted(m_context->ListOperators, "b");
        InsertSorted(m_context->ListOperators, "A");
        QVERIFY(SaveConfig(*m_context));
        auto again = MakeTestContext();
        again->SetProgramFolder(m_dir->path());
        LoadConfig(*again);
        QVERIFY(!again->FirstStart);
        QCOMPARE(again->Config.Password, QString("abc"));
        QCOMPARE(again->Config.PrintInColour, true);
        QCOMPARE(again->Config.BackupFolder, QString::fromUtf8("/media/clé"));
        QCOMPARE(again->ListOperators, QStringList({ "A", "b" }));
    }

    void failedSaveKeepsThePreviousFileAndSaysWhy()
    {
        LoadConfig(*m_context);
        m_context->Config.Password = "first";
        QVERIFY(SaveConfig(*m_context));
        TReadOnlyFolder lock(m_dir->path());
        if (!lock.Active())
            QSKIP("This system lets every write through");
        m_context->Config.Password = "second";
        QString error;
        QVERIFY(!SaveConfig(*m_context, &error));
        QVERIFY(!error.isEmpty());
        TConfigReader reader;
        QVERIFY(reader.ReadFile(ConfigName()));
        QCOMPARE(reader.Record().Password, QString("first"));
        QCOMPARE(m_context->Config.Password, QString("second"));
    }

    void insertSortedIgnoresCaseAndKeepsDuplicates_data()
    {
        QTest::addColumn<QStringList>("inserted");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<int>>("indexes");
        QTest::newRow("mixed case") << QStringList { "b", "A", "c", "B" } << QStringList { "A", "b", "B", "c" }
                                    << QList<int> { 0, 0, 2, 2 };
        QTest::newRow("duplicates") << QStringList { "x", "x", "X" } << QStringList { "x", "x", "X" }
                                    << QList<int> { 0, 1, 2 };
        QTest::newRow("empty code first") << QStringList { "a", "" } << QStringList { "", "a" } << QList<int> { 0, 0 };
        QTest::newRow("prefix before longer")
            << QStringList { "ABC", "ab" } << QStringList { "ab", "ABC" } << QList<int> { 0, 0 };
    }

    void insertSortedIgnoresCaseAndKeepsDuplicates()
    {
        QFETCH(QStringList, inserted);
        QFETCH(QStringList, expected);
        QFETCH(QList<int>, indexes);
        QStringList list;
        QList<int> got;
        for (const QString& text : inserted)
            got.append(InsertSorted(list, text));
        QCOMPARE(list, expected);
        QCOMPARE(got, indexes);
    }
};

VANTOREL_TEST(TestSettings)
#include "TestSettings.moc"

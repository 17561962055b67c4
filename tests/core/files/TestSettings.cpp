// Settings at start-up and exit: the file or the defaults, operator order, failed saves.
#include "TConfigReader.h"
#include "TConfigWriter.h"
#include "TDates.h"
#include "TReaderHarness.h"
#include "TSettings.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QTemporaryDir>

class TestSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;

    QString ConfigName() const { return m_context->BaseName() + ".cfr"; }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir->path());
    }

    void loadTakesTheFileOrTheDefaults()
    {
        m_context->Config.Password = "old";
        m_context->ListOperators = { "X" };
        LoadConfig(*m_context);
        QVERIFY(m_context->FirstStart);
        QVERIFY(m_context->Config.Password.isEmpty() && m_context->ListOperators.isEmpty());
        // The test clock says 2026-03-15 10:30: the date without the time.
        QCOMPARE(m_context->Config.LastBackupDate, DateToDayCount(QDate(2026, 3, 15)));

        // An older version is read, held and saved as the current one; the codes come sorted.
        TConfigRecord stored;
        stored.Version[1] = '0';
        stored.Password = "secret";
        stored.BackupFolder = QString::fromUtf8("/media/cl\u00e9");
        QVERIFY(TConfigWriter().WriteFile(ConfigName(), stored, { "bob", "al", "Bo" }));
        LoadConfig(*m_context);
        QVERIFY(!m_context->FirstStart);
        QCOMPARE(m_context->ListOperators, QStringList({ "al", "Bo", "bob" }));
        QCOMPARE(QByteArray(m_context->Config.Version, 2), QByteArray("32"));
        m_context->Config.PrintInColour = true;
        QVERIFY(SaveConfig(*m_context));
        QCOMPARE(FileContent(ConfigName()).mid(30, 3),
            QByteArray("\x08"
                       "32"));
        auto again = MakeTestContext();
        again->SetProgramFolder(m_dir->path());
        LoadConfig(*again);
        QCOMPARE(again->Config.Password, QString("secret"));
        QCOMPARE(again->Config.BackupFolder, stored.BackupFolder);
        QVERIFY(again->Config.PrintInColour);
        QCOMPARE(again->ListOperators, m_context->ListOperators);

        // A damaged file gives the defaults, with the codes read before the damage.
        QVERIFY(TConfigWriter().WriteFile(ConfigName(), stored, { "zz", "Aa", "mm" }));
        QVERIFY(PutFile(ConfigName(), FileContent(ConfigName()).left(40 + 4 + 6 + 6 + 5)));
        LoadConfig(*again);
        QVERIFY(again->FirstStart);
        QCOMPARE(again->Config.Password, QString());
        QCOMPARE(again->ListOperators, QStringList({ "Aa", "zz" }));
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
        QVERIFY2(error.startsWith("Cannot write " + ConfigName()), qPrintable(error));
        TConfigReader reader;
        QVERIFY(reader.ReadFile(ConfigName()));
        QCOMPARE(reader.Record().Password, QString("first"));
    }

    void insertSortedIgnoresCaseAndKeepsDuplicates_data()
    {
        QTest::addColumn<QStringList>("inserted");
        QTest::addColumn<QString>("expected"); // the list, then the index of each insertion
        QTest::newRow("mixed case") << QStringList { "b", "A", "c", "B" } << "A b B c / 0 0 2 2";
        QTest::newRow("duplicates after their equals") << QStringList { "x", "x", "X" } << "x x X / 0 1 2";
        QTest::newRow("empty code first") << QStringList { "a", "" } << " a / 0 0";
        QTest::newRow("prefix before longer") << QStringList { "ABC", "ab" } << "ab ABC / 0 0";
    }
    void insertSortedIgnoresCaseAndKeepsDuplicates()
    {
        QFETCH(QStringList, inserted);
        QFETCH(QString, expected);
        QStringList list, indexes;
        for (const QString& text : inserted)
            indexes << QString::number(InsertSorted(list, text));
        QCOMPARE(list.join(' ') + " / " + indexes.join(' '), expected);
    }
};

VANTOREL_TEST(TestSettings)
#include "TestSettings.moc"

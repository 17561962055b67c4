#include "TAnalyte.h"
#include "TBackup.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TDates.h"
#include "TScriptedBackupUi.h"
#include "TSettings.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

// The sample model with the limits the data file reader gives it.
void FillRecomputed(TQCContext& context, TListSerum& serums, TListAnalytes& analytes)
{
    FillSampleModel(serums, analytes);
    for (int i = 0; i < analytes.Count(); ++i)
        RecomputeAll(analytes.Item(i), context.Risks());
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    TScriptedBackupUi m_ui;

    QString Target() const { return m_dir->filePath("usb"); }
    QString OnTarget(const char* extension) const { return Target() + "/Vantorel" + extension; }

private slots:
    // The test's context on the sample model in the folder "program", backing up to "usb".
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        QVERIFY(QDir().mkpath(m_dir->filePath("program")) && QDir().mkpath(Target()));
        m_context->SetProgramFolder(m_dir->filePath("program"));
        m_context->Config.BackupFolder = Target();
        m_context->Config.LastBackupDate = 100;
        FillRecomputed(*m_context, m_context->ListSerum, m_context->ListAnalytes);
        m_ui = TScriptedBackupUi();
    }

    void backup_data()
    {
        QTest::addColumn<bool>("earlier"); // a .Sav and an .Old there before
        QTest::addColumn<QString>("writes"); // what the target does with the new file
        QTest::addColumn<QString>("message");
        QTest::newRow("second backup: the first becomes .Old") << true << QString("whole") << QString();
        QTest::newRow("failed first backup") << false << QString("refused") << QString("No space left on device");
        QTest::newRow("failed over earlier ones") << true << QString("refused") << QString("No space left on device");
        QTest::newRow("write said done, file cut")
            << true << QString("cut") << QString("Vantorel.new does not read back");
        QTest::newRow("rotation refused") << true << QString("blocked") << QString("Vantorel.tmp: Is a directory");
    }
    void backup()
    {
        QFETCH(bool, earlier);
        QFETCH(QString, writes);
        QVERIFY(!earlier || (PutFile(OnTarget(".Sav"), "newest") && PutFile(OnTarget(".Old"), "older")));
        TBackup backup(*m_context, m_ui);
        QVERIFY(writes != "blocked" || QDir().mkpath(OnTarget(".tmp/in the way")));
        if (writes == "refused" || writes == "cut")
            backup.Writer = [writes](const TQCContext&, const QString& name, QString* error) {
                PutFile(name, "half");
                return writes == "cut" || (*error = "No space left on device", false);
            };
        const TBackupResult result = backup.Backup();
        const bool fails = writes != "whole";
        QFETCH(QString, message);
        QVERIFY2(result.Message.contains(message) && result.Message.isEmpty() == message.isEmpty(),
            qPrintable(result.Message));
        QCOMPARE(m_ui.Asked, QStringList({ "Confirm data backup", "Backuping data to " + OnTarget(".Sav") }));
        QVERIFY(QFile::exists(OnTarget(".tmp")) == (writes == "blocked") && !QFile::exists(OnTarget(".new")));
        auto reread = MakeTestContext();
        reread->SetProgramFolder(m_context->ProgramFolder());
        LoadConfig(*reread);
        if (fails) {
            QCOMPARE(FileContent(OnTarget(".Sav")), earlier ? QByteArray("newest") : QByteArray("<unreadable>"));
            QCOMPARE(FileContent(OnTarget(".Old")), earlier ? QByteArray("older") : QByteArray("<unreadable>"));
            QCOMPARE(m_context->Config.LastBackupDate, 100.0);
            return;
        }
        QCOMPARE(FileContent(OnTarget(".Old")), QByteArray("newest"));
        QVERIFY(LoadData(*reread, OnTarget(".Sav")));
        QCOMPARE(reread->Config.LastBackupDate, m_context->Clock().TodayDays());
    }

    void retryAfterTheTargetAppears()
    {
        QVERIFY(QDir(Target()).removeRecursively());
        m_ui.Appears = [&] { return m_ui.Asked.size() == 1 && QDir().mkpath(Target()); };
        QVERIFY(TBackup(*m_context, m_ui).Backup().Ok);
        QCOMPARE(m_ui.Asked.first(), "No diskette in drive " + QDir::cleanPath(Target()));
        QCOMPARE(m_ui.Asked.value(1), "Confirm data backup");
        QVERIFY(QFile::exists(OnTarget(".Sav")));
        // Without a chosen folder the drive letter never answers.
        m_context->Config.BackupFolder.clear();
        m_ui = TScriptedBackupUi();
        QCOMPARE(TBackup(*m_context, m_ui).Restore().Message, "Restore aborted");
        QCOMPARE(m_ui.Asked, QStringList("No diskette in drive A"));
    }

    void restore_data()
    {
        QTest::addColumn<QString>("file"); // what lies under ".Sav"
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("message");
        QTest::newRow("good backup") << "backup" << true << "";
        QTest::newRow("wrong stamp") << "stamp" << true << "Impossible to restore";
        QTest::newRow("no backup file") << "" << true << "No backup file to restore";
        QTest::newRow("cancelled") << "backup" << false << "Restore aborted";
    }
    void restore()
    {
        QFETCH(QString, file);
        QFETCH(bool, confirm);
        TBackup backup(*m_context, m_ui);
        QVERIFY(backup.Backup().Ok);
        QByteArray image = FileContent(OnTarget(".Sav"));
        image.back() = char(image.back() ^ 0x55);
        QVERIFY(file != "stamp" || PutFile(OnTarget(".Sav"), image));
        QVERIFY(!file.isEmpty() || QFile::remove(OnTarget(".Sav")));
        const QDateTime made(QDate(2025, 11, 2), QTime(9, 0)); // an earlier day than today
        QFile sav(OnTarget(".Sav"));
        QVERIFY(file.isEmpty()
            || (sav.open(QIODevice::ReadWrite) && sav.setFileTime(made, QFileDevice::FileModificationTime)));
        m_context->ListAnalytes.Delete(0); // changed since, and saved
        QVERIFY(SaveData(*m_context, DataFileName(*m_context)));
        TListSerum serums;
        TListAnalytes expected = m_context->ListAnalytes;
        m_ui.ConfirmAnswer = confirm;
        m_ui.Asked.clear();

        const TBackupResult result = backup.Restore();
        // The reason follows the message on a line of its own.
        QTEST(result.Message.section('\n', 0, 0), "message");
        QCOMPARE(result.Message.contains('\n'), file == "stamp");
        QCOMPARE(m_ui.Asked.value(0),
            file.isEmpty() ? ""
                           : "Confirm data restore from diskette. The date of source file is : "
                    + ShortDateText(DateToDayCount(made.date())));
        if (result.Ok) {
            expected.Clear();
            FillRecomputed(*m_context, serums, expected);
        }
        // In memory and in the data file: the backup after a restore, else the data as they were.
        auto reread = MakeTestContext();
        QVERIFY(LoadData(*reread, DataFileName(*m_context)));
        QCOMPARE(ListDifference(m_context->ListSerum, m_context->ListAnalytes, m_context->ListSerum, expected), "");
        QCOMPARE(ListDifference(reread->ListSerum, reread->ListAnalytes, reread->ListSerum, expected), "");
    }
};

VANTOREL_TEST(TestBackup)
#include "TestBackup.moc"

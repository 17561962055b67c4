// Backup of the data file to a target folder and its restore.
#include "TBackup.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TDates.h"
#include "TSettings.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray Bytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void Put(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Answers the boxes from a script and records them.
class TScriptedBackupUi : public TBackupUi {
public:
    QStringList Asked;
    QStringList Copies;
    bool ConfirmAnswer = true;
    // Called on each "No diskette" box; returns Retry (true) or Cancel.
    std::function<bool()> OnMissingDisk = [] { return false; };

    bool RetryMissingDisk(const QString& text) override
    {
        Asked << text;
        return OnMissingDisk();
    }
    bool Confirm(const QString& text) override
    {
        Asked << text;
        return ConfirmAnswer;
    }
    void ShowCopy(const QString& label) override { Copies << label; }
    void HideCopy() override { Copies << "hidden"; }
};

// The sample model with the limits the data file reader gives it.
void FillRecomputed(TListSerum& serums, TListAnalytes& analytes, const TRisks& risks)
{
    FillSampleModel(serums, analytes);
    for (int i = 0; i < analytes.Count(); ++i)
        analytes.Item(i).RecomputeAll(risks);
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TQCContext> m_context;
    TScriptedBackupUi m_ui;

    QString Target() const { return m_dir.filePath("usb"); }
    QString File(const char* extension) const { return Target() + "/Vantorel" + extension; }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.filePath("program")) && QDir().mkpath(Target()));
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir.filePath("program"));
        m_context->Config.BackupFolder = Target();
        m_context->Config.LastBackupDate = 100;
        FillRecomputed(m_context->ListSerum, m_context->ListAnalytes, m_context->Risks());
        m_ui = TScriptedBackupUi();
    }

    void twoBackupsKeepTheOlderAsOld()
    {
        TBackup backup(*m_context, m_ui);
        QVERIFY(backup.Backup().Ok);
        const QByteArray first = Bytes(File(".Sav"));
        m_context->ListAnalytes.Delete(1);
        QVERIFY(backup.Backup().Ok);
        QCOMPARE(Bytes(File(".Old")), first);
        QVERIFY(Bytes(File(".Sav")) != first);
        QVERIFY(!QFile::exists(File(".tmp")));
        QCOMPARE(m_ui.Asked, QStringList({ "Confirm data backup", "Confirm data backup" }));
        QCOMPARE(m_ui.Copies.first(), "Backuping data to " + File(".Sav"));
        QCOMPARE(m_ui.Copies.last(), "hidden");
        // The date of the backup reaches the configuration file.
        QCOMPARE(m_context->Config.LastBackupDate, m_context->Clock().TodayDays());
        auto reread = MakeTestContext();
        reread->SetProgramFolder(m_context->ProgramFolder());
        LoadConfig(*reread);
        QCOMPARE(reread->Config.LastBackupDate, m_context->Clock().TodayDays());
    }

    void failedBackupPutsThePreviousOnesBack_data()
    {
        QTest::addColumn<bool>("earlier");
        QTest::newRow("first backup") << false;
        QTest::newRow("over two earlier backups") << true;
    }
    void failedBackupPutsThePreviousOnesBack()
    {
        QFETCH(bool, earlier);
        if (earlier) {
            Put(File(".Sav"), "newest");
            Put(File(".Old"), "older");
        }
        TBackup backup(*m_context, m_ui);
        // A target that takes half the file, then refuses.
        backup.Writer = [](const TQCContext&, const QString& name, QString* error) {
            QFile half(name);
            if (half.open(QIODevice::WriteOnly))
                half.write("half");
            *error = "No space left on device";
            return false;
        };
        const TBackupResult result = backup.Backup();
        QVERIFY(!result.Ok);
        QCOMPARE(result.Message, "No space left on device");
        QCOMPARE(Bytes(File(".Sav")), earlier ? QByteArray("newest") : QByteArray("<none>"));
        QCOMPARE(Bytes(File(".Old")), earlier ? QByteArray("older") : QByteArray("<none>"));
        QVERIFY(!QFile::exists(File(".tmp")));
        QCOMPARE(m_context->Config.LastBackupDate, 100.0);
        QCOMPARE(m_ui.Copies.last(), "hidden");
    }

    void missingTarget_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<bool>("restore");
        QTest::addColumn<bool>("appears");
        QTest::addColumn<QString>("message");
        QTest::newRow("backup, retry after the folder appears") << true << false << true << "";
        QTest::newRow("backup, cancel") << true << false << false << "Backup aborted";
        QTest::newRow("restore, cancel") << true << true << false << "Restore aborted";
        QTest::newRow("no folder chosen") << false << false << false << "Backup aborted";
    }
    void missingTarget()
    {
        QFETCH(bool, chosen);
        QFETCH(bool, restore);
        QFETCH(bool, appears);
        QFETCH(QString, message);
        QVERIFY(QDir(Target()).removeRecursively());
        if (!chosen)
            m_context->Config.BackupFolder.clear();
        int missing = 0;
        m_ui.OnMissingDisk = [&] { return ++missing == 1 && appears && QDir().mkpath(Target()); };
        TBackup backup(*m_context, m_ui);
        const TBackupResult result = restore ? backup.Restore() : backup.Backup();
        QCOMPARE(result.Ok, message.isEmpty());
        QCOMPARE(result.Message, message);
        QCOMPARE(m_ui.Asked.first(), "No diskette in drive " + (chosen ? QDir::cleanPath(Target()) : "A"));
        QCOMPARE(missing, 1);
        QCOMPARE(QFile::exists(File(".Sav")), appears);
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
        QFETCH(QString, message);
        TBackup backup(*m_context, m_ui);
        QVERIFY(backup.Backup().Ok);
        if (file == "stamp") {
            QByteArray image = Bytes(File(".Sav"));
            image[image.size() - 1] = char(image.at(image.size() - 1) ^ 0x55);
            Put(File(".Sav"), image);
        } else if (file.isEmpty()) {
            QVERIFY(QFile::remove(File(".Sav")));
        }
        // The backup was made on an earlier day than today.
        const QDateTime made(QDate(2025, 11, 2), QTime(9, 0));
        if (QFile::exists(File(".Sav"))) {
            QFile sav(File(".Sav"));
            QVERIFY(sav.open(QIODevice::ReadWrite) && sav.setFileTime(made, QFileDevice::FileModificationTime));
        }
        // Data changed since, and saved.
        m_context->ListAnalytes.Delete(0);
        QVERIFY(SaveData(*m_context, DataFileName(*m_context)));
        const TListAnalytes changed = m_context->ListAnalytes;
        const QByteArray changedFile = Bytes(DataFileName(*m_context));
        m_ui = TScriptedBackupUi();
        m_ui.ConfirmAnswer = confirm;

        const TBackupResult result = backup.Restore();
        QCOMPARE(result.Ok, message.isEmpty());
        QCOMPARE(result.Message, message);
        if (file.isEmpty())
            QVERIFY(m_ui.Asked.isEmpty());
        else
            QCOMPARE(m_ui.Asked,
                QStringList("Confirm data restore from diskette. The date of source file is : "
                    + ShortDateText(DateToDayCount(made.date()))));
        TListSerum serums;
        TListAnalytes expected;
        if (result.Ok)
            FillRecomputed(serums, expected, m_context->Risks());
        else
            expected = changed;
        QCOMPARE(ListDifference(m_context->ListSerum, m_context->ListAnalytes, m_context->ListSerum, expected), "");
        if (!result.Ok) {
            QCOMPARE(Bytes(DataFileName(*m_context)), changedFile);
            return;
        }
        // The restored data are in the data file at once.
        auto reread = MakeTestContext();
        QVERIFY(LoadData(*reread, DataFileName(*m_context)));
        QCOMPARE(ListDifference(reread->ListSerum, reread->ListAnalytes, serums, expected), "");
    }
};

VANTOREL_TEST(TestBackup)
#include "TestBackup.moc"

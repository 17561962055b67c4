#include "TAnalyte.h"
#include "TDataFile.h"
#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TDataSample.h"
#include "TRandomSeries.h"
#include "TReaderHarness.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

class TestDataFile : public QObject {
    Q_OBJECT

    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<QTemporaryDir> m_dir;
    TListSerum m_serumsBefore; // what the context held before a read: a refused file changes nothing
    TListAnalytes m_analytesBefore;

    QString File() const { return m_dir->filePath("Vantorel.qcf"); }

    TReadAttempt Read()
    {
        return [this](QIODevice& device) -> QString {
            TDataFileReader reader;
            if (reader.Read(device, m_context->Risks(), m_context->ListSerum, m_context->ListAnalytes))
                return "<accepted>";
            const QString changed
                = ListDifference(m_context->ListSerum, m_context->ListAnalytes, m_serumsBefore, m_analytesBefore);
            return changed.isEmpty() ? reader.ErrorString() : "<lists changed: " + changed + ">";
        };
    }

private slots:
    void init()
    {
        m_context = MakeTestContext();
        m_dir = std::make_unique<QTemporaryDir>();
        m_context->ListSerum.Add("Previous", "1");
        TAnalyte& kept = m_context->ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 1, 1));
        kept.AddPoint(MakeResult(45000.5, 7.5));
        m_context->CurrentAnalyte = &kept;
        m_serumsBefore = m_context->ListSerum;
        m_analytesBefore = m_context->ListAnalytes;
    }

    void writesTheLayoutByteForByte()
    {
        TListSerum serums;
        TListAnalytes analytes;
        FillSampleModel(serums, analytes);
        const QByteArray written = DataFileBytes(serums, analytes), empty = DataFileBytes({}, {});
        QCOMPARE(SameBytes(written, SampleImage()), int(std::max(written.size(), SampleImage().size())));
        // Empty lists make the shortest file there is, and it reads back.
        QCOMPARE(empty.toHex(), QByteArray("0000000000000000083332b5fe706f3435"));
        QCOMPARE(ReadFromBytes(Read(), empty), QString("<accepted>"));
        QCOMPARE(m_context->ListAnalytes.Count() + m_context->ListSerum.Count(), 0);
    }

    void readsEveryFieldOfAnyVersion_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::newRow("current 32") << QByteArray("32");
        QTest::newRow("later 33") << QByteArray("33");
        QTest::newRow("version-2 pair") << QByteArray("20");
        QTest::newRow("short headers of 30") << QByteArray("30");
    }
    void readsEveryFieldOfAnyVersion()
    {
        QFETCH(QByteArray, version);
        m_context->Config.AlertRisk = 1;
        m_context->Config.ActionRisk = 2;
        QVERIFY(PutFile(File(), SampleImage(version.constData())));
        QString error;
        QVERIFY2(LoadData(*m_context, File(), &error), qPrintable(error));
        QCOMPARE(m_context->CurrentAnalyte, nullptr);
        // As stored, with the limits recomputed with the context's risks; a short header has no
        // Options: they read as 7.
        TListSerum serums;
        TListAnalytes expected;
        FillSampleModel(serums, expected);
        for (int i = 0; i < expected.Count(); ++i) {
            expected.Item(i).Options = version == "30" ? 7 : expected.Item(i).Options;
            RecomputeAll(expected.Item(i), m_context->Risks());
        }
        QCOMPARE(ListDifference(m_context->ListSerum, m_context->ListAnalytes, serums, expected), QString());
        // The next ids follow the largest read: a material or comment added later gets an id of its own.
        QCOMPARE(Join(m_context->ListSerum.NextID(), m_context->ListAnalytes.Item(0).Comments.NextID()), "2 2");
        // Level 2 is locked on 4.0 and 6.0: mean 5, SD sqrt(2), t 31.821 (2 %) and 63.657 (1 %) at 1 dof.
        QCOMPARE_NEAR(
            m_context->ListAnalytes.Item(0).ReferenceStats[1].WarningHalfWidth, 31.821 * std::sqrt(2.0), 1e-9);
        QCOMPARE_NEAR(m_context->ListAnalytes.Item(0).ReferenceStats[1].ActionHalfWidth, 63.657 * std::sqrt(2.0), 1e-9);
        TDataFileReader reader;
        QFile file(File());
        QVERIFY(file.open(QIODevice::ReadOnly) && reader.Read(file, TRisks(), serums, expected));
        QCOMPARE(reader.DataVersion(), version);
    }

    void failedLoadKeepsTheListsAndTheCurrentAnalyte()
    {
        QVERIFY(PutFile(File(), "Glucose\t5.1\r\nCalcium\t2.4\r\n"));
        QString error;
        QVERIFY(!LoadData(*m_context, File(), &error));
        QVERIFY2(error.startsWith("Final stamp: Wrong file stamp at byte 17"), qPrintable(error));
        QCOMPARE(m_context->CurrentAnalyte, &m_context->ListAnalytes.Item(0));
        QCOMPARE(
            ListDifference(m_context->ListSerum, m_context->ListAnalytes, m_serumsBefore, m_analytesBefore), QString());
        QVERIFY(!LoadData(*m_context, m_dir->filePath("none.qcf"), &error));
        QVERIFY2(error.startsWith("Cannot open"), qPrintable(error));
        QVERIFY(ReadFromBytes(Read(), QByteArray(16, '\0')).contains("too short to be a data file (16 bytes)"));
    }

    void damagedFileIsRefusedAndChangesNothing_data()
    {
        AddDamageColumns();
        // clang-format off
        QTest::newRow("negative material count") << "serumCount+0:4=-1" << "Control materials: The count -1 is negative";
        QTest::newRow("material name beyond capacity") << "serum1+8:1=16" << "Control materials: A text of length 16";
        QTest::newRow("negative material id") << "serum1+0:4=-5" << "invalid id -5";
        QTest::newRow("material id leaving no next id") << "serum1+0:4=0x7FFFFFFF" << "invalid id 2147483647";
        QTest::newRow("analyte count beyond the file") << "analyteCount+0:4=1000000" << "Analytes: The count 1000000 is larger";
        QTest::newRow("analyte count too small") << "analyteCount+0:4=1" << "Final stamp: The analytes end before";
        QTest::newRow("unknown status") << "glucose.points+16:1=7" << "Analyte 1, points: Point 1 is damaged";
        QTest::newRow("operator beyond capacity") << "glucose.points+84:1=5" << "Point 2 is damaged";
        QTest::newRow("date not a number") << "glucose.points+92:8=0x7FF8000000000000" << "Point 3 is damaged";
        QTest::newRow("date infinite") << "glucose.points+92:8=0x7FF0000000000000" << "Point 3 is damaged";
        QTest::newRow("counted value not a number") << "glucose.points+12:4=0x7FC00000" << "Point 1 is damaged";
        QTest::newRow("counted value infinite") << "glucose.points+20:4=0x7F800000" << "Point 1 is damaged";
        QTest::newRow("name beyond capacity") << "glucose.header+0:1=16" << "Analyte 1, header: A text of length 16";
        QTest::newRow("no level") << "glucose.header+28:4=0" << "levels 0 is outside 1..3";
        QTest::newRow("four levels") << "glucose.header+28:4=4" << "levels 4 is outside 1..3";
        QTest::newRow("negative decimals") << "glucose.header+24:4=-1" << "Decimals -1 is outside 0..3";
        QTest::newRow("four decimals") << "glucose.header+24:4=4" << "Decimals 4 is outside 0..3";
        QTest::newRow("unknown limit mode") << "glucose.header+46:1=3" << "Level 3 has the unknown limit mode 3";
        QTest::newRow("lock end beyond the points") << "glucose.header+64:4=3" << "Level 2 is locked on points 0..3";
        QTest::newRow("lock start below -1") << "glucose.header+52:4=-2" << "Level 2 is locked on points -2..1";
        QTest::newRow("lock end before its start") << "glucose.header+64:4=-5" << "Level 2 is locked on points 0..-5";
        QTest::newRow("fixed mean infinite") << "glucose.limits+8:2=0x7FFF" << "Analyte 1 (Glucose), limits: Level 1 has limits that are not finite";
        QTest::newRow("stamp after the limits") << "glucose.stampAfterLimits+3:1=0" << "stamp after the limits: Wrong file stamp";
        QTest::newRow("stamp after the archives") << "glucose.stampAfterArchives+5:1=0" << "stamp after the archive numbers: Wrong file stamp";
        QTest::newRow("stamp after the comments") << "glucose.stampAfterComments+8:1=0" << "stamp after the comments: Wrong file stamp";
        QTest::newRow("final stamp") << "finalStamp+4:1=0" << "Final stamp: Wrong file stamp";
        QTest::newRow("negative archive number") << "glucose.archives+4:4=-1" << "archive numbers: The archive number -1 is negative";
        QTest::newRow("comment text beyond the file") << "glucose.comments+8:4=100000" << "comments: A text of length 100000 runs past the end";
        QTest::newRow("negative comment length") << "glucose.comments+8:4=-1" << "comments: A text of length -1";
        QTest::newRow("comment ids out of order") << "glucose.comments+4:4=5" << "Comment 2 has the id 1, not above the previous one";
        QTest::newRow("comment ids equal") << "glucose.comments+4:4=1" << "Comment 2 has the id 1, not above the previous one";
        QTest::newRow("negative comment id") << "glucose.comments+4:4=-7" << "Comment 1 has the id -7";
        QTest::newRow("comment id leaving no next id") << "glucose.comments+24:4=0x7FFFFFFF" << "Comment 2 has the id 2147483647, leaving no next id";
        QTest::newRow("second analyte levels") << "calcium.header+28:4=9" << "Analyte 2, header: The number of levels 9";
        // clang-format on
    }
    void damagedFileIsRefusedAndChangesNothing()
    {
        QMap<QString, int> at;
        const QByteArray image = SampleImage("32", &at);
        QCOMPARE(DamageNotRefused(Read(), image, at), QString());
    }

    void fileCutAnywhereOrOnAFailingDeviceIsRefused()
    {
        // Cut bare, then with the final stamp put back so that the cut is met inside the sections.
        QCOMPARE(CutNotRefused(Read(), SampleImage(), 9), QString());
        QCOMPARE(ReadFailureMissed(Read(), SampleImage(), "Final stamp: Cannot read the stamp"), QString());
        TListSerum serums;
        TListAnalytes analytes;
        FillSampleModel(serums, analytes);
        const auto write = [&](QIODevice& device) {
            TDataFileWriter writer;
            return writer.Write(device, serums, analytes) ? QString() : writer.ErrorString();
        };
        QCOMPARE(WriteFailureMissed(write, int(SampleImage().size())), QString());
    }

    void saveReplacesTheWholeFile()
    {
        auto context = MakeTestContext();
        context->SetProgramFolder(m_dir->path());
        FillSampleModel(context->ListSerum, context->ListAnalytes);
        QVERIFY(PutFile(File(), QByteArray(5000, 'x')));
        QString error;
        QVERIFY2(SaveData(*context, File(), &error), qPrintable(error));
        QCOMPARE(FileContent(File()), SampleImage());
        // A full disk leaves it: TestAtomicFile.
    }

    void killedWhileSavingLeavesTheOldOrTheNewFile()
    {
        const QString tool = ToolPath("ToolSaveLoop");
        QVERIFY2(QFileInfo(tool).isExecutable(), qPrintable(tool));
        QByteArray expected[2];
        for (int v = 0; v < 2; ++v) {
            TListSerum serums;
            TListAnalytes analytes;
            FillCrashModel(v, serums, analytes);
            expected[v] = DataFileBytes(serums, analytes);
        }
        QVERIFY(expected[0] != expected[1] && PutFile(File(), expected[0]));
        QRandomGenerator random(20260315);
        int seen[2] = { 0, 0 };
        for (int kill = 0; kill < 40; ++kill) {
            QProcess child;
            child.start(tool, { File() });
            QVERIFY2(child.waitForStarted() && child.waitForReadyRead(10000), "the saving child did not start");
            QThread::usleep(random.bounded(40000));
            child.kill();
            QVERIFY(child.waitForFinished());
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);
            const QByteArray now = FileContent(File());
            const int which = now == expected[0] ? 0 : now == expected[1] ? 1 : -1;
            QVERIFY2(which >= 0, qPrintable(QString("kill %1 left a file of %2 bytes").arg(kill).arg(now.size())));
            ++seen[which];
        }
        qInfo("old content after %d kills, new content after %d", seen[0], seen[1]);
    }
};

VANTOREL_TEST(TestDataFile)
#include "TestDataFile.moc"

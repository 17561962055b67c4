#include "TDataFile.h"
#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TDataSample.h"
#include "TFailDevice.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

// The first offset where two images differ, for a readable failure.
QString FirstDifference(const QByteArray& actual, const QByteArray& expected)
{
    const qsizetype n = qMin(actual.size(), expected.size());
    for (qsizetype i = 0; i < n; ++i)
        if (actual[i] != expected[i])
            return QString("byte %1: %2 instead of %3")
                .arg(i)
                .arg(quint8(actual[i]), 2, 16, QChar('0'))
                .arg(quint8(expected[i]), 2, 16, QChar('0'));
    if (actual.size() != expected.size())
        return QString("%1 bytes instead of %2").arg(actual.size()).arg(expected.size());
    return QString();
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestDataFileWriter : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString DataFile() const { return m_dir->filePath("Vantorel.qcf"); }

private slots:
    void init()
    {
        m_context = MakeTestContext();
        m_dir = std::make_unique<QTemporaryDir>();
        FillSampleModel(m_context->ListSerum, m_context->ListAnalytes);
    }

    void writesTheLayoutByteForByte()
    {
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        TDataFileWriter writer;
        QVERIFY(writer.Write(buffer, m_context->ListSerum, m_context->ListAnalytes));
        QCOMPARE(FirstDifference(buffer.data(), SampleImage("32")), QString());
    }

    void saveDataReplacesTheFileAndLeavesNoTemporaryFile()
    {
        QString error;
        QVERIFY2(SaveData(*m_context, DataFile(), &error), qPrintable(error));
        QCOMPARE(FirstDifference(FileBytes(DataFile()), SampleImage("32")), QString());
        m_context->ListAnalytes.Delete(1);
        QVERIFY2(SaveData(*m_context, DataFile(), &error), qPrintable(error));
        TQCContext reread;
        QVERIFY(LoadData(reread, DataFile(), &error));
        QCOMPARE(reread.ListAnalytes.Count(), 1);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList { "Vantorel.qcf" });
    }

    void dataFileNameIsTheBaseNameWithQcf()
    {
        m_context->SetProgramFolder(m_dir->path());
        QCOMPARE(DataFileName(*m_context), m_dir->path() + "/Vantorel.qcf");
    }

    void failingDeviceIsReported_data()
    {
        QTest::addColumn<int>("limit");
        const int size = int(SampleImage().size());
        QTest::newRow("nothing written") << 0;
        QTest::newRow("in the materials") << 10;
        QTest::newRow("in the points") << 120;
        QTest::newRow("in a header") << 300;
        QTest::newRow("in the last stamp") << size - 4;
        QTest::newRow("one byte short") << size - 1;
    }
    void failingDeviceIsReported()
    {
        QFETCH(int, limit);
        TFailDevice device(limit);
        QVERIFY(device.open(QIODevice::WriteOnly));
        TDataFileWriter writer;
        QVERIFY(!writer.Write(device, m_context->ListSerum, m_context->ListAnalytes));
        QVERIFY2(writer.ErrorString().contains("Simulated write failure"), qPrintable(writer.ErrorString()));
    }

    void saveIntoReadOnlyFolderKeepsTheOldFile()
    {
        QVERIFY(SaveData(*m_context, DataFile()));
        const QByteArray before = FileBytes(DataFile());
        m_context->ListAnalytes.Delete(0);
        TReadOnlyFolder readOnly(m_dir->path());
        if (!readOnly.Active())
            QSKIP("the folder cannot be made read-only here");
        QString error;
        QVERIFY(!SaveData(*m_context, DataFile(), &error));
        QVERIFY2(error.startsWith("Cannot write " + DataFile() + ": "), qPrintable(error));
        QVERIFY2(error.size() > QString("Cannot write " + DataFile() + ": ").size(), qPrintable(error));
        QCOMPARE(FileBytes(DataFile()), before);
    }

    void writeFailingMidwayKeepsTheOldFile()
    {
        // A file-size limit makes the system refuse the write part-way, as a full disk would.
        QVERIFY(SaveData(*m_context, DataFile()));
        const QByteArray before = FileBytes(DataFile());
        for (int a = 0; a < 3; ++a) {
            TAnalyte& analyte = m_context->ListAnalytes.Add(TAnalyte(QString("Big %1").arg(a), "g/L", 1, 3));
            TQCValues means, cvs;
            for (int l = 0; l < 3; ++l) {
                means[l] = { 5.0f, psWithin };
                cvs[l] = { 3.0f, psWithin };
            }
            analyte.AddRandomPoints(3000, means, cvs, 44000.5, m_context->Random(), m_context->Risks());
        }
        rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool saved64k = SaveData(*m_context, DataFile(), &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!saved64k);
        QVERIFY2(error.contains(QString::fromLocal8Bit(std::strerror(EFBIG))), qPrintable(error));
        QCOMPARE(FileBytes(DataFile()), before);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList { "Vantorel.qcf" });
    }

    void killedWhileSavingLeavesOldOrNewFile()
    {
        const QString tool = QString(VANTOREL_TOOLS_DIR) + "/ToolSaveLoop";
        QVERIFY2(QFileInfo(tool).isExecutable(), qPrintable(tool));
        QByteArray expected[2];
        for (int v = 0; v < 2; ++v) {
            TListSerum serums;
            TListAnalytes analytes;
            FillCrashModel(v, serums, analytes);
            QBuffer buffer(&expected[v]);
            QVERIFY(buffer.open(QIODevice::WriteOnly));
            QVERIFY(TDataFileWriter().Write(buffer, serums, analytes));
        }
        QVERIFY(expected[0] != expected[1]);
        {
            QFile start(DataFile());
            QVERIFY(start.open(QIODevice::WriteOnly));
            start.write(expected[0]);
        }
        QRandomGenerator random(20260315);
        int seen[2] = { 0, 0 };
        for (int kill = 0; kill < 40; ++kill) {
            QProcess child;
            child.start(tool, { DataFile() });
            QVERIFY(child.waitForStarted());
            QVERIFY2(child.waitForReadyRead(10000), "the saving child did not start");
            QThread::usleep(random.bounded(40000));
            child.kill();
            QVERIFY(child.waitForFinished());
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);
            const QByteArray now = FileBytes(DataFile());
            const int which = now == expected[0] ? 0 : now == expected[1] ? 1 : -1;
            QVERIFY2(which >= 0, qPrintable(QString("kill %1 left a file of %2 bytes").arg(kill).arg(now.size())));
            ++seen[which];
            TQCContext loaded;
            QString error;
            QVERIFY2(LoadData(loaded, DataFile(), &error), qPrintable(error));
            QCOMPARE(loaded.ListAnalytes.Count(), which == 0 ? 2 : 5);
        }
        qInfo("old content after %d kills, new content after %d", seen[0], seen[1]);
    }
};

VANTOREL_TEST(TestDataFileWriter)
#include "TestDataFileWriter.moc"

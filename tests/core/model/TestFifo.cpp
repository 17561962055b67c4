// The queue: order, ownership and the file that follows every change.
#include "TFailDevice.h"
#include "TFifo.h"
#include "TFifoFile.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

TResu0 Result(int n)
{
    TResu0 r = MakeResult(46000 + n, n, n + 0.5, NAN, "op", QString("run %1").arg(n));
    r.Analyte = "Glucose";
    return r;
}

std::deque<TResu0> FileRecords(const QString& name)
{
    std::deque<TResu0> records;
    TFifoReader reader;
    if (!reader.ReadFile(name, records))
        qWarning() << reader.ErrorString();
    return records;
}

} // namespace

class TestFifo : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_name;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_name = m_dir->filePath("Vantorel.fif");
    }

    void cleanup() { m_dir.reset(); }

    void popGivesResultsInArrivalOrder()
    {
        TFifo fifo;
        for (int n = 1; n <= 3; ++n)
            QVERIFY(fifo.Push(Result(n)));
        QCOMPARE(fifo.Count(), 3);
        QCOMPARE(fifo.Item(0).Comment, QString("run 1"));
        for (int n = 1; n <= 3; ++n) {
            const std::optional<TResu0> r = fifo.Pop();
            QVERIFY(r.has_value());
            QCOMPARE(r->Comment, QString("run %1").arg(n));
            QCOMPARE(fifo.Count(), 3 - n);
        }
        QVERIFY(QDir(m_dir->path()).isEmpty()); // no file name, no file
    }

    void popOnEmptyGivesNone()
    {
        TFifo fifo;
        QVERIFY(!fifo.Pop().has_value());
        QCOMPARE(fifo.Count(), 0);
        fifo.Push(Result(1));
        fifo.Pop();
        QVERIFY(!fifo.Pop().has_value());
        QCOMPARE(fifo.Count(), 0);
    }

    void fileFollowsEveryChange()
    {
        TFifo fifo;
        fifo.SetFileName(m_name);
        QVERIFY(fifo.Push(Result(1)));
        QCOMPARE(FileRecords(m_name).size(), size_t(1));
        QVERIFY(fifo.Push(Result(2)));
        std::deque<TResu0> onDisk = FileRecords(m_name);
        QCOMPARE(onDisk.size(), size_t(2));
        QVERIFY(onDisk[1] == Result(2));
        fifo.Pop();
        onDisk = FileRecords(m_name);
        QCOMPARE(onDisk.size(), size_t(1));
        QVERIFY(onDisk[0] == Result(2));
        QVERIFY(fifo.Clear());
        QVERIFY(QFile::exists(m_name));
        QCOMPARE(QFileInfo(m_name).size(), qint64(0));
    }

    void orderSurvivesARestart()
    {
        {
            TFifo fifo;
            fifo.SetFileName(m_name);
            for (int n = 1; n <= 4; ++n)
                fifo.Push(Result(n));
            fifo.Pop();
            // No Save: the file already holds the queue, as after a crash.
        }
        TFifo again;
        again.SetFileName(m_name);
        QVERIFY(again.Load());
        QCOMPARE(again.Count(), 3);
        for (int n = 2; n <= 4; ++n)
            QVERIFY(*again.Pop() == Result(n));
    }

    void truncatedFileGivesAnEmptyQueue()
    {
        TFifo fifo;
        fifo.SetFileName(m_name);
        fifo.Push(Result(1));
        fifo.Push(Result(2));
        QFile file(m_name);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() - 2));
        file.close();
        TFifo again;
        again.Push(Result(9)); // before the file name: nothing written
        again.SetFileName(m_name);
        QVERIFY(!again.Load());
        QCOMPARE(again.Count(), 0);
        QVERIFY(!again.ErrorString().isEmpty());
    }

    void missingFileGivesAnEmptyQueue()
    {
        TFifo fifo;
        fifo.SetFileName(m_name);
        QVERIFY(!fifo.Load());
        QCOMPARE(fifo.Count(), 0);
        QVERIFY(!QFile::exists(m_name));
    }

    void failedWriteKeepsThePreviousFileAndReports()
    {
        TFifo fifo;
        fifo.SetFileName(m_name);
        fifo.Push(Result(1));
        {
            TReadOnlyFolder lock(m_dir->path());
            if (!lock.Active())
                QSKIP("This system lets every write through");
            QVERIFY(!fifo.Push(Result(2)));
            QVERIFY(!fifo.Synced());
            QVERIFY(fifo.ErrorString().contains("Vantorel.fif"));
            QCOMPARE(fifo.Count(), 2); // the run is kept in memory
            QVERIFY(!fifo.Save());
            const std::deque<TResu0> onDisk = FileRecords(m_name);
            QCOMPARE(onDisk.size(), size_t(1));
            QVERIFY(onDisk[0] == Result(1));
        }
        // The next change writes the whole queue again.
        QVERIFY(fifo.Push(Result(3)));
        QVERIFY(fifo.Synced());
        QCOMPARE(FileRecords(m_name).size(), size_t(3));
    }

    void saveWithoutFileNameFails()
    {
        TFifo fifo;
        fifo.Push(Result(1));
        QVERIFY(!fifo.Save());
        QVERIFY(fifo.Synced());
    }
};

VANTOREL_TEST(TestFifo)
#include "TestFifo.moc"

// The queue: order, and the file that follows every change.
#include "TFifo.h"
#include "TFifoFile.h"
#include "TReaderHarness.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

TResu0 Result(int n)
{
    TResu0 r = MakeResult(46000 + n, n, n + 0.5, NAN, "op", QString("run %1").arg(n));
    r.Analyte = "Glucose";
    return r;
}

// The comments of the runs the file holds, head first; "<unreadable>" when it cannot be read.
QString OnDisk(const QString& name)
{
    std::deque<TResu0> records;
    if (!TFifoReader().ReadFile(name, records))
        return "<unreadable>";
    QStringList comments;
    for (const TResu0& r : records)
        comments << r.Comment;
    return comments.join(", ");
}

} // namespace

class TestFifo : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_name;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_name = m_dir->filePath("Vantorel.fif");
    }

    void queueWithoutFileKeepsArrivalOrderInMemory()
    {
        TFifo fifo;
        QVERIFY(!fifo.Pop().has_value());
        for (int n = 1; n <= 3; ++n)
            QVERIFY(fifo.Push(Result(n)));
        QCOMPARE(fifo.Item(0).Comment, QString("run 1"));
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(fifo.Pop().value(), Result(n));
            QCOMPARE(fifo.Count(), 3 - n);
        }
        QVERIFY(!fifo.Pop().has_value());
        fifo.Push(Result(1));
        QVERIFY(!fifo.Save() && fifo.Synced());
        QVERIFY(!fifo.Load() && fifo.Count() == 0);
        QVERIFY(QDir(m_dir->path()).isEmpty());
    }

    void fileFollowsEveryChangeAndOutlivesTheProgram()
    {
        {
            TFifo fifo;
            fifo.SetFileName(m_name);
            QVERIFY(!fifo.Load()); // no file yet: an empty queue
            QVERIFY(!QFile::exists(m_name));
            for (int n = 1; n <= 4; ++n)
                QVERIFY(fifo.Push(Result(n)));
            QCOMPARE(OnDisk(m_name), QString("run 1, run 2, run 3, run 4"));
            fifo.Pop();
            QCOMPARE(OnDisk(m_name), QString("run 2, run 3, run 4"));
            // No Save on the way out: the file already holds the queue, as after a crash.
        }
        TFifo again;
        again.Push(Result(9)); // before the file name: nothing written, and replaced by Load
        again.SetFileName(m_name);
        QVERIFY(again.Load());
        QCOMPARE(again.Count(), 3);
        QCOMPARE(again.Pop().value(), Result(2));
        QVERIFY(again.Clear());
        QCOMPARE(FileContent(m_name), QByteArray());
        // A cut file gives an empty queue and says why.
        QVERIFY(again.Push(Result(1)) && again.Push(Result(2)));
        QVERIFY(PutFile(m_name, FileContent(m_name).chopped(2)));
        QVERIFY(!again.Load());
        QCOMPARE(again.Count(), 0);
        QVERIFY2(again.ErrorString().startsWith("Queued result 2: "), qPrintable(again.ErrorString()));
    }

    void failedWriteKeepsThePreviousFileAndTheRun()
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
            QCOMPARE(fifo.Count(), 2);
            QVERIFY(!fifo.Save());
            QCOMPARE(OnDisk(m_name), QString("run 1"));
        }
        // The next change writes the whole queue again.
        QVERIFY(fifo.Push(Result(3)) && fifo.Synced());
        QCOMPARE(OnDisk(m_name), QString("run 1, run 2, run 3"));
    }
};

VANTOREL_TEST(TestFifo)
#include "TestFifo.moc"

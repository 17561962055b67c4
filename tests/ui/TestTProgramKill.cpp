#include "TAnalyte.h"
#include "TDataFile.h"
#include "TQCContext.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>

// The real program (ToolProgramEntry: the program's start-up, windows and
// entry road on a folder) killed at random moments, again and again on the
// same folder: its files stay sound and every run it acknowledged is in the
// data file or in the queue. VANTOREL_KILLS and VANTOREL_KILL_SECONDS make a
// longer run by hand.
class TestTProgramKill : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QSet<qint64> m_acknowledged;

    // Starts the program on the folder; its acknowledgements are read by Finish.
    void Start(QProcess& child)
    {
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(ToolPath("ToolProgramEntry"), { m_dir.path() });
        QVERIFY2(child.waitForStarted(), qPrintable(ToolPath("ToolProgramEntry")));
    }
    void Finish(QProcess& child)
    {
        QVERIFY(child.waitForFinished(20000));
        for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
            if (line.startsWith("ack "))
                m_acknowledged.insert(line.mid(4).toLongLong());
    }
    // The files read as the program reads them: false when one is unsound;
    // `found` counts the acknowledged runs they hold.
    bool Sound(int& found, QString& why) const
    {
        auto context = MakeTestContext();
        context->SetProgramFolder(m_dir.path());
        QSet<qint64> held;
        const QString data = DataFileName(*context);
        if (QFileInfo::exists(data) && !LoadData(*context, data, &why))
            return false;
        for (int i = 0; i < context->ListAnalytes.Count(); ++i)
            for (int p = 0; p < context->ListAnalytes.Item(i).Count(); ++p)
                held.insert(std::llround(context->ListAnalytes.Item(i).Point(p).DateTime * 1440));
        context->ListFifo.SetFileName(context->BaseName() + ".fif");
        if (QFileInfo::exists(context->ListFifo.FileName()) && !context->ListFifo.Load()) {
            why = context->ListFifo.ErrorString();
            return false;
        }
        for (int i = 0; i < context->ListFifo.Count(); ++i)
            held.insert(std::llround(context->ListFifo.Item(i).DateTime * 1440));
        found = int((held & m_acknowledged).size());
        why = QString("%1 acknowledged runs, %2 found").arg(m_acknowledged.size()).arg(found);
        return found == m_acknowledged.size();
    }

private slots:
    void killedAnywhereLosesNoAcknowledgedRun()
    {
        const int kills
            = qEnvironmentVariableIsSet("VANTOREL_KILLS") ? qEnvironmentVariableIntValue("VANTOREL_KILLS") : 150;
        const qint64 budget = 1000
            * qint64(qEnvironmentVariableIsSet("VANTOREL_KILL_SECONDS")
                    ? qEnvironmentVariableIntValue("VANTOREL_KILL_SECONDS")
                    : 100);
        QRandomGenerator random(20261207);
        QElapsedTimer clock;
        clock.start();
        int kill = 0, found = 0;
        QString why;
        for (; kill < kills && clock.elapsed() < budget; ++kill) {
            QProcess child;
            Start(child);
            // From the start-up to well into the entries.
            QThread::usleep(random.bounded(600000));
            child.kill();
            Finish(child);
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);
            QVERIFY2(Sound(found, why), qPrintable(QString("after kill %1: %2").arg(kill + 1).arg(why)));
        }
        // SIGTERM ends it as Exit does: files written, lock released.
        QProcess child;
        Start(child);
        while (child.bytesAvailable() < 50 && child.waitForReadyRead(10000)) // a few runs acknowledged
            ;
        child.terminate();
        Finish(child);
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(m_dir.filePath("Vantorel.lock")));
        QVERIFY2(Sound(found, why), qPrintable("after SIGTERM: " + why));
        qInfo("%d kills, %lld runs acknowledged, %d found, in %lld s", kill, qint64(m_acknowledged.size()), found,
            clock.elapsed() / 1000);
        QVERIFY(kill >= 10 && m_acknowledged.size() > 0);
    }
};

VANTOREL_TEST(TestTProgramKill)
#include "TestTProgramKill.moc"

#include "TAnalyte.h"
#include "TDataFile.h"
#include "TQCContext.h"
#include "TQCDocument.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

// Keeps the kinds it is handed, in order.
struct TKindJournal : TChangeJournal {
    QList<int> Kinds;
    bool Record(const TChange& change, QString*) override
    {
        Kinds.append(int(change.Kind));
        return true;
    }
};

enum TRoad { StoreRun, ReplacePoint, QueueRun, QueueCorrection, Risks };

} // namespace

class TestTQCDocument : public QObject {
    Q_OBJECT

private slots:
    // Every road commits its change, writes the files it touches (or reports
    // the one it could not write, leaving the previous file), and hands the
    // change to the journal only once its files hold it.
    void commitWritesThenJournals_data()
    {
        QTest::addColumn<int>("road");
        QTest::addColumn<QString>("blocked"); // the file that cannot be written
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("kinds"); // journalled at once
        QTest::addColumn<QString>("files"); // points in the data file, runs in the queue file
        QTest::addColumn<QList<int>>("finally"); // journalled once every file could be written
        const QList<int> none, stored { int(TChangeKind::RunStored) }, corrected { int(TChangeKind::PointCorrected) },
            queued { int(TChangeKind::RunQueued) }, both = queued + corrected, risks { int(TChangeKind::RisksChanged) };
        const QString data = "Cannot save data", fifo = "Unable to save fifo";
        QTest::newRow("store") << int(StoreRun) << ""
                               << "" << stored << "6 0" << stored;
        QTest::newRow("store, data blocked") << int(StoreRun) << ".qcf" << data << none << "- 0" << stored;
        QTest::newRow("replace") << int(ReplacePoint) << ""
                                 << "" << corrected << "5 0" << corrected;
        QTest::newRow("replace, data blocked") << int(ReplacePoint) << ".qcf" << data << none << "- 0" << corrected;
        QTest::newRow("queue") << int(QueueRun) << ""
                               << "" << queued << "5 1" << queued;
        QTest::newRow("queue blocked") << int(QueueRun) << ".fif" << fifo << none << "5 -" << queued;
        QTest::newRow("correction to the queue") << int(QueueCorrection) << ""
                                                 << "" << both << "4 1" << both;
        // The point stays stored when its corrected run could not be queued.
        QTest::newRow("correction, queue blocked") << int(QueueCorrection) << ".fif" << fifo << none << "5 -" << queued;
        QTest::newRow("correction, data blocked") << int(QueueCorrection) << ".qcf" << data << queued << "- 1" << both;
        QTest::newRow("risks") << int(Risks) << ""
                               << "" << risks << "5 0" << risks;
        QTest::newRow("risks, settings blocked") << int(Risks) << ".cfr"
                                                 << "Cannot save the settings" << none << "5 0" << risks;
    }
    void commitWritesThenJournals()
    {
        QFETCH(int, road);
        QFETCH(QString, blocked);
        QFETCH(QString, message);
        QFETCH(QList<int>, kinds);
        QFETCH(QString, files);
        QFETCH(QList<int>, finally);
        QTemporaryDir dir;
        auto context = MakeTestContext();
        context->SetProgramFolder(dir.path());
        context->ListFifo.SetFileName(context->BaseName() + ".fif");
        TAnalyte& a = AddDailyAnalyte(*context, "Glucose", 2, 5, context->Clock().TodayDays());
        TQCDocument& document = context->Document();
        QVERIFY(document.Save(TFile::Data).Ok());
        if (!blocked.isEmpty()) {
            QFile::remove(context->BaseName() + blocked);
            QVERIFY(QDir().mkpath(context->BaseName() + blocked));
        }
        TKindJournal journal;
        document.SetJournal(&journal);
        QSignalSpy committed(&document, &TQCDocument::Committed);

        const TResu0 run = MakeResult(a.Point(2).DateTime + 0.1, 7.5, 15.0, NAN, "AB");
        const TQCPoint* point = &a.Point(2);
        const TQCPoint content = *point;
        TCommitResult result;
        switch (TRoad(road)) {
        case StoreRun:
            result = document.StoreRun(a, run);
            break;
        case ReplacePoint:
            result = document.ReplacePoint(a, point, content, run);
            QCOMPARE(a.Point(2).Values[0].Value, 7.5f);
            break;
        case QueueRun:
            result = document.QueueRun(run);
            break;
        case QueueCorrection:
            result = document.QueueCorrection(a, point, content, run);
            break;
        case Risks:
            context->Config.ActionRisk = 3;
            result = document.Commit({ TChangeKind::RisksChanged, QString(), 0, QString(), {}, {} },
                { TFile::Settings | TFile::Data, TRecompute::EveryAnalyte });
            break;
        }
        QCOMPARE(result.Failures.isEmpty() ? QString() : result.Failures.first().Message, message);
        QCOMPARE(result.Text().left(message.size()), message);
        QVERIFY(committed.count() >= 1);
        QCOMPARE(journal.Kinds, kinds);
        auto saved = MakeTestContext();
        saved->ListFifo.SetFileName(context->BaseName() + ".fif");
        saved->ListFifo.Load();
        const QString points
            = LoadData(*saved, DataFileName(*context)) ? QString::number(saved->ListAnalytes.Item(0).Count()) : "-";
        const QString runs = blocked == ".fif" ? "-" : QString::number(saved->ListFifo.Count());
        QCOMPARE(points + ' ' + runs, files);

        // Once the file can be written, the next save writes it and the
        // waiting changes reach the journal.
        QDir().rmdir(context->BaseName() + blocked);
        QVERIFY(document.Save(TFile::Data | TFile::Queue | TFile::Settings).Ok());
        QCOMPARE(journal.Kinds, finally);
    }
};

VANTOREL_TEST(TestTQCDocument)
#include "TestTQCDocument.moc"

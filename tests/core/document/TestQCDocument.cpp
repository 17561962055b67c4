#include "TAnalyte.h"
#include "TDataFile.h"
#include "TFifoFile.h"
#include "TQCContext.h"
#include "TQCDocument.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

struct TKindJournal : TChangeJournal {
    QList<int> Kinds;
    bool Record(const TChange& change, QString*) override { return Kinds.append(int(change.Kind)), true; }
};

const int Stored = int(TChangeKind::RunStored), Corrected = int(TChangeKind::PointCorrected),
          Queued = int(TChangeKind::RunQueued), Risks = int(TChangeKind::RisksChanged);

} // namespace

class TestQCDocument : public QObject {
    Q_OBJECT

private slots:
    // Every road commits its change and writes the files it touches, or names
    // the one it could not write; the journal gets the change only once its
    // files hold it (here: after the next save that can write them).
    void commitWritesThenJournals_data()
    {
        QTest::addColumn<int>("road");
        QTest::addColumn<QString>("blocked"); // the file a folder stands in the place of
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("journalled"); // at once, then after the save
        QTest::addColumn<QString>("files"); // points in the data file, runs in the queue file
        // clang-format off
        QTest::newRow("store") << Stored << "" << "" << QList { Stored, Stored } << "6 0";
        QTest::newRow("store, data blocked") << Stored << ".qcf" << "Cannot save data" << QList { Stored } << "- 0";
        QTest::newRow("replace") << Corrected << "" << "" << QList { Corrected, Corrected } << "5 0";
        QTest::newRow("queue blocked") << Queued << ".fif" << "Unable to save fifo" << QList { Queued } << "5 -";
        QTest::newRow("correction queued") << -Corrected << "" << "" << QList { Queued, Corrected, Queued, Corrected } << "4 1";
        // The point stays stored when its corrected run could not be queued.
        QTest::newRow("correction, queue blocked") << -Corrected << ".fif" << "Unable to save fifo" << QList { Queued } << "5 -";
        QTest::newRow("risks, settings blocked") << Risks << ".cfr" << "Cannot save the settings" << QList { Risks } << "5 0";
        // clang-format on
    }
    void commitWritesThenJournals()
    {
        QFETCH(int, road);
        QFETCH(QString, blocked);
        QFETCH(QString, message);
        QFETCH(QList<int>, journalled);
        QFETCH(QString, files);
        QTemporaryDir dir;
        auto context = MakeTestContext();
        context->SetProgramFolder(dir.path());
        context->ListFifo.SetStore(FifoFileStore(context->BaseName() + ".fif"));
        TAnalyte& a = AddDailyAnalyte(*context, "Glucose", 2, 5, context->Clock().TodayDays());
        TQCDocument& document = context->Document();
        QVERIFY(document.Save(TFile::Data).Ok());
        QFile::remove(context->BaseName() + blocked);
        QVERIFY(blocked.isEmpty() || QDir().mkpath(context->BaseName() + blocked));
        TKindJournal journal;
        document.SetJournal(&journal);

        const TResu0 run = MakeResult(a.Point(2).DateTime + 0.1, 7.5, 15.0, NAN, "AB");
        const TQCPoint content = a.Point(2);
        context->Config.ActionRisk = 3;
        const TCommitResult result = road == Stored ? document.StoreRun(a, run)
            : road == Corrected                     ? document.ReplacePoint(a, &a.Point(2), content, run)
            : road == Queued                        ? document.QueueRun(run)
            : road == Risks                         ? document.Commit({ TChangeKind::RisksChanged, {}, 0, {}, {}, {} },
                                          { TFile::Settings | TFile::Data, TRecompute::EveryAnalyte })
                                                    : document.QueueCorrection(a, &a.Point(2), content, run);
        QCOMPARE(result.Text().left(message.size()), message);
        QCOMPARE(result.Ok(), message.isEmpty());
        auto saved = MakeTestContext();
        saved->ListFifo.SetStore(FifoFileStore(context->BaseName() + ".fif"));
        const bool data = LoadData(*saved, DataFileName(*context)), queue = saved->ListFifo.Load();
        QCOMPARE(Join(data ? QString::number(saved->ListAnalytes.Item(0).Count()) : "-",
                     queue || blocked != ".fif" ? QString::number(saved->ListFifo.Count()) : "-"),
            files);

        QDir().rmdir(context->BaseName() + blocked);
        const QList<int> atOnce = journal.Kinds;
        QVERIFY(document.Save(TFile::Data | TFile::Queue | TFile::Settings).Ok());
        QCOMPARE(atOnce + journal.Kinds, journalled);
    }
};

VANTOREL_TEST(TestQCDocument)
#include "TestQCDocument.moc"

#include "TAnalyte.h"
#include "TDataFileReader.h"
#include "TDataSample.h"
#include "TDates.h"
#include "TDemonstrationData.h"
#include "TReaderHarness.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestDemonstrationData : public QObject {
    Q_OBJECT

    std::unique_ptr<TQCContext> m_context = MakeTestContext();
    QList<TResu0> m_queued;

private slots:
    void initTestCase()
    {
        m_context->ListAnalytes.Add(TAnalyte("Old", "g/L", 0, 1));
        m_context->CurrentAnalyte = &m_context->ListAnalytes.Item(0);
        m_queued = MakeDemonstrationData(*m_context);
    }

    void replacesTheListsWithClassifiedAnalytes()
    {
        QCOMPARE(m_context->CurrentAnalyte, nullptr);
        const TListSerum& serums = m_context->ListSerum;
        QStringList materials;
        for (int i = 0; i < serums.Count(); ++i) {
            const int lot = serums.Item(i).Lot.toInt();
            QVERIFY2(lot >= 0 && lot <= 999999 && QString::number(lot) == serums.Item(i).Lot,
                qPrintable(serums.Item(i).Lot));
            materials << Join(serums.Item(i).ID, serums.Item(i).Name);
        }
        QCOMPARE(materials.join(", "), QString("0 Lyphocheck 1, 1 Lyphocheck 2, 2 Lyphocheck 3"));
        QVERIFY(serums.NextID() == 3
            && (serums.Item(0).Lot != serums.Item(1).Lot || serums.Item(1).Lot != serums.Item(2).Lot));
        // Points one a day up to today, every value classified against its level's limits:
        // Glucose locked, Calcium mobile on a CV per level, Albumin fixed 42 +- 2 / 3.
        QStringList analytes;
        for (int a = 0; a < m_context->ListAnalytes.Count(); ++a) {
            const TAnalyte& x = m_context->ListAnalytes.Item(a);
            const TLevelStats& r = x.ReferenceStats[0];
            analytes << Join(x.Name, x.NbLevels, x.Count(),
                DayCountToDate(x.Point(x.Count() - 1).DateTime).toString("MM-dd"), x.Options, x.LimitMode[0], r.Mean,
                r.WarningHalfWidth, r.ActionHalfWidth);
            for (int i = 0; i < x.Count(); ++i) {
                QCOMPARE_NEAR(x.Point(i).DateTime - x.Point(0).DateTime, i, 1e-9);
                for (int l = 0; l < x.NbLevels; ++l)
                    if (x.Point(i).Values[l].IsCounted())
                        QCOMPARE(x.Point(i).Values[l].Status,
                            ClassifyValue(x.ReferenceStats[l], x.LimitMode[l], x.Point(i).Values[l].Value));
            }
        }
        QCOMPARE(analytes[2], QString("Albumin 1 50 03-15 7 2 42 2 3"));
        QVERIFY2(analytes[0].startsWith("Glucose 3 45 03-15 7 1 ") && analytes[1].startsWith("Calcium 2 25 03-15 5 0 "),
            qPrintable(analytes.join(", ")));
        QVERIFY(m_context->ListAnalytes.Item(1).ReferenceStats[0].CV
            != m_context->ListAnalytes.Item(1).ReferenceStats[1].CV);
    }

    void glucoseIsLockedWithADiscardedPointAndTwoComments()
    {
        const TAnalyte& glucose = m_context->ListAnalytes.Item(0);
        QStringList comments;
        for (int i = 0; i < glucose.Count(); ++i)
            if (glucose.Point(i).CommentID != -1)
                comments << Join(i, glucose.CommentText(glucose.Point(i).CommentID));
        QCOMPARE(comments.join(", "), QString("30 Wrong calibrator, 35 New reagent"));
        const double means[3] = { 3, 5, 12 };
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(
                Join(glucose.LockStart[l], glucose.LockEnd[l], glucose.ReferenceStats[l].N, glucose.AllPointsStats[l].N,
                    glucose.AllPointsStats[l].Discarded, glucose.Point(30).Values[l].Status),
                QString("0 25 26 44 1 5"));
            // 44 values with a CV of 3 %: their mean lies far within 5 % of the target.
            QCOMPARE_NEAR(glucose.AllPointsStats[l].Mean, means[l], 0.05);
        }
    }

    void fiveGlucoseRunsAreQueuedForTheNextMornings()
    {
        QStringList queued;
        for (const TResu0& r : m_queued) {
            queued << DayCountToDateTime(r.DateTime).toString("MM-dd HH:mm ") + r.Analyte + r.Comment + r.Operator;
            for (int l = 0; l < 3; ++l)
                QVERIFY(r.Values[l].Status == psWithin && r.Values[l].Value > 0);
        }
        QCOMPARE(queued.join(", "),
            QString("03-16 09:00 Glucose, 03-17 09:00 Glucose, 03-18 09:00 Glucose, 03-19 09:00 Glucose, 03-20 09:00 "
                    "Glucose"));
    }

    void sameClockAndSeedGiveTheSameDataThatSurvivesTheDataFile()
    {
        const auto bytes = [](const TQCContext& c) { return DataFileBytes(c.ListSerum, c.ListAnalytes); };
        auto again = MakeTestContext();
        QCOMPARE(MakeDemonstrationData(*again), m_queued);
        QCOMPARE(bytes(*again), bytes(*m_context));
        auto other = MakeTestContext(QDateTime(QDate(2026, 3, 15), QTime(10, 30)), 777);
        MakeDemonstrationData(*other);
        QVERIFY(bytes(*other) != bytes(*m_context));
        const auto read = [&](QIODevice& device) {
            return TDataFileReader().Read(device, m_context->Risks(), other->ListSerum, other->ListAnalytes)
                ? ""
                : "refused";
        };
        QCOMPARE(ReadFromBytes(read, bytes(*m_context)), QString());
        QCOMPARE(ListDifference(other->ListSerum, other->ListAnalytes, m_context->ListSerum, m_context->ListAnalytes),
            QString());
    }
};

VANTOREL_TEST(TestDemonstrationData)
#include "TestDemonstrationData.moc"

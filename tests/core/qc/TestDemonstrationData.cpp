#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TDataSample.h"
#include "TDates.h"
#include "TDemonstrationData.h"
#include "TStatistics.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QBuffer>

namespace {

QByteArray Written(const TQCContext& context)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TDataFileWriter().Write(buffer, context.ListSerum, context.ListAnalytes);
    return bytes;
}

} // namespace

class TestDemonstrationData : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TQCContext> m_context;
    QList<TResu0> m_queued;
    // 2026-03-15, the test clock's day.
    const double m_today = DateToDayCount(QDate(2026, 3, 15));

    const TAnalyte& Analyte(int index) const { return m_context->ListAnalytes.Item(index); }

    // Checks count points one day apart from the first date-time.
    void CheckDates(const TAnalyte& analyte, int count, double first)
    {
        QCOMPARE(analyte.Count(), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE_NEAR(analyte.Point(i).DateTime, first + i, 1e-9);
    }

private slots:
    void init()
    {
        m_context = MakeTestContext();
        m_context->ListAnalytes.Add(TAnalyte("Old", "g/L", 0, 1));
        m_context->CurrentAnalyte = &m_context->ListAnalytes.Item(0);
        m_queued = MakeDemonstrationData(*m_context);
    }

    void replacesTheListsAndClearsTheCurrentAnalyte()
    {
        QCOMPARE(m_context->CurrentAnalyte, nullptr);
        QCOMPARE(m_context->ListAnalytes.Count(), 3);
        QCOMPARE(Analyte(0).Name, QString("Glucose"));
        QCOMPARE(Analyte(1).Name, QString("Calcium"));
        QCOMPARE(Analyte(2).Name, QString("Albumin"));
    }

    void threeMaterialsWithRandomLots()
    {
        const TListSerum& serums = m_context->ListSerum;
        QCOMPARE(serums.Count(), 3);
        QCOMPARE(serums.NextID(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(serums.Item(i).ID, i);
            QCOMPARE(serums.Item(i).Name, QString("Lyphocheck %1").arg(i + 1));
            bool number = false;
            const int lot = serums.Item(i).Lot.toInt(&number);
            QVERIFY(number);
            QVERIFY(lot >= 0 && lot <= 999999);
            QCOMPARE(serums.Item(i).Lot, QString::number(lot));
        }
        QVERIFY(serums.Item(0).Lot != serums.Item(1).Lot || serums.Item(1).Lot != serums.Item(2).Lot);
    }

    void glucoseIsLockedWithADiscardedPointAndTwoComments()
    {
        const TAnalyte& glucose = Analyte(0);
        QCOMPARE(glucose.Units, QString("mmol/L"));
        QCOMPARE(glucose.NbLevels, 3);
        QCOMPARE(glucose.Decimals, 1);
        QCOMPARE(glucose.SerumID, (std::array<qint32, 3> { 0, 1, 2 }));
        QCOMPARE(glucose.Options, quint8(7));
        CheckDates(glucose, 45, m_today - 44 + 0.5);
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(glucose.LimitMode[l], quint8(lmLocked));
            QCOMPARE(glucose.LockStart[l], 0);
            QCOMPARE(glucose.LockEnd[l], 25);
            QCOMPARE(glucose.ReferenceStats[l].N, 26);
            QCOMPARE(glucose.AllPointsStats[l].N, 44);
            QCOMPARE(glucose.AllPointsStats[l].Discarded, 1);
        }
        const TQCPoint& wrong = glucose.Point(30);
        const float discarded[3] = { 0.6f, 1.0f, 3.5f };
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(wrong.Values[l].Value, discarded[l]);
            QCOMPARE(wrong.Values[l].Status, quint8(psDiscarded));
        }
        QCOMPARE(glucose.CommentText(wrong.CommentID), QString("Wrong calibrator"));
        QCOMPARE(glucose.CommentText(glucose.Point(35).CommentID), QString("New reagent"));
        QCOMPARE(glucose.Comments.Count(), 2);
        int withComment = 0;
        for (int i = 0; i < glucose.Count(); ++i)
            withComment += glucose.Point(i).CommentID != -1;
        QCOMPARE(withComment, 2);
    }

    void glucoseValuesFollowTheirMeansAndAreClassified()
    {
        const TAnalyte& glucose = Analyte(0);
        const double means[3] = { 3, 5, 12 };
        for (int l = 0; l < 3; ++l) {
            // 44 values with a CV of 3 %: their mean lies far within 5 % of the target.
            QCOMPARE_NEAR(glucose.AllPointsStats[l].Mean, means[l], 0.05);
            for (int i = 0; i < glucose.Count(); ++i) {
                if (i == 30)
                    continue;
                const TQCValue& cell = glucose.Point(i).Values[l];
                QCOMPARE(
                    cell.Status, ClassifyValue(glucose.ReferenceStats[l], glucose.LimitMode[l], double(cell.Value)));
            }
        }
    }

    void fiveGlucoseResultsAreQueuedForTheNextDays()
    {
        QCOMPARE(m_queued.size(), 5);
        for (int k = 0; k < 5; ++k) {
            const TResu0& result = m_queued[k];
            QCOMPARE(result.Analyte, QString("Glucose"));
            QCOMPARE_NEAR(result.DateTime, m_today + k + 1 + 9.0 / 24, 1e-9);
            QCOMPARE(DayCountToDateTime(result.DateTime).time(), QTime(9, 0));
            QVERIFY(result.Comment.isEmpty());
            QVERIFY(result.Operator.isEmpty());
            for (int l = 0; l < 3; ++l) {
                QCOMPARE(result.Values[l].Status, quint8(psWithin));
                QVERIFY(result.Values[l].Value > 0);
            }
        }
        // The queued results are not stored points.
        QCOMPARE(Analyte(0).Count(), 45);
    }

    void calciumHasTwoLevelsWithoutCommonCV()
    {
        const TAnalyte& calcium = Analyte(1);
        QCOMPARE(calcium.Units, QString("mmol/L"));
        QCOMPARE(calcium.NbLevels, 2);
        QCOMPARE(calcium.Decimals, 2);
        QCOMPARE(calcium.Options, quint8(5));
        QCOMPARE(calcium.SerumID, (std::array<qint32, 3> { 0, 1, 2 }));
        CheckDates(calcium, 25, m_today - 24 + 10.0 / 24);
        for (int i = 0; i < calcium.Count(); ++i)
            QCOMPARE(calcium.Point(i).Values[2].Status, quint8(psNoValue));
        QCOMPARE(calcium.LimitMode[0], quint8(lmMobile));
        QCOMPARE_NEAR(calcium.AllPointsStats[0].Mean, 2.4, 0.1);
        QCOMPARE_NEAR(calcium.AllPointsStats[1].Mean, 2.6, 0.1);
        // Without the common CV each level keeps its own CV.
        QVERIFY(calcium.ReferenceStats[0].CV != calcium.ReferenceStats[1].CV);
    }

    void albuminHasFixedLimits()
    {
        const TAnalyte& albumin = Analyte(2);
        QCOMPARE(albumin.Units, QString("g/L"));
        QCOMPARE(albumin.NbLevels, 1);
        QCOMPARE(albumin.Decimals, 0);
        QCOMPARE(albumin.SerumID, (std::array<qint32, 3> { 0, 1, 2 }));
        CheckDates(albumin, 50, m_today - 49 + 16.0 / 24);
        QCOMPARE(albumin.LimitMode[0], quint8(lmFixed));
        QCOMPARE(albumin.ReferenceStats[0].Mean, 42.0);
        QCOMPARE(albumin.ReferenceStats[0].WarningHalfWidth, 2.0);
        QCOMPARE(albumin.ReferenceStats[0].ActionHalfWidth, 3.0);
        // Classified against 42 +- 2 / 3: a value of 40 or below is a low warning at least.
        for (int i = 0; i < albumin.Count(); ++i) {
            const TQCValue& cell = albumin.Point(i).Values[0];
            const double d = 42.0 - cell.Value;
            const quint8 expected = d >= 3 ? psLowAction
                : d >= 2                   ? psLowWarning
                : -d >= 3                  ? psHighAction
                : -d >= 2                  ? psHighWarning
                                           : psWithin;
            QCOMPARE(cell.Status, expected);
        }
    }

    void sameClockAndSeedGiveTheSameData()
    {
        auto again = MakeTestContext();
        const QList<TResu0> queued = MakeDemonstrationData(*again);
        QCOMPARE(Written(*again), Written(*m_context));
        QCOMPARE(queued, m_queued);
        auto other = MakeTestContext(QDateTime(QDate(2026, 3, 15), QTime(10, 30)), 777);
        MakeDemonstrationData(*other);
        QVERIFY(Written(*other) != Written(*m_context));
    }

    void survivesSaveAndLoad()
    {
        QByteArray bytes = Written(*m_context);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        TListSerum serums;
        TListAnalytes analytes;
        TDataFileReader reader;
        QVERIFY2(reader.Read(buffer, m_context->Risks(), serums, analytes), qPrintable(reader.ErrorString()));
        QCOMPARE(ListDifference(serums, analytes, m_context->ListSerum, m_context->ListAnalytes), QString());
    }
};

VANTOREL_TEST(TestDemonstrationData)
#include "TestDemonstrationData.moc"

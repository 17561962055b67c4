// The demonstration data of a first start.
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
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TDataFileWriter().Write(buffer, context.ListSerum, context.ListAnalytes);
    return buffer.data();
}

// An analyte's settings, its first point's date and time and whether the points follow one a day.
QString Described(const TAnalyte& a)
{
    bool daily = true;
    for (int i = 1; i < a.Count(); ++i)
        daily = daily && std::fabs(a.Point(i).DateTime - a.Point(0).DateTime - i) < 1e-9;
    return QString("%1 %2, %3 levels, %4 decimals, lots %5 %6 %7, options %8, modes %9 %10 %11, %12 points from %13%14")
        .arg(a.Name, a.Units)
        .arg(a.NbLevels)
        .arg(a.Decimals)
        .arg(a.SerumID[0])
        .arg(a.SerumID[1])
        .arg(a.SerumID[2])
        .arg(a.Options)
        .arg(a.LimitMode[0])
        .arg(a.LimitMode[1])
        .arg(a.LimitMode[2])
        .arg(a.Count())
        .arg(DayCountToDateTime(a.Point(0).DateTime).toString("yyyy-MM-dd HH:mm"))
        .arg(daily ? " daily" : "");
}

} // namespace

class TestDemonstrationData : public QObject {
    Q_OBJECT

    std::unique_ptr<TQCContext> m_context;
    QList<TResu0> m_queued;

    const TAnalyte& Analyte(int index) const { return m_context->ListAnalytes.Item(index); }

private slots:
    void init()
    {
        m_context = MakeTestContext(); // 2026-03-15 10:30
        m_context->ListAnalytes.Add(TAnalyte("Old", "g/L", 0, 1));
        m_context->CurrentAnalyte = &m_context->ListAnalytes.Item(0);
        m_queued = MakeDemonstrationData(*m_context);
    }

    void replacesTheListsWithThreeMaterialsAndThreeAnalytes()
    {
        QCOMPARE(m_context->CurrentAnalyte, nullptr);
        const TListSerum& serums = m_context->ListSerum;
        QCOMPARE(serums.NextID(), 3);
        QStringList lots;
        for (int i = 0; i < serums.Count(); ++i) {
            QCOMPARE(QString("%1 %2").arg(serums.Item(i).ID).arg(serums.Item(i).Name),
                QString("%1 Lyphocheck %2").arg(i).arg(i + 1));
            bool number = false;
            const int lot = serums.Item(i).Lot.toInt(&number);
            QVERIFY2(number && lot >= 0 && lot <= 999999 && QString::number(lot) == serums.Item(i).Lot,
                qPrintable(serums.Item(i).Lot));
            lots << serums.Item(i).Lot;
        }
        QVERIFY(lots.removeDuplicates() < 2); // random lots: not all the same
        QCOMPARE(Described(Analyte(0)),
            "Glucose mmol/L, 3 levels, 1 decimals, lots 0 1 2, options 7, modes 1 1 1, 45 points from 2026-01-30 12:00 "
            "daily");
        QCOMPARE(Described(Analyte(1)),
            "Calcium mmol/L, 2 levels, 2 decimals, lots 0 1 2, options 5, modes 0 0 0, 25 points from 2026-02-19 10:00 "
            "daily");
        QCOMPARE(Described(Analyte(2)),
            "Albumin g/L, 1 levels, 0 decimals, lots 0 1 2, options 7, modes 2 0 0, 50 points from 2026-01-25 16:00 "
            "daily");
    }

    void glucoseIsLockedWithADiscardedPointAndTwoComments()
    {
        const TAnalyte& glucose = Analyte(0);
        const double means[3] = { 3, 5, 12 };
        const float discarded[3] = { 0.6f, 1.0f, 3.5f };
        QStringList comments;
        for (int i = 0; i < glucose.Count(); ++i)
            if (glucose.Point(i).CommentID != -1)
                comments << QString("%1 %2").arg(i).arg(glucose.CommentText(glucose.Point(i).CommentID));
        QCOMPARE(comments, QStringList({ "30 Wrong calibrator", "35 New reagent" }));
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(QString("%1..%2").arg(glucose.LockStart[l]).arg(glucose.LockEnd[l]), QString("0..25"));
            QCOMPARE(glucose.ReferenceStats[l].N, 26);
            QCOMPARE(glucose.AllPointsStats[l].N, 44);
            QCOMPARE(glucose.AllPointsStats[l].Discarded, 1);
            QCOMPARE(glucose.Point(30).Values[l], (TQCValue { discarded[l], psDiscarded }));
            // 44 values with a CV of 3 %: their mean lies far within 5 % of the target; each is
            // classified against the locked limits.
            QCOMPARE_NEAR(glucose.AllPointsStats[l].Mean, means[l], 0.05);
            for (int i = 0; i < glucose.Count(); ++i)
                if (i != 30)
                    QCOMPARE(glucose.Point(i).Values[l].Status,
                        ClassifyValue(glucose.ReferenceStats[l], lmLocked, glucose.Point(i).Values[l].Value));
        }
    }

    void fiveGlucoseResultsAreQueuedForTheNextMornings()
    {
        QCOMPARE(m_queued.size(), 5);
        for (int k = 0; k < 5; ++k) {
            const TResu0& result = m_queued[k];
            QCOMPARE(DayCountToDateTime(result.DateTime), QDateTime(QDate(2026, 3, 16 + k), QTime(9, 0)));
            QCOMPARE(result.Analyte + result.Comment + result.Operator, QString("Glucose"));
            for (int l = 0; l < 3; ++l)
                QVERIFY(result.Values[l].Status == psWithin && result.Values[l].Value > 0);
        }
    }

    void calciumAndAlbumin()
    {
        // Calcium: two mobile levels, each on its own CV.
        const TAnalyte& calcium = Analyte(1);
        QCOMPARE_NEAR(calcium.AllPointsStats[0].Mean, 2.4, 0.1);
        QCOMPARE_NEAR(calcium.AllPointsStats[1].Mean, 2.6, 0.1);
        QVERIFY(calcium.ReferenceStats[0].CV != calcium.ReferenceStats[1].CV);
        for (int i = 0; i < calcium.Count(); ++i)
            QCOMPARE(calcium.Point(i).Values[2].Status, quint8(psNoValue));
        // Albumin: fixed 42 +- 2 / 3, its values classified against them.
        const TAnalyte& albumin = Analyte(2);
        QCOMPARE(QString("%1 %2 %3")
                     .arg(albumin.ReferenceStats[0].Mean)
                     .arg(albumin.ReferenceStats[0].WarningHalfWidth)
                     .arg(albumin.ReferenceStats[0].ActionHalfWidth),
            QString("42 2 3"));
        for (int i = 0; i < albumin.Count(); ++i) {
            const double d = albumin.Point(i).Values[0].Value - 42.0;
            const quint8 expected = d <= -3 ? psLowAction
                : d <= -2                   ? psLowWarning
                : d >= 3                    ? psHighAction
                : d >= 2                    ? psHighWarning
                                            : psWithin;
            QCOMPARE(albumin.Point(i).Values[0].Status, expected);
        }
    }

    void sameClockAndSeedGiveTheSameDataThatSurvivesSaveAndLoad()
    {
        auto again = MakeTestContext();
        QCOMPARE(MakeDemonstrationData(*again), m_queued);
        QCOMPARE(Written(*again), Written(*m_context));
        auto other = MakeTestContext(QDateTime(QDate(2026, 3, 15), QTime(10, 30)), 777);
        MakeDemonstrationData(*other);
        QVERIFY(Written(*other) != Written(*m_context));
        QBuffer buffer;
        buffer.setData(Written(*m_context));
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

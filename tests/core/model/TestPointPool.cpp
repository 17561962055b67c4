// The storage of an analyte's points: places that never move, taken again once freed.
#include "TPointPool.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <set>
#include <vector>

class TestPointPool : public QObject {
    Q_OBJECT

private:
    static TQCPoint Dated(double dateTime)
    {
        TQCPoint p;
        p.DateTime = dateTime;
        p.Values[0] = { float(dateTime) / 2, psWithin };
        p.CommentID = int(dateTime);
        return p;
    }

    // Every held point still carries the date it was stored with.
    static void VerifyHeld(const std::vector<TQCPoint*>& held, const std::vector<double>& dates)
    {
        QCOMPARE(held.size(), dates.size());
        for (size_t i = 0; i < held.size(); ++i) {
            QCOMPARE(held[i]->DateTime, dates[i]);
            QCOMPARE(held[i]->Values[0].Value, float(dates[i]) / 2);
            QCOMPARE(held[i]->CommentID, int(dates[i]));
        }
    }

    // Stores points dated 0..count-1, holding each and noting its date.
    static void StoreDays(TPointPool& pool, int count, std::vector<TQCPoint*>& held, std::vector<double>& dates)
    {
        for (int i = 0; i < count; ++i) {
            held.push_back(pool.New(Dated(i)));
            dates.push_back(i);
        }
    }

private slots:
    void pointsStayInPlaceWhileThePoolGrows()
    {
        // Enough points for several blocks: a growing pool adds blocks, it never moves points.
        TPointPool pool;
        std::vector<TQCPoint*> held;
        std::vector<double> dates;
        StoreDays(pool, 1000, held, dates);
        QCOMPARE(pool.LiveCount(), 1000);
        QVERIFY(pool.Capacity() >= 1000);
        QVERIFY2(pool.Capacity() <= 1000 * 5 / 4 + 16, qPrintable(QString::number(pool.Capacity())));
        VerifyHeld(held, dates);
        QCOMPARE(std::set<TQCPoint*>(held.begin(), held.end()).size(), held.size());
    }

    void freedPlacesAreTakenAgainAndOthersStay()
    {
        TPointPool pool;
        std::vector<TQCPoint*> held;
        std::vector<double> dates;
        StoreDays(pool, 40, held, dates);
        const qint64 capacity = pool.Capacity();
        TQCPoint* freedA = held[3];
        TQCPoint* freedB = held[30];
        pool.Free(freedA);
        pool.Free(freedB);
        QCOMPARE(pool.LiveCount(), 38);
        QCOMPARE(pool.FreeCount(), 2);
        // The last freed place first, then the one before.
        QCOMPARE(pool.New(Dated(100)), freedB);
        QCOMPARE(pool.New(Dated(101)), freedA);
        QCOMPARE(pool.Capacity(), capacity);
        QCOMPARE(pool.FreeCount(), 0);
        dates[3] = 101;
        dates[30] = 100;
        VerifyHeld(held, dates);
    }

    void storingAndDeletingInTurnKeepsTheMemory()
    {
        // A laboratory that stores one point and deletes another, day after day, holds as many
        // places as at its peak.
        TPointPool pool;
        std::vector<TQCPoint*> live;
        std::vector<double> dates;
        StoreDays(pool, 200, live, dates);
        const qint64 peak = pool.Capacity();
        for (int day = 0; day < 5000; ++day) {
            pool.Free(live.front());
            live.erase(live.begin());
            live.push_back(pool.New(Dated(200 + day)));
        }
        QCOMPARE(pool.Capacity(), peak);
        QCOMPARE(pool.LiveCount(), 200);
        for (double& date : dates)
            date += 5000;
        VerifyHeld(live, dates);
    }

    void reserveMakesRoomInOneBlock()
    {
        TPointPool pool;
        pool.Reserve(500);
        QCOMPARE(pool.Capacity(), qint64(500));
        TQCPoint* first = pool.New(Dated(0));
        for (int i = 1; i < 500; ++i)
            QCOMPARE(pool.New(Dated(i)), first + i); // one run, in order
        QCOMPARE(pool.Capacity(), qint64(500));
        // Room that exists already is not allocated again.
        pool.Free(first + 7);
        pool.Reserve(1);
        QCOMPARE(pool.Capacity(), qint64(500));
    }

    void reserveCountsWhatIsLeftInTheNewestBlock()
    {
        TPointPool pool;
        pool.Reserve(10);
        std::vector<TQCPoint*> held;
        for (int i = 0; i < 4; ++i)
            held.push_back(pool.New(Dated(i)));
        pool.Free(held[1]);
        // 6 places left in the block and 1 freed: 13 more need a block of only 6.
        pool.Reserve(13);
        QCOMPARE(pool.Capacity(), qint64(16));
        std::set<TQCPoint*> taken { held[0], held[2], held[3] };
        for (int i = 0; i < 13; ++i)
            QVERIFY(taken.insert(pool.New(Dated(10 + i))).second);
        QCOMPARE(pool.Capacity(), qint64(16));
        QCOMPARE(pool.LiveCount(), 16);
        QCOMPARE(held[0]->DateTime, 0.0);
        QCOMPARE(held[3]->DateTime, 3.0);
    }

    void clearGivesEverythingBack()
    {
        TPointPool pool;
        for (int i = 0; i < 100; ++i)
            pool.New(Dated(i));
        pool.Free(pool.New(Dated(1)));
        pool.Clear();
        QCOMPARE(pool.Capacity(), qint64(0));
        QCOMPARE(pool.LiveCount(), 0);
        QCOMPARE(pool.FreeCount(), 0);
        TQCPoint* again = pool.New(Dated(7));
        QCOMPARE(again->DateTime, 7.0);
        QCOMPARE(pool.LiveCount(), 1);
    }

    void movingThePoolKeepsThePlaces()
    {
        TPointPool pool;
        std::vector<TQCPoint*> held;
        std::vector<double> dates;
        StoreDays(pool, 50, held, dates);
        pool.Free(held.back());
        held.pop_back();
        dates.pop_back();
        TPointPool moved(std::move(pool));
        VerifyHeld(held, dates);
        QCOMPARE(moved.LiveCount(), 49);
        QCOMPARE(pool.Capacity(), qint64(0));
        QCOMPARE(pool.FreeCount(), 0);

        TPointPool assigned;
        assigned.New(Dated(999));
        assigned = std::move(moved);
        VerifyHeld(held, dates);
        QCOMPARE(assigned.LiveCount(), 49);
        QCOMPARE(assigned.FreeCount(), 1); // the freed place went along
        // Both emptied pools are usable again.
        QCOMPARE(pool.New(Dated(5))->DateTime, 5.0);
        QCOMPARE(moved.New(Dated(6))->DateTime, 6.0);
    }
};

VANTOREL_TEST(TestPointPool)
#include "TestPointPool.moc"

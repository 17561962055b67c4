// The storage of an analyte's points: places that never move, taken again once freed.
#include "TPointPool.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <numeric>
#include <set>
#include <vector>

namespace {

TQCPoint Dated(double dateTime)
{
    TQCPoint p;
    p.DateTime = dateTime;
    p.CommentID = int(dateTime);
    return p;
}

// Stores points dated from..from+count-1, holding each.
std::vector<TQCPoint*> Store(TPointPool& pool, int count, int from = 0)
{
    std::vector<TQCPoint*> held;
    for (int i = 0; i < count; ++i)
        held.push_back(pool.New(Dated(from + i)));
    return held;
}

// The first held point that no longer carries the date it was stored with, or -1.
int FirstMoved(const std::vector<TQCPoint*>& held, const std::vector<int>& dates)
{
    for (size_t i = 0; i < held.size(); ++i)
        if (held[i]->DateTime != dates[i] || held[i]->CommentID != dates[i])
            return int(i);
    return -1;
}

std::vector<int> Days(int count, int from = 0)
{
    std::vector<int> days(static_cast<size_t>(count));
    std::iota(days.begin(), days.end(), from);
    return days;
}

} // namespace

class TestPointPool : public QObject {
    Q_OBJECT

private slots:
    void pointsStayInPlaceAndFreedPlacesAreTakenAgain()
    {
        // Enough points for several blocks: a growing pool adds blocks, it never moves points.
        TPointPool pool;
        std::vector<TQCPoint*> held = Store(pool, 1000);
        QCOMPARE(pool.LiveCount(), 1000);
        QVERIFY2(pool.Capacity() >= 1000 && pool.Capacity() <= 1000 * 5 / 4 + 16,
            qPrintable(QString::number(pool.Capacity())));
        QCOMPARE(FirstMoved(held, Days(1000)), -1);
        QCOMPARE(std::set<TQCPoint*>(held.begin(), held.end()).size(), held.size());
        // The last freed place is taken first, then the one before.
        const qint64 capacity = pool.Capacity();
        pool.Free(held[3]);
        pool.Free(held[30]);
        QCOMPARE(QString("%1 %2").arg(pool.LiveCount()).arg(pool.FreeCount()), QString("998 2"));
        QCOMPARE(pool.New(Dated(30)), held[30]);
        QCOMPARE(pool.New(Dated(3)), held[3]);
        QCOMPARE(pool.Capacity(), capacity);
        QCOMPARE(FirstMoved(held, Days(1000)), -1);
        // Storing one point and deleting another, day after day, holds as many places as the peak.
        for (int day = 0; day < 5000; ++day) {
            pool.Free(held.front());
            held.erase(held.begin());
            held.push_back(pool.New(Dated(1000 + day)));
        }
        QCOMPARE(pool.Capacity(), capacity);
        QCOMPARE(FirstMoved(held, Days(1000, 5000)), -1);
    }

    void reserveMakesRoomInOneBlock()
    {
        TPointPool pool;
        pool.Reserve(10);
        std::vector<TQCPoint*> held = Store(pool, 4);
        for (int i = 1; i < 4; ++i)
            QCOMPARE(held[i], held[0] + i); // one run, in order
        pool.Free(held[1]);
        // 6 places left in the block and 1 freed: 13 more need a block of only 6.
        pool.Reserve(13);
        QCOMPARE(pool.Capacity(), qint64(16));
        std::set<TQCPoint*> taken { held[0], held[2], held[3] };
        for (int i = 0; i < 13; ++i)
            QVERIFY(taken.insert(pool.New(Dated(10 + i))).second);
        QCOMPARE(pool.LiveCount(), 16);
        QCOMPARE(held[3]->DateTime, 3.0);
        // Room that exists already is not allocated again.
        pool.Free(held[0]);
        pool.Reserve(1);
        QCOMPARE(pool.Capacity(), qint64(16));
    }

    void clearAndMoveGiveThePlacesBackOrAlong()
    {
        TPointPool pool;
        std::vector<TQCPoint*> held = Store(pool, 50);
        pool.Free(held.back());
        held.pop_back();
        TPointPool moved(std::move(pool));
        QCOMPARE(moved.LiveCount(), 49);
        QCOMPARE(pool.Capacity() + pool.FreeCount(), qint64(0));
        TPointPool assigned;
        assigned.New(Dated(999));
        assigned = std::move(moved);
        QCOMPARE(FirstMoved(held, Days(49)), -1);
        QCOMPARE(assigned.LiveCount(), 49);
        QCOMPARE(assigned.FreeCount(), 1); // the freed place went along
        // The emptied pools are usable again, and Clear gives everything back.
        QCOMPARE(pool.New(Dated(5))->DateTime, 5.0);
        QCOMPARE(moved.New(Dated(6))->DateTime, 6.0);
        assigned.Clear();
        QCOMPARE(assigned.Capacity() + assigned.LiveCount() + assigned.FreeCount(), qint64(0));
        QCOMPARE(assigned.New(Dated(7))->DateTime, 7.0);
    }
};

VANTOREL_TEST(TestPointPool)
#include "TestPointPool.moc"

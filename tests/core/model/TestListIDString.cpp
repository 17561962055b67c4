// Comment lists: appended ids and lookup by halving.
#include "TListIDString.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestListIDString : public QObject {
    Q_OBJECT

private slots:
    void addNeverMergesEqualTexts()
    {
        TListIDString list;
        QCOMPARE(list.Add("New reagent"), 0);
        QCOMPARE(list.Add("New reagent"), 1);
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.NextID(), 2);
    }

    void lookupByHalvingOverGappedIds()
    {
        TListIDString list;
        const QList<qint32> ids = { 0, 3, 4, 9, 15, 16, 40 };
        for (qint32 id : ids)
            list.AppendLoaded(id, QString("c%1").arg(id));
        for (int i = 0; i < ids.size(); ++i) {
            QCOMPARE(list.IndexOfID(ids[i]), i);
            QCOMPARE(list.GetText(ids[i]), QString("c%1").arg(ids[i]));
        }
        for (qint32 absent : { -5, 1, 5, 17, 41 })
            QCOMPARE(list.IndexOfID(absent), -1);
        QCOMPARE(list.GetText(-1), QString());
        QCOMPARE(TListIDString().IndexOfID(0), -1);
    }
};

VANTOREL_TEST(TestListIDString)
#include "TestListIDString.moc"

// The analyte list: names without regard to case, lots in use, ownership.
#include "TListAnalytes.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

class TestListAnalytes : public QObject {
    Q_OBJECT

private slots:
    void findByNameIgnoresCase()
    {
        TListAnalytes list;
        list.Add(TAnalyte("Glucose", "mmol/L", 1, 3));
        TAnalyte& calcium = list.Add(TAnalyte("Calcium", "mmol/L", 2, 2));
        QCOMPARE(list.FindByName("calcium"), &calcium);
        QCOMPARE(list.FindByName("CALCIUM"), &calcium);
        QCOMPARE(list.FindByName("Calc"), nullptr);
    }

    void analytesUsingSerumLooksOnlyAtLevelsInUse()
    {
        TListAnalytes list;
        TAnalyte& a = list.Add(TAnalyte("A", "U", 0, 1));
        TAnalyte& b = list.Add(TAnalyte("B", "U", 0, 2));
        a.SerumID = { 5, 7, 7 }; // level 1 and 2 unused
        b.SerumID = { 1, 7, -1 };
        QList<TAnalyte*> users;
        list.AnalytesUsingSerum(7, users);
        QCOMPARE(users, QList<TAnalyte*>({ &b }));
        list.AnalytesUsingSerum(5, users); // appends
        QCOMPARE(users.size(), 2);
        QCOMPARE(users.last(), &a);
    }

    void moveTakeAndCopy()
    {
        TListAnalytes list;
        for (const char* name : { "A", "B", "C" })
            list.Add(TAnalyte(name, "U", 0, 1));
        TAnalyte* c = list.At(2);
        list.Move(2, 0);
        QCOMPARE(list.Item(0).Name, QString("C"));
        QCOMPARE(list.At(0), c); // the same object, moved
        TListAnalytes copy = list;
        QVERIFY(copy.At(0) != c);
        QCOMPARE(copy.Item(0).Name, QString("C"));
        auto taken = list.Take(1);
        QCOMPARE(taken->Name, QString("A"));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(copy.Count(), 3);
    }
};

VANTOREL_TEST(TestListAnalytes)
#include "TestListAnalytes.moc"

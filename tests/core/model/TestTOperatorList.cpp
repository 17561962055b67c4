#include "TOperatorList.h"
#include "TTestRegistry.h"

#include <QtTest>

// Operator codes: the sorted list, what counts as deleted, the grid's rows.
class TestTOperatorList : public QObject {
    Q_OBJECT

private slots:
    void sortIgnoresCaseAndKeepsDuplicates();
    void cellsAreTrimmedAndBlanksDropped();
    void deletedByPosition_data();
    void deletedByPosition();
    void gridRows_data();
    void gridRows();
};

void TestTOperatorList::sortIgnoresCaseAndKeepsDuplicates()
{
    QStringList codes { "zz", "AB", "ab", "Mc", "AB", "mA" };
    SortOperators(codes);
    // "ab" and the two "AB" are equal ignoring case and keep their order.
    QCOMPARE(codes, QStringList({ "AB", "ab", "AB", "mA", "Mc", "zz" }));
}

void TestTOperatorList::cellsAreTrimmedAndBlanksDropped()
{
    const QStringList cells { "ZZ", "   ", " AB ", "", "JD", "AB", "" };
    QCOMPARE(OperatorsFromCells(cells), QStringList({ "AB", "AB", "JD", "ZZ" }));
    QCOMPARE(OperatorsFromCells({ "", " " }), QStringList());
}

void TestTOperatorList::deletedByPosition_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("deleted");
    QTest::newRow("nothing cleared") << QStringList { "AB", "CD" } << QStringList { "AB", "CD", "", "" }
                                     << QStringList();
    QTest::newRow("second cleared") << QStringList { "AB", "CD" } << QStringList { "AB", " ", "", "" }
                                    << QStringList { "CD" };
    QTest::newRow("overwritten is not deleted")
        << QStringList { "AB", "CD" } << QStringList { "XY", "CD", "" } << QStringList();
    QTest::newRow("code moved down counts as deleted")
        << QStringList { "AB", "CD" } << QStringList { "", "CD", "AB" } << QStringList { "AB" };
    QTest::newRow("cleared below the list") << QStringList { "AB" } << QStringList { "AB", "", "" } << QStringList();
    QTest::newRow("all cleared") << QStringList { "AB", "CD" } << QStringList { "", "" } << QStringList { "AB", "CD" };
}

void TestTOperatorList::deletedByPosition()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, cells);
    QFETCH(QStringList, deleted);
    QCOMPARE(DeletedOperators(stored, cells), deleted);
}

void TestTOperatorList::gridRows_data()
{
    QTest::addColumn<int>("codes");
    QTest::addColumn<int>("rows");
    QTest::newRow("none") << 0 << 16;
    QTest::newRow("ten") << 10 << 16;
    QTest::newRow("fourteen") << 14 << 16;
    QTest::newRow("fifteen") << 15 << 16;
    QTest::newRow("sixteen") << 16 << 17;
    QTest::newRow("twenty") << 20 << 21;
}

void TestTOperatorList::gridRows()
{
    QFETCH(int, codes);
    QFETCH(int, rows);
    QCOMPARE(OperatorGridRows(codes), rows);
}

VANTOREL_TEST(TestTOperatorList)
#include "TestTOperatorList.moc"

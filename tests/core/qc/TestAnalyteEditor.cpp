// The lists of control materials, analytes and operator codes, and the analytes' editor.
#include "TAnalyteEditor.h"
#include "TDataFile.h"
#include "TLevelData.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TOperatorList.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

class TestAnalyteEditor : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_context = MakeTestContext();
        m_context->SetProgramFolder(m_dir->path());
        for (const char* name : { "Glucose", "Urea", "Sodium" })
            AddLevelDataAnalyte(*m_context, name, QString(name) == "Urea" ? "vv" : "vv-", { 4, 5, 6 });
        // Urea's third level holds values out of use (an import, a queue recall).
        TAnalyte& urea = m_context->ListAnalytes.Item(1);
        urea.Point(0).Values[2] = { 7.0f, psWithin };
        urea.AllPointsStats[2] = TLevelStats();
        m_editor = std::make_unique<TAnalyteEditor>(*m_context);
        m_editor->Load();
    }

    void namesAreCheckedIgnoringCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("replaced"); // -1: added
        QTest::addColumn<QString>("refusal");
        QTest::newRow("add, other case") << "UREA" << -1 << "Duplicate names";
        QTest::newRow("add, blanks only") << "   " << -1 << "Missing name";
        QTest::newRow("add, new name trimmed") << " Potassium " << -1 << "";
        QTest::newRow("replace, own name in capitals") << "UREA" << 1 << "";
        QTest::newRow("replace, another's name") << "sodium" << 1 << "Duplicate names";
    }
    void namesAreCheckedIgnoringCase()
    {
        QFETCH(QString, name);
        QFETCH(int, replaced);
        QFETCH(QString, refusal);
        const TAnalyteFields fields { name, 2, "mmol/L", 1 };
        QCOMPARE((replaced < 0 ? m_editor->Add(fields) : m_editor->Replace(replaced, fields)).Text, refusal);
        QCOMPARE(m_editor->Count(), replaced < 0 && refusal.isEmpty() ? 4 : 3);
        if (refusal.isEmpty())
            QCOMPARE(m_editor->Line(replaced < 0 ? 3 : replaced).Text(), name.trimmed() + "\t2\tmmol/L\t1");
    }

    // Level 3 and 2 of the stored analyte hold values ('v'), discarded values only ('d') or nothing ('-').
    void levelsHoldingDataCannotBeDropped_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("refusal");
        const QString head = "You want to reduce the number of QC levels for Calcium\r";
        const QString tail = "\rYou must first erase/archive data.";
        // clang-format off
        QTest::newRow("3 to 2, QC3 only discarded") << "vvd" << 2 << head + "Cannot suppress QC level 3." + tail;
        QTest::newRow("3 to 2, QC3 empty") << "vv-" << 2 << "";
        QTest::newRow("2 to 1, QC2 values") << "vv" << 1 << head + "Cannot suppress QC level 2." + tail;
        QTest::newRow("3 to 1, QC2 only discarded") << "vd-" << 1 << head + "Cannot suppress QC3 and QC2 levels." + tail;
        QTest::newRow("3 to 1, QC3 only discarded") << "v-d" << 1 << head + "Cannot suppress QC3 and QC2 levels." + tail;
        // clang-format on
    }
    void levelsHoldingDataCannotBeDropped()
    {
        QFETCH(QString, data);
        QFETCH(int, levels);
        QFETCH(QString, refusal);
        AddLevelDataAnalyte(*m_context, "Calcium", data);
        m_editor->Load();
        const TEditResult result = m_editor->Replace(3, { "Calcium", levels, "mmol/L", 1 });
        QCOMPARE(result.Text, refusal);
        QCOMPARE(result.Kind, refusal.isEmpty() ? TEditResult::Done : TEditResult::LevelsHoldData);
        QCOMPARE(m_editor->Line(3).Fields.Levels, refusal.isEmpty() ? levels : int(data.size()));
    }

    void drops_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("target"); // the line dropped on
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("selected");
        QTest::newRow("drop above the source") << 3 << 1 << "ADBC" << 1;
        QTest::newRow("drop below the source") << 0 << 2 << "BCAD" << 2;
        QTest::newRow("drop below the list's end") << 1 << 3 << "ACDB" << 3;
    }
    void drops()
    {
        QFETCH(int, source);
        QFETCH(int, target);
        m_context->ListAnalytes.Clear();
        TAnalyteEditor editor(*m_context);
        for (const char* name : { "A", "B", "C", "D" })
            QVERIFY(editor.Add({ name, 1, "g/L", 0 }).Ok());
        const int selected = editor.Drop(source, target);
        QString order;
        for (int i = 0; i < editor.Count(); ++i)
            order += editor.Line(i).Fields.Name;
        QTEST(order, "order");
        QTEST(selected, "selected");
    }

    void sortIsByCharacterCodesOfUpperCasedNames()
    {
        for (const char* name : { "_x", "b", "aB", "Z" })
            QVERIFY(m_editor->Add({ name, 1, "g/L", 0 }).Ok());
        m_editor->Sort();
        m_editor->Apply();
        // '_' (95) comes after 'Z' (90) once upper-cased.
        QCOMPARE(
            AnalyteNames(m_context->ListAnalytes), QStringList({ "aB", "b", "Glucose", "Sodium", "Urea", "Z", "_x" }));
    }

    void okAppliesTheListInOrder_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("data file written") << true;
        QTest::newRow("data file cannot be written") << false;
    }
    void okAppliesTheListInOrder()
    {
        QFETCH(bool, writable);
        TListAnalytes& list = m_context->ListAnalytes;
        TAnalyte* urea = list.At(1);
        list.At(0)->Archives = { 1, 2 };
        urea->Archives = { 3 };
        TouchArchives(*m_context, { 1, 2, 3 });
        if (!writable)
            QVERIFY(QDir(m_dir->path()).mkdir("Vantorel.qcf"));
        m_context->CurrentAnalyte = list.At(0);
        m_editor->Delete(0); // Glucose
        QVERIFY(m_editor->Replace(0, { "Urea N", 3, QString::fromUtf8("\u00b5mol/L"), 2 }).Ok());
        QCOMPARE(urea->SerumID[2], 6); // nothing changes before OK
        QVERIFY(m_editor->Add({ "Chloride", 1, "mmol/L", 0 }).Ok());
        m_editor->MoveTop(1); // Sodium
        QCOMPARE(m_editor->Apply().Saved, writable);

        QCOMPARE(AnalyteNames(list), QStringList({ "Sodium", "Urea N", "Chloride" }));
        QCOMPARE(urea->Units + QString::number(urea->NbLevels) + QString::number(urea->Count()),
            QString::fromUtf8("\u00b5mol/L33"));
        // The level taken in loses its lot and is computed.
        QCOMPARE(urea->SerumID, (std::array<qint32, 3> { 4, 5, -1 }));
        QCOMPARE(urea->AllPointsStats[2].N, 1);
        QVERIFY(m_context->CurrentAnalyte == nullptr);
        // Without a written data file the deleted analyte would come back with
        // the old file: its archives stay until the file forgets it.
        QCOMPARE(ArchiveFiles(*m_context),
            writable ? QStringList({ "QC000003.qca" })
                     : QStringList({ "QC000001.qca", "QC000002.qca", "QC000003.qca" }));
        TQCContext reread;
        QCOMPARE(LoadData(reread, DataFileName(*m_context)), writable);
        if (writable)
            QCOMPARE(AnalyteNames(reread.ListAnalytes), AnalyteNames(list));
    }

    void materialsAndAnalytes()
    {
        // Materials: names cut to 15 and lots to 10 characters, sorted by the upper-cased name and lot
        // with no separator ("LYPHOCHECK 2" before "LYPHOCHECK100"), an equal key after the entry there.
        TListSerum serums;
        for (const auto& [name, lot] : { std::pair { "lyphocheck", "200" }, { "Alpha", "9" }, { "LYPHOCHECK", "100" },
                 { "Lyphocheck 2", "" }, { "ALPHA", "9" }, { "A material name too long", "LOT-1234567890" } })
            serums.Add(name, lot);
        QStringList order;
        for (int i = 0; i < serums.Count(); ++i)
            order << Join(serums.Item(i).ID, serums.Item(i).Name + "/" + serums.Item(i).Lot);
        QCOMPARE(order.join(", ") + Join("", serums.NextID()),
            QString("5 A material name/LOT-123456, 1 Alpha/9, 4 ALPHA/9, 3 Lyphocheck 2/, 2 LYPHOCHECK/100, 0 "
                    "lyphocheck/200 6"));
        // Analytes: found by name in any case; a material counts only at the levels in use.
        TListAnalytes list;
        TAnalyte& a = list.Add(TAnalyte("A", "U", 0, 1));
        TAnalyte& b = list.Add(TAnalyte("B", "U", 0, 2));
        list.Add(TAnalyte("C", "U", 0, 1));
        QCOMPARE(list.FindByName("b"), &b);
        a.SerumID = { 5, 7, 7 };
        b.SerumID = { 1, 7, -1 };
        QList<TAnalyte*> users;
        list.AnalytesUsingSerum(7, users);
        list.AnalytesUsingSerum(5, users); // appends
        QCOMPARE(users, QList<TAnalyte*>({ &b, &a }));
        TAnalyte* c = list.At(2);
        list.Move(2, 0);
        QCOMPARE(list.At(0), c); // the same object, moved
        TListAnalytes copy = list;
        QVERIFY(copy.At(0) != c && copy.Item(0).Name == "C");
        QCOMPARE(list.Take(1)->Name, QString("A"));
        QCOMPARE(Join(list.Count(), copy.Count()), QString("2 3"));
    }

    void operatorCodes()
    {
        // Sorted ignoring case, equal codes in their order: from the grid's cells, trimmed and without
        // blanks; and one at a time, a new code after its equals.
        QCOMPARE(OperatorsFromCells({ "zz", "AB", "   ", " ab ", "", "Mc", "AB", "mA" }),
            QStringList({ "AB", "ab", "AB", "mA", "Mc", "zz" }));
        QStringList codes, at;
        for (const char* code : { "b", "A", "c", "B", "x", "x", "" })
            at << QString::number(InsertSorted(codes, code));
        QCOMPARE(Join(codes.join(','), at.join(',')), QString(",A,b,B,c,x,x 0,0,2,2,4,5,0"));
        // The grid has at least 16 rows and one empty row below the codes.
        QCOMPARE(Join(OperatorGridRows(0), OperatorGridRows(14), OperatorGridRows(16)), QString("16 16 17"));
    }

    void deletedOperatorsByPosition_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("deleted"); // of the stored codes AB, CD
        QTest::newRow("nothing cleared") << QStringList { "AB", "CD", "", "" } << QStringList();
        QTest::newRow("second cleared") << QStringList { "AB", " ", "", "" } << QStringList { "CD" };
        QTest::newRow("overwritten is not deleted") << QStringList { "XY", "CD", "" } << QStringList();
        QTest::newRow("code moved down counts as deleted") << QStringList { "", "CD", "AB" } << QStringList { "AB" };
        QTest::newRow("fewer cells") << QStringList { "AB" } << QStringList { "CD" };
        QTest::newRow("all cleared") << QStringList { "", "" } << QStringList { "AB", "CD" };
    }
    void deletedOperatorsByPosition()
    {
        QFETCH(QStringList, cells);
        QTEST(DeletedOperators({ "AB", "CD" }, cells), "deleted");
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<TAnalyteEditor> m_editor;
};

VANTOREL_TEST(TestAnalyteEditor)
#include "TestAnalyteEditor.moc"

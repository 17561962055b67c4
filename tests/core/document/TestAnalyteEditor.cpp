#include "TAnalyte.h"
#include "TAnalyteEditor.h"
#include "TDataFile.h"
#include "TLevelData.h"
#include "TListAnalytes.h"
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

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<TAnalyteEditor> m_editor;
};

VANTOREL_TEST(TestAnalyteEditor)
#include "TestAnalyteEditor.moc"

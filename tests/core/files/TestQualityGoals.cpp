#include "TQualityGoals.h"
#include "TTestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestQualityGoals : public QObject {
    Q_OBJECT

private slots:
    void roundTripWithoutCase()
    {
        QTemporaryDir dir;
        const QString file = TQualityGoals::FileName(dir.filePath("Vantorel"));
        TQualityGoals goals;
        TAnalyteGoals glucose;
        glucose.Levels[0] = { 6.9, false, 5.5, NAN };
        glucose.Levels[1] = { 0.4, true, NAN, -1.5 };
        glucose.ApplyRecommended = true;
        goals.SetGoals("Glucose", glucose);
        QString error;
        QVERIFY2(goals.Save(file, &error), qPrintable(error));
        TQualityGoals read;
        QVERIFY2(read.Load(file, &error), qPrintable(error));
        QVERIFY(read.Goals("GLUCOSE") == glucose);
        QVERIFY(read.Goals("Urea") == TAnalyteGoals());
    }

    void damagedFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("not JSON") << QByteArray("{ \"version\": 1, ");
        QTest::newRow("other version") << QByteArray("{ \"version\": 2, \"analytes\": {} }");
        QTest::newRow("text for a number") << QByteArray(
            R"({ "version": 1, "analytes": { "A": { "applyRecommended": false, "levels": [ { "tea": "x", "teaUnits": false } ] } } })");
        QTest::newRow("four levels") << QByteArray(
            R"({ "version": 1, "analytes": { "A": { "applyRecommended": false, "levels": [ {}, {}, {}, {} ] } } })");
    }
    void damagedFileChangesNothing()
    {
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        const QString file = dir.filePath("goals.json");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        f.close();
        TQualityGoals goals;
        TAnalyteGoals kept;
        kept.Levels[0].TEa = 10;
        goals.SetGoals("B", kept);
        QString error;
        QVERIFY(!goals.Load(file, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(goals.Goals("B") == kept);
    }
};

VANTOREL_TEST(TestQualityGoals)
#include "TestQualityGoals.moc"

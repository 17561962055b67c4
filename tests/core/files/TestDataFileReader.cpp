#include "TByteImage.h"
#include "TDataFile.h"
#include "TDataFileReader.h"
#include "TDataFileWriter.h"
#include "TDataSample.h"
#include "TFailDevice.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QBuffer>
#include <QTemporaryDir>

class TestDataFileReader : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TQCContext> m_context;
    std::unique_ptr<QTemporaryDir> m_dir;
    // What the context held before a failing read, to check nothing changed.
    TListSerum m_serumsBefore;
    TListAnalytes m_analytesBefore;

    QString WriteFile(const QByteArray& bytes, const QString& name = "Vantorel.qcf")
    {
        const QString path = m_dir->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test file");
        return path;
    }

    // The sample model as the reader leaves it: recomputed with the context's risks.
    void ExpectedSample(TListSerum& serums, TListAnalytes& analytes)
    {
        FillSampleModel(serums, analytes);
        for (int i = 0; i < analytes.Count(); ++i)
            analytes.Item(i).RecomputeAll(m_context->Risks());
    }

    // Reads bytes that must be refused into the context's lists; returns the reason
    // after checking that the lists were kept ("<...>" when they were not).
    QString LoadRefused(QByteArray bytes)
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TDataFileReader reader;
        if (reader.Read(buffer, m_context->Risks(), m_context->ListSerum, m_context->ListAnalytes))
            return QStringLiteral("<accepted>");
        const QString unchanged
            = ListDifference(m_context->ListSerum, m_context->ListAnalytes, m_serumsBefore, m_analytesBefore);
        if (!unchanged.isEmpty())
            return QStringLiteral("<lists changed: ") + unchanged + ">";
        return reader.ErrorString();
    }

private slots:
    void init()
    {
        m_context = MakeTestContext();
        m_dir = std::make_unique<QTemporaryDir>();
        // A context already holding data, so a failed load has something to keep.
        m_context->ListSerum.Add("Previous", "1");
        TAnalyte& kept = m_context->ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 1, 1));
        kept.AddPoint(MakeResult(45000.5, 7.5));
        m_context->CurrentAnalyte = &kept;
        m_serumsBefore = m_context->ListSerum;
        m_analytesBefore = m_context->ListAnalytes;
    }

    void readsEveryFieldOfTheSample()
    {
        QString error;
        QVERIFY2(LoadData(*m_context, WriteFile(SampleImage()), &error), qPrintable(error));
        TListSerum serums;
        TListAnalytes analytes;
        ExpectedSample(serums, analytes);
        QCOMPARE(ListDifference(m_context->ListSerum, m_context->ListAnalytes, serums, analytes), QString());
        QCOMPARE(m_context->ListSerum.NextID(), 2);
        QCOMPARE(m_context->ListAnalytes.Item(0).Comments.NextID(), 2);
        QCOMPARE(m_context->ListAnalytes.Item(1).Comments.NextID(), 0);
        QCOMPARE(m_context->ListSerum.Item(0).Name, QString::fromUtf8("Contr\u00f4le"));
        QCOMPARE(m_context->ListAnalytes.Item(0).Units, QString::fromUtf8("\u00b5mol/L"));
        QCOMPARE(m_context->ListAnalytes.Item(0).CommentText(1), QString::fromUtf8("Gr\u00f6\u00dfe"));
    }

    void loadingClearsTheCurrentAnalyte()
    {
        QVERIFY(LoadData(*m_context, WriteFile(SampleImage())));
        QCOMPARE(m_context->CurrentAnalyte, nullptr);
    }

    void failedLoadKeepsTheListsAndTheCurrentAnalyte()
    {
        TAnalyte* current = m_context->CurrentAnalyte;
        QByteArray damaged = SampleImage();
        damaged[damaged.size() - 15] = 0; // a stamp byte of the last analyte
        QString error;
        QVERIFY(!LoadData(*m_context, WriteFile(damaged), &error));
        QVERIFY2(error.startsWith("Analyte 2 (Calcium), stamp after the comments: Wrong file stamp at byte"),
            qPrintable(error));
        QCOMPARE(m_context->CurrentAnalyte, current);
        QCOMPARE(&m_context->ListAnalytes.Item(0), current);
        QCOMPARE(
            ListDifference(m_context->ListSerum, m_context->ListAnalytes, m_serumsBefore, m_analytesBefore), QString());
    }

    void statusesStayAsStoredButLimitsAreRecomputed()
    {
        m_context->Config.AlertRisk = 1;
        m_context->Config.ActionRisk = 2;
        QVERIFY(LoadData(*m_context, WriteFile(SampleImage())));
        const TAnalyte& glucose = m_context->ListAnalytes.Item(0);
        // Level 2 is locked on points 0..1 holding 4.0 and 6.0: mean 5, SD sqrt(2),
        // one degree of freedom (t = 31.821 at 2 %, 63.657 at 1 %).
        const TLevelStats& locked = glucose.ReferenceStats[1];
        QCOMPARE(locked.N, 2);
        QCOMPARE_NEAR(locked.Mean, 5.0, 1e-12);
        QCOMPARE_NEAR(locked.WarningHalfWidth, 31.821 * std::sqrt(2.0), 1e-9);
        QCOMPARE_NEAR(locked.ActionHalfWidth, 63.657 * std::sqrt(2.0), 1e-9);
        // The fixed level keeps the stored target and half-widths.
        QCOMPARE(glucose.ReferenceStats[0].Mean, 42.0);
        QCOMPARE(glucose.ReferenceStats[0].ActionHalfWidth, 3.0);
        // All points of level 1: one counted value (41.5) and one discarded.
        QCOMPARE(glucose.AllPointsStats[0].N, 1);
        QCOMPARE(glucose.AllPointsStats[0].Discarded, 1);
        // A stored warning stands although the new limits would classify it within.
        QCOMPARE(glucose.Point(0).Values[1].Status, quint8(psHighWarning));
        QCOMPARE(glucose.Point(1).Values[1].Status, quint8(psLowAction));
    }

    void anyVersionPairReadsTheLongHeader_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::newRow("current 32") << QByteArray("32");
        QTest::newRow("later 33") << QByteArray("33");
        QTest::newRow("letters") << QByteArray("AB");
        QTest::newRow("version 2 pair") << QByteArray("20");
    }
    void anyVersionPairReadsTheLongHeader()
    {
        QFETCH(QByteArray, version);
        TDataFileReader reader;
        TListSerum serums;
        TListAnalytes analytes;
        QByteArray image = SampleImage(version.constData());
        QBuffer buffer(&image);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QVERIFY2(reader.Read(buffer, m_context->Risks(), serums, analytes), qPrintable(reader.ErrorString()));
        QCOMPARE(reader.DataVersion(), version);
        TListSerum expectedSerums;
        TListAnalytes expected;
        ExpectedSample(expectedSerums, expected);
        QCOMPARE(ListDifference(serums, analytes, expectedSerums, expected), QString());
    }

    void version30ReadsShortHeadersWithDefaultOptions()
    {
        QMap<QString, int> at;
        const QByteArray image = SampleImage("30", &at);
        QCOMPARE(at["glucose.limits"] - at["glucose.header"], 75);
        QVERIFY(LoadData(*m_context, WriteFile(image)));
        TListSerum serums;
        TListAnalytes expected;
        FillSampleModel(serums, expected);
        // Glucose's Options 5 is not in a short header: it reads as 7, so the
        // common CV applies to its recompute.
        for (int i = 0; i < expected.Count(); ++i) {
            expected.Item(i).Options = 7;
            expected.Item(i).Reserved = 10;
            expected.Item(i).RecomputeAll(m_context->Risks());
        }
        QCOMPARE(ListDifference(m_context->ListSerum, m_context->ListAnalytes, serums, expected), QString());
        QCOMPARE(m_context->ListAnalytes.Item(0).Options, quint8(7));
        QCOMPARE(m_context->ListAnalytes.Item(0).Reserved, 10);
    }

    void roundTripKeepsEverything_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("sample") << 0;
        QTest::newRow("random laboratory") << 1;
        QTest::newRow("empty lists") << 2;
    }
    void roundTripKeepsEverything()
    {
        QFETCH(int, kind);
        TListSerum serums;
        TListAnalytes analytes;
        if (kind == 0) {
            FillSampleModel(serums, analytes);
        } else if (kind == 1) {
            for (int i = 0; i < 30; ++i)
                serums.Add(QString("Material %1").arg(i % 7), QString::number(i));
            for (int a = 0; a < 5; ++a) {
                TAnalyte& analyte = analytes.Add(TAnalyte(QString("A%1").arg(a), "g/L", a % 4, 1 + a % 3));
                TQCValues means, cvs;
                for (int l = 0; l < 3; ++l) {
                    means[l] = { float(10 + l), psWithin };
                    cvs[l] = { 5.0f, psWithin };
                }
                analyte.AddRandomPoints(200 + a, means, cvs, 45000.25, m_context->Random(), m_context->Risks());
                analyte.AddPoint(MakeResult(45100.5, 11, 12, 13, "OP", QString("Comment %1").arg(a)));
                analyte.Archives = { a, a + 10 };
            }
        }
        for (int i = 0; i < analytes.Count(); ++i)
            analytes.Item(i).RecomputeAll(m_context->Risks());

        TDataFileWriter writer;
        TDataFileReader reader;
        QByteArray written[3];
        TListSerum readSerums[3];
        TListAnalytes readAnalytes[3];
        for (int generation = 0; generation < 3; ++generation) {
            QBuffer out(&written[generation]);
            QVERIFY(out.open(QIODevice::WriteOnly));
            QVERIFY(writer.Write(out, generation == 0 ? serums : readSerums[generation - 1],
                generation == 0 ? analytes : readAnalytes[generation - 1]));
            QBuffer in(&written[generation]);
            QVERIFY(in.open(QIODevice::ReadOnly));
            QVERIFY2(reader.Read(in, m_context->Risks(), readSerums[generation], readAnalytes[generation]),
                qPrintable(reader.ErrorString()));
            QCOMPARE(ListDifference(readSerums[generation], readAnalytes[generation], serums, analytes), QString());
        }
        // Once read, a file written again is the same byte for byte (the first
        // write may differ in the leftover Min and Max of a fixed level, which
        // readers ignore).
        QCOMPARE(written[2], written[1]);
    }

    void missingOrEmptyFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "too short";
        QTest::newRow("only a stamp") << TByteImage().Stamp().Bytes() << "too short";
        QTest::newRow("text file") << QByteArray("Glucose\t5.1\r\nCalcium\t2.4\r\n") << "Wrong file stamp";
    }
    void missingOrEmptyFileIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString error = LoadRefused(bytes);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QString missing;
        QVERIFY(!LoadData(*m_context, m_dir->filePath("none.qcf"), &missing));
        QVERIFY2(missing.startsWith("Cannot open"), qPrintable(missing));
    }

    void damagedFileIsRefusedAndChangesNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("width");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("reason");
        const qint64 nanDouble = 0x7FF8000000000000LL;
        const qint64 nanSingle = 0x7FC00000LL;
        // clang-format off
        QTest::newRow("negative material count") << "serumCount" << 0 << 4 << -1LL << "Control materials: The count -1 is negative";
        QTest::newRow("material count beyond the file") << "serumCount" << 0 << 4 << 1000LL << "Control materials: The count 1000 is larger";
        QTest::newRow("material name beyond capacity") << "serum1" << 8 << 1 << 16LL << "Control materials: A text of length 16";
        QTest::newRow("lot beyond capacity") << "serum1" << 24 << 1 << 11LL << "Control materials: A text of length 11";
        QTest::newRow("negative material id") << "serum1" << 0 << 4 << -5LL << "invalid id -5";
        QTest::newRow("negative analyte count") << "analyteCount" << 0 << 4 << -1LL << "Analytes: The count -1 is negative";
        QTest::newRow("analyte count beyond the file") << "analyteCount" << 0 << 4 << 1000000LL << "Analytes: The count 1000000 is larger";
        QTest::newRow("analyte count too small") << "analyteCount" << 0 << 4 << 1LL << "Final stamp: The analytes end before";
        QTest::newRow("negative point count") << "glucose.points" << 0 << 4 << -1LL << "Analyte 1, points: The count -1 is negative";
        QTest::newRow("point count beyond the file") << "glucose.points" << 0 << 4 << 100000LL << "Analyte 1, points: The count 100000 is larger";
        QTest::newRow("one point too many") << "glucose.points" << 0 << 4 << 4LL << "Analyte 1";
        QTest::newRow("unknown status") << "glucose.points" << 4 + 12 << 1 << 7LL << "Analyte 1, points: Point 1 is damaged";
        QTest::newRow("operator beyond capacity") << "glucose.points" << 4 + 44 + 36 << 1 << 5LL << "Point 2 is damaged";
        QTest::newRow("date not a number") << "glucose.points" << 4 + 88 << 8 << nanDouble << "Point 3 is damaged";
        QTest::newRow("counted value not a number") << "glucose.points" << 4 + 8 << 4 << nanSingle << "Point 1 is damaged";
        QTest::newRow("name beyond capacity") << "glucose.header" << 0 << 1 << 16LL << "Analyte 1, header: A text of length 16";
        QTest::newRow("units beyond capacity") << "glucose.header" << 16 << 1 << 7LL << "Analyte 1, header: A text of length 7";
        QTest::newRow("no level") << "glucose.header" << 28 << 4 << 0LL << "levels 0 is outside 1..3";
        QTest::newRow("four levels") << "glucose.header" << 28 << 4 << 4LL << "levels 4 is outside 1..3";
        QTest::newRow("negative decimals") << "glucose.header" << 24 << 4 << -1LL << "Decimals -1 is outside 0..3";
        QTest::newRow("four decimals") << "glucose.header" << 24 << 4 << 4LL << "Decimals 4 is outside 0..3";
        QTest::newRow("unknown limit mode") << "glucose.header" << 46 << 1 << 3LL << "Level 3 has the unknown limit mode 3";
        QTest::newRow("lock start beyond the points") << "glucose.header" << 52 << 4 << 3LL << "Level 2 is locked on points 3..1";
        QTest::newRow("lock end beyond the points") << "glucose.header" << 64 << 4 << 3LL << "Level 2 is locked on points 0..3";
        QTest::newRow("lock start below -1") << "glucose.header" << 52 << 4 << -2LL << "Level 2 is locked on points -2..1";
        QTest::newRow("lock end before its start") << "glucose.header" << 64 << 4 << -5LL << "Level 2 is locked on points 0..-5";
        QTest::newRow("fixed mean infinite") << "glucose.limits" << 8 << 2 << 0x7FFFLL << "Analyte 1 (Glucose), limits: Level 1 has limits that are not finite";
        QTest::newRow("stamp after the limits") << "glucose.stampAfterLimits" << 3 << 1 << 0LL << "stamp after the limits: Wrong file stamp";
        QTest::newRow("stamp after the archives") << "glucose.stampAfterArchives" << 5 << 1 << 0LL << "stamp after the archive numbers: Wrong file stamp";
        QTest::newRow("stamp after the comments") << "glucose.stampAfterComments" << 8 << 1 << 0LL << "stamp after the comments: Wrong file stamp";
        QTest::newRow("final stamp") << "finalStamp" << 4 << 1 << 0LL << "Final stamp: Wrong file stamp";
        QTest::newRow("negative archive count") << "glucose.archives" << 0 << 4 << -1LL << "archive numbers: The count -1 is negative";
        QTest::newRow("archive count beyond the file") << "glucose.archives" << 0 << 4 << (1LL << 28) << "archive numbers: The count 268435456 is larger";
        QTest::newRow("negative archive number") << "glucose.archives" << 4 << 4 << -3LL << "The archive number -3 is negative";
        QTest::newRow("negative comment count") << "glucose.comments" << 0 << 4 << -2LL << "comments: The count -2 is negative";
        QTest::newRow("comment count beyond the file") << "glucose.comments" << 0 << 4 << 5000LL << "comments: The count 5000 is larger";
        QTest::newRow("comment text beyond the file") << "glucose.comments" << 8 << 4 << 100000LL << "comments: A text of length 100000 runs past the end";
        QTest::newRow("negative comment length") << "glucose.comments" << 8 << 4 << -1LL << "comments: A text of length -1";
        QTest::newRow("comment ids out of order") << "glucose.comments" << 4 << 4 << 5LL << "Comment 2 has the id 1, not above the previous one";
        QTest::newRow("negative comment id") << "glucose.comments" << 4 << 4 << -7LL << "Comment 1 has the id -7";
        QTest::newRow("second analyte levels") << "calcium.header" << 28 << 4 << 9LL << "Analyte 2, header: The number of levels 9";
        // clang-format on
    }
    void damagedFileIsRefusedAndChangesNothing()
    {
        QFETCH(QString, field);
        QFETCH(int, extra);
        QFETCH(int, width);
        QFETCH(qint64, value);
        QFETCH(QString, reason);
        QMap<QString, int> at;
        QByteArray image = SampleImage("32", &at);
        QVERIFY(at.contains(field));
        PatchBytes(image, at[field] + extra, width, value);
        const QString error = LoadRefused(image);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY2(error.contains(" byte "), qPrintable(error));
    }

    void fileCutAnywhereIsRefused()
    {
        // Cut bare, then with the final stamp put back so the cut is met inside the sections.
        QCOMPARE(FirstCutNotRefused(SampleImage(), 9, [this](const QByteArray& bytes) { return LoadRefused(bytes); }),
            QString());
    }

    void bytesAfterTheLastAnalyteAreRefused()
    {
        QMap<QString, int> at;
        QByteArray image = SampleImage("32", &at);
        image.insert(at["finalStamp"], QByteArray(12, '\0'));
        const QString error = LoadRefused(image);
        QVERIFY2(error.contains("The analytes end before the final stamp"), qPrintable(error));
    }

    void failingDeviceIsReported_data()
    {
        QTest::addColumn<int>("limit");
        QTest::newRow("at once") << 0;
        QTest::newRow("after the last stamp") << 9;
        QTest::newRow("in the materials") << 30;
        QTest::newRow("in the points") << 150;
        QTest::newRow("in the comments") << int(SampleImage().size()) - 40;
        QTest::newRow("before the final stamp") << int(SampleImage().size()) - 1;
    }
    void failingDeviceIsReported()
    {
        QFETCH(int, limit);
        TFailDevice device(SampleImage(), limit);
        QVERIFY(device.open(QIODevice::ReadOnly));
        TDataFileReader reader;
        TListSerum serums = m_serumsBefore;
        TListAnalytes analytes = m_analytesBefore;
        QVERIFY(!reader.Read(device, m_context->Risks(), serums, analytes));
        QVERIFY2(reader.ErrorString().contains("Simulated read failure"), qPrintable(reader.ErrorString()));
        QCOMPARE(ListDifference(serums, analytes, m_serumsBefore, m_analytesBefore), QString());
    }
};

VANTOREL_TEST(TestDataFileReader)
#include "TestDataFileReader.moc"

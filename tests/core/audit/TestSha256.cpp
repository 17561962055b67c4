#include "TSha256.h"
#include "TTestRegistry.h"

#include <QCryptographicHash>
#include <QTest>

class TestSha256 : public QObject {
    Q_OBJECT

private slots:
    // Lengths around the padding's edges (55, 56 and 64 bytes in the last block), against Qt's own SHA-256.
    void digestsAsQtDoes_data()
    {
        QTest::addColumn<int>("size");
        for (int size : { 0, 3, 55, 56, 63, 64, 65, 119, 120, 128, 1000 })
            QTest::addRow("%d bytes", size) << size;
    }
    void digestsAsQtDoes()
    {
        QFETCH(int, size);
        QByteArray data(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            data[i] = char(i * 37 + 11);
        QCOMPARE(Sha256(data).toHex(), QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
    }

    // The published example of FIPS 180-2.
    void digestsAbc()
    {
        QCOMPARE(Sha256("abc").toHex(), QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    }
};

VANTOREL_TEST(TestSha256)
#include "TestSha256.moc"

#include "TGBFixedParam.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The fixed-limits panel reads three numbers; every refusal shows one box and
// writes nothing.
class TestTGBFixedParam : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void acceptedInput_data();
    void acceptedInput();
    void refusedInput_data();
    void refusedInput();
    void warningAboveActionKeepsTheEdits();
    void negativeDeviationSelectsItsEdit();
    void initShowsCaptionAndUnit();
    void tagReachesBothButtons();

private:
    void Type(const QString& target, const QString& warning, const QString& action);

    TScriptedDialogs* m_dialogs = nullptr;
    QWidget* m_host = nullptr;
    TGBFixedParam* m_panel = nullptr;
};

void TestTGBFixedParam::init()
{
    m_dialogs = new TScriptedDialogs;
    m_host = new QWidget;
    m_host->resize(200, 200);
    m_panel = new TGBFixedParam(*m_dialogs, m_host);
    m_host->show();
    m_host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_host));
}

void TestTGBFixedParam::cleanup()
{
    delete m_host;
    delete m_dialogs;
}

void TestTGBFixedParam::Type(const QString& target, const QString& warning, const QString& action)
{
    m_panel->EditTarget->setText(target);
    m_panel->EditWarning->setText(warning);
    m_panel->EditAction->setText(action);
}

void TestTGBFixedParam::acceptedInput_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("action");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("a");
    QTest::addColumn<QString>("targetShown");
    QTest::newRow("negative target with a comma") << "-1,5"
                                                  << "0.2"
                                                  << "0.3" << -1.5 << 0.2 << 0.3 << "-1.5";
    QTest::newRow("warning equal to action") << "5"
                                             << "0.3"
                                             << "0.3" << 5.0 << 0.3 << 0.3 << "5";
    QTest::newRow("blanks around, comma everywhere") << "  12,25 "
                                                     << " 0,5"
                                                     << "1,0 " << 12.25 << 0.5 << 1.0 << "12.25";
    QTest::newRow("zero deviations") << "0"
                                     << "0"
                                     << "0" << 0.0 << 0.0 << 0.0 << "0";
}

void TestTGBFixedParam::acceptedInput()
{
    QFETCH(QString, target);
    QFETCH(QString, warning);
    QFETCH(QString, action);
    QFETCH(double, t);
    QFETCH(double, w);
    QFETCH(double, a);
    QFETCH(QString, targetShown);
    Type(target, warning, action);
    double outT = 99, outW = 99, outA = 99;
    QVERIFY(m_panel->GetFields(outT, outW, outA));
    QCOMPARE(m_dialogs->Boxes.size(), 0);
    QCOMPARE_NEAR(outT, t, 1e-12);
    QCOMPARE_NEAR(outW, w, 1e-12);
    QCOMPARE_NEAR(outA, a, 1e-12);
    QCOMPARE(m_panel->EditTarget->text(), targetShown);
    QVERIFY(!m_panel->EditWarning->text().contains(QChar(',')));
    QVERIFY(!m_panel->EditAction->text().startsWith(QChar(' ')));
}

void TestTGBFixedParam::refusedInput_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("badEdit");
    QTest::newRow("empty target") << ""
                                  << "0.2"
                                  << "0.3"
                                  << "'' is not a valid floating point value"
                                  << "EditTarget";
    QTest::newRow("letters in warning") << "5"
                                        << "abc"
                                        << "0.3"
                                        << "'abc' is not a valid floating point value"
                                        << "EditWarning";
    QTest::newRow("negative action") << "5"
                                     << "0.2"
                                     << "-0.3"
                                     << "-0.3 is a negative value (not allowed)"
                                     << "EditAction";
    QTest::newRow("two separators") << "1,2.3"
                                    << "0.2"
                                    << "0.3"
                                    << "'1.2.3' is not a valid floating point value"
                                    << "EditTarget";
}

void TestTGBFixedParam::refusedInput()
{
    QFETCH(QString, target);
    QFETCH(QString, warning);
    QFETCH(QString, action);
    QFETCH(QString, message);
    QFETCH(QString, badEdit);
    Type(target, warning, action);
    double outT = 7, outW = 8, outA = 9;
    QVERIFY(!m_panel->GetFields(outT, outW, outA));
    QCOMPARE(m_dialogs->Boxes.size(), 1);
    QCOMPARE(m_dialogs->Boxes[0].Type, TMsgType::Error);
    QCOMPARE(m_dialogs->Boxes[0].Buttons, int(mbOK));
    QCOMPARE(m_dialogs->Boxes[0].Text, message);
    QCOMPARE(outT, 7.0);
    QCOMPARE(outW, 8.0);
    QCOMPARE(outA, 9.0);
    QCOMPARE(QApplication::focusWidget()->objectName(), badEdit);
}

void TestTGBFixedParam::warningAboveActionKeepsTheEdits()
{
    Type("5", "0,4", "0.3");
    double outT = 1, outW = 2, outA = 3;
    QVERIFY(!m_panel->GetFields(outT, outW, outA));
    QCOMPARE(m_dialogs->Boxes.size(), 1);
    QCOMPARE(m_dialogs->Boxes[0].Text, QString("Action < Warning"));
    QCOMPARE(outT, 1.0);
    QCOMPARE(outW, 2.0);
    QCOMPARE(outA, 3.0);
    QCOMPARE(m_panel->EditWarning->text(), QString("0.4"));
    QCOMPARE(m_panel->EditAction->text(), QString("0.3"));
}

void TestTGBFixedParam::negativeDeviationSelectsItsEdit()
{
    Type("5", "-0.1", "0.3");
    double outT = 0, outW = 0, outA = 0;
    QVERIFY(!m_panel->GetFields(outT, outW, outA));
    QCOMPARE(m_dialogs->Boxes[0].Text, QString("-0.1 is a negative value (not allowed)"));
    QCOMPARE(m_panel->EditWarning->selectedText(), QString("-0.1"));
    QCOMPARE(QApplication::focusWidget(), m_panel->EditWarning);
}

void TestTGBFixedParam::initShowsCaptionAndUnit()
{
    m_panel->Init("Lyphocheck 2", "mmol/L");
    QCOMPARE(m_panel->title(), QString("Lyphocheck 2"));
    QCOMPARE(m_panel->LblUnite->text(), QString("mmol/L"));
    QCOMPARE(m_panel->size(), QSize(170, 115));
    QCOMPARE(m_panel->EditTarget->geometry(), QRect(72, 17, 45, 20));
    QCOMPARE(m_panel->BtUnfix->geometry(), QRect(90, 90, 60, 18));
    // Every child lies inside the panel.
    for (QWidget* child : m_panel->findChildren<QWidget*>())
        QVERIFY2(m_panel->rect().contains(child->geometry().topLeft()), qPrintable(child->objectName()));
}

void TestTGBFixedParam::tagReachesBothButtons()
{
    m_panel->SetTag(2);
    QCOMPARE(m_panel->BtFix->property("Tag").toInt(), 2);
    QCOMPARE(m_panel->BtUnfix->property("Tag").toInt(), 2);
    QCOMPARE(m_panel->Tag(), 2);
}

VANTOREL_TEST(TestTGBFixedParam)
#include "TestTGBFixedParam.moc"

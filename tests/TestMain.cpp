// The main of a layer's test program: the application object the layer needs, then the
// test class named on the command line.
#include "TTestRegistry.h"

#if defined(VANTOREL_TEST_WIDGETS)
#include <QApplication>
using TTestApplication = QApplication;
#elif defined(VANTOREL_TEST_GUI)
#include <QGuiApplication>
using TTestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TTestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    TTestApplication app(argc, argv);
#if defined(VANTOREL_TEST_WIDGETS) || defined(VANTOREL_TEST_GUI)
    app.setAttribute(Qt::AA_Use96Dpi, true); // as QTEST_MAIN does
#endif
    return RunTestClass(argc, argv);
}

#include <QApplication>
#include <QLabel>

// Until the main window exists the program shows only that it is being built.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vantorel");
    QLabel label("Vantorel is being built: the main window is not there yet.");
    label.setWindowTitle("Vantorel");
    label.setMargin(40);
    label.show();
    return app.exec();
}

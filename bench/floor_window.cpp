// The floor for the start-up benchmark: a Qt Widgets window of Velkora's size that shows one
// line of text, so that it starts the font system as any window with captions must, and
// nothing else.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Minimum Door Close Time in Seconds:"));
    window.setFixedSize(610, 317);
    window.show();
    return app.exec();
}

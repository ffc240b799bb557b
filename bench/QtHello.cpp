// The peer of the player's start-up benchmark: a plain Qt Widgets program that shows one window and
// ends as its event loop first runs.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel label("Hello");
    label.show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}

#include <QApplication>

#include "app/tquorvan.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Veltrano");
    veltrano::TQuorvan window;
    window.show();
    return QApplication::exec();
}

#include <QApplication>

#include "app/application_setup.h"
#include "app/tquorvan.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    veltrano::PrepareApplication(app);
    veltrano::TQuorvan window;
    window.show();
    return QApplication::exec();
}

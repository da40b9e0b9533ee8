#include <QApplication>

#include "app/application_setup.h"
#include "app/tquorvan.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    veltrano::PrepareApplication(app);
    const veltrano::StartOptions options = veltrano::TakeStartOptions();
    veltrano::TQuorvan window;
    veltrano::ApplyStartOptions(window, options);
    window.show();
    return QApplication::exec();
}

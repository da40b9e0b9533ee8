#include <QApplication>
#include <cstdlib>

#include "app/application_setup.h"
#include "app/start_options.h"
#include "app/tquorvan.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    veltrano::PrepareApplication(app);
    auto options =
        veltrano::ParseStartOptions(veltrano::ProgramArguments(), std::getenv("VELTRANO_TRACE"));
    // Before the window is built: it takes its folder at start-up.
    if (options.desktop) {
        if (auto problem = veltrano::EnterDesktopFolder(); !problem.empty()) {
            options.problems.push_back(std::move(problem));
        }
    }
    veltrano::TQuorvan window;
    if (options.tracePath) veltrano::AttachTrace(window, *options.tracePath);
    veltrano::ReportStartProblems(window, options.problems);
    window.show();
    return QApplication::exec();
}

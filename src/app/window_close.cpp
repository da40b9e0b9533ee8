// Closing the main window. The Controller must not stay in manual mode: the
// manual-drive sheet's leave step writes " rhe\r", and closing the port
// would discard it unsent.
#include <QCloseEvent>
#include <QEventLoop>
#include <QTimer>

#include "app/tquorvan.h"
#include "masks/manual_sheet.h"

namespace veltrano {
namespace {

constexpr int kDrainWaitMs = 1000;

}  // namespace

void TQuorvan::closeEvent(QCloseEvent* event) {
    if (manualSheet_ && manualSheet_->Current()) {
        Guarded([this] { manualSheet_->Handsteuerung_MaskeExit(); });
        if (comm1_ && comm1_->IsOpen()) {
            QEventLoop wait;
            QTimer::singleShot(kDrainWaitMs, &wait, &QEventLoop::quit);
            // Chained: a send-all's own drained handler still runs.
            const std::function<void()> previous = comm1_->OnOutputDrained;
            comm1_->OnOutputDrained = [&wait, previous] {
                if (previous) previous();
                wait.quit();
            };
            wait.exec();
            comm1_->OnOutputDrained = previous;
        }
    }
    QMainWindow::closeEvent(event);
}

}  // namespace veltrano

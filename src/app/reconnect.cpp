// Reopening the chosen port by itself: after the device behind it was lost
// (adapter pulled, simulator restarted), or while the chosen port has no
// device yet. Only a port the user (or the settings file) chose is tried.
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

#include "app/tquorvan.h"

namespace veltrano {

void TQuorvan::RetryOpeningPort(bool retry) {
    if (!retry) {
        reconnectTimer_->stop();
        return;
    }
    if (!reconnectTimer_->isActive()) reconnectTimer_->start();
}

void TQuorvan::ReconnectTimerTick() {
    if (comm1_->IsOpen()) {
        reconnectTimer_->stop();
        return;
    }
    // Not while a box about the port waits for the user, nor while a
    // transfer holds the window: its end restores the window first.
    if (showingError_ || !pages_->isEnabled() || state_.ReadAllInProgress || state_.SendInProgress)
        return;
    try {
        comm1_->Open();
    } catch (const ECommError&) {
        return;  // the user heard of the cause once; keep trying quietly
    }
    reconnectTimer_->stop();
    label21_->clear();
    // As after a port change: whatever answers now is another Controller
    // until it identifies itself.
    ForgetController();
}

}  // namespace veltrano

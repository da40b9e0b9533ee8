#include "link/read_all.h"

namespace veltrano {

std::string ReadAllRequests(const ControllerIdentity& id) {
    const bool sunOrConservatory = id.SunProtectionFamily || id.ConservatoryFamily;
    std::string requests;
    if (sunOrConservatory) requests += "sbpsdmsdaswpsrpsjpsoasawsas";
    if (id.GroupCentralAvailable) requests += "sgz";
    if (id.ConservatoryFamily) requests += "sppsipshpsfpsapsspsoishh";
    if (id.TouchAutomationAvailable) requests += "sta";
    requests += "smnsftszzsbhsfs";
    return requests;
}

int ReadAllProgressMaximum(const ControllerIdentity& id) {
    if (id.SunProtectionFamily) return 19364;
    if (id.ConservatoryFamily) return 26000;
    return 4680;
}

ReadAllSequence::ReadAllSequence(LinkState& state, ConfigurationModel& model)
    : state_(state), model_(model) {}

std::chrono::steady_clock::time_point ReadAllSequence::Now() const {
    return clock_ ? clock_() : std::chrono::steady_clock::now();
}

void ReadAllSequence::Start(const ControllerIdentity& identity) {
    model_.ClearSwitchTimes();
    state_.ReadAllInProgress = true;
    state_.RxCount = 0;
    state_.TxCount = 0;
    rxCountSeen_ = state_.RxCount;
    lastActivity_ = Now();
    if (WriteText) WriteText(ReadAllRequests(identity));
}

void ReadAllSequence::Finish() {
    if (!state_.ReadAllInProgress) return;
    model_.ClearAllModified();
    state_.RxCount += 1;
    state_.ReadAllInProgress = false;
    if (OnCompleted) OnCompleted();
}

bool ReadAllSequence::CheckWatchdog() {
    if (!state_.ReadAllInProgress) return false;
    const auto now = Now();
    if (state_.RxCount != rxCountSeen_) {
        rxCountSeen_ = state_.RxCount;
        lastActivity_ = now;
        return false;
    }
    if (now - lastActivity_ < timeout_) return false;

    state_.ReadAllInProgress = false;
    model_.MarkAllModified();
    state_.OverwriteConfirmed = false;
    if (OnTimedOut) OnTimedOut();
    return true;
}

}  // namespace veltrano

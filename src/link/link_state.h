// The state the link shares with the window: counters, flags and the
// identity of the connected Controller. Owned by the window, used on the
// user-interface thread only.
#pragma once

#include "link/controller_identity.h"

namespace veltrano {

struct LinkState {
    int RxCount = 0;
    int RxCountAtLastCheck = 0;
    int TxCount = 0;
    int FirmwareVersion = 0;

    bool LinkDown = false;
    bool SendInProgress = false;
    bool ReadAllInProgress = false;
    bool SettingsFileWritten = false;
    bool LogbookRewindSent = false;
    bool ShowAverageBrightness = true;
    // The user agreed that send-all overwrites the Controller, or a read-all
    // just made the model equal to it: send-all then starts without asking.
    bool OverwriteConfirmed = false;

    ControllerIdentity Identity;
};

}  // namespace veltrano

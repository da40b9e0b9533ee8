// The differences between two configurations, in the user's words and
// grouped as the sheets group them, for what the linked Controller has.
#pragma once

#include <string>
#include <vector>

#include "configuration_model.h"

namespace veltrano {

// The features of a Controller that decide which sheets and groups it shows.
// The same flags as the link layer's ControllerIdentity (link/controller_identity.h),
// kept here as plain flags because the model library does not depend on the
// link library; a caller with an identity copies the five flags over.
struct CompareFeatures {
    bool SunProtectionFamily = false;
    bool ConservatoryFamily = false;
    bool TouchAutomationAvailable = false;
    bool GroupCentralAvailable = false;
    bool RadioVariant = false;
};

// What a Controller has: differences in what it lacks are left out.
struct CompareScope {
    CompareFeatures identity;
    int motorCount = kMotorCount;  // 32 or 8
    int slotCount = kSlotCount;    // switching times per day: 8 or 4
};

struct Difference {
    std::string group;  // as the sheets group them: "Motornamen", "Schaltzeiten", ...
    std::string text;   // one line in the user's words
};

// Every difference from `a` to `b` ("value in a → value in b"), groups in the
// order of the sheets; an empty list means equal. Motors are named with
// their name in `a`. Bookkeeping that is never saved or sent (the Modified
// flags, the manual-drive states, the reserved parameter) is not compared.
std::vector<Difference> CompareConfigurations(const ConfigurationModel& a,
                                              const ConfigurationModel& b,
                                              const CompareScope& scope);

}  // namespace veltrano

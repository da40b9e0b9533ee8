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
    // False when one side was read from a Controller whose read does not
    // fetch the reverse record (a roller-shutter one): its values there are
    // the program's, and a difference would be none of the Controller's.
    bool ReverseRead = true;
};

// What a Controller has: differences in what it lacks are left out.
struct CompareScope {
    CompareFeatures identity;
    // 32 or 8, and 8 or 4 switching times per day; a count outside
    // 1..32 or 1..8 counts as the whole table.
    int motorCount = kMotorCount;
    int slotCount = kSlotCount;
};

struct Difference {
    std::string group;  // as the sheets group them: "Motornamen", "Schaltzeiten", ...
    std::string text;   // one line in the user's words
};

// Every difference from `a` to `b` ("value in a → value in b"): motor names,
// switching times (motor by motor, day by day), the per-motor records in the
// order of motor_fields.h, then general parameters, alarm patterns, groups,
// Soft-GZS and holidays. An empty list means equal. Motors are named with
// their name in `a`. Not compared: the Modified flags and the manual-drive
// states (bookkeeping) and the reserved parameter, which only a backup file
// carries and the Controller never gets.
std::vector<Difference> CompareConfigurations(const ConfigurationModel& a,
                                              const ConfigurationModel& b,
                                              const CompareScope& scope);

}  // namespace veltrano

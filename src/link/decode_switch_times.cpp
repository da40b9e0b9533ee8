// "sfs": the switching-time list. [0] day: 0 opens the list, 1..7 is one
// entry, 255 closes the list and ends the read-all. [1] motor 0..31, [2] slot
// 1..8, [3] direction (1 up), [4] hour (24 = empty), [5] minute, [6] run-time
// code, [7] day group, [8] function, [9] the sum of the nine.
#include <vector>

#include "link/decode_common.h"
#include "model/value_scales.h"

namespace veltrano::decode {
namespace {

constexpr std::int64_t kOpeningDay = 0;
constexpr std::int64_t kClosingDay = 255;
constexpr int kChecksumOver = 9;
constexpr std::int64_t kEmptyHour = 24;

std::string WeekdayText(const Context& ctx, std::int64_t day) {
    if (day < 1 || day > kDayCount) return {};
    const int index = static_cast<int>(day - 1);
    if (ctx.hooks.WeekdayItemText) return ctx.hooks.WeekdayItemText(index);
    return ItemText(WeekdayItems(), index);
}

// The days (1..7) an entry of `day` with `dayGroup` is stored in: the whole
// group whichever of its days the frame names. A day group that names no
// days keeps the entry on its own day.
std::vector<int> DaysOfEntry(int day, std::int64_t dayGroup) {
    switch (dayGroup) {
        case kDayGroupWeekend:
            return {6, 7};
        case kDayGroupWeekdays:
            return {1, 2, 3, 4, 5};
        case kDayGroupWholeWeek:
            return {1, 2, 3, 4, 5, 6, 7};
        default:
            return {day};
    }
}

void StoreEntry(const Context& ctx, const PayloadNumbers& n) {
    const int day = static_cast<int>(n[0]);
    const std::int64_t motor = n[1];
    const std::int64_t slot = n[2] - 1;
    if (motor < 0 || motor >= kMotorCount || slot < 0 || slot >= kSlotCount) {
        ShowError(ctx, "Fehler Schalt " + std::to_string(n[0]));
        ctx.readAll.SwitchTimeRefused();
        return;
    }
    SwitchTime received;
    received.Direction = n[3] == 1 ? kUp : kDown;
    received.TimeCode = n[4] == kEmptyHour ? kEmptyTimeCode : Code(n[4] * 60 + n[5] + 1);
    received.DurationCode = Code(n[6]);
    received.DayGroup = Code(n[7]);
    received.Function = Code(n[8]);
    for (int d : DaysOfEntry(day, n[7])) {
        SwitchTime& entry =
            ctx.model.switchTime(d - 1, static_cast<int>(motor), static_cast<int>(slot));
        received.Modified = entry.Modified;  // a received entry keeps its flag
        entry = received;
    }
}

// A frame that cannot be read still tells the read-all that an entry is lost.
PayloadNumbers SplitSwitchTime(const Context& ctx, const std::string& payload) {
    try {
        return SplitOrThrow(payload);
    } catch (...) {
        ctx.readAll.SwitchTimeRefused();
        throw;
    }
}

void DecodeSwitchTime(const Context& ctx, const std::string& payload) {
    const PayloadNumbers n = SplitSwitchTime(ctx, payload);
    const std::string caption = "Schaltzeiten " + WeekdayText(ctx, n[0]);
    ShowCaption(ctx, caption);
    ShowReadingInLists(ctx, caption);
    if (!ChecksumValid(n, kChecksumOver)) {
        // An invalid closing frame does not end the read-all.
        ShowError(ctx, "Fehler Schalt " + std::to_string(n[0]));
        ctx.readAll.SwitchTimeRefused();
        return;
    }
    // The model now holds what the Controller sent: the next send-all need not ask.
    if (ctx.state.ReadAllInProgress) ctx.state.OverwriteConfirmed = true;

    if (n[0] == kOpeningDay) {
        ctx.model.ResetSwitchTimesForRead();
        ctx.readAll.Received("sfs");
    } else if (n[0] >= 1 && n[0] <= kDayCount) {
        StoreEntry(ctx, n);
    } else if (n[0] == kClosingDay) {
        ctx.readAll.Finish();
    } else {
        ShowError(ctx, "Fehler Schalt " + std::to_string(n[0]));
        ctx.readAll.SwitchTimeRefused();
    }
}

}  // namespace

void RegisterSwitchTimes(ReceiveHandler& handler, const Context& ctx) {
    handler.RegisterDecoder("sfs", [ctx](const std::string& p) { DecodeSwitchTime(ctx, p); });
}

}  // namespace veltrano::decode

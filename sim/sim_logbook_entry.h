// One entry of the Controller's logbook, as the Controller stores it and
// sends it in "sld" and "slf" frames (wire numbers, any value it holds).
#pragma once

namespace veltrano::sim {

struct LogbookEntry {
    int number = 1;     // 1.. in the Controller's order; 9999 ends a transfer
    int motor = 1;      // 1..32
    int direction = 1;  // 0 down, 1 up
    int day = 1;
    int month = 1;
    int code = 0;  // event code 0..24
    int hour = 0;
    int minute = 0;
    int subCode = 0;  // code 0: 0 fixed, 1 solar, 2 random
    bool operator==(const LogbookEntry&) const = default;
};

}  // namespace veltrano::sim

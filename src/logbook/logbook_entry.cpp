#include "logbook/logbook_entry.h"

#include "link/payload_error.h"
#include "link/payload_numbers.h"

namespace veltrano {

DecodedLogbookEntry DecodeLogbookEntry(std::string_view payload) {
    const auto numbers = SplitPayloadNumbers(payload);
    if (!numbers) throw PayloadError("logbook entry: not a number");
    const PayloadNumbers& n = *numbers;
    DecodedLogbookEntry decoded;
    decoded.Entry = {n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8]};
    decoded.ChecksumValid = ChecksumValid(n, kLogbookEntryFields);
    return decoded;
}

}  // namespace veltrano

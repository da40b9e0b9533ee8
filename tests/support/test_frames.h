// Frames as a Controller sends them, for tests that feed the receive handler.
#pragma once

#include <initializer_list>
#include <string>

namespace veltrano::testing {

// "start_" + tag + each number and "," + "ende_"; with a checksum, the sum of
// the numbers follows them as the last number.
inline std::string Frame(const std::string& tag, std::initializer_list<long long> numbers,
                         bool checksum = true) {
    std::string payload;
    long long sum = 0;
    for (long long n : numbers) {
        payload += std::to_string(n) + ",";
        sum += n;
    }
    if (checksum) payload += std::to_string(sum) + ",";
    return "start_" + tag + payload + "ende_";
}

}  // namespace veltrano::testing

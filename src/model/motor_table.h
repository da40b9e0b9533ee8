// One record per motor. Motors are numbered 1..32 on the wire and in the
// backup file, and 0..31 as rows of the masks' lists; the two accessors name
// which convention the caller uses, so neither can be mistaken for the other.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

#include "model_codes.h"

namespace veltrano {

template <typename Record>
class MotorTable {
  public:
    using Storage = std::array<Record, kMotorCount>;

    MotorTable() = default;
    // Every motor gets `value`.
    explicit MotorTable(const Record& value) { records_.fill(value); }

    // Motor number 1..32; throws std::out_of_range outside.
    Record& motor(int motorNumber) { return records_[CheckedIndex(motorNumber - 1, motorNumber)]; }
    const Record& motor(int motorNumber) const {
        return records_[CheckedIndex(motorNumber - 1, motorNumber)];
    }

    // List row 0..31 (row n shows motor n + 1); throws std::out_of_range outside.
    Record& row(int listRow) { return records_[CheckedIndex(listRow, listRow + 1)]; }
    const Record& row(int listRow) const { return records_[CheckedIndex(listRow, listRow + 1)]; }

    static bool IsValidMotor(int motorNumber) {
        return motorNumber >= 1 && motorNumber <= kMotorCount;
    }

    void fill(const Record& value) { records_.fill(value); }

    // Iteration runs from motor 1 to motor 32.
    auto begin() { return records_.begin(); }
    auto end() { return records_.end(); }
    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }
    static constexpr int size() { return kMotorCount; }

    bool operator==(const MotorTable&) const = default;

  private:
    static std::size_t CheckedIndex(int index, int motorNumber) {
        if (index < 0 || index >= kMotorCount)
            throw std::out_of_range("motor " + std::to_string(motorNumber) + " outside 1.." +
                                    std::to_string(kMotorCount));
        return static_cast<std::size_t>(index);
    }

    Storage records_{};
};

}  // namespace veltrano

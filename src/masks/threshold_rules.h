// The two-box rules of the automation sheets: two thresholds that must lie
// on either side of each other, and an active period whose end is not
// before its start. Item indexes; -1 is a box without an item, which counts
// as out of order, so a rule never returns -1.
#pragma once

namespace veltrano {

struct IndexPair {
    int first = 0;
    int second = 0;
    bool operator==(const IndexPair&) const = default;
};

// Threshold 2 lies at least one item below threshold 1 (`secondBelow`, the
// "greater than" comparison) or above it; `last` is the highest index.
// Threshold 1 chosen (or the comparison): threshold 2 moves, threshold 1
// only at the end of the list.
IndexPair FirstThresholdChosen(int first, int second, bool secondBelow, int last);
// Threshold 2 chosen: threshold 1 moves, threshold 2 only at the end of the list.
IndexPair SecondThresholdChosen(int first, int second, bool secondBelow, int last);

// Hours `from`, `to`: the start chosen moves an earlier end to it; the end
// chosen moves a later start to it. Equal hours mean all day.
IndexPair PeriodStartChosen(int from, int to);
IndexPair PeriodEndChosen(int from, int to);

}  // namespace veltrano

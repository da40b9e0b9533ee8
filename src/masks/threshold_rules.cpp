#include "masks/threshold_rules.h"

namespace veltrano {

IndexPair FirstThresholdChosen(int first, int second, bool secondBelow, int last) {
    if (first < 0) {
        // The comparison chosen while threshold 1 shows nothing: threshold 2
        // stays where it can and threshold 1 follows it.
        if (second >= 0) return SecondThresholdChosen(first, second, secondBelow, last);
        first = 0;
    }
    if (secondBelow) {
        if (second >= 0 && second < first) return {first, second};
        return first > 0 ? IndexPair{first, first - 1} : IndexPair{1, 0};
    }
    if (second > first) return {first, second};
    return first < last ? IndexPair{first, first + 1} : IndexPair{last - 1, last};
}

IndexPair SecondThresholdChosen(int first, int second, bool secondBelow, int last) {
    if (secondBelow) {
        if (first > second) return {first, second};
        if (second >= last) second = last - 1;
        return {second + 1, second};
    }
    if (first >= 0 && first < second) return {first, second};
    if (second <= 0) second = 1;
    return {second - 1, second};
}

IndexPair PeriodStartChosen(int from, int to) {
    if (to < 0 || to < from) to = from;
    return {from, to};
}

IndexPair PeriodEndChosen(int from, int to) {
    if (from < 0 || to < from) from = to;
    return {from, to};
}

}  // namespace veltrano

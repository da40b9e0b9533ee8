// The two-box rules (threshold_rules.h) bound to a section's boxes: a choice
// in one box of a pair stores both fields of the shown motor's record, as the
// rule orders them from the chosen index and the other box's.
#pragma once

#include <QComboBox>
#include <functional>

#include "masks/mask_section.h"
#include "masks/threshold_rules.h"
#include "model/model_codes.h"

namespace veltrano {

struct PeriodBoxes {
    MaskSection::Box from;  // XX_von
    MaskSection::Box to;    // XX_bis
};

// The hours of the record's active period, From and To.
template <typename Record>
PeriodBoxes BindPeriod(ConfigurationModel& model, QComboBox* from, QComboBox* to) {
    auto store = [&model](int motor, IndexPair period) {
        Record& record = RecordsOf<Record>(model).motor(motor);
        record.From = period.first;
        record.To = period.second;
    };
    PeriodBoxes boxes{BoundBox(model, from, &Record::From), BoundBox(model, to, &Record::To)};
    boxes.from.store = [store, to](int motor, int index) {
        store(motor, PeriodStartChosen(index, to->currentIndex()));
    };
    boxes.to.store = [store, from](int motor, int index) {
        store(motor, PeriodEndChosen(from->currentIndex(), index));
    };
    return boxes;
}

struct ThresholdBoxes {
    MaskSection::Box comparison;  // XX_gr_kl; empty without one
    MaskSection::Box first;       // XX_Schwelle_1
    MaskSection::Box second;      // XX_Schwelle_2
};

namespace rule_boxes {

template <typename Record>
void StoreThresholds(ConfigurationModel& model, int motor, IndexPair pair) {
    Record& record = RecordsOf<Record>(model).motor(motor);
    record.Threshold1Code = pair.first;
    record.Threshold2Code = pair.second;
}

// Threshold1Code and Threshold2Code; `secondBelow(motor)`: threshold 2 lies
// below threshold 1 in the motor's record.
template <typename Record>
ThresholdBoxes Thresholds(ConfigurationModel& model, QComboBox* first, QComboBox* second, int last,
                          const std::function<bool(int motor)>& secondBelow) {
    auto store = [&model](int motor, IndexPair pair) {
        StoreThresholds<Record>(model, motor, pair);
    };
    ThresholdBoxes boxes{{},
                         BoundBox(model, first, &Record::Threshold1Code),
                         BoundBox(model, second, &Record::Threshold2Code)};
    boxes.first.store = [store, secondBelow, second, last](int motor, int index) {
        store(motor, FirstThresholdChosen(index, second->currentIndex(), secondBelow(motor), last));
    };
    boxes.second.store = [store, secondBelow, first, last](int motor, int index) {
        store(motor, SecondThresholdChosen(first->currentIndex(), index, secondBelow(motor), last));
    };
    return boxes;
}

}  // namespace rule_boxes

// Threshold 2 always above threshold 1; `last` is the highest index.
template <typename Record>
ThresholdBoxes BindThresholds(ConfigurationModel& model, QComboBox* first, QComboBox* second,
                              int last) {
    return rule_boxes::Thresholds<Record>(model, first, second, last, [](int) { return false; });
}

// With the comparison box bound to Comparison: "greater than" puts threshold
// 2 below threshold 1, and a comparison chosen moves the thresholds as
// threshold 1 chosen does.
template <typename Record>
ThresholdBoxes BindComparedThresholds(ConfigurationModel& model, QComboBox* comparison,
                                      QComboBox* first, QComboBox* second, int last) {
    ThresholdBoxes boxes =
        rule_boxes::Thresholds<Record>(model, first, second, last, [&model](int motor) {
            return RecordsOf<Record>(model).motor(motor).Comparison != kBelowThreshold;
        });
    boxes.comparison = BoundBox(model, comparison, &Record::Comparison);
    boxes.comparison.store = [&model, first, second, last](int motor, int index) {
        RecordsOf<Record>(model).motor(motor).Comparison = index;
        rule_boxes::StoreThresholds<Record>(
            model, motor,
            FirstThresholdChosen(first->currentIndex(), second->currentIndex(),
                                 index != kBelowThreshold, last));
    };
    return boxes;
}

}  // namespace veltrano

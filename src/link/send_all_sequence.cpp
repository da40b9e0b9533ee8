#include "link/send_all_sequence.h"

#include <algorithm>

#include "link/payload_numbers.h"

namespace veltrano {

SendAllSequence::SendAllSequence(ConfigurationModel& model, LinkState& state,
                                 const WindowHooks& hooks, WriteFunction write)
    : model_(model), state_(state), hooks_(hooks), write_(std::move(write)), clock_([] {
          return std::chrono::steady_clock::now();
      }) {}

void SendAllSequence::Start() {
    if (running_) return;
    // The Controller is fixed for the whole transfer: polling is suspended,
    // but a late identity frame must not switch the step order half-way.
    target_ = SendTarget{state_.Identity, state_.FirmwareVersion};
    progressMaximum_ = SendProgressMaximum(target_.identity);
    refusalShown_ = false;
    deadline_.reset();

    WindowHooks::Call(hooks_.BlankMotorListForSend,
                      std::string(kSendingRow) + "Initialisiere Schaltzeiten-Speicher");
    state_.SendInProgress = true;
    running_ = true;
    state_.RxCount = 0;
    state_.TxCount = 0;
    hooks_.Panel(6, std::string(kEraseCaption));
    try {
        WireWriter w(write_);
        WriteEraseRecord(w);
    } catch (...) {
        Abort(SendAllEnd::WriteFailed, kWriteFailedPanelText);
        throw;
    }
    AddProgress(24);
    day_ = 0;
    step_ = kStepSwitchTimes;
    awaitingDrain_ = true;
}

void SendAllSequence::Acknowledge(std::string_view payload) {
    if (!running_) return;  // a stray or late acknowledgement
    deadline_.reset();
    awaitingDrain_ = false;
    const auto numbers = SplitPayloadNumbers(payload);
    if (!numbers || (*numbers)[0] != 0) ReportRefusal();
    try {
        RunStep();
    } catch (...) {
        Abort(SendAllEnd::WriteFailed, kWriteFailedPanelText);
        throw;
    }
}

void SendAllSequence::OutputDrained() {
    if (!running_ || !awaitingDrain_) return;
    awaitingDrain_ = false;
    deadline_ = clock_() + ackTimeout_;
}

bool SendAllSequence::CheckAckTimeout() {
    if (!running_ || !deadline_ || clock_() < *deadline_) return false;
    Abort(SendAllEnd::TimedOut, kTimeoutPanelText);
    return true;
}

void SendAllSequence::ReportRefusal() {
    // The step about to run is named: the one after the refused block.
    hooks_.Panel(5, "Fehler " + std::to_string(step_));
    refusalShown_ = true;
}

void SendAllSequence::RunStep() {
    if (step_ == kStepCompletion) {
        Complete();
        return;
    }
    if (step_ == kStepSwitchTimes) {
        RunSwitchTimeDay();
    } else {
        RunBlockStep(step_);
    }
    awaitingDrain_ = true;
}

void SendAllSequence::RunSwitchTimeDay() {
    ++day_;
    WireWriter w(write_);
    if (day_ <= kDayCount) {
        Caption("Schaltzeiten " + std::string(SendDayName(day_)));
        const int written = WriteSwitchTimesOfDay(w, model_.SwitchTimes, day_);
        AddProgress(written * SendStepProgressUnits(kStepSwitchTimes));
        return;
    }
    WriteEndOfSwitchTimesRecord(w);
    step_ = NextSendStep(kStepSwitchTimes, target_);
    const FreeMemoryFigure figure = model_.FreeSwitchTimeMemory();
    hooks_.Panel(6, figure.panelText);
    WindowHooks::Call(hooks_.SetMemoryWarningVisible, figure.insufficient);
}

template <typename Record, typename Encode>
void SendAllSequence::WritePerMotor(std::string_view word, const MotorTable<Record>& table,
                                    Encode encode) {
    WireWriter w(write_);
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        const Record& record = table.motor(motor);
        // The last motor always goes, so every block ends where the Controller expects.
        if (record.Modified || motor == kMotorCount) {
            const RecordNumbers n = encode(motor, record);
            w.Word(word);
            w.NumbersWithSum(n.values.data(), n.count);
        }
    }
}

void SendAllSequence::RunBlockStep(int step) {
    Caption(SendStepCaption(step));
    WireWriter w(write_);
    const GeneralParameters& p = model_.Parameters;
    switch (step) {
        case kStepMotorNames:
            for (int motor = 1; motor <= kMotorCount; ++motor)
                WriteMotorName(w, motor, model_.motorName(motor));
            // Shown until the reverse block; a refusal report is kept instead.
            if (!refusalShown_) hooks_.Panel(5, std::to_string(target_.firmwareVersion));
            break;
        case kStepHolidays:
            for (int number = 1; number <= kHolidayCount; ++number)
                WriteHoliday(w, number, model_.holiday(number));
            break;
        case kStepGroups:
            WindowHooks::Call(hooks_.StoreGroupCheckBoxes);
            WriteGroupBlock(w, model_);
            break;
        case kStepReverse:
            if (!refusalShown_) hooks_.Panel(5, std::string());
            WritePerMotor(kWordReverse, model_.Reverse, ReverseNumbers);
            break;
        case kStepShading:
            WritePerMotor(kWordShading, model_.Shading, ShadingNumbers);
            break;
        case kStepTwilightMorning:
            WritePerMotor(kWordTwilightMorning, model_.TwilightMorning, TwilightMorningNumbers);
            break;
        case kStepTwilightEvening:
            WritePerMotor(kWordTwilightEvening, model_.TwilightEvening, TwilightEveningNumbers);
            break;
        case kStepWind:
            WritePerMotor(kWordWind, model_.Wind, WindNumbers);
            break;
        case kStepRain:
            WritePerMotor(kWordRain, model_.Rain, RainNumbers);
            break;
        case kStepOutsideOffset:
            WriteSingleParameter(w, kWordOutsideOffset, OutsideTempOffsetNumber(p));
            break;
        case kStepWindDelay:
            WriteSingleParameter(w, kWordWindDelay, WindDelayNumber(p));
            break;
        case kStepAlarm:
            WriteAlarmBlock(w, model_);
            break;
        case kStepProportionalTemp:
            WritePerMotor(kWordProportionalTemp, model_.ProportionalTemp, ProportionalTempNumbers);
            break;
        case kStepInsideTemp:
            WritePerMotor(kWordInsideTemp, model_.InsideTemp, InsideTempNumbers);
            break;
        case kStepHeating:
            WritePerMotor(kWordHeating, model_.Heating, HeatingNumbers);
            break;
        case kStepHeatingHysteresis:
            WriteSingleParameter(w, kWordHeatingHysteresis, HeatingHysteresisNumber(p));
            break;
        case kStepHumidity:
            WritePerMotor(kWordHumidity, model_.Humidity, HumidityNumbers);
            break;
        case kStepOutsideTemp:
            WritePerMotor(kWordOutsideTemp, model_.OutsideTemp, OutsideTempNumbers);
            break;
        case kStepInsideOffset:
            WriteSingleParameter(w, kWordInsideOffset, InsideTempOffsetNumber(p));
            break;
        case kStepTouch: {
            const bool radio = target_.identity.RadioVariant;
            WritePerMotor(kWordTouch, model_.Touch, [radio](int motor, const TouchSettings& r) {
                return TouchNumbers(motor, r, radio);
            });
            break;
        }
        case kStepShadingHysteresis:
            WriteSingleParameter(w, kWordShadingHysteresis, ShadingHysteresisNumber(p));
            break;
        case kStepRandomSpan:
            WriteSingleParameter(w, kWordRandomSpan, RandomSpanNumber(p));
            break;
        default:
            break;  // unknown steps write nothing and end the transfer next
    }
    const int units = SendStepProgressUnits(step);
    AddProgress(SendStepCountsPerMotor(step) ? units * kMotorCount : units);
    step_ = NextSendStep(step, target_);
}

void SendAllSequence::Caption(std::string_view caption) {
    const std::string text(caption);
    hooks_.Panel(6, text);
    WindowHooks::Call(hooks_.SetMotorListRow6, std::string(kSendingRow) + text);
}

void SendAllSequence::AddProgress(int units) {
    state_.TxCount += units;
    // The bar ignores positions beyond its maximum; the estimate may be exceeded.
    WindowHooks::Call(hooks_.SetProgressPosition, std::min(state_.TxCount, progressMaximum_));
}

void SendAllSequence::Complete() {
    hooks_.Panel(6, std::string());
    WindowHooks::Call(hooks_.SetMotorListRow6, std::string(kSendingRow));
    state_.RxCount += 1;
    running_ = false;
    awaitingDrain_ = false;
    deadline_.reset();
    state_.SendInProgress = false;
    WindowHooks::Call(OnFinished, SendAllEnd::Completed);
    model_.ClearAllModified();
    WindowHooks::Call(hooks_.RebuildSwitchTimeLists);
}

void SendAllSequence::Abort(SendAllEnd why, std::string_view panelText) {
    running_ = false;
    awaitingDrain_ = false;
    deadline_.reset();
    state_.SendInProgress = false;
    hooks_.Panel(5, std::string(panelText));
    hooks_.Panel(6, std::string());
    // The Controller may hold part of the blocks: everything goes again next time.
    model_.MarkAllModified();
    WindowHooks::Call(hooks_.RebuildSwitchTimeLists);
    // Last: the window may show a modal message box.
    WindowHooks::Call(OnFinished, why);
}

}  // namespace veltrano

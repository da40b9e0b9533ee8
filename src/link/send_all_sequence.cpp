#include "link/send_all_sequence.h"

#include <algorithm>

#include "link/payload_numbers.h"
#include "link/wire_safe_names.h"
#include "model/value_scales.h"

namespace veltrano {
namespace {

// fn(table of `to`, same table of `from`) for the record table a per-motor
// step sends; nothing for the other steps.
template <typename Fn>
void WithStepTables(int step, ConfigurationModel& to, const ConfigurationModel& from, Fn fn) {
    switch (step) {
        case kStepReverse:
            return fn(to.Reverse, from.Reverse);
        case kStepShading:
            return fn(to.Shading, from.Shading);
        case kStepTwilightMorning:
            return fn(to.TwilightMorning, from.TwilightMorning);
        case kStepTwilightEvening:
            return fn(to.TwilightEvening, from.TwilightEvening);
        case kStepWind:
            return fn(to.Wind, from.Wind);
        case kStepRain:
            return fn(to.Rain, from.Rain);
        case kStepProportionalTemp:
            return fn(to.ProportionalTemp, from.ProportionalTemp);
        case kStepInsideTemp:
            return fn(to.InsideTemp, from.InsideTemp);
        case kStepHeating:
            return fn(to.Heating, from.Heating);
        case kStepHumidity:
            return fn(to.Humidity, from.Humidity);
        case kStepOutsideTemp:
            return fn(to.OutsideTemp, from.OutsideTemp);
        case kStepTouch:
            return fn(to.Touch, from.Touch);
        default:
            return;
    }
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return std::string(text);
}

}  // namespace

std::string RefusedStepCaption(const RefusedStep& refused) {
    if (refused.step != kStepSwitchTimes) return std::string(SendStepCaption(refused.step));
    if (refused.day == 0) return "Schaltzeiten (Löschen des Speichers)";
    if (refused.day > kDayCount) return "Schaltzeiten (Abschluss)";
    return "Schaltzeiten " + Trimmed(SendDayName(refused.day));
}

std::string SendAllEndMessage(const SendAllResult& result,
                              const std::function<std::string(int motor)>& motorName) {
    std::string text;
    if (!result.refused.empty()) {
        text += "Die Steuerung hat folgende Daten nicht angenommen:\n\n";
        for (const RefusedStep& refused : result.refused)
            text += RefusedStepCaption(refused) + "\n";
        text +=
            "\nDiese Daten wurden NICHT in der Steuerung gespeichert. Sie werden beim "
            "nächsten \"PC --> Steuerung\" erneut gesendet.";
    }
    if (!result.renamedMotors.empty()) {
        if (!text.empty()) text += "\n\n";
        text +=
            "Folgende Motor-Namen enthielten Zeichenfolgen, die die Steuerung nicht "
            "speichern kann, und wurden geändert:\n\n";
        for (int motor : result.renamedMotors)
            text += "Motor " + std::to_string(motor) + ": \"" + motorName(motor) + "\"\n";
    }
    return text;
}

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
    refused_.clear();
    renamed_.clear();
    written_ = RefusedStep{kStepSwitchTimes, 0};

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
        End(SendAllEnd::WriteFailed, kWriteFailedPanelText);
        throw;
    }
    AddProgress(24);
    day_ = 0;
    step_ = kStepSwitchTimes;
    AwaitDrain();
}

void SendAllSequence::AwaitDrain() {
    awaitingDrain_ = true;
    drainSince_ = clock_();
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
        End(SendAllEnd::WriteFailed, kWriteFailedPanelText);
        throw;
    }
}

void SendAllSequence::OutputDrained() {
    if (!running_ || !awaitingDrain_) return;
    awaitingDrain_ = false;
    deadline_ = clock_() + ackTimeout_;
}

bool SendAllSequence::CheckAckTimeout() {
    if (!running_) return false;
    if (awaitingDrain_ && clock_() - drainSince_ >= drainTimeout_) {
        Abort(SendAllEnd::OutputStalled);
        return true;
    }
    if (!deadline_ || clock_() < *deadline_) return false;
    Abort(SendAllEnd::TimedOut);
    return true;
}

void SendAllSequence::Abort(SendAllEnd why) {
    if (!running_) return;
    switch (why) {
        case SendAllEnd::DeviceLost:
            return End(why, kConnectionLostPanelText);
        case SendAllEnd::OutputStalled:
            return End(why, kStalledText);
        case SendAllEnd::WriteFailed:
            return End(why, kWriteFailedPanelText);
        default:
            return End(SendAllEnd::TimedOut, kTimeoutPanelText);
    }
}

void SendAllSequence::ReportRefusal() {
    // The step about to run is named: the one after the refused block.
    hooks_.Panel(5, "Fehler " + std::to_string(step_));
    refusalShown_ = true;
    // Remembered is the step the refused block belongs to.
    refused_.push_back(written_);
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
    AwaitDrain();
}

void SendAllSequence::RunSwitchTimeDay() {
    ++day_;
    written_ = RefusedStep{kStepSwitchTimes, day_};
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

// Every name goes as the Controller can keep it; a name that had to change
// is changed in the model and in the window too, so both sides agree.
void SendAllSequence::WriteMotorNames(WireWriter& w) {
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        std::string& name = model_.motorName(motor);
        const std::string safe = WireSafeMotorName(name);
        if (safe != name) {
            name = safe;
            WindowHooks::Call(hooks_.SetMotorNameItem, motor, safe);
            renamed_.push_back(motor);
        }
        WriteMotorName(w, motor, name);
    }
}

// A touch run time of another list (a Controller linked before, a backup
// file) that the radio list lacks would make the Controller refuse the whole
// block, the record of motor 32 an 8-motor Controller never reports
// included: it goes, and stays, as the nearest item of the radio list.
void SendAllSequence::FitRadioRunTimes() {
    const int last = static_cast<int>(RadioRunTimeItems().size()) - 1;
    for (int motor = 1; motor <= kMotorCount; ++motor) {
        TouchSettings& r = model_.touch(motor);
        if (r.Modified || motor == kMotorCount)
            r.DurationCode = std::clamp(r.DurationCode, 0, last);
    }
}

void SendAllSequence::RunBlockStep(int step) {
    Caption(SendStepCaption(step));
    written_ = RefusedStep{step, 0};
    WireWriter w(write_);
    const GeneralParameters& p = model_.Parameters;
    switch (step) {
        case kStepMotorNames:
            WriteMotorNames(w);
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
            if (radio) FitRadioRunTimes();
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

    // What the Controller refused of a per-motor block is still to be sent:
    // those records keep their flags; the Controller now holds the rest.
    if (refused_.empty()) {
        model_.ClearAllModified();
    } else {
        const ConfigurationModel sent = model_;
        model_.ClearAllModified();
        for (const RefusedStep& refused : refused_) {
            WithStepTables(refused.step, model_, sent, [](auto& table, const auto& before) {
                for (int motor = 1; motor <= kMotorCount; ++motor)
                    table.motor(motor).Modified = before.motor(motor).Modified;
            });
        }
    }
    // Last: the window may show a modal message box.
    WindowHooks::Call(OnFinished, SendAllResult{SendAllEnd::Completed, refused_, renamed_});
    WindowHooks::Call(hooks_.RebuildSwitchTimeLists);
}

void SendAllSequence::End(SendAllEnd why, std::string_view panelText) {
    running_ = false;
    awaitingDrain_ = false;
    deadline_.reset();
    state_.SendInProgress = false;
    hooks_.Panel(5, std::string(panelText));
    hooks_.Panel(6, std::string());
    // The Controller may hold part of the blocks: everything goes again next
    // time, and only after the user agreed once more.
    model_.MarkAllModified();
    state_.OverwriteConfirmed = false;
    WindowHooks::Call(hooks_.RebuildSwitchTimeLists);
    // Last: the window may show a modal message box.
    WindowHooks::Call(OnFinished, SendAllResult{why, {}, renamed_});
}

}  // namespace veltrano

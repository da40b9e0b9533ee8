#include "sim_controller.h"

#include <cstdio>
#include <ctime>

#include "link/manual_drive_code.h"

namespace veltrano::sim {

namespace {

std::tm LocalTime(std::chrono::system_clock::time_point wall) {
    const std::time_t t = std::chrono::system_clock::to_time_t(wall);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

}  // namespace

SimController::SimController(SimConfig config, SimMemory memory)
    : config_(std::move(config)),
      memory_(std::move(memory)),
      receiver_(config_.identity.features, config_.refusedWords),
      sensors_(SensorOptions{config_.insideSensor, config_.identity.features.conservatory,
                             config_.faults.seed}),
      faults_(config_.faults) {
    if (!memory_.logbook)
        memory_.logbook = GenerateLogbook(config_.identity.features.motors, config_.logbookSize);
}

const std::vector<LogbookEntry>& SimController::Logbook() const {
    static const std::vector<LogbookEntry> kNone;
    return memory_.logbook ? *memory_.logbook : kNone;
}

std::string SimController::DateText(const SimInstant& now) const {
    if (config_.dateUnset) return "01.01.00";
    const std::tm tm = LocalTime(now.wall);
    char text[40];
    std::snprintf(text, sizeof text, "%02d.%02d.%02d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year % 100);
    return text;
}

std::string SimController::TimeText(const SimInstant& now) const {
    int hour, minute, second;
    if (config_.dateUnset) {
        // Without the radio signal the clock runs from midnight at power-up.
        const long long s = now.sinceStart.count() / 1000;
        hour = static_cast<int>(s / 3600 % 24);
        minute = static_cast<int>(s / 60 % 60);
        second = static_cast<int>(s % 60);
    } else {
        const std::tm tm = LocalTime(now.wall);
        hour = tm.tm_hour;
        minute = tm.tm_min;
        second = tm.tm_sec;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

std::vector<std::string> SimController::Receive(std::string_view bytes, const SimInstant& now) {
    out_.clear();
    Tick(now);
    if (silent_) return {};
    for (const ParsedCommand& command : parser_.Feed(bytes)) {
        // The cable was pulled, or the line dropped, in the middle of this input.
        if (silent_ || hangUpDue_) break;
        Handle(command, now);
    }
    return std::move(out_);
}

std::string SimController::ReceiveText(std::string_view bytes, const SimInstant& now) {
    std::string text;
    for (const std::string& piece : Receive(bytes, now))
        text += piece;
    return text;
}

void SimController::Tick(const SimInstant& now) {
    if (config_.silence.after && !timedSilenceSpent_ && now.sinceStart >= *config_.silence.after) {
        timedSilenceSpent_ = true;
        BeginSilence();
    }
}

void SimController::ToggleSilence() {
    if (silent_)
        silent_ = false;
    else
        BeginSilence();
}

void SimController::BeginSilence() {
    silent_ = true;
    parser_.Reset();
    receiver_.Reset();
}

std::int64_t SimController::Mask(std::uint32_t mask) const {
    return MaskNumber(mask, config_.signedMasks);
}

void SimController::Emit(OutgoingFrame frame) {
    if (silent_) return;
    const bool isAck = frame.tag == "stc";
    const bool isLogbookEntry = (frame.tag == "sld" || frame.tag == "slf") &&
                                !frame.numbers.empty() && frame.numbers[0] != kLogbookEndNumber;
    for (std::string& piece : faults_.Render(std::move(frame)))
        out_.push_back(std::move(piece));
    if (!faults_.LastWasSent()) return;
    ++framesSent_;
    if (isAck) ++acksSent_;
    if (isLogbookEntry) ++logbookEntriesSent_;
    const SilenceOptions& s = config_.silence;
    if (s.afterFrames > 0 && !frameSilenceSpent_ && framesSent_ >= s.afterFrames) {
        frameSilenceSpent_ = true;
        BeginSilence();
    }
    if (s.afterAcks > 0 && !ackSilenceSpent_ && acksSent_ >= s.afterAcks) {
        ackSilenceSpent_ = true;
        BeginSilence();
    }
    if (s.afterLogbookEntries > 0 && !logbookSilenceSpent_ &&
        logbookEntriesSent_ >= s.afterLogbookEntries) {
        logbookSilenceSpent_ = true;
        BeginSilence();
    }
    const HangUpOptions& h = config_.hangUp;
    if (!hangUpSpent_ && ((h.afterFrames > 0 && framesSent_ >= h.afterFrames) ||
                          (h.afterAcks > 0 && acksSent_ >= h.afterAcks))) {
        hangUpSpent_ = true;
        hangUpDue_ = true;
    }
}

bool SimController::TakeHangUp() {
    if (!hangUpDue_) return false;
    hangUpDue_ = false;
    parser_.Reset();
    receiver_.Reset();
    return true;
}

void SimController::Handle(const ParsedCommand& command, const SimInstant& now) {
    switch (command.kind) {
        case ParsedCommand::Kind::Word:
            HandleWord(command.word, now);
            return;
        case ParsedCommand::Kind::Record:
            if (const auto ack = receiver_.Accept(command, memory_))
                Emit(NumberFrame("stc", {*ack}));
            return;
        case ParsedCommand::Kind::ManualEnter:
            memory_.manualMode = true;
            return;
        case ParsedCommand::Kind::ManualLeave:
            // Leaving manual mode stops what was started by hand.
            memory_.manualMode = false;
            memory_.manualUpMask = memory_.manualDownMask = 0;
            return;
        case ParsedCommand::Kind::ManualDrive:
            HandleManualDrive(command);
            return;
    }
}

void SimController::HandleManualDrive(const ParsedCommand& c) {
    // Outside manual mode the Controller ignores a drive, as the real one does.
    if (!memory_.manualMode || !c.wellFormed || c.numbers.size() != 1) return;
    if (c.code != kManualDriveConfirmationCode) return;
    const auto motor = c.numbers[0];
    if (motor < 1 || motor > config_.identity.features.motors) return;
    const std::uint32_t bit = 1u << (motor - 1);
    if (c.direction == "up") {
        memory_.manualUpMask |= bit;
        memory_.manualDownMask &= ~bit;
    } else if (c.direction == "down") {
        memory_.manualDownMask |= bit;
        memory_.manualUpMask &= ~bit;
    } else if (c.direction == "off") {
        memory_.manualUpMask &= ~bit;
        memory_.manualDownMask &= ~bit;
    }
}

void SimController::HandleWord(const std::string& w, const SimInstant& now) {
    const ModelFeatures& f = config_.identity.features;
    if (w == "sfi") return Emit(TextFrame("sfi", config_.identity.firmware));
    if (w == "sdt") return Emit(TextFrame("sdt", DateText(now)));
    if (w == "sti") return Emit(TextFrame("sti", TimeText(now)));
    if (w == "smo") return Emit(TextFrame("smo", config_.identity.modelText));
    if (w == "skd") {
        const auto values = sensors_.Sample(now.sinceStart);
        return Emit(NumberFrame("skd", {values.begin(), values.end()}));
    }
    if (w == "srs")
        return Emit(NumberFrame("srs", {Mask(memory_.manualUpMask), Mask(memory_.manualDownMask)}));
    if (const MotorBlockLayout* layout = LayoutByReadTag(w)) {
        for (int motor = 1; motor <= f.motors; ++motor)
            Emit(MotorBlockFrame(*layout, motor, memory_.Record(layout->block, motor)));
        return;
    }
    if (w == "smn") {
        for (int motor = 1; motor <= f.motors; ++motor)
            Emit(NameFrame(motor, memory_.names[motor - 1]));
        return;
    }
    if (w == "sft") {
        for (int i = 1; i <= kHolidayCount; ++i)
            Emit(HolidayFrame(i, memory_.holidays[i - 1]));
        return;
    }
    if (w == "sfs") {
        Emit(SwitchTimeListOpening());
        for (const SwitchTimeRecord& record : memory_.switchTimes)
            Emit(SwitchTimeFrame(record));
        Emit(SwitchTimeListClosing());
        return;
    }
    if (w == "sas")
        return Emit(NumberFrame("sas", {Mask(memory_.alarmUpMask), Mask(memory_.alarmDownMask)}));
    if (w == "sgz") {
        std::vector<std::int64_t> masks;
        for (std::uint32_t m : memory_.groupMasks)
            masks.push_back(Mask(m));
        return Emit(NumberFrame("sgz", std::move(masks)));
    }
    if (w == "szz") return Emit(NumberFrame("szz", {memory_.randomSpan}));
    if (w == "sbh") return Emit(NumberFrame("sbh", {memory_.shadingHysteresis}));
    if (w == "soa") return Emit(NumberFrame("soa", {memory_.outsideOffset}));
    if (w == "soi") return Emit(NumberFrame("soi", {memory_.insideOffset}));
    if (w == "shh") return Emit(NumberFrame("shh", {memory_.heatingHysteresis}));
    if (w == "saw") return Emit(NumberFrame("saw", {memory_.windDelay}));
    if (w == "ssp") return Emit(NumberFrame("ssp", {0}));
    if (w == "swl") return sensors_.ResetMaximumWind(now.sinceStart);
    if (!memory_.logbook) memory_.logbook.emplace();  // taken away through MutableMemory
    std::vector<LogbookEntry>& logbook = *memory_.logbook;
    if (w == "sla") return Emit(NumberFrame("sla", {static_cast<std::int64_t>(logbook.size())}));
    if (w == "sld") {
        for (const LogbookEntry& e : logbookReader_.NextPage(logbook))
            Emit(LogbookFrame("sld", e));
        return;
    }
    if (w == "slf") {
        for (const LogbookEntry& e : SimLogbookReader::All(logbook))
            Emit(LogbookFrame("slf", e));
        return;
    }
    if (w == "slr") return logbookReader_.Rewind();
    if (w == "sll") {
        logbook.clear();
        logbookReader_.Rewind();
    }
}

}  // namespace veltrano::sim

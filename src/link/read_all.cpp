#include "link/read_all.h"

#include <array>

namespace veltrano {
namespace {

// Which Controllers are asked for a block.
enum class Asked { SunOrConservatory, GroupCentral, Conservatory, Touch, Always };

// How many frames answer a request.
enum class Answer {
    PerMotor,    // one per motor the Controller has
    PerHoliday,  // holidays 1..15
    Once,        // a single frame
    List,        // the switching-time list: its opening frame is owed, its length is not known
    Ignored      // answered, nothing kept ("ssp")
};

struct ReadBlock {
    std::string_view tag;
    Asked asked;
    Answer answer;
    std::string_view caption;  // in the user's words, as panel 6 shows it
};

// The read requests in the order they are written.
constexpr std::array<ReadBlock, 24> kReadBlocks = {{
    {"sbp", Asked::SunOrConservatory, Answer::PerMotor, "Beschattungsparameter"},
    {"sdm", Asked::SunOrConservatory, Answer::PerMotor, "Dämmerungssteuerung Morgen"},
    {"sda", Asked::SunOrConservatory, Answer::PerMotor, "Dämmerungssteuerung Abend"},
    {"swp", Asked::SunOrConservatory, Answer::PerMotor, "Einfahren bei Wind"},
    {"srp", Asked::SunOrConservatory, Answer::PerMotor, "Einfahren bei Regen"},
    {"sjp", Asked::SunOrConservatory, Answer::PerMotor, "Reversier-Automatik"},
    {"soa", Asked::SunOrConservatory, Answer::Once, "Offset Außentemperatur"},
    {"saw", Asked::SunOrConservatory, Answer::Once, "Auslöseverzögerung Wind"},
    {"sas", Asked::SunOrConservatory, Answer::Once, "Alarm Setup"},
    {"sgz", Asked::GroupCentral, Answer::Once, "Gruppen-Zentralsteuerung"},
    {"spp", Asked::Conservatory, Answer::PerMotor, "Proportionale Temp.-Steuerung"},
    {"sip", Asked::Conservatory, Answer::PerMotor, "Innentemperatur-Steuerung"},
    {"shp", Asked::Conservatory, Answer::PerMotor, "Heizungs-Steuerung"},
    {"sfp", Asked::Conservatory, Answer::PerMotor, "Luftfeuchtigkeits-Steuerung"},
    {"sap", Asked::Conservatory, Answer::PerMotor, "Außentemperatur-Steuerung"},
    {"ssp", Asked::Conservatory, Answer::Ignored, ""},
    {"soi", Asked::Conservatory, Answer::Once, "Offset Innentemperatur"},
    {"shh", Asked::Conservatory, Answer::Once, "Heiz-Hysterese"},
    {"sta", Asked::Touch, Answer::PerMotor, "Tast-Automatik"},
    {"smn", Asked::Always, Answer::PerMotor, "Motor-Namen"},
    {"sft", Asked::Always, Answer::PerHoliday, "Feiertage"},
    {"szz", Asked::Always, Answer::Once, "Zufalls-Zeitspanne"},
    {"sbh", Asked::Always, Answer::Once, "Beschattungs-Hysterese"},
    {"sfs", Asked::Always, Answer::List, "Schaltzeiten"},
}};

bool IsAsked(Asked asked, const ControllerIdentity& id) {
    switch (asked) {
        case Asked::SunOrConservatory:
            return id.SunProtectionFamily || id.ConservatoryFamily;
        case Asked::GroupCentral:
            return id.GroupCentralAvailable;
        case Asked::Conservatory:
            return id.ConservatoryFamily;
        case Asked::Touch:
            return id.TouchAutomationAvailable;
        case Asked::Always:
            return true;
    }
    return false;
}

// "3, 7-9, 12": runs of three or more numbers as a range.
std::string NumberRuns(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(numbers[i]);
        if (j >= i + 2) {
            text += "-" + std::to_string(numbers[j]);
            i = j + 1;
        } else {
            i += 1;
        }
    }
    return text;
}

}  // namespace

std::string ReadAllRequests(const ControllerIdentity& id) {
    std::string requests;
    for (const ReadBlock& block : kReadBlocks)
        if (IsAsked(block.asked, id)) requests += block.tag;
    return requests;
}

int ReadAllProgressMaximum(const ControllerIdentity& id) {
    if (id.SunProtectionFamily) return 19364;
    if (id.ConservatoryFamily) return 26000;
    return 4680;
}

std::string MissingDataLines(const ReadAllResult& result) {
    std::string lines;
    for (const MissingBlock& block : result.missing) {
        lines += block.caption;
        if (!block.numbers.empty()) {
            lines += block.tag == "sft" ? ": Feiertag " : ": Motor ";
            lines += NumberRuns(block.numbers);
        }
        lines += "\n";
    }
    if (result.refusedSwitchTimes > 0) {
        const int n = result.refusedSwitchTimes;
        lines += "Schaltzeiten: " + std::to_string(n) +
                 (n == 1 ? " Eintrag fehlerhaft empfangen" : " Einträge fehlerhaft empfangen") +
                 "\n";
    }
    return lines;
}

std::string IncompleteReadMessage(const ReadAllResult& result) {
    return "Die Daten wurden nicht vollständig von der Steuerung gelesen. Es fehlen:\n\n" +
           MissingDataLines(result) +
           "\nDiese Werte im Programm sind NICHT die der Steuerung.\n"
           "Bitte lesen Sie die Daten erneut (\"Steuerung --> PC\").";
}

ReadAllSequence::ReadAllSequence(LinkState& state, ConfigurationModel& model)
    : state_(state), model_(model) {}

std::chrono::steady_clock::time_point ReadAllSequence::Now() const {
    return clock_ ? clock_() : std::chrono::steady_clock::now();
}

void ReadAllSequence::Start(const ControllerIdentity& identity) {
    model_.ClearSwitchTimes();
    state_.ReadAllInProgress = true;
    state_.RxCount = 0;
    state_.TxCount = 0;
    rxCountSeen_ = state_.RxCount;
    lastActivity_ = Now();

    owed_.clear();
    refusedSwitchTimes_ = 0;
    const std::size_t motors = identity.ThirtyTwoMotors ? kMotorCount : 8;
    for (const ReadBlock& block : kReadBlocks) {
        if (!IsAsked(block.asked, identity)) continue;
        switch (block.answer) {
            case Answer::PerMotor:
                owed_.push_back({block.tag, block.caption, std::vector<bool>(motors), false});
                break;
            case Answer::PerHoliday:
                owed_.push_back(
                    {block.tag, block.caption, std::vector<bool>(kHolidayCount), false});
                break;
            case Answer::Once:
            case Answer::List:
                owed_.push_back({block.tag, block.caption, std::vector<bool>(1), true});
                break;
            case Answer::Ignored:
                break;
        }
    }

    if (WriteText) WriteText(ReadAllRequests(identity));
}

void ReadAllSequence::Received(std::string_view tag, int number) {
    if (!state_.ReadAllInProgress) return;
    for (Owed& block : owed_) {
        if (block.tag != tag) continue;
        const int index = block.once ? (number == 0 ? 0 : -1) : number - 1;
        // A number the Controller does not have is no answer to the request.
        if (index >= 0 && index < static_cast<int>(block.arrived.size()))
            block.arrived[static_cast<std::size_t>(index)] = true;
        return;
    }
}

void ReadAllSequence::SwitchTimeRefused() {
    if (state_.ReadAllInProgress) ++refusedSwitchTimes_;
}

ReadAllResult ReadAllSequence::Outcome() const {
    ReadAllResult result;
    result.refusedSwitchTimes = refusedSwitchTimes_;
    for (const Owed& block : owed_) {
        MissingBlock missing{std::string(block.tag), std::string(block.caption), {}};
        bool any = false;
        for (std::size_t i = 0; i < block.arrived.size(); ++i) {
            if (block.arrived[i]) continue;
            any = true;
            if (!block.once) missing.numbers.push_back(static_cast<int>(i) + 1);
        }
        if (any) result.missing.push_back(std::move(missing));
    }
    return result;
}

void ReadAllSequence::Finish() {
    if (!state_.ReadAllInProgress) return;
    const ReadAllResult result = Outcome();
    model_.ClearAllModified();
    state_.RxCount += 1;
    state_.ReadAllInProgress = false;
    if (OnCompleted) OnCompleted(result);
}

bool ReadAllSequence::CheckWatchdog() {
    if (!state_.ReadAllInProgress) return false;
    const auto now = Now();
    if (state_.RxCount != rxCountSeen_) {
        rxCountSeen_ = state_.RxCount;
        lastActivity_ = now;
        return false;
    }
    if (now - lastActivity_ < timeout_) return false;
    Abandon(ReadAllEnd::TimedOut);
    return true;
}

void ReadAllSequence::Abandon(ReadAllEnd why) {
    if (!state_.ReadAllInProgress) return;
    state_.ReadAllInProgress = false;
    model_.MarkAllModified();
    state_.OverwriteConfirmed = false;
    if (OnAbandoned) OnAbandoned(why);
}

}  // namespace veltrano

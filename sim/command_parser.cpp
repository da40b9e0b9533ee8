#include "command_parser.h"

#include <array>

#include "sim_memory.h"

namespace veltrano::sim {

namespace {

constexpr std::array<std::string_view, 36> kWords = {
    // polls
    "sfi", "sdt", "sti", "skd", "smo", "srs",
    // read requests
    "sbp", "sdm", "sda", "swp", "srp", "sjp", "soa", "saw", "sas", "sgz", "spp", "sip", "shp",
    "sfp", "sap", "ssp", "soi", "shh", "sta", "smn", "sft", "szz", "sbh", "sfs",
    // logbook, maximum wind reset
    "sla", "sld", "slf", "slr", "sll", "swl"};

constexpr std::array<std::string_view, 14> kOtherSendWords = {"rfs", "rmn", "rft", "rgz", "ras",
                                                              "roa", "roi", "rhh", "raw", "rbh",
                                                              "rzz", "rhi", "rhe", "rhb"};

constexpr std::string_view kManualTrailer = " + sti\r";
constexpr std::size_t kMaxDigits = 11;  // sign and ten digits: 4294967295
constexpr std::size_t kMaxWordLetters = 8;

bool IsLetter(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when some word of the list begins with prefix (prefix shorter than 3).
template <typename List>
bool IsPrefixOfAny(const List& list, std::string_view prefix) {
    for (std::string_view w : list)
        if (w.substr(0, prefix.size()) == prefix) return true;
    return false;
}

bool IsSendWordPrefix(std::string_view prefix) {
    if (IsPrefixOfAny(kOtherSendWords, prefix)) return true;
    for (const auto& layout : MotorBlockLayouts())
        if (layout.sendWord.substr(0, prefix.size()) == prefix) return true;
    return false;
}

}  // namespace

int CommandParser::NumberCount(std::string_view w) {
    if (const MotorBlockLayout* layout = LayoutBySendWord(w))
        return static_cast<int>(layout->fields.size()) + 2;
    if (w == "rfs") return 10;
    if (w == "rft") return 4;
    if (w == "rgz") return 5;
    if (w == "ras") return 3;
    if (w == "roa" || w == "roi" || w == "rhh" || w == "raw" || w == "rbh" || w == "rzz") return 2;
    if (w == "rmn" || w == "rhb") return 1;
    return 0;
}

bool CommandParser::IsKnownWord(std::string_view word) {
    for (std::string_view w : kWords)
        if (w == word) return true;
    return false;
}

bool CommandParser::IsKnownSendWord(std::string_view word) {
    return word.size() == 3 && IsSendWordPrefix(word);
}

void CommandParser::Reset() {
    state_ = State::Idle;
    pending_.clear();
    current_ = {};
    digits_.clear();
    text_.clear();
    trailerMatched_ = 0;
}

std::vector<ParsedCommand> CommandParser::Feed(std::string_view bytes) {
    std::vector<ParsedCommand> out;
    for (char c : bytes)
        Step(c, out);
    return out;
}

void CommandParser::Replay(std::string bytes, std::vector<ParsedCommand>& out) {
    for (char c : bytes)
        Step(c, out);
}

void CommandParser::Step(char c, std::vector<ParsedCommand>& out) {
    switch (state_) {
        case State::Idle:
            pending_ += c;
            StepIdle(out);
            return;
        case State::RtaBlank:
            state_ = State::Number;
            if (c != ' ') {
                current_.wellFormed = false;
                Step(c, out);
            }
            return;
        case State::Number:
            if (IsDigit(c) || (c == '-' && digits_.empty())) {
                digits_ += c;
                if (digits_.size() > kMaxDigits) BreakOff(c, out);
            } else if (c == '\r' && !digits_.empty() && digits_ != "-") {
                FinishNumber(out);
            } else {
                BreakOff(c, out);
            }
            return;
        case State::Text:
            text_ += c;
            if (text_.size() == static_cast<std::size_t>(kNameLength)) state_ = State::TextEnd;
            return;
        case State::TextEnd:
            if (c != '\r') {
                BreakOff(c, out);
                return;
            }
            current_.texts.push_back(text_);
            text_.clear();
            if (current_.texts.size() == 2)
                Complete(out);
            else
                state_ = State::Text;
            return;
        case State::ManualEnd:
            Complete(out);
            if (c != '\r') Step(c, out);
            return;
        case State::Direction:
            if (IsLetter(c) && current_.direction.size() < kMaxWordLetters) {
                current_.direction += c;
            } else if (c == '\r' && !current_.direction.empty()) {
                state_ = State::Code;
            } else {
                BreakOff(c, out);
            }
            return;
        case State::Code:
            if (IsDigit(c) && current_.code.size() < kMaxWordLetters) {
                current_.code += c;
            } else if (c == '\r' && !current_.code.empty()) {
                Complete(out);
                state_ = State::Trailer;
                trailerMatched_ = 0;
            } else {
                BreakOff(c, out);
            }
            return;
        case State::Trailer:
            if (c == kManualTrailer[trailerMatched_]) {
                if (++trailerMatched_ == kManualTrailer.size()) state_ = State::Idle;
                return;
            }
            state_ = State::Idle;
            Replay(std::string(kManualTrailer.substr(0, trailerMatched_)) + c, out);
            return;
    }
}

void CommandParser::StepIdle(std::vector<ParsedCommand>& out) {
    while (!pending_.empty()) {
        const char first = pending_[0];
        if (first == ' ') {
            const std::string_view letters = std::string_view(pending_).substr(1, 3);
            if (!IsSendWordPrefix(letters)) {
                pending_.erase(0, 1);
                continue;
            }
            if (letters.size() < 3) return;  // wait for the rest of the word
            const std::string word(letters);
            std::string rest = pending_.substr(4);
            pending_.clear();
            StartCommand(word, out);
            Replay(std::move(rest), out);
            return;
        }
        if (IsLetter(first)) {
            const std::string_view letters = std::string_view(pending_).substr(0, 3);
            if (!IsPrefixOfAny(kWords, letters)) {
                pending_.erase(0, 1);
                continue;
            }
            if (letters.size() < 3) return;
            ParsedCommand word;
            word.kind = ParsedCommand::Kind::Word;
            word.word = std::string(letters);
            out.push_back(std::move(word));
            std::string rest = pending_.substr(3);
            pending_.clear();
            Replay(std::move(rest), out);
            return;
        }
        // Carriage returns after polls, stray bytes: nothing starts here.
        pending_.erase(0, 1);
    }
}

void CommandParser::StartCommand(const std::string& word, std::vector<ParsedCommand>&) {
    current_ = {};
    current_.word = word;
    digits_.clear();
    text_.clear();
    if (word == "rhi" || word == "rhe") {
        current_.kind =
            word == "rhi" ? ParsedCommand::Kind::ManualEnter : ParsedCommand::Kind::ManualLeave;
        state_ = State::ManualEnd;
        return;
    }
    current_.kind = word == "rhb" ? ParsedCommand::Kind::ManualDrive : ParsedCommand::Kind::Record;
    numbersWanted_ = NumberCount(word);
    state_ = word == "rta" ? State::RtaBlank : State::Number;
}

void CommandParser::FinishNumber(std::vector<ParsedCommand>& out) {
    current_.numbers.push_back(std::stoll(digits_));
    digits_.clear();
    if (current_.word == "rmn") {
        state_ = State::Text;
        text_.clear();
    } else if (current_.word == "rhb") {
        state_ = State::Direction;
    } else if (static_cast<int>(current_.numbers.size()) == numbersWanted_) {
        Complete(out);
    }
}

void CommandParser::Complete(std::vector<ParsedCommand>& out) {
    out.push_back(std::move(current_));
    current_ = {};
    digits_.clear();
    text_.clear();
    state_ = State::Idle;
}

void CommandParser::BreakOff(char c, std::vector<ParsedCommand>& out) {
    current_.wellFormed = false;
    Complete(out);
    Step(c, out);
}

}  // namespace veltrano::sim

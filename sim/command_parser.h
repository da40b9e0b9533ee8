// Splits what the program writes into commands, byte by byte, so that any
// chunking of the input gives the same commands:
//   - three-letter words, bare ("sbp") or with a carriage return ("sfi\r"),
//     glued to each other in any mix ("smo\rslrsbpsfs");
//   - data records: " " + command word (" rta " with its trailing blank),
//     then each number as decimal digits and "\r"; " rmn" carries a motor
//     number and two 12-byte texts, each followed by "\r";
//   - manual drive: " rhi\r", " rhe\r", and " rhb" + motor + "\r" followed by
//     the direction word, "\r", the confirmation code, "\r"; the " + sti\r"
//     the program writes after the code belongs to that command and is
//     swallowed.
// Bytes that start no known command are skipped one at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano::sim {

struct ParsedCommand {
    enum class Kind {
        Word,         // a three-letter word: poll, read request, logbook command
        Record,       // a send-all record " r.."
        ManualEnter,  // " rhi\r"
        ManualLeave,  // " rhe\r"
        ManualDrive,  // " rhb" motor, direction word, confirmation code
    };
    Kind kind = Kind::Word;
    std::string word;                   // "sfi", "rbp", "rhb" ...
    std::vector<std::int64_t> numbers;  // the record's numbers (checksum included)
    std::vector<std::string> texts;     // " rmn": the two name texts
    std::string direction;              // ManualDrive: "up", "off", "down"
    std::string code;                   // ManualDrive: the confirmation code
    // False when the record broke off or lacked its form (a byte where a
    // digit or "\r" belonged, a missing blank after " rta"); numbers then
    // holds what was read before.
    bool wellFormed = true;
};

class CommandParser {
  public:
    std::vector<ParsedCommand> Feed(std::string_view bytes);
    // Forgets a command in progress (the line was interrupted).
    void Reset();
    // True while a command is only partly received.
    bool Busy() const { return state_ != State::Idle || !pending_.empty(); }

    // Numbers per record, checksum included; 0 for an unknown word.
    static int NumberCount(std::string_view sendWord);
    static bool IsKnownWord(std::string_view word);
    static bool IsKnownSendWord(std::string_view word);

  private:
    enum class State {
        Idle,
        RtaBlank,   // after " rta": its trailing blank
        Number,     // digits of the current number
        Text,       // 12 bytes of a " rmn" text
        TextEnd,    // the "\r" after a text
        ManualEnd,  // the "\r" after " rhi" / " rhe"
        Direction,  // letters of the manual direction word
        Code,       // digits of the confirmation code
        Trailer,    // " + sti\r" after the code
    };

    void Step(char c, std::vector<ParsedCommand>& out);
    void StepIdle(std::vector<ParsedCommand>& out);
    void StartCommand(const std::string& word, std::vector<ParsedCommand>& out);
    void FinishNumber(std::vector<ParsedCommand>& out);
    void Complete(std::vector<ParsedCommand>& out);
    // Ends the record as malformed and hands c back to the idle state.
    void BreakOff(char c, std::vector<ParsedCommand>& out);
    void Replay(std::string bytes, std::vector<ParsedCommand>& out);

    State state_ = State::Idle;
    std::string pending_;  // idle: bytes that may still become a word
    ParsedCommand current_;
    std::string digits_;
    std::string text_;
    int numbersWanted_ = 0;
    std::size_t trailerMatched_ = 0;
};

}  // namespace veltrano::sim

#include "cli_commands.h"

#include <unistd.h>

#include <filesystem>
#include <optional>

#include "backup/backup_file.h"
#include "backup/backup_format.h"
#include "backup/backup_parser.h"
#include "cli_help.h"
#include "exit_status.h"
#include "link/controller_link.h"
#include "link/send_all_checks.h"
#include "link/transfer_end.h"
#include "model/compare.h"
#include "progress_display.h"

namespace veltrano::cli {
namespace {

constexpr std::chrono::milliseconds kAnswerTimeout{kLinkCheckIntervalMs};

// A failed step: its exit status, its message already printed.
struct Failure {
    int status;
};

// A message box's text as one line for a terminal or a log: its lines
// joined, list lines parted by "; ".
std::string OneLine(const std::string& text) {
    std::string line;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string piece = text.substr(at, end - at);
        at = end + 1;
        if (piece.empty()) continue;
        if (!line.empty())
            line += std::string(".:?!").find(line.back()) != std::string::npos ? " " : "; ";
        line += piece;
    }
    return line;
}

class Console {
  public:
    explicit Console(CliConsole& c) : c_(c) {}
    void Say(const std::string& text) const { std::fprintf(c_.err, "%s\n", text.c_str()); }
    void Result(const std::string& text) const { std::fprintf(c_.out, "%s\n", text.c_str()); }
    Failure Fail(int status, const std::string& text) const {
        Say(OneLine(text));
        return Failure{status};
    }
    CliConsole& raw() const { return c_; }

  private:
    CliConsole& c_;
};

std::string FamilyText(const ControllerIdentity& id) {
    if (id.ConservatoryFamily) return "Wintergartensteuerung";
    if (id.SunProtectionFamily) return "Sonnenschutzsteuerung";
    return "Rollladensteuerung";
}

std::string FeatureText(const ControllerIdentity& id) {
    std::string text = id.ThirtyTwoMotors ? "32 Motoren" : "8 Motoren";
    text += id.EightTimesPerDay ? ", 8 Schaltzeiten je Tag" : ", 4 Schaltzeiten je Tag";
    if (id.TouchAutomationAvailable) text += ", Tastautomatik";
    if (id.GroupCentralAvailable) text += ", Gruppen-Zentral";
    if (id.RadioVariant) text += ", Funk";
    return text;
}

// Opens the port and learns who answers; throws Failure.
void Connect(ControllerLink& link, const std::string& portText, const Console& console,
             bool liveValues) {
    const auto port = ParsePortChoice(portText);
    if (!port)
        throw console.Fail(
            kExitUsage, "Unbekannter Port " + portText + " (COM1 bis COM8 oder ein Gerätepfad).");
    link.Port().SetTrace(console.raw().trace);
    try {
        link.Open(*port);
    } catch (const ECommError& e) {
        throw console.Fail(kExitNoController,
                           std::string(e.what()) + (e.hint().empty() ? "" : "\n" + e.hint()));
    }
    const PollVerdict verdict = link.Identify(kAnswerTimeout, liveValues);
    switch (verdict.kind) {
        case PollVerdict::Kind::NotConnected:
            throw console.Fail(kExitNoController,
                               std::string(kNoConnectionText) + ": an " + portText +
                                   " antwortet keine Steuerung (2,5 s gewartet).");
        case PollVerdict::Kind::Rejected:
            throw console.Fail(kExitNoController, verdict.rejection);
        case PollVerdict::Kind::Linked:
            break;
    }
}

// Reads the whole configuration; throws Failure unless it arrived complete.
void ReadController(ControllerLink& link, const Console& console) {
    ProgressDisplay display(console.raw().err, console.raw().errIsTerminal, "Lese");
    link.OnProgress = [&](const TransferProgress& p) { display.Show(p); };
    const ReadAllResult result = link.ReadAll();
    link.OnProgress = nullptr;
    display.Finish();
    switch (result.end) {
        case ReadAllEnd::TimedOut:
            throw console.Fail(kExitTransferFailed, std::string(kReadTimedOutMessage));
        case ReadAllEnd::DeviceLost:
            throw console.Fail(kExitTransferFailed, std::string(kConnectionLostMessage));
        case ReadAllEnd::Completed:
            break;
    }
    if (!result.Complete()) throw console.Fail(kExitTransferFailed, IncompleteReadMessage(result));
}

// Loads a backup file as "Lesen von File" does; throws Failure.
ConfigurationModel LoadFile(const std::string& path, const Console& console) {
    const std::optional<std::string> bytes = ReadBackupFile(path);
    if (!bytes) throw console.Fail(kExitBadFile, "Datei nicht gefunden oder nicht lesbar: " + path);
    ConfigurationModel start;
    start.MarkAllModified();
    BackupParseResult parsed = ParseBackup(*bytes, start);
    if (!parsed.Ok()) throw console.Fail(kExitBadFile, BackupParseErrorText(*parsed.Error, path));
    if (parsed.KeyLineCount == 0)
        throw console.Fail(kExitBadFile, path + " ist keine Sicherungsdatei (.qts) des Programms.");
    return std::move(parsed.Model);
}

int Status(const CliArguments& args, const Console& console) {
    ConfigurationModel model;
    ControllerLink link(model);
    Connect(link, args.port, console, true);
    const ControllerIdentity& id = link.State().Identity;
    const SensorTexts& live = link.LiveValues();
    console.Result("Steuerung:       " + link.Panel(0));
    console.Result("Familie:         " + FamilyText(id));
    console.Result("Ausstattung:     " + FeatureText(id));
    console.Result("Firmware:        " + link.Panel(1));
    console.Result("Datum:           " + link.Panel(2));
    console.Result("Uhrzeit:         " + link.Panel(3));
    // The status bar's live values, as far as this family shows them.
    for (int panel : {7, 8, 9, 10}) {
        if (!link.Panel(panel).empty()) console.Result("Statuszeile:     " + link.Panel(panel));
    }
    if (!id.RollerShutterFamily()) {
        console.Result("Helligkeit:      " + live.Brightness);
        console.Result("Innentemperatur: " + live.InsideNow + " (min " + live.InsideMin + ", max " +
                       live.InsideMax + ")");
        console.Result("Außentemperatur: " + live.OutsideNow + " (min " + live.OutsideMin +
                       ", max " + live.OutsideMax + ")");
        console.Result("Wind:            " + live.WindNow + " (max " + live.WindMax + ")");
        console.Result("Alarm:           " + live.Alarm);
        console.Result("Regen:           " + live.Rain);
        if (id.ConservatoryFamily) console.Result("Feuchte:         " + live.Humidity);
    }
    return kExitOk;
}

// The folder the file goes into must take it: found out before a read of
// minutes, not after.
void CheckWritableFolder(const std::string& path, const Console& console) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) folder = ".";
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        throw console.Fail(kExitBadFile,
                           "Die Datei " + path + " kann nicht geschrieben werden: der Ordner " +
                               folder.string() + " ist nicht beschreibbar oder fehlt.");
}

int Read(const CliArguments& args, const Console& console) {
    CheckWritableFolder(args.output, console);
    ConfigurationModel model;
    ControllerLink link(model);
    Connect(link, args.port, console, false);
    ReadController(link, console);
    try {
        WriteBackupFile(args.output, FormatBackup(model));
    } catch (const BackupWriteError& e) {
        throw console.Fail(kExitBadFile, e.what());
    }
    console.Say("Gespeichert: " + args.output + " (" + std::to_string(link.ReceivedTotal()) +
                " Zeichen empfangen)");
    return kExitOk;
}

int Write(const CliArguments& args, const Console& console) {
    ConfigurationModel model = LoadFile(args.operands[0], console);
    // Without a terminal to ask, only --yes may overwrite a Controller.
    if (!args.yes && !console.raw().ask)
        throw console.Fail(kExitUsage,
                           "write überschreibt alle Daten der Steuerung und fragt vorher; ohne "
                           "Terminal bitte --yes angeben. Es wurde nichts gesendet.");
    ControllerLink link(model);
    Connect(link, args.port, console, false);

    const SendAllGate gate =
        CheckSendAll(link.State(), false, link.Panel(2), /*readIncomplete=*/false);
    if (!gate.Allowed()) throw console.Fail(kExitTransferFailed, gate.message);
    if (!args.yes) {
        for (const std::string& question : gate.questions) {
            if (!console.raw().ask(question))
                throw console.Fail(kExitUsage, "Abgebrochen; es wurde nichts gesendet.");
        }
    }
    link.State().OverwriteConfirmed = true;

    ProgressDisplay display(console.raw().err, console.raw().errIsTerminal, "Sende");
    link.OnProgress = [&](const TransferProgress& p) { display.Show(p); };
    const SendAllResult result = link.SendAll();
    link.OnProgress = nullptr;
    display.Finish();
    switch (result.end) {
        case SendAllEnd::TimedOut:
            throw console.Fail(kExitTransferFailed, std::string(SendAllSequence::kTimeoutMessage));
        case SendAllEnd::OutputStalled:
            throw console.Fail(kExitTransferFailed, std::string(kStalledMessage));
        case SendAllEnd::DeviceLost:
            throw console.Fail(kExitTransferFailed, std::string(kConnectionLostMessage));
        case SendAllEnd::WriteFailed:
            throw console.Fail(kExitTransferFailed, "Fehler beim Senden: " + link.Panel(5));
        case SendAllEnd::Completed:
            break;
    }
    const std::string message =
        SendAllEndMessage(result, [&](int motor) { return model.motorName(motor); });
    if (!message.empty()) console.Say(message);
    if (!result.refused.empty()) return kExitTransferFailed;
    console.Say("Senden beendet.");
    return kExitOk;
}

// One side of a comparison: a backup file, or "port:P" read from its Controller.
struct DiffSide {
    ConfigurationModel model;
    std::optional<ControllerIdentity> identity;
};

DiffSide LoadSide(const std::string& operand, const Console& console) {
    constexpr std::string_view kPortPrefix = "port:";
    if (operand.rfind(kPortPrefix, 0) != 0) return DiffSide{LoadFile(operand, console), {}};
    DiffSide side;
    ControllerLink link(side.model);
    Connect(link, operand.substr(kPortPrefix.size()), console, false);
    ReadController(link, console);
    side.identity = link.State().Identity;
    return side;
}

// What a compared Controller has; without one, everything a file can hold.
CompareScope ScopeOf(const std::optional<ControllerIdentity>& identity) {
    CompareScope scope;
    if (!identity) {
        scope.identity = CompareFeatures{false, true, true, true, false, true};
        return scope;
    }
    // A roller-shutter Controller's read leaves its reverse settings unread.
    scope.identity = CompareFeatures{identity->SunProtectionFamily,
                                     identity->ConservatoryFamily,
                                     identity->TouchAutomationAvailable,
                                     identity->GroupCentralAvailable,
                                     identity->RadioVariant,
                                     !identity->RollerShutterFamily()};
    scope.motorCount = identity->ThirtyTwoMotors ? kMotorCount : 8;
    scope.slotCount = identity->EightTimesPerDay ? kSlotCount : 4;
    return scope;
}

int Diff(const CliArguments& args, const Console& console) {
    const DiffSide a = LoadSide(args.operands[0], console);
    const DiffSide b = LoadSide(args.operands[1], console);
    // A Controller's identity leaves out what it does not have; two files
    // are compared whole.
    const std::optional<ControllerIdentity> identity = a.identity ? a.identity : b.identity;
    const std::vector<Difference> differences =
        CompareConfigurations(a.model, b.model, ScopeOf(identity));
    std::string group;
    for (const Difference& d : differences) {
        if (d.group != group) {
            group = d.group;
            console.Result(group + ":");
        }
        console.Result("  " + d.text);
    }
    if (differences.empty()) {
        console.Say("Keine Unterschiede.");
        return kExitOk;
    }
    return kExitDifferent;
}

}  // namespace

int RunCommand(const CliArguments& args, CliConsole& raw) {
    const Console console(raw);
    if (args.help) {
        console.Result(HelpText(args.command));
        return kExitOk;
    }
    try {
        switch (args.command) {
            case Command::Status:
                return Status(args, console);
            case Command::Read:
                return Read(args, console);
            case Command::Write:
                return Write(args, console);
            case Command::Diff:
                return Diff(args, console);
            case Command::None:
                break;
        }
    } catch (const Failure& failure) {
        return failure.status;
    }
    console.Say(HelpText(Command::None));
    return kExitUsage;
}

}  // namespace veltrano::cli

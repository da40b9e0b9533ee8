#include "cli_arguments.h"

namespace veltrano::cli {
namespace {

std::optional<Command> CommandNamed(const std::string& name) {
    if (name == "status") return Command::Status;
    if (name == "read") return Command::Read;
    if (name == "write") return Command::Write;
    if (name == "diff") return Command::Diff;
    return std::nullopt;
}

// The operands each command takes, and whether it needs a port.
struct CommandShape {
    std::size_t operands;
    bool needsPort;
    bool needsOutput;
};

CommandShape ShapeOf(Command command) {
    switch (command) {
        case Command::Status:
            return {0, true, false};
        case Command::Read:
            return {0, true, true};
        case Command::Write:
            return {1, true, false};
        case Command::Diff:
            return {2, false, false};
        case Command::None:
            break;
    }
    return {0, false, false};
}

}  // namespace

std::optional<CliArguments> ParseArguments(const std::vector<std::string>& args,
                                           std::string* error) {
    CliArguments parsed;
    const auto fail = [error](std::string text) -> std::optional<CliArguments> {
        *error = std::move(text);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string* into) {
            if (i + 1 >= args.size()) return false;
            *into = args[++i];
            return !into->empty();
        };
        if (a == "--help" || a == "-h") {
            parsed.help = true;
        } else if (a == "--port") {
            if (!value(&parsed.port))
                return fail("--port braucht einen Port (COM1 bis COM8 oder einen Gerätepfad).");
        } else if (a == "-o" || a == "--output") {
            if (!value(&parsed.output)) return fail(a + " braucht einen Dateinamen.");
        } else if (a == "--trace") {
            if (!value(&parsed.trace)) return fail("--trace braucht einen Dateinamen.");
        } else if (a == "--yes") {
            parsed.yes = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("Unbekannte Option " + a + ".");
        } else if (parsed.command == Command::None) {
            const auto command = CommandNamed(a);
            if (!command) return fail("Unbekannter Befehl " + a + ".");
            parsed.command = *command;
        } else {
            parsed.operands.push_back(a);
        }
    }
    if (parsed.help) return parsed;
    if (parsed.command == Command::None) return fail("Kein Befehl angegeben.");

    const CommandShape shape = ShapeOf(parsed.command);
    if (parsed.operands.size() != shape.operands)
        return fail(parsed.operands.size() < shape.operands ? "Zu wenige Angaben."
                                                            : "Zu viele Angaben.");
    if (shape.needsPort && parsed.port.empty()) return fail("--port fehlt.");
    if (!shape.needsPort && !parsed.port.empty())
        return fail("--port gilt hier nicht; einen Port gibt \"port:COM1\" an.");
    if (shape.needsOutput && parsed.output.empty()) return fail("-o DATEI fehlt.");
    if (!shape.needsOutput && !parsed.output.empty()) return fail("-o gilt nur für read.");
    if (parsed.yes && parsed.command != Command::Write) return fail("--yes gilt nur für write.");
    return parsed;
}

}  // namespace veltrano::cli

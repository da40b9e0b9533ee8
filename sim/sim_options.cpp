#include "sim_options.h"

#include <cmath>

#include "command_parser.h"

namespace veltrano::sim {

namespace {

bool ParseCount(const std::string& text, long long min, long long* value) {
    if (text.empty() || text.size() > 18) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::stoll(text);
    return *value >= min;
}

bool ParseSeconds(const std::string& text, double* seconds) {
    try {
        std::size_t used = 0;
        *seconds = std::stod(text, &used);
        return used == text.size() && std::isfinite(*seconds) && *seconds >= 0;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

std::string UsageText() {
    return "Usage: veltrano-sim [options]\n"
           "Simulates the Controller on a pseudo-terminal and links it as COM1 (or --link).\n"
           "\n"
           "Line:\n"
           "  --link PATH              symlink to the terminal (default COM1 in the working "
           "folder)\n"
           "  --fast                   send as fast as the terminal takes it (default: 960 "
           "chars/s)\n"
           "Identity:\n"
           "  --family roller|sun|conservatory   (default conservatory)\n"
           "  --motors 32|8            (default 32)\n"
           "  --slots 8|4              switching times per day (default 8)\n"
           "  --touch                  touch automation\n"
           "  --groups                 group central control\n"
           "  --radio                  radio variant (always with --touch)\n"
           "  --model TEXT             the model text itself, instead of the five above\n"
           "                           (presets: \"QVS-900 \" + R|S|W + \" K:\" + 9|8|4 + R|S|W\n"
           "                           + T|F|- + G|-, i.e. characters 9 and 13 to 16)\n"
           "  --firmware X.YYY         firmware text (default 7.514)\n"
           "  --date-unset             answer 01.01.00: radio clock not decoded yet\n"
           "  --no-inside-sensor       report 999 as inside temperature\n"
           "  --signed-masks           send masks as signed 32-bit decimals\n"
           "  --logbook N              logbook of N generated entries, 0..9998 (default 135)\n"
           "Memory:\n"
           "  --load FILE              start with the memory of a dump file (a logbook\n"
           "                           in it replaces the generated one; \"srs UP DOWN\"\n"
           "                           and \"manual 0|1\" set the manual-drive state)\n"
           "  --dump FILE              write the memory at exit and on SIGUSR2\n"
           "Faults:\n"
           "  --bad-checksum N         wrong checksum in every Nth data frame\n"
           "  --drop N                 drop every Nth frame\n"
           "  --garbage                stray bytes and markers between frames\n"
           "  --split                  write frames in random small pieces\n"
           "  --seed N                 seed of the random faults (default 1)\n"
           "  --silent-after SECONDS   fall silent after this time\n"
           "  --silent-after-frames N  fall silent after N frames\n"
           "  --silent-after-acks N    fall silent after N stc acknowledgements\n"
           "  --silent-after-logbook N fall silent after the Nth logbook entry frame\n"
           "  --refuse WORD            refuse the send-all step holding WORD (e.g. rbp)\n"
           "  --hang-up-after-frames N hang up the line after N frames, then offer a new\n"
           "                           terminal at the same link (an adapter pulled and\n"
           "                           plugged in again)\n"
           "  --hang-up-after-acks N   the same after N stc acknowledgements\n"
           "Signals: SIGUSR1 toggles silence (a pulled cable), SIGUSR2 dumps the memory,\n"
           "SIGINT/SIGTERM end the simulator and remove the link.\n"
           "\n" +
           ValidMixesText() + "\n";
}

std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string* error) {
    SimOptions o;
    IdentityRequest request;
    bool presetGiven = false;
    std::string modelText;
    std::string firmware = "7.514";

    auto fail = [&](const std::string& why) -> std::optional<SimOptions> {
        if (error) *error = why;
        return std::nullopt;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= args.size()) return false;
            *out = args[++i];
            return true;
        };
        std::string v;
        long long n = 0;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--link") {
            if (!value(&o.linkPath) || o.linkPath.empty()) return fail("--link needs a path");
        } else if (a == "--fast") {
            o.fast = true;
        } else if (a == "--family") {
            if (!value(&v)) return fail("--family needs roller, sun or conservatory");
            if (v == "roller")
                request.family = Family::Roller;
            else if (v == "sun")
                request.family = Family::SunProtection;
            else if (v == "conservatory")
                request.family = Family::Conservatory;
            else
                return fail("--family needs roller, sun or conservatory, not " + v);
            presetGiven = true;
        } else if (a == "--motors") {
            if (!value(&v) || (v != "32" && v != "8")) return fail("--motors needs 32 or 8");
            request.motors = std::stoi(v);
            presetGiven = true;
        } else if (a == "--slots") {
            if (!value(&v) || (v != "8" && v != "4")) return fail("--slots needs 8 or 4");
            request.slotsPerDay = std::stoi(v);
            presetGiven = true;
        } else if (a == "--touch") {
            request.touch = presetGiven = true;
        } else if (a == "--groups") {
            request.groups = presetGiven = true;
        } else if (a == "--radio") {
            request.radio = presetGiven = true;
        } else if (a == "--model") {
            if (!value(&modelText)) return fail("--model needs a text");
            std::string why;
            if (!IsSendableModelText(modelText, &why)) return fail(why);
        } else if (a == "--firmware") {
            if (!value(&firmware) || !IsValidFirmwareText(firmware))
                return fail("--firmware needs a text like 7.514");
        } else if (a == "--date-unset") {
            o.config.dateUnset = true;
        } else if (a == "--no-inside-sensor") {
            o.config.insideSensor = false;
        } else if (a == "--signed-masks") {
            o.config.signedMasks = true;
        } else if (a == "--logbook") {
            if (!value(&v) || !ParseCount(v, 0, &n) || n > kMaxLogbookSize)
                return fail("--logbook needs N from 0 to 9998");
            o.config.logbookSize = static_cast<int>(n);
        } else if (a == "--load") {
            if (!value(&o.loadPath)) return fail("--load needs a file");
        } else if (a == "--dump") {
            if (!value(&o.dumpPath)) return fail("--dump needs a file");
        } else if (a == "--bad-checksum") {
            if (!value(&v) || !ParseCount(v, 1, &n)) return fail("--bad-checksum needs N >= 1");
            o.config.faults.badChecksumEvery = static_cast<int>(std::min(n, 1000000000LL));
        } else if (a == "--drop") {
            if (!value(&v) || !ParseCount(v, 1, &n)) return fail("--drop needs N >= 1");
            o.config.faults.dropEvery = static_cast<int>(std::min(n, 1000000000LL));
        } else if (a == "--garbage") {
            o.config.faults.garbage = true;
        } else if (a == "--split") {
            o.config.faults.split = true;
        } else if (a == "--seed") {
            if (!value(&v) || !ParseCount(v, 0, &n)) return fail("--seed needs a number");
            o.config.faults.seed = static_cast<std::uint64_t>(n);
        } else if (a == "--silent-after") {
            double seconds = 0;
            if (!value(&v) || !ParseSeconds(v, &seconds))
                return fail("--silent-after needs seconds");
            o.config.silence.after =
                std::chrono::milliseconds(static_cast<long long>(std::llround(seconds * 1000)));
        } else if (a == "--silent-after-frames") {
            if (!value(&v) || !ParseCount(v, 1, &n))
                return fail("--silent-after-frames needs N >= 1");
            o.config.silence.afterFrames = n;
        } else if (a == "--silent-after-acks") {
            if (!value(&v) || !ParseCount(v, 1, &n))
                return fail("--silent-after-acks needs N >= 1");
            o.config.silence.afterAcks = n;
        } else if (a == "--silent-after-logbook") {
            if (!value(&v) || !ParseCount(v, 1, &n))
                return fail("--silent-after-logbook needs N >= 1");
            o.config.silence.afterLogbookEntries = n;
        } else if (a == "--hang-up-after-frames") {
            if (!value(&v) || !ParseCount(v, 1, &n))
                return fail("--hang-up-after-frames needs N >= 1");
            o.config.hangUp.afterFrames = n;
        } else if (a == "--hang-up-after-acks") {
            if (!value(&v) || !ParseCount(v, 1, &n))
                return fail("--hang-up-after-acks needs N >= 1");
            o.config.hangUp.afterAcks = n;
        } else if (a == "--refuse") {
            if (!value(&v) || !CommandParser::IsKnownSendWord(v) || v == "rhi" || v == "rhe" ||
                v == "rhb")
                return fail("--refuse needs a send-all command word such as rbp or rfs");
            o.config.refusedWords.insert(v);
        } else {
            return fail("unknown option " + a + "\n\n" + UsageText());
        }
    }

    if (!modelText.empty() && presetGiven)
        return fail(
            "--model gives the model text itself; it cannot be combined with --family, "
            "--motors, --slots, --touch, --groups or --radio");
    if (modelText.empty()) {
        std::string why;
        const auto preset = PresetModelText(request, &why);
        if (!preset) return fail(why);
        modelText = *preset;
    }
    o.config.identity.modelText = modelText;
    o.config.identity.firmware = firmware;
    o.config.identity.features = FeaturesOfModelText(modelText);
    return o;
}

}  // namespace veltrano::sim

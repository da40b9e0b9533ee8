#include "app/start_options.h"

namespace veltrano {

StartOptions ParseStartOptions(const std::vector<std::string>& arguments,
                               const char* traceEnvironment) {
    static constexpr std::string_view kTrace = "--trace";
    static constexpr const char* kTraceNeedsFile =
        "Die Option --trace braucht einen Dateinamen. Die Übertragung wird nicht aufgezeichnet.";
    StartOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--desktop") {
            options.desktop = true;
        } else if (argument == kTrace) {
            // The next argument is the file, unless it is the next option.
            const bool hasFile = i + 1 < arguments.size() && !arguments[i + 1].starts_with("--");
            if (hasFile && !arguments[i + 1].empty()) {
                options.tracePath = arguments[i + 1];
            } else {
                options.problems.push_back(kTraceNeedsFile);
            }
            if (hasFile) ++i;
        } else if (argument.starts_with(std::string(kTrace) + "=")) {
            if (argument.size() > kTrace.size() + 1) {
                options.tracePath = argument.substr(kTrace.size() + 1);
            } else {
                options.problems.push_back(kTraceNeedsFile);
            }
        } else {
            options.problems.push_back("Die Option " + argument +
                                       " ist unbekannt und wird nicht beachtet.");
        }
    }
    // The command line wins over the environment.
    if (!options.tracePath && traceEnvironment && *traceEnvironment) {
        options.tracePath = traceEnvironment;
    }
    return options;
}

}  // namespace veltrano

// The help file as the help box shows it: read whole on every showing,
// checked, and turned into UTF-8 text with LF line ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace veltrano {

// Larger files are taken as damaged.
inline constexpr std::size_t kHelpFileLimit = 4 * 1024 * 1024;

struct HelpDocument {
    std::optional<std::string> Text;  // UTF-8, LF line ends; none on failure
    std::string Error;                // the German message for the user on failure
};

// UTF-8 is taken as it is (without a byte-order mark), anything else as
// Windows-1252; CR LF and lone CR become LF. A file that cannot be opened
// or read, is no regular file, exceeds kHelpFileLimit or holds NUL bytes
// gives an error.
HelpDocument LoadHelpDocument(const std::filesystem::path& path);

}  // namespace veltrano

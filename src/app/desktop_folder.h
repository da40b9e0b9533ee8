// Started from the desktop menu (--desktop), the program works in a folder of
// its own per user, $XDG_DATA_HOME/veltrano (default ~/.local/share/veltrano),
// as it would when started in a folder of its own: Veltrano.ini is kept
// there and the installed help file is linked there.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace veltrano {

struct DesktopPlaces {
    std::optional<std::string> xdgDataHome;  // XDG_DATA_HOME, if set
    std::optional<std::string> home;         // HOME, if set
    std::filesystem::path installedHelp;     // the help file the package installed
};

struct DesktopFolder {
    std::filesystem::path folder;  // empty when it cannot be used
    // A German text for the user when something failed, else empty.
    std::string problem;
};

// Creates the folder on first use and links the installed help file into it
// (a link to an older place is renewed; a file of the user's own is kept).
DesktopFolder PrepareDesktopFolder(const DesktopPlaces& places);

// The help file installed beside an executable in `binFolder`, at
// `relativeHelp` from it (as installed: ../share/veltrano/Veltrano.hlp).
std::filesystem::path InstalledHelpFile(const std::filesystem::path& binFolder,
                                        const std::filesystem::path& relativeHelp);

}  // namespace veltrano

#include "app/desktop_folder.h"

#include "model/file_errors.h"

namespace veltrano {

namespace fs = std::filesystem;

namespace {

constexpr const char* kHelpFileName = "Veltrano.hlp";

// XDG: a relative XDG_DATA_HOME is invalid and ignored.
std::optional<fs::path> DataHome(const DesktopPlaces& places) {
    if (places.xdgDataHome && fs::path(*places.xdgDataHome).is_absolute()) {
        return fs::path(*places.xdgDataHome);
    }
    if (places.home && fs::path(*places.home).is_absolute()) {
        return fs::path(*places.home) / ".local" / "share";
    }
    return std::nullopt;
}

std::string CannotCreate(const fs::path& folder, const std::error_code& error) {
    return "Der Arbeitsordner " + folder.string() + " kann nicht angelegt werden.\n" +
           FileErrorCause(error.value()) + "\nDas Programm arbeitet im aktuellen Ordner.";
}

// Empty on success, else the problem.
std::string LinkHelpFile(const fs::path& folder, const fs::path& installedHelp) {
    std::error_code ec;
    if (installedHelp.empty() || !fs::is_regular_file(installedHelp, ec)) return {};
    const fs::path link = folder / kHelpFileName;
    const fs::file_status status = fs::symlink_status(link, ec);
    if (fs::is_symlink(status)) {
        if (fs::read_symlink(link, ec) == installedHelp && !ec) return {};
        fs::remove(link, ec);
    } else if (fs::exists(status)) {
        return {};  // the user's own help file
    }
    fs::create_symlink(installedHelp, link, ec);
    if (!ec) return {};
    return "Die Hilfedatei kann nicht im Arbeitsordner " + folder.string() +
           " verknüpft werden.\n" + FileErrorCause(ec.value());
}

}  // namespace

DesktopFolder PrepareDesktopFolder(const DesktopPlaces& places) {
    const auto dataHome = DataHome(places);
    if (!dataHome) {
        return {{},
                "Der persönliche Ordner ist nicht bekannt (HOME ist nicht gesetzt).\n"
                "Das Programm arbeitet im aktuellen Ordner."};
    }
    const fs::path folder = *dataHome / "veltrano";
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
        return {{}, CannotCreate(folder, std::make_error_code(std::errc::not_a_directory))};
    }
    fs::create_directories(folder, ec);
    if (ec) return {{}, CannotCreate(folder, ec)};
    return {folder, LinkHelpFile(folder, places.installedHelp)};
}

fs::path InstalledHelpFile(const fs::path& binFolder, const fs::path& relativeHelp) {
    std::error_code ec;
    const fs::path help = fs::weakly_canonical(binFolder / relativeHelp, ec);
    return ec ? (binFolder / relativeHelp).lexically_normal() : help;
}

}  // namespace veltrano

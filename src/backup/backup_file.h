// The backup file on disk. Writing replaces the file only once every byte
// is on the disk: the bytes go to a temporary file in the target's folder,
// which is flushed and then renamed over the target, so a failure at any
// point leaves the previous file as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veltrano {

// A failed write; what() is the German message for the user, naming the file
// and the cause.
class BackupWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes `bytes` as the file `target`. A symbolic link is followed to the
// file it names, which is replaced; an existing file keeps its permissions,
// a new one gets the usual ones (0666 less the umask). Throws
// BackupWriteError; the temporary file is removed on every failure.
void WriteBackupFile(const std::filesystem::path& target, std::string_view bytes);

// The whole content of `path`; nullopt when it cannot be opened or read.
std::optional<std::string> ReadBackupFile(const std::filesystem::path& path);

}  // namespace veltrano

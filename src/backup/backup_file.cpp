#include "backup/backup_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "model/file_errors.h"

namespace veltrano {
namespace {

namespace fs = std::filesystem;

// Removes the temporary file unless it has become the target.
class TemporaryFile {
  public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    const fs::path& path() const { return path_; }
    void release() { path_.clear(); }

  private:
    fs::path path_;
};

[[noreturn]] void Fail(const fs::path& target, const std::string& cause) {
    throw BackupWriteError("Die Datei " + target.string() + " konnte nicht gespeichert werden.\n" +
                           cause + "\nEine bereits vorhandene Datei bleibt unverändert.");
}

[[noreturn]] void FailErrno(const fs::path& target, int error) {
    Fail(target, FileErrorCause(error));
}

// The file a chain of symbolic links ends at (the target itself when it is
// no link); the file need not exist yet.
fs::path FollowLinks(const fs::path& target) {
    fs::path path = target;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::error_code ec;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) FailErrno(target, ec.value());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    FailErrno(target, ELOOP);
}

std::string RandomSuffix() {
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix += kChars[pick(device)];
    return suffix;
}

// Creates a new hidden file in `folder`, so the rename stays within one file
// system; the kernel applies the umask to 0666.
int CreateTemporary(const fs::path& folder, const fs::path& target, fs::path& created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = folder / (".veltrano-" + RandomSuffix() + ".tmp");
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            created = candidate;
            return fd;
        }
        if (errno != EEXIST) FailErrno(target, errno);
    }
    FailErrno(target, EEXIST);
}

void WriteAll(int fd, std::string_view bytes, const fs::path& target) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            FailErrno(target, errno);
        }
        if (n == 0) FailErrno(target, EIO);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void SyncFolder(const fs::path& folder, const fs::path& target) {
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) FailErrno(target, errno);
    // Some file systems cannot flush a folder; the rename stands all the same.
    if (::fsync(dir.get()) != 0 && errno != EINVAL && errno != ENOTSUP) FailErrno(target, errno);
}

}  // namespace

void WriteBackupFile(const fs::path& target, std::string_view bytes) {
    const fs::path file = FollowLinks(target);
    fs::path folder = file.parent_path();
    if (folder.empty()) folder = ".";

    struct stat existing {};
    const bool exists = ::stat(file.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        Fail(target, S_ISDIR(existing.st_mode) ? FileErrorCause(EISDIR)
                                               : "Der Name gehört zu keiner gewöhnlichen Datei.");

    fs::path temporaryPath;
    UniqueFd fd(CreateTemporary(folder, target, temporaryPath));
    TemporaryFile temporary(temporaryPath);

    if (exists) {
        // Same owner where allowed (as root); the permissions in any case.
        if (::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0) {
            // Not the owner: the file becomes the writer's, as a new one would.
        }
        if (::fchmod(fd.get(), existing.st_mode & 07777) != 0) FailErrno(target, errno);
    }
    WriteAll(fd.get(), bytes, target);
    if (::fsync(fd.get()) != 0) FailErrno(target, errno);
    if (fd.close() != 0) FailErrno(target, errno);
    if (::rename(temporary.path().c_str(), file.c_str()) != 0) FailErrno(target, errno);
    temporary.release();
    SyncFolder(folder, target);
}

std::optional<std::string> ReadBackupFile(const fs::path& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

}  // namespace veltrano

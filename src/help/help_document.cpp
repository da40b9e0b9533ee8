#include "help/help_document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/cp1252.h"

namespace veltrano {
namespace {

std::string CauseText(int error) {
    switch (error) {
        case ENOENT:
            return "Die Datei ist nicht vorhanden.";
        case EACCES:
        case EPERM:
            return "Zugriff verweigert.";
        case EISDIR:
            return "Der Name gehört zu einem Ordner.";
        case ENOTDIR:
            return "Ein Teil des Pfades ist kein Ordner.";
        case ELOOP:
            return "Zu viele symbolische Verknüpfungen.";
        case ENAMETOOLONG:
            return "Der Dateiname ist zu lang.";
        case EIO:
            return "Ein-/Ausgabefehler.";
        default:
            return std::strerror(error);
    }
}

HelpDocument CannotOpen(const std::filesystem::path& path, const std::string& cause) {
    return {std::nullopt, "Die Hilfedatei Veltrano.hlp kann nicht geöffnet werden:\n" + cause +
                              "\n" + path.string()};
}

HelpDocument Damaged(const std::filesystem::path& path) {
    return {std::nullopt,
            "Die Hilfedatei " + path.string() + " ist beschädigt und kann nicht angezeigt werden."};
}

class UniqueFd {
  public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0, minimum = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

std::string WithLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    return out;
}

}  // namespace

HelpDocument LoadHelpDocument(const std::filesystem::path& path) {
    // Not blocking: a named pipe in the file's place must not hang the window.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return CannotOpen(path, CauseText(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return CannotOpen(path, CauseText(errno));
    if (S_ISDIR(st.st_mode)) return CannotOpen(path, CauseText(EISDIR));
    if (!S_ISREG(st.st_mode))
        return CannotOpen(path, "Der Name gehört zu keiner gewöhnlichen Datei.");
    if (static_cast<std::size_t>(st.st_size) > kHelpFileLimit) return Damaged(path);

    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return CannotOpen(path, CauseText(errno));
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        // The file may grow while it is read.
        if (bytes.size() > kHelpFileLimit) return Damaged(path);
    }
    if (bytes.find('\0') != std::string::npos) return Damaged(path);

    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::string_view view = bytes;
    if (view.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        view.remove_prefix(kByteOrderMark.size());
    const std::string text = IsValidUtf8(view) ? std::string(view) : Cp1252ToUtf8(view);
    return {WithLfLineEnds(text), {}};
}

}  // namespace veltrano

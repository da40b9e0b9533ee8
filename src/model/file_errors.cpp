#include "model/file_errors.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace veltrano {

UniqueFd::~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
}

int UniqueFd::close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 ? ::close(fd) : 0;
}

std::string FileErrorCause(int error) {
    switch (error) {
        case ENOSPC:
            return "Der Datenträger ist voll.";
        case EDQUOT:
            return "Der zugeteilte Speicherplatz ist erschöpft.";
        case EFBIG:
            return "Die Datei wird zu groß.";
        case EACCES:
        case EPERM:
            return "Zugriff verweigert.";
        case EROFS:
            return "Der Datenträger ist schreibgeschützt.";
        case ENOENT:
            return "Der Ordner existiert nicht.";
        case ENOTDIR:
            return "Ein Teil des Pfades ist kein Ordner.";
        case EISDIR:
            return "Der Name gehört zu einem Ordner.";
        case EIO:
            return "Ein-/Ausgabefehler.";
        case ELOOP:
            return "Zu viele symbolische Verknüpfungen.";
        case ENAMETOOLONG:
            return "Der Dateiname ist zu lang.";
        default:
            return std::strerror(error);
    }
}

}  // namespace veltrano

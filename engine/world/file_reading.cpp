// Bounded reads of plain files.
#include "engine/world/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kvt {

ReadOutcome ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& out, std::uint64_t& size) {
    size = 0;
    struct stat st {};
    // Opening a device can act on it: only what is a plain file now is opened, and what was
    // opened is asked again.
    if (::stat(path.c_str(), &st) != 0) return ReadOutcome::Missing;
    if (!S_ISREG(st.st_mode)) return ReadOutcome::NotAFile;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return ReadOutcome::Missing;
    ReadOutcome outcome = ReadOutcome::Read;
    if (::fstat(fd, &st) != 0) {
        outcome = ReadOutcome::Failed;
    } else if (!S_ISREG(st.st_mode)) {
        outcome = ReadOutcome::NotAFile;
    } else {
        size = static_cast<std::uint64_t>(st.st_size);
        if (size > maxBytes) outcome = ReadOutcome::TooLarge;
    }
    if (outcome == ReadOutcome::Read) {
        out.assign(static_cast<std::size_t>(size), '\0');
        std::size_t got = 0;
        while (got < out.size()) {
            const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) outcome = ReadOutcome::Failed;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        out.resize(got);
        size = got;
    }
    ::close(fd);
    return outcome;
}

TFileIdentity IdentityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {true,
            static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec),
            static_cast<std::int64_t>(st.st_mtim.tv_nsec),
            static_cast<std::int64_t>(st.st_ctim.tv_sec),
            static_cast<std::int64_t>(st.st_ctim.tv_nsec)};
}

}  // namespace kvt

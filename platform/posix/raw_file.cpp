// Raw file access on POSIX systems: open/read/close, which never touch the heap.
#include "platform/raw_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RawFile OpenRawFile(const char* path) {
    int fd;
    do {
        fd = open(path, O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return NO_RAW_FILE;
    }
    // A folder opens here but not on Windows; refuse it so it is "cannot be opened" on both.
    struct stat status {};
    if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        close(fd);
        return NO_RAW_FILE;
    }
    return fd;
}

int ReadRawFile(RawFile file, char* buffer, int capacity) {
    ssize_t got;
    do {
        got = read(static_cast<int>(file), buffer, static_cast<std::size_t>(capacity));
    } while (got < 0 && errno == EINTR);
    return got < 0 ? 0 : static_cast<int>(got);
}

void CloseRawFile(RawFile file) {
    close(static_cast<int>(file));
}

// Whole files on POSIX systems: stat for the reasons, realpath for a link's file, a
// temporary file from mkstemp in that file's folder, fsync before rename(2), which
// replaces a name in one step.
#include "platform/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool (*ReplaceFileContentsBeforeRename)(const char*) = nullptr;

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

ReplaceProblem Problem(int error) {
    return error == EACCES || error == EPERM || error == EROFS ? ReplaceProblem::Refused
           : error == ETXTBSY || error == EBUSY                ? ReplaceProblem::InUse
                                                               : ReplaceProblem::Failed;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

FileProblem ProbeFile(const char* path) {
    struct stat status {};
    if (stat(path, &status) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileProblem::Missing
                                                   : FileProblem::NotReadable;
    }
    if (S_ISDIR(status.st_mode)) {
        return FileProblem::Folder;
    }
    return access(path, R_OK) == 0 ? FileProblem::None : FileProblem::NotReadable;
}

FileProblem ReadWholeFile(const char* path, std::string& bytes) {
    bytes.clear();
    const FileProblem problem = ProbeFile(path);
    if (problem != FileProblem::None) {
        return problem;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return FileProblem::NotReadable;
    }
    char buffer[65536];
    std::size_t got;
    while (bytes.size() <= WHOLE_FILE_LIMIT &&
           (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed || bytes.size() > WHOLE_FILE_LIMIT) {
        bytes.clear();
        return failed ? FileProblem::NotReadable : FileProblem::TooLarge;
    }
    return FileProblem::None;
}

bool NameTaken(const char* path) {
    struct stat status {};
    return lstat(path, &status) == 0;
}

bool SameFile(const char* first, const char* second) {
    struct stat a {};
    struct stat b {};
    return stat(first, &a) == 0 && stat(second, &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

bool WriteNewFile(const char* path, std::string_view bytes) {
    // O_EXCL: nothing that has the name is ever written over.
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes) && fsync(fd) == 0;
    const int error = errno;
    if (close(fd) != 0 || !written) {
        const int reason = written ? errno : error;
        unlink(path);
        errno = reason;
        return false;
    }
    return true;
}

bool CopyToNewFile(const char* from, const char* to) {
    std::string bytes;
    return ReadWholeFile(from, bytes) == FileProblem::None && WriteNewFile(to, bytes);
}

std::string FinalPath(const char* path) {
    struct stat status {};
    if (lstat(path, &status) != 0 || !S_ISLNK(status.st_mode)) {
        return path;
    }
    char* resolved = realpath(path, nullptr);
    if (resolved == nullptr) {
        return path;
    }
    std::string target = resolved;
    std::free(resolved);
    return target;
}

ReplaceProblem ReplaceFileContents(const char* name, std::string_view bytes) {
    const std::string target = FinalPath(name);
    const char* path = target.c_str();
    std::string temporary = FolderOf(target) + "/.kivo6-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return Problem(errno);
    }
    // mkstemp makes the file private; the file it replaces keeps what it had, a new
    // one gets what the umask gives.
    struct stat original {};
    mode_t mode;
    if (stat(path, &original) == 0) {
        mode = original.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    errno = 0;
    bool done = fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    done = close(fd) == 0 && done;
    done = done && (ReplaceFileContentsBeforeRename == nullptr ||
                    ReplaceFileContentsBeforeRename(temporary.c_str()));
    done = done && rename(temporary.c_str(), path) == 0;
    if (!done) {
        const int error = errno;
        unlink(temporary.c_str());
        return Problem(error);
    }
    // The rename itself reaches the disk with the folder.
    const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return ReplaceProblem::None;
}

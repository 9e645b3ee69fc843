// Whole files on Windows through kernel32 with ANSI paths: file attributes for the
// reasons, GetFinalPathNameByHandleA for a link's file, a temporary file in that
// file's folder flushed with FlushFileBuffers, and MoveFileExA, which replaces the
// name in one step and returns once it is on disk; its error names the cause.
#include "platform/whole_file.h"

#include <windows.h>

bool (*ReplaceFileContentsBeforeRename)(const char*) = nullptr;

namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(bytes.size());
        DWORD wrote = 0;
        if (!WriteFile(file, bytes.data(), chunk, &wrote, nullptr) || wrote == 0) {
            return false;
        }
        bytes.remove_prefix(wrote);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// A spreadsheet that has the file open holds it without leave to replace it: MoveFileExA
// then fails with a sharing or lock violation, or with access denied.
ReplaceProblem Problem(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? ReplaceProblem::InUse
           : error == ERROR_ACCESS_DENIED ? ReplaceProblem::Refused
                                          : ReplaceProblem::Failed;
}

HANDLE OpenForReading(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

FileProblem ProbeFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? FileProblem::Missing
                   : FileProblem::NotReadable;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return FileProblem::Folder;
    }
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
        return FileProblem::NotReadable;
    }
    CloseHandle(file);
    return FileProblem::None;
}

FileProblem ReadWholeFile(const char* path, std::string& bytes) {
    bytes.clear();
    const FileProblem problem = ProbeFile(path);
    if (problem != FileProblem::None) {
        return problem;
    }
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
        return FileProblem::NotReadable;
    }
    char buffer[65536];
    DWORD got = 0;
    bool failed = false;
    while (bytes.size() <= WHOLE_FILE_LIMIT &&
           !(failed = !ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    if (failed || bytes.size() > WHOLE_FILE_LIMIT) {
        bytes.clear();
        return failed ? FileProblem::NotReadable : FileProblem::TooLarge;
    }
    return FileProblem::None;
}

bool NameTaken(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool SameFile(const char* first, const char* second) {
    BY_HANDLE_FILE_INFORMATION a{};
    BY_HANDLE_FILE_INFORMATION b{};
    HANDLE one = OpenForReading(first);
    HANDLE two = OpenForReading(second);
    const bool same = one != INVALID_HANDLE_VALUE && two != INVALID_HANDLE_VALUE &&
                      GetFileInformationByHandle(one, &a) && GetFileInformationByHandle(two, &b) &&
                      a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
                      a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
    if (one != INVALID_HANDLE_VALUE) {
        CloseHandle(one);
    }
    if (two != INVALID_HANDLE_VALUE) {
        CloseHandle(two);
    }
    return same;
}

bool WriteNewFile(const char* path, std::string_view bytes) {
    // CREATE_NEW: nothing that has the name is ever written over.
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    if (!CloseHandle(file) || !written) {
        DeleteFileA(path);
        return false;
    }
    return true;
}

bool CopyToNewFile(const char* from, const char* to) {
    std::string bytes;
    return ReadWholeFile(from, bytes) == FileProblem::None && WriteNewFile(to, bytes);
}

std::string FinalPath(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return path;
    }
    HANDLE file = OpenForReading(path); // opens what the link leads to
    if (file == INVALID_HANDLE_VALUE) {
        return path;
    }
    char answered[MAX_PATH + 8] = {};
    const DWORD length =
        GetFinalPathNameByHandleA(file, answered, sizeof answered, VOLUME_NAME_DOS);
    CloseHandle(file);
    if (length == 0 || length >= sizeof answered) {
        return path;
    }
    // The answer is "\\?\C:\..." or "\\?\UNC\server\...": the ANSI calls want the
    // ordinary forms.
    const std::string_view answer(answered, length);
    if (answer.starts_with("\\\\?\\UNC\\")) {
        return "\\\\" + std::string(answer.substr(8));
    }
    return std::string(answer.starts_with("\\\\?\\") ? answer.substr(4) : answer);
}

ReplaceProblem ReplaceFileContents(const char* name, std::string_view bytes) {
    const std::string target = FinalPath(name);
    char temporary[MAX_PATH + 1] = {};
    if (GetTempFileNameA(FolderOf(target).c_str(), "kv6", 0, temporary) == 0) {
        return Problem(GetLastError());
    }
    SetLastError(ERROR_SUCCESS); // a failure below leaves its own code
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    bool done = file != INVALID_HANDLE_VALUE && WriteAll(file, bytes) && FlushFileBuffers(file);
    done = file != INVALID_HANDLE_VALUE && CloseHandle(file) && done;
    done = done && (ReplaceFileContentsBeforeRename == nullptr ||
                    ReplaceFileContentsBeforeRename(temporary));
    done = done && MoveFileExA(temporary, target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!done) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary);
        return Problem(error);
    }
    return ReplaceProblem::None;
}

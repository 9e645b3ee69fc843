// Whole files for kivo6-check: why a file cannot be read, reading it whole, keeping a
// backup that never overwrites another file, and replacing a file so that a failure
// at any point leaves either the old or the new file, never half of one. One
// implementation per system (posix/, windows/); the logic core does not use these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class FileProblem { None, Missing, Folder, NotReadable, TooLarge };

// The most ReadWholeFile reads. kivo6-check keeps several times a file's size in
// memory while it explains it; this bound keeps that well inside a 32-bit process,
// and still holds about 200,000 draws, centuries of a twice-weekly lottery.
inline constexpr std::size_t WHOLE_FILE_LIMIT = 4u << 20;

// Why path cannot be read as a file, or None.
FileProblem ProbeFile(const char* path);
// The file's bytes; bytes is left empty unless the answer is None (TooLarge when the
// file holds more than WHOLE_FILE_LIMIT bytes).
FileProblem ReadWholeFile(const char* path, std::string& bytes);
// Whether anything (a file, a folder) has this name.
bool NameTaken(const char* path);
// Whether the two names are one file (the same file through two paths included).
bool SameFile(const char* first, const char* second);
// Writes bytes to a file of a name that must not exist yet, flushed to the disk; false
// when the name is taken (even by a file made meanwhile), or when the file could not be
// written whole: nothing is left behind then, and on POSIX systems errno says why.
bool WriteNewFile(const char* path, std::string_view bytes);
// Copies a file byte for byte to a name that must not exist yet, as WriteNewFile writes.
bool CopyToNewFile(const char* from, const char* to);
// The file that path names when path is a symbolic link (to a file kept in a synced
// folder, say); path itself otherwise, and when the link leads nowhere. A backup or a
// replacement made there leaves the link a link, and changes the file behind it.
std::string FinalPath(const char* path);

// Why a replacement failed: the file is held open by another program (Windows), the
// system refused the change (read-only, not permitted; on Windows also a file held
// open), or anything else.
enum class ReplaceProblem { None, InUse, Refused, Failed };

// Writes bytes to a new file beside the final path (FinalPath), flushes it to the disk
// and renames it over that path (which need not exist). An existing file keeps its
// permissions. On a failure the file is as it was and no temporary file is left.
ReplaceProblem ReplaceFileContents(const char* path, std::string_view bytes);

// For tests: called once the temporary file is written and flushed, just before it
// is renamed over path; returning false fails the replacement there.
extern bool (*ReplaceFileContentsBeforeRename)(const char* temporaryPath);

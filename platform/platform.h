// The few operating-system services the program uses. Paths are byte texts in
// the ANSI code page with "\" between folders, as the program forms them; each
// platform layer turns them into the system's own form.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A number naming an open file; 0 names no file. Every operation accepts 0 or a
// closed number and then does nothing.
using FileNumber = int;

// Opens an existing file for reading and writing without denying others either,
// positioned at its start. Never creates or empties the file. 0 on failure.
FileNumber OpenForUpdate(const std::string& path);

// Reads up to size bytes from the current position. Returns the number read
// (0 at the end of the file), or -1 on a read error.
long ReadBytes(FileNumber file, char* buffer, long size);

// Moves the position of an open file to offset bytes from its start.
bool SeekTo(FileNumber file, std::int64_t offset);

// Writes all of bytes at the current position, overwriting and extending the
// file. False when not all could be written.
bool WriteBytes(FileNumber file, std::string_view bytes);

// Makes the file end at the current position and puts its content on the disk.
bool EndFileHere(FileNumber file);

void CloseFile(FileNumber file);

// Reads a whole file for reading only. False when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Replaces a file's content by bytes, creating the file when missing. The file
// on disk holds the old content or the new one at every moment, never a part.
bool ReplaceWholeFile(const std::string& path, std::string_view bytes);

// What changes whenever a file is replaced or written: lets readers keep a
// parsed copy of a file while its version holds.
struct FileVersion {
    bool exists = false;
    std::uint64_t volume = 0;
    std::uint64_t id = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};
FileVersion VersionOf(const std::string& path);

bool PathExists(const std::string& path);  // a file or a folder
bool MakeFolder(const std::string& path);  // one level; false when it exists
bool CopyFileOver(const std::string& source, const std::string& target);
bool RemoveFile(const std::string& path);

std::string ProgramFilePath();
bool SetCurrentFolder(const std::string& path);
std::string CurrentFolder();

struct Date {
    int year;
    int month;
    int day;
};
Date LocalDate();

// Takes the system-wide marker of that name for the life of this process.
// False only when another running process holds it; a marker that cannot be
// made at all lets this process run.
bool ClaimInstanceMarker(const std::string& name);

[[noreturn]] void EndProcess(int code);

// Opens folder in the desktop's file browser without waiting for the browser.
// Nothing happens when there is none.
void StartFileBrowser(const std::string& folder);

// For tests: the next ReplaceWholeFile fails after writing part of its bytes,
// the way a full disk makes it fail.
void FailNextWholeFileWrite();

// For tests: the next ReadBytes or WriteBytes fails, as a disk error makes it fail.
void FailNextFileRead();
void FailNextFileWrite();

// For tests: StartFileBrowser records its folder here instead of starting anything.
void RecordFileBrowserStarts();
const std::vector<std::string>& RecordedFileBrowserStarts();

// For tests: the next calls of LocalDate return these dates, one a call, as a
// clock passing midnight would; then the real date again.
void SetNextDatesForTest(std::initializer_list<Date> dates);

}  // namespace platform

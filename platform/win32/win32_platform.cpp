// The platform services on Windows: thin calls into the system's ANSI
// functions, which take the program's texts as they are.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/file_numbers.h"
#include "platform/platform.h"
#include "platform/test_hooks.h"
#include "platform/win32/win32_platform.h"
#include "text/byte_text.h"

namespace platform {
namespace {

// Open files by number, each with its handle; null once closed.
FileNumbers<HANDLE>& OpenFiles() {
    static FileNumbers<HANDLE> files(nullptr);
    return files;
}

HANDLE Handle(FileNumber file) {
    return OpenFiles().Find(file);
}

// Handles of the instance marker this process made or was refused by; kept
// for the life of the process.
std::vector<HANDLE>& InstanceMarkers() {
    static std::vector<HANDLE> markers;
    return markers;
}

// WriteFile takes at most a DWORD's worth at once; a short write is retried.
bool WriteAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t separator = FindLastCharacter(path, '\\');
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

}  // namespace

FileNumber OpenForUpdate(const std::string& path) {
    if (path.empty()) {
        return 0;
    }
    // Other programs may go on reading and writing the file meanwhile.
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return 0;
    }
    return OpenFiles().Add(handle);
}

long ReadBytes(FileNumber file, char* buffer, long size) {
    const HANDLE handle = Handle(file);
    if (handle == nullptr) {
        return 0;
    }
    if (hooks::TakeFileReadFailure()) {
        return -1;
    }
    DWORD read = 0;
    if (!ReadFile(handle, buffer, static_cast<DWORD>(size), &read, nullptr)) {
        return -1;
    }
    return static_cast<long>(read);
}

bool SeekTo(FileNumber file, std::int64_t offset) {
    const HANDLE handle = Handle(file);
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    return handle != nullptr && SetFilePointerEx(handle, distance, nullptr, FILE_BEGIN);
}

bool WriteBytes(FileNumber file, std::string_view bytes) {
    const HANDLE handle = Handle(file);
    if (handle == nullptr) {
        return false;
    }
    if (hooks::TakeFileWriteFailure()) {
        return false;
    }
    return WriteAll(handle, bytes);
}

bool EndFileHere(FileNumber file) {
    const HANDLE handle = Handle(file);
    return handle != nullptr && SetEndOfFile(handle) && FlushFileBuffers(handle);
}

void CloseFile(FileNumber file) {
    const HANDLE handle = Handle(file);
    if (handle != nullptr) {
        CloseHandle(handle);
        OpenFiles().Forget(file);
    }
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (path.empty()) {
        return false;
    }
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(handle, &size)) {
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(handle, buffer, sizeof buffer, &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0) {
            break;
        }
        bytes.append(buffer, read);
    }
    CloseHandle(handle);
    return ok;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    // The new content goes into a file of its own beside the target, reaches
    // the disk, and only then takes the target's name in one step.
    char temporary[MAX_PATH];
    if (GetTempFileNameA(FolderOf(path).c_str(), "brk", 0, temporary) == 0) {
        return false;
    }
    const HANDLE handle = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DeleteFileA(temporary);
        return false;
    }
    bool ok;
    if (hooks::TakeWholeFileWriteFailure()) {
        WriteAll(handle, bytes.substr(0, bytes.size() / 2));
        ok = false;
    } else {
        ok = WriteAll(handle, bytes) && FlushFileBuffers(handle);
    }
    ok = CloseHandle(handle) && ok;
    if (ok &&
        MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary);
    return false;
}

FileVersion VersionOf(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const HANDLE handle =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return {};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!known) {
        return {};
    }
    const auto wide = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    return {
        true, info.dwVolumeSerialNumber, wide(info.nFileIndexHigh, info.nFileIndexLow),
        wide(info.nFileSizeHigh, info.nFileSizeLow),
        // 100-nanosecond ticks
        static_cast<std::int64_t>(
            wide(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime) * 100)};
}

bool PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeFolder(const std::string& path) {
    return !path.empty() && CreateDirectoryA(path.c_str(), nullptr);
}

bool CopyFileOver(const std::string& source, const std::string& target) {
    std::string bytes;
    return ReadWholeFile(source, bytes) && ReplaceWholeFile(target, bytes);
}

bool RemoveFile(const std::string& path) {
    return !path.empty() && DeleteFileA(path.c_str());
}

std::string ProgramFilePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return {};
        }
        if (n < buffer.size()) {
            return std::string(buffer.data(), n);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool SetCurrentFolder(const std::string& path) {
    return !path.empty() && SetCurrentDirectoryA(path.c_str());
}

std::string CurrentFolder() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size == 0) {
        return {};
    }
    std::string folder(size, '\0');
    folder.resize(GetCurrentDirectoryA(size, folder.data()));
    return folder;
}

Date LocalDate() {
    if (Date date; hooks::TakeNextDate(date)) {
        return date;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

bool ClaimInstanceMarker(const std::string& name) {
    // An event of that name that can be opened belongs to a running instance.
    // The handle stays open: this process ends soon after.
    if (const HANDLE running = OpenEventA(EVENT_ALL_ACCESS, FALSE, name.c_str())) {
        InstanceMarkers().push_back(running);
        return false;
    }
    // Of two instances that both found no event, the one whose creation finds
    // it made already is the second: exactly one goes on.
    const HANDLE made = CreateEventA(nullptr, FALSE, FALSE, name.c_str());
    if (made == nullptr) {
        return true;
    }
    const bool madeAlready = GetLastError() == ERROR_ALREADY_EXISTS;
    InstanceMarkers().push_back(made);
    return !madeAlready;
}

void ReleaseInstanceMarkerForTest() {
    for (HANDLE marker : InstanceMarkers()) {
        CloseHandle(marker);
    }
    InstanceMarkers().clear();
}

void EndProcess(int code) {
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(code));
}

std::string FileBrowserCommandLine(const std::string& folder) {
    return "explorer " + folder;
}

void StartFileBrowser(const std::string& folder) {
    if (hooks::RecordedBrowserStart(folder)) {
        return;
    }
    std::string command = FileBrowserCommandLine(folder);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        // Ready for input, or a second at most; the browser is never waited for to end.
        WaitForInputIdle(process.hProcess, 1000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace platform

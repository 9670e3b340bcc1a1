// The platform services on Linux. Paths arrive as GB18030 with "\" separators
// and go to the system as UTF-8 with "/"; paths handed back take the reverse way.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/file_numbers.h"
#include "platform/platform.h"
#include "platform/posix/code_page.h"
#include "platform/test_hooks.h"

namespace platform {
namespace {

// Open files by number, each with its descriptor; -1 once closed.
FileNumbers<int>& OpenFiles() {
    static FileNumbers<int> files(-1);
    return files;
}

int Descriptor(FileNumber file) {
    return OpenFiles().Find(file);
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& systemPath) {
    const std::size_t slash = systemPath.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : systemPath.substr(0, slash);
}

}  // namespace

FileNumber OpenForUpdate(const std::string& path) {
    if (path.empty()) {
        return 0;
    }
    const int fd = open(SystemPath(path).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    return OpenFiles().Add(fd);
}

long ReadBytes(FileNumber file, char* buffer, long size) {
    const int fd = Descriptor(file);
    if (fd < 0) {
        return 0;
    }
    if (hooks::TakeFileReadFailure()) {
        return -1;
    }
    for (;;) {
        const ssize_t n = read(fd, buffer, static_cast<std::size_t>(size));
        if (n >= 0 || errno != EINTR) {
            return static_cast<long>(n);
        }
    }
}

bool SeekTo(FileNumber file, std::int64_t offset) {
    const int fd = Descriptor(file);
    return fd >= 0 && lseek(fd, static_cast<off_t>(offset), SEEK_SET) == offset;
}

bool WriteBytes(FileNumber file, std::string_view bytes) {
    const int fd = Descriptor(file);
    if (fd < 0) {
        return false;
    }
    if (hooks::TakeFileWriteFailure()) {
        return false;
    }
    return WriteAll(fd, bytes);
}

bool EndFileHere(FileNumber file) {
    const int fd = Descriptor(file);
    if (fd < 0) {
        return false;
    }
    const off_t position = lseek(fd, 0, SEEK_CUR);
    return position >= 0 && ftruncate(fd, position) == 0 && fsync(fd) == 0;
}

void CloseFile(FileNumber file) {
    const int fd = Descriptor(file);
    if (fd >= 0) {
        close(fd);
        OpenFiles().Forget(file);
    }
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (path.empty()) {
        return false;
    }
    const int fd = open(SystemPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
            break;
        }
    }
    close(fd);
    return ok;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    const std::string target = SystemPath(path);
    std::string temporary = FolderOf(target) + "/.brask-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        fchmod(fd, info.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    bool ok;
    if (hooks::TakeWholeFileWriteFailure()) {
        WriteAll(fd, bytes.substr(0, bytes.size() / 2));
        ok = false;
    } else {
        ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    }
    ok = close(fd) == 0 && ok;
    if (ok && rename(temporary.c_str(), target.c_str()) == 0) {
        return true;
    }
    unlink(temporary.c_str());
    return false;
}

FileVersion VersionOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(SystemPath(path).c_str(), &info) != 0) {
        return {};
    }
    return {true, static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(SystemPath(path).c_str(), &info) == 0;
}

bool MakeFolder(const std::string& path) {
    return !path.empty() && mkdir(SystemPath(path).c_str(), 0777) == 0;
}

bool CopyFileOver(const std::string& source, const std::string& target) {
    std::string bytes;
    return ReadWholeFile(source, bytes) && ReplaceWholeFile(target, bytes);
}

bool RemoveFile(const std::string& path) {
    return !path.empty() && unlink(SystemPath(path).c_str()) == 0;
}

std::string ProgramFilePath() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            return ProgramPath(std::string(buffer.data(), static_cast<std::size_t>(n)));
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool SetCurrentFolder(const std::string& path) {
    return !path.empty() && chdir(SystemPath(path).c_str()) == 0;
}

std::string CurrentFolder() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return ProgramPath(buffer.data());
}

Date LocalDate() {
    if (Date date; hooks::TakeNextDate(date)) {
        return date;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool ClaimInstanceMarker(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* temporary = std::getenv("TMPDIR");
    const std::string folder = runtime && *runtime       ? runtime
                               : temporary && *temporary ? temporary
                                                         : "/tmp";
    // The descriptor stays open for the life of the process: the kernel drops
    // the lock when the process ends, however it ends.
    const int fd = open((folder + "/" + name).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return true;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        return true;
    }
    const bool heldElsewhere = errno == EWOULDBLOCK;
    close(fd);
    return !heldElsewhere;
}

void EndProcess(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

void StartFileBrowser(const std::string& folder) {
    if (hooks::RecordedBrowserStart(folder)) {
        return;
    }
    const std::string path = SystemPath(folder);
    // The browser is started from a short-lived child, so that it is never
    // this program's child to wait for, and nothing of this program stays
    // blocked on it: the child only forks and ends.
    const pid_t child = fork();
    if (child == 0) {
        if (fork() == 0) {
            execlp("xdg-open", "xdg-open", path.c_str(), static_cast<char*>(nullptr));
        }
        _exit(0);
    }
    if (child > 0) {
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
}

}  // namespace platform

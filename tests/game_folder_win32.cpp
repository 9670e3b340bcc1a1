// Test support on Windows: paths cross in the ANSI code page, and the instance
// marker is a named event of the whole session, which the process lets go.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "tests/game_folder.h"

std::filesystem::path SystemPathOf(const std::string& programPath) {
    const int size = MultiByteToWideChar(CP_ACP, 0, programPath.data(),
                                         static_cast<int>(programPath.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, programPath.data(), static_cast<int>(programPath.size()),
                        wide.data(), size);
    return wide;
}

std::string ProgramPathOf(const std::filesystem::path& systemPath) {
    const std::wstring wide = systemPath.lexically_normal().make_preferred().wstring();
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string path(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), path.data(), size,
                        nullptr, nullptr);
    return path;
}

void UseNewInstanceMarker(const std::filesystem::path&) {
    platform::ReleaseInstanceMarkerForTest();
}

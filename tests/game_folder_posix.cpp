// Test support on Linux: paths cross in GB18030 and UTF-8, and the instance
// marker lives in the runtime folder the environment names.
#include <cstdlib>

#include "platform/posix/code_page.h"
#include "tests/game_folder.h"

std::filesystem::path SystemPathOf(const std::string& programPath) {
    return SystemPath(programPath);
}

std::string ProgramPathOf(const std::filesystem::path& systemPath) {
    return ProgramPath(systemPath.string());
}

void UseNewInstanceMarker(const std::filesystem::path& folder) {
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

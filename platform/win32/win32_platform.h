// What the Windows platform layer offers beyond platform.h, for its own tests.
#pragma once

#include <string>

namespace platform {

// The command line that opens folder in the file browser.
std::string FileBrowserCommandLine(const std::string& folder);

// Lets go of the instance marker this process holds, as its end would, so that
// a test can start the program again in the same process.
void ReleaseInstanceMarkerForTest();

}  // namespace platform

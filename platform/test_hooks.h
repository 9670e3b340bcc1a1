// The state behind the test hooks of platform.h, shared by every platform
// layer: each layer asks here before doing the real thing.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform::hooks {

// Each returns true once for every failure a test asked for, then false again.
bool TakeWholeFileWriteFailure();
bool TakeFileReadFailure();
bool TakeFileWriteFailure();

// True, after recording folder, when a test asked for browser starts to be recorded.
bool RecordedBrowserStart(const std::string& folder);

// The next date a test set, if any is left.
bool TakeNextDate(Date& date);

}  // namespace platform::hooks

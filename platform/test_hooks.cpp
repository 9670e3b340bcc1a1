#include "platform/test_hooks.h"

#include <vector>

namespace platform {
namespace {

bool failNextWholeFileWrite = false;
bool failNextFileRead = false;
bool failNextFileWrite = false;
bool recordBrowserStarts = false;

std::vector<std::string>& BrowserStarts() {
    static std::vector<std::string> starts;
    return starts;
}

std::vector<Date>& NextDates() {
    static std::vector<Date> dates;
    return dates;
}

bool Take(bool& flag) {
    const bool was = flag;
    flag = false;
    return was;
}

}  // namespace

namespace hooks {

bool TakeWholeFileWriteFailure() {
    return Take(failNextWholeFileWrite);
}

bool TakeFileReadFailure() {
    return Take(failNextFileRead);
}

bool TakeFileWriteFailure() {
    return Take(failNextFileWrite);
}

bool RecordedBrowserStart(const std::string& folder) {
    if (recordBrowserStarts) {
        BrowserStarts().push_back(folder);
    }
    return recordBrowserStarts;
}

bool TakeNextDate(Date& date) {
    if (NextDates().empty()) {
        return false;
    }
    date = NextDates().front();
    NextDates().erase(NextDates().begin());
    return true;
}

}  // namespace hooks

void FailNextWholeFileWrite() {
    failNextWholeFileWrite = true;
}

void FailNextFileRead() {
    failNextFileRead = true;
}

void FailNextFileWrite() {
    failNextFileWrite = true;
}

void RecordFileBrowserStarts() {
    recordBrowserStarts = true;
}

const std::vector<std::string>& RecordedFileBrowserStarts() {
    return BrowserStarts();
}

void SetNextDatesForTest(std::initializer_list<Date> dates) {
    NextDates().assign(dates);
}

}  // namespace platform

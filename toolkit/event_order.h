// The one order of events every backend keeps: a window whose destruction is
// asked for inside an event goes only after the outermost event has returned.
#pragma once

#include <vector>

#include "toolkit/toolkit.h"

namespace tk {

using DestroyNowFunction = void (*)(int window);

// Runs handle for event, then the destructions asked for while it ran, once
// no event is running any more.
void RunHandler(void (*handle)(const Event&), const Event& event, DestroyNowFunction destroyNow);

// Destroys the window at once outside events, else once the running event returns.
void DestroyAfterEvents(int window, DestroyNowFunction destroyNow);

// A dialog's nested loop runs inside the event that opened the dialog. Events
// in it count as outermost, so that a window closed in it goes as soon as the
// event closing it returns.
struct OuterEvents {
    int depth;
    std::vector<int> pending;
};
OuterEvents EnterNestedLoop();
void LeaveNestedLoop(OuterEvents outer);

// Forgets destructions still waiting, as a backend reset does.
void ForgetPendingDestructions();

}  // namespace tk

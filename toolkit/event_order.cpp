#include "toolkit/event_order.h"

#include <vector>

namespace tk {
namespace {

int eventDepth = 0;
std::vector<int> pendingDestroy;

}  // namespace

void RunHandler(void (*handle)(const Event&), const Event& event, DestroyNowFunction destroyNow) {
    ++eventDepth;
    handle(event);
    --eventDepth;
    if (eventDepth == 0) {
        std::vector<int> pending;
        pending.swap(pendingDestroy);
        for (int window : pending) {
            destroyNow(window);
        }
    }
}

void DestroyAfterEvents(int window, DestroyNowFunction destroyNow) {
    if (eventDepth > 0) {
        pendingDestroy.push_back(window);
    } else {
        destroyNow(window);
    }
}

OuterEvents EnterNestedLoop() {
    OuterEvents outer{eventDepth, {}};
    outer.pending.swap(pendingDestroy);
    eventDepth = 0;
    return outer;
}

void LeaveNestedLoop(OuterEvents outer) {
    eventDepth = outer.depth;
    pendingDestroy.insert(pendingDestroy.end(), outer.pending.begin(), outer.pending.end());
}

void ForgetPendingDestructions() {
    eventDepth = 0;
    pendingDestroy.clear();
}

}  // namespace tk

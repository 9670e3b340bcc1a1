// Driving the headless toolkit the way a user drives a real one, and reading
// back what it showed. Message boxes are recorded and dismissed at once.
#pragma once

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace tk::headless {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

struct ShownMessage {
    MessageKind kind;
    std::string caption;
    std::string text;
};

// Every message box shown since the last Reset, in order.
const std::vector<ShownMessage>& Messages();

bool IsOpen(int window);

// The user's actions. Each does nothing on a control that is disabled or not
// on screen, as a real window system would.
void Click(Control button);
void Pick(Control list, int index);
void Focus(Control control);
void Type(const std::string& text);  // into the focused edit box, over a whole selection
void ReleaseKey(int code);           // in the focused edit box
void Close(int window);              // the close command of the window's frame

// Forgets every window and message, as at a fresh start.
void Reset();

}  // namespace tk::headless

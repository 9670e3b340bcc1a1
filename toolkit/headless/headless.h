// Driving the headless toolkit the way a user drives a real one, and reading
// back what it showed. Message boxes are recorded and dismissed at once.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace tk::headless {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
// Report views: the column header's height and each row's height.
constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 17;

struct ShownMessage {
    MessageKind kind;
    std::string caption;
    std::string text;
};

// Every message box shown since the last Reset, in order.
const std::vector<ShownMessage>& Messages();

bool IsOpen(int window);
bool IsDrawingSuspended(Control grid);
bool IsAllTextSelected(Control edit);
std::optional<Control> FocusedControl();

// The open-file dialogs shown since the last Reset, with what they started with.
struct ShownOpenDialog {
    int window;
    std::string filter;
    std::string initialFolder;
    std::string path;
};
const std::vector<ShownOpenDialog>& OpenDialogs();

// Answers the next open-file dialog: a path the user picks, or nullopt for
// Cancel. A dialog with no answer waiting is cancelled.
void AnswerOpenDialog(std::optional<std::string> path);

// What the user does while the next dialog-mode window is open. The window is
// closed after it if the script leaves it open.
void WhenDialogOpens(std::function<void()> script);

// The user's actions. Each does nothing on a control that is disabled or not
// on screen, as a real window system would.
void Click(Control button);
void Pick(Control list, int index);
void Focus(Control control);
void Type(const std::string& text);            // into the focused edit box, over a whole selection
void ReleaseKey(int code);                     // in the focused edit box
void Close(int window);                        // the close command of the window's frame
void DoubleClick(Control grid, int x, int y);  // x, y in the grid's client area
void Maximise(int window);
void Restore(int window);

// Forgets every window and message, as at a fresh start.
void Reset();

}  // namespace tk::headless

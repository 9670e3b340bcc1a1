// What the Win32 backend offers beyond toolkit.h, for its own tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace tk::win32 {

// The system's handle of a window or control; null when there is none.
HWND Handle(Control control);

// The open dialog's filter as the system takes it: "|" turned into zero
// bytes, trailing blanks cut, ending in two zero bytes.
std::string SystemFilter(const std::string& filter);

// While recording, ShowMessage records each box instead of showing it.
struct RecordedMessageBox {
    unsigned flags;  // as MessageBoxA would have been given them
    std::string caption;
    std::string text;
};
void RecordMessageBoxes(bool record);
const std::vector<RecordedMessageBox>& RecordedMessageBoxes();

}  // namespace tk::win32

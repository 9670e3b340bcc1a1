// The system's dialogs for the Win32 backend: the open-file dialog and
// message boxes, which tests can have recorded instead of shown.
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>
// The name of the system's find-and-replace dialog, not our ReplaceText.
#undef ReplaceText

#include <algorithm>
#include <vector>

#include "text/byte_text.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/win32.h"
#include "toolkit/win32/win32_windows.h"

namespace tk {
namespace {

bool recordMessageBoxes = false;

std::vector<win32::RecordedMessageBox>& RecordedBoxes() {
    static std::vector<win32::RecordedMessageBox> boxes;
    return boxes;
}

}  // namespace

namespace win32 {

std::string SystemFilter(const std::string& filter) {
    std::string system = filter;
    while (!system.empty() && system.back() == ' ') {
        system.pop_back();
    }
    if (system.size() < 2 || system.compare(system.size() - 2, 2, "||") != 0) {
        system += "||";
    }
    // A "|" can be the second byte of a two-byte character: only whole ones count.
    return ReplaceText(system, "|", std::string(1, '\0'), 1, kAllReplacements, true);
}

void RecordMessageBoxes(bool record) {
    recordMessageBoxes = record;
    RecordedBoxes().clear();
}

const std::vector<RecordedMessageBox>& RecordedMessageBoxes() {
    return RecordedBoxes();
}

}  // namespace win32

bool RunOpenDialog(int window, const std::string& filter, const std::string& initialFolder,
                   std::string& path) {
    const std::string systemFilter = win32::SystemFilter(filter);
    std::vector<char> file(32768, '\0');
    std::copy_n(path.data(), std::min(path.size(), file.size() - 1), file.data());
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = HandleOf({window, kWindowRole});
    dialog.lpstrFilter = filter.empty() ? nullptr : systemFilter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog)) {
        return false;
    }
    path = file.data();
    // The chosen file's folder becomes the current directory, whatever the
    // dialog itself left there.
    // A file at a drive's root (C:\x.txt) keeps the separator of its folder, C:\ .
    const std::size_t separator = FindLastCharacter(path, '\\');
    if (separator != std::string::npos) {
        SetCurrentDirectoryA(path.substr(0, separator == 2 ? 3 : separator).c_str());
    }
    return true;
}

void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text) {
    UINT flags = MB_OK;
    switch (kind) {
        case MessageKind::Information:
            flags |= MB_ICONINFORMATION | MB_TASKMODAL;
            break;
        case MessageKind::SystemModalInformation:
            flags |= MB_ICONINFORMATION | MB_SYSTEMMODAL;
            break;
        case MessageKind::Warning:
            flags |= MB_ICONWARNING | MB_TASKMODAL;
            break;
    }
    if (recordMessageBoxes) {
        RecordedBoxes().push_back({flags, caption, text});
        return;
    }
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
}

}  // namespace tk

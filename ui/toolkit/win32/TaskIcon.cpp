#include "ui/toolkit/TaskIcon.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <vector>

#include "text/AnsiText.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/win32/Handles.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace {

// The tip is held to the 64 bytes of the record's first version, though this record has more.
constexpr size_t kTipBytes = 64;

// An icon the program wants in the notification area, whether the shell took it or not.
struct WantedIcon {
    HWND hwnd;
    int32_t id;
    std::wstring file;
    int16_t index;
    std::wstring tip;
};

std::vector<WantedIcon>& WantedIcons() {
    static std::vector<WantedIcon> icons;
    return icons;
}

// The whole record of today's shell: the current version of the icon's messages needs it.
NOTIFYICONDATAA Record(HWND hwnd, int32_t id) {
    NOTIFYICONDATAA record;
    std::memset(&record, 0, sizeof record);
    record.cbSize = sizeof record;
    record.hWnd = hwnd;
    record.uID = static_cast<UINT>(id);
    return record;
}

// The tip in the ANSI code page, NUL-terminated; a tip too long for the field is cut at a
// character boundary, and so is one with a character the code page cannot hold.
void CopyTip(NOTIFYICONDATAA& record, const std::wstring& tip) {
    size_t used = 0;
    for (const wchar_t c : Trim(tip)) {
        const std::optional<std::string> bytes = ToAnsi(std::wstring(1, c));
        if (!bytes || used + bytes->size() >= kTipBytes) break;
        std::memcpy(record.szTip + used, bytes->data(), bytes->size());
        used += bytes->size();
    }
    record.szTip[used] = '\0';
}

// A busy shell may take an icon yet report a time-out, so an add that timed out asks whether
// the icon is there after all. With the icon in place, its messages are switched to the current
// version: the keyboard's selection gets a message of its own, and the tip is still shown.
bool PlaceInTray(NOTIFYICONDATAA& record) {
    SetLastError(ERROR_SUCCESS);  // a failure need not set it
    if (!Shell_NotifyIconA(NIM_ADD, &record) &&
        !(GetLastError() == ERROR_TIMEOUT && Shell_NotifyIconA(NIM_MODIFY, &record)))
        return false;
    record.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconA(NIM_SETVERSION, &record);
    return true;
}

int16_t Add(HWND hwnd, int32_t id, const std::wstring& iconFile, int16_t iconIndex,
            const std::wstring& tip) {
    HICON extracted[2] = {nullptr, nullptr};
    // The wide call: a folder whose name the code page cannot hold must not lose the icon.
    if (ExtractIconExW(Trim(iconFile).c_str(), iconIndex, &extracted[0], &extracted[1], 1) == 0)
        return TaskIcon::kNoIcon;
    // Freed whatever the shell answers, the large one first: the shell keeps its own copy.
    const Win32::OwnedIcon small(extracted[1]);
    const Win32::OwnedIcon large(extracted[0]);
    NOTIFYICONDATAA record = Record(hwnd, id);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    record.uCallbackMessage = WM_MOUSEMOVE;
    record.hIcon = small.get();
    CopyTip(record, tip);
    return PlaceInTray(record) ? TaskIcon::kAdded : TaskIcon::kRefused;
}

void Forget(HWND hwnd, int32_t id) {
    std::erase_if(WantedIcons(),
                  [&](const WantedIcon& icon) { return icon.hwnd == hwnd && icon.id == id; });
}

}  // namespace

namespace TaskIcon {

int16_t Icon_Add(Form& form, int32_t id, const std::wstring& iconFile, int16_t iconIndex,
                 const std::wstring& tip) {
    HWND hwnd = reinterpret_cast<HWND>(form.NativeHandle());
    const int16_t result = Add(hwnd, id, iconFile, iconIndex, tip);
    // Refused, for instance at sign-in before the taskbar exists: it comes when the taskbar
    // announces itself, or when the caller offers it again.
    Forget(hwnd, id);
    if (result != kNoIcon) WantedIcons().push_back({hwnd, id, iconFile, iconIndex, tip});
    return result;
}

int32_t Icon_Delete(Form& form, int32_t id) {
    HWND hwnd = reinterpret_cast<HWND>(form.NativeHandle());
    Forget(hwnd, id);
    NOTIFYICONDATAA record = Record(hwnd, id);
    return Shell_NotifyIconA(NIM_DELETE, &record) ? 0 : 1;
}

}  // namespace TaskIcon

namespace Win32 {

// The taskbar has started, or Explorer has restarted and forgotten every icon: each wanted
// icon goes (back) under its id. One that is still there is not added a second time: the
// shell refuses an id it already has, and takes the same record again as a modification.
void RestoreTrayIcons(HWND hwnd) {
    for (const WantedIcon& icon : WantedIcons())
        if (icon.hwnd == hwnd) Add(icon.hwnd, icon.id, icon.file, icon.index, icon.tip);
}

}  // namespace Win32

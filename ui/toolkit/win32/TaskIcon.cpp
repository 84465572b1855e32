#include "ui/toolkit/TaskIcon.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "text/AnsiText.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/win32/Handles.h"

namespace {

// The tip is held to the 64 bytes of the record's first version, though this record has more.
constexpr size_t kTipBytes = 64;

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

// A busy shell may carry out an add that it reported as failed (timed out), and from then on
// it refuses every add of that icon: after any refused add it is asked whether it has the icon,
// by a modification. With the icon in place its messages are switched to the current version:
// the keyboard's selection gets a message of its own, and the tip is still shown. Until the
// shell has taken the switch too, the icon counts as not placed and is offered again.
bool PlaceInTray(NOTIFYICONDATAA& record) {
    if (!Shell_NotifyIconA(NIM_ADD, &record) && !Shell_NotifyIconA(NIM_MODIFY, &record))
        return false;
    record.uVersion = NOTIFYICON_VERSION_4;
    return Shell_NotifyIconA(NIM_SETVERSION, &record);
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

}  // namespace

namespace TaskIcon {

// Offered at start-up, again while refused, and whenever the taskbar (re)starts: the form
// decides, and an icon the shell has already is taken as placed.
int16_t Icon_Add(Form& form, int32_t id, const std::wstring& iconFile, int16_t iconIndex,
                 const std::wstring& tip) {
    return Add(reinterpret_cast<HWND>(form.NativeHandle()), id, iconFile, iconIndex, tip);
}

int32_t Icon_Delete(Form& form, int32_t id) {
    NOTIFYICONDATAA record = Record(reinterpret_cast<HWND>(form.NativeHandle()), id);
    return Shell_NotifyIconA(NIM_DELETE, &record) ? 0 : 1;
}

}  // namespace TaskIcon

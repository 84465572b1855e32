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

struct AddedIcon {
    HWND hwnd;
    int32_t id;
    std::wstring file;
    int16_t index;
    std::wstring tip;
};

std::vector<AddedIcon>& AddedIcons() {
    static std::vector<AddedIcon> icons;
    return icons;
}

NOTIFYICONDATAA Record(HWND hwnd, int32_t id) {
    NOTIFYICONDATAA record;
    std::memset(&record, 0, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;  // the first version of the record
    record.hWnd = hwnd;
    record.uID = static_cast<UINT>(id);
    return record;
}

// The tip in the ANSI code page, NUL-terminated; a tip too long for the field is cut at a
// character boundary.
void CopyTip(NOTIFYICONDATAA& record, const std::wstring& tip) {
    size_t used = 0;
    for (const wchar_t c : Trim(tip)) {
        const std::string bytes = ToAnsi(std::wstring(1, c));
        if (used + bytes.size() >= sizeof record.szTip) break;
        std::memcpy(record.szTip + used, bytes.data(), bytes.size());
        used += bytes.size();
    }
    record.szTip[used] = '\0';
}

int16_t Add(HWND hwnd, int32_t id, const std::wstring& iconFile, int16_t iconIndex,
            const std::wstring& tip) {
    HICON extracted[2] = {nullptr, nullptr};
    const std::string path = ToAnsi(Trim(iconFile));
    if (ExtractIconExA(path.c_str(), iconIndex, &extracted[0], &extracted[1], 1) == 0)
        return TaskIcon::kNoIcon;
    // Freed whatever the shell answers, the large one first: the shell keeps its own copy.
    const Win32::OwnedIcon small(extracted[1]);
    const Win32::OwnedIcon large(extracted[0]);
    NOTIFYICONDATAA record = Record(hwnd, id);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_MOUSEMOVE;
    record.hIcon = small.get();
    CopyTip(record, tip);
    return Shell_NotifyIconA(NIM_ADD, &record) ? TaskIcon::kAdded : TaskIcon::kRefused;
}

}  // namespace

namespace TaskIcon {

int16_t Icon_Add(Form& form, int32_t id, const std::wstring& iconFile, int16_t iconIndex,
                 const std::wstring& tip) {
    HWND hwnd = reinterpret_cast<HWND>(form.NativeHandle());
    const int16_t result = Add(hwnd, id, iconFile, iconIndex, tip);
    if (result == kAdded) AddedIcons().push_back({hwnd, id, iconFile, iconIndex, tip});
    return result;
}

int32_t Icon_Delete(Form& form, int32_t id) {
    HWND hwnd = reinterpret_cast<HWND>(form.NativeHandle());
    auto& icons = AddedIcons();
    std::erase_if(icons, [&](const AddedIcon& icon) { return icon.hwnd == hwnd && icon.id == id; });
    NOTIFYICONDATAA record = Record(hwnd, id);
    return Shell_NotifyIconA(NIM_DELETE, &record) ? 0 : 1;
}

}  // namespace TaskIcon

namespace Win32 {

// Explorer forgets every icon when it restarts; the same icon goes back under the same id.
void RestoreTrayIcons(HWND hwnd) {
    for (const AddedIcon& icon : AddedIcons())
        if (icon.hwnd == hwnd) Add(icon.hwnd, icon.id, icon.file, icon.index, icon.tip);
}

}  // namespace Win32

#pragma once
// The class name and the numbers the Win32 backend gives its windows, controls and menu
// items. The end-to-end driver finds the program's windows by the same.

namespace Win32 {

constexpr wchar_t kFormClass[] = L"ZelkorForm";
// Controls are numbered from here in the order the form adds them.
constexpr int kFirstControlId = 1000;
// Menu items are numbered from here in the order the form adds them, separators included.
constexpr int kFirstMenuId = 50000;
// Posted by a second start of the program to the first one's main window: come up.
constexpr wchar_t kStartedAgainMessage[] = L"Zelkor.StartedAgain";

}  // namespace Win32

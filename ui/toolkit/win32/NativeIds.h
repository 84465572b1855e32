#pragma once
// The class name and the numbers the Win32 backend gives its windows, controls and menu
// items, and the names a second start looks for. The end-to-end driver uses the same.

namespace Win32 {

constexpr wchar_t kFormClass[] = L"ZelkorForm";
// Controls are numbered from here in the order the form adds them.
constexpr int kFirstControlId = 1000;
// Menu items are numbered from here in the order the form adds them, separators included.
constexpr int kFirstMenuId = 50000;
// Posted by a second start of the program to the first one's main window: come up.
constexpr wchar_t kStartedAgainMessage[] = L"Zelkor.StartedAgain";
// Held by the running copy. "Local\" is the sign-in session's namespace: another user's session
// runs its own copy.
constexpr wchar_t kRunningCopyMutex[] = L"Local\\Zelkor.Running.6F1B2C1E";

}  // namespace Win32

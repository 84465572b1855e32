#include "ui/toolkit/Toolkit.h"

#include "ui/toolkit/Faults.h"
#include "ui/toolkit/Peer.h"

namespace {

int g_boxesUp = 0;

int ShowCounted(const std::wstring& prompt, int style, const std::wstring& title) {
    ++g_boxesUp;
    struct Answered {
        ~Answered() { --g_boxesUp; }
    } answered;
    return ShowMessageBox(prompt, style, title);
}

}  // namespace

namespace Toolkit {

int MsgBox(const std::wstring& prompt, int style, const std::wstring& title) {
    // A box that the end of the program closed was not answered by the user either.
    if (Ended()) return MsgAnswer::Cancel;
    const int answer = ShowCounted(prompt, style, title.empty() ? kAppTitle : title);
    return Ended() ? MsgAnswer::Cancel : answer;
}

int AskHoldingEndSession(const std::wstring& reason, const std::wstring& prompt, int style,
                         const std::wstring& title) {
    SetEndSessionReason(reason);
    struct Answered {
        ~Answered() { SetEndSessionReason(L""); }
    } answered;
    return MsgBox(prompt, style, title);
}

bool MessageBoxUp() { return g_boxesUp > 0; }

void ReportFault(const char* what) noexcept {
    try {
        std::wstring prompt = kFaultText;
        if (what && *what) {
            prompt += L"\r\n";
            for (const char* c = what; *c; ++c)
                prompt += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        }
        ShowCounted(prompt, MsgStyle::OkOnly, kAppTitle);
    } catch (...) {
        // Nothing more can be said: the handler has been stopped all the same.
    }
}

}  // namespace Toolkit

#include "ui/toolkit/Toolkit.h"

#include "ui/toolkit/Faults.h"
#include "ui/toolkit/Peer.h"

namespace Toolkit {

int MsgBox(const std::wstring& prompt, int style, const std::wstring& title) {
    // A box that the end of the program closed was not answered by the user either.
    if (Ended()) return MsgAnswer::Cancel;
    const int answer = ShowMessageBox(prompt, style, title.empty() ? kAppTitle : title);
    return Ended() ? MsgAnswer::Cancel : answer;
}

void ReportFault(const char* what) noexcept {
    try {
        std::wstring prompt = kFaultText;
        if (what && *what) {
            prompt += L"\r\n";
            for (const char* c = what; *c; ++c)
                prompt += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        }
        ShowMessageBox(prompt, MsgStyle::OkOnly, kAppTitle);
    } catch (...) {
        // Nothing more can be said: the handler has been stopped all the same.
    }
}

}  // namespace Toolkit

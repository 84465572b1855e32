#include "ui/shared/A_MSG.h"

#include "text/AnsiText.h"
#include "ui/toolkit/Toolkit.h"

namespace A_MSG {

std::wstring Get_MsgText(const std::wstring& code) {
    const std::wstring trimmed = Trim(code);
    if (trimmed == L"E001") return L"先に項目を選択してください。";
    if (trimmed == L"E002") return L"入力必須こうもくです。";
    return L"";
}

void Show_Msg(const std::wstring& code, Control& statusLine) {
    statusLine.SetText(Get_MsgText(code));
    statusLine.Refresh();
}

namespace {

bool IsNumericMask(wchar_t first) { return first == L'Z' || first == L'9' || first == L'-'; }
bool IsSingleByteMask(wchar_t first) { return first == L'X' || first == L'K'; }

int Filter(const std::wstring& mask, int code) {
    const wchar_t first = mask.empty() ? L'\0' : mask[0];
    if (IsNumericMask(first)) {
        const bool allowed = code == 32 || code == 45 || code == 46 || (code >= 48 && code <= 57);
        return allowed ? code : 0;
    }
    if (IsSingleByteMask(first)) return IsSingleByteChar(static_cast<wchar_t>(code)) ? code : 0;
    return code;
}

}  // namespace

void Mask_KeyPress(Control& box, const std::wstring& mask, int& keyAscii) {
    if (keyAscii == Key::Return)
        keyAscii = 0;
    else if (keyAscii != Key::Back)
        keyAscii = Filter(mask, keyAscii);

    if (keyAscii == 0 || box.SelLength() > 0) return;
    // Control keys and double-byte characters act the ordinary way.
    if (keyAscii < 32 || !IsSingleByteChar(static_cast<wchar_t>(keyAscii))) return;
    const int caret = box.SelStart();
    std::wstring text = box.Text();
    const auto typed = static_cast<wchar_t>(keyAscii);
    if (caret < static_cast<int>(text.size()))
        text[static_cast<size_t>(caret)] = typed;
    else
        text += typed;
    box.SetText(text);
    box.SetSelection(caret + 1, 0);
    keyAscii = 0;
}

bool CheckFits(Control& box, const std::wstring& boxName) {
    const std::wstring text = Trim(box.Text());
    const std::wstring_view unfitting = FirstUnfitting(text);
    if (unfitting.empty()) return true;
    Toolkit::MsgBox(
        L"「" + boxName + L"」の「" + std::wstring(unfitting) +
            L"」は、プロクシサーバ一覧に保存できない文字です（シフトJISにない文字です）。\r\n"
            L"この文字を取り除いてから、もう一度押してください。",
        MsgStyle::OkOnly);
    box.SetFocus();
    return false;
}

void StyleStatusLine(Control& statusLine) {
    statusLine.backColor = Rgb(192, 192, 255);
    statusLine.foreColor = Rgb(255, 0, 0);
    statusLine.font = Font{L"ＭＳ Ｐ明朝", 9, true};
}

}  // namespace A_MSG

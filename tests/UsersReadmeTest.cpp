// The readme that ships with the program, as Japanese Windows tools have always shipped theirs:
// code page 932, CR LF line ends; and every window, button and message it quotes is one the
// program shows.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestApp.h"
#include "text/AnsiText.h"
#include "text/Unicode.h"

namespace {

const std::filesystem::path kSource = ZELKOR_SOURCE_DIR;

// The string literals of a source file, one a line; comments are passed over.
std::string Literals(const std::string& source) {
    std::string literals;
    for (size_t at = 0; at < source.size(); ++at) {
        if (source.compare(at, 2, "//") == 0) {
            at = source.find('\n', at);
        } else if (source.compare(at, 2, "/*") == 0) {
            at = source.find("*/", at);
        } else if (source[at] == '\'') {  // a character, perhaps '"'
            for (++at; at < source.size() && source[at] != '\''; ++at)
                if (source[at] == '\\') ++at;
        } else if (source[at] == '"') {
            for (++at; at < source.size() && source[at] != '"'; ++at) {
                if (source[at] == '\\') ++at;
                literals += source[at];
            }
            literals += '\n';
        }
        if (at == std::string::npos) break;
    }
    return literals;
}

// Every text the program could show: the literals of its sources and its resources.
std::string ProgramTexts() {
    std::string all = Literals(ReadBytes(kSource / "res" / "Zelkor.rc"));
    for (const char* layer : {"app", "core", "ui"})
        for (const auto& file : std::filesystem::recursive_directory_iterator(kSource / layer))
            if (file.path().extension() == ".cpp" || file.path().extension() == ".h")
                all += Literals(ReadBytes(file.path()));
    return all;
}

// The texts between `open` and `close`, in order.
std::vector<std::wstring> Quoted(const std::wstring& text, wchar_t open, wchar_t close) {
    std::vector<std::wstring> quotes;
    for (size_t at = text.find(open); at != std::wstring::npos; at = text.find(open, at + 1)) {
        const size_t end = text.find(close, at);
        if (end == std::wstring::npos) break;
        quotes.push_back(text.substr(at + 1, end - at - 1));
    }
    return quotes;
}

TEST(UsersReadme, IsCodePage932WithCrLfAndQuotesOnlyWhatTheProgramShows) {
    const std::string bytes = ReadBytes(kSource / "release" / "お読みください.txt");
    ASSERT_FALSE(bytes.empty());
    const std::wstring text = FromAnsi(bytes);
    EXPECT_TRUE(WritesBackAs(text, bytes)) << "bytes that are no code page 932 text";
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    for (size_t i = 0; i < bytes.size(); ++i) {
        const bool lineFeed = bytes[i] == '\n', carriageReturn = bytes[i] == '\r';
        EXPECT_TRUE(!lineFeed || (i > 0 && bytes[i - 1] == '\r')) << "a bare LF at byte " << i;
        EXPECT_TRUE(!carriageReturn || (i + 1 < bytes.size() && bytes[i + 1] == '\n')) << i;
    }
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    // 「」 quotes what the program shows, ［］ its buttons and menu items; the message boxes'
    // buttons are the system's own.
    const std::string program = ProgramTexts();
    std::vector<std::wstring> quotes = Quoted(text, L'「', L'」');
    for (const std::wstring& button : Quoted(text, L'［', L'］'))
        if (button != L"OK" && button != L"はい" && button != L"いいえ") quotes.push_back(button);
    EXPECT_GE(quotes.size(), 20u);
    for (const std::wstring& quote : quotes)
        EXPECT_NE(program.find(ToUtf8(quote)), std::string::npos) << ToUtf8(quote);

    // Windows' own words stand in 『』; and what a user must know before relying on a switch.
    EXPECT_EQ(text.find_first_of(L"“”"), std::wstring::npos);
    for (const wchar_t* said :
         {L"http=アドレス:ポート番号", L"REG_DWORD", L"『設定を自動的に検出する』", L"『詳細情報』",
          L"21H2", L"『強制的にサインアウト』", L"Windows 10（64", L"ウィンドウを閉じたときです",
          L"使わない設定のときも", L"いま準備して", L"アイコンをクリックするたび",
          L"まだ確かめていません"})
        EXPECT_NE(text.find(said), std::wstring::npos) << ToUtf8(said);
}

}  // namespace

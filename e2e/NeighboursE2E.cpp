// The real program under Wine among other programs: lists saved by other editors, changed or
// held behind its back, a second start, close requests while a window holds unsaved work, a
// full disk.

#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <fstream>

#include "core/win32/SystemText.h"
#include "e2e/Zelkor.h"

namespace e2e {
namespace {

// The first line of the message a save shows, once it has been answered.
std::wstring AnsweredSaveMessage(const Zelkor& zelkor) {
    const std::wstring prompt = zelkor.AnswerNextBox(IDOK).prompt;
    return prompt.substr(0, prompt.find(L"\r\n"));
}

// The program beside the sample list, its window up.
using NeighboursE2E = ZelkorShown;

// Notepad's UTF-8, with and without its mark: the entries show and reach the registry as
// written; the next save writes code page 932 and keeps the original beside it.
TEST(OtherEditorsE2E, AListSavedAsUtf8IsShownPickedAndSavedAsWrittenAndKept) {
    for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
        SCOPED_TRACE(mark.empty() ? "without the mark" : "with the mark");
        const std::string utf8 = mark +
                                 "a.example.jp,8080,\xE8\x87\xAA\xE5\xAE\x85\r\n"   // 自宅
                                 "b.example.jp,3128,\xE7\xA4\xBE\xE5\x86\x85\r\n";  // 社内
        SetProxyInForce("HTTP=b.example.jp:3128", true);
        Zelkor zelkor(utf8);
        ASSERT_TRUE(zelkor.StartShown());
        const MainControls controls = ControlsOf(zelkor.MainWindow());
        EXPECT_EQ(ItemText(controls.servers, 0), L"a.example.jp");
        PickNow(controls.servers, 0);
        EXPECT_TRUE(WaitForSetting("ProxyServer", REG_SZ, Sz("http=a.example.jp:8080")));
        EXPECT_TRUE(WaitUntil([&] { return TextOf(controls.comment) == L"自宅"; }));

        ASSERT_TRUE(zelkor.AddEntryAndSave(L"new.example.jp", L"8000"));
        EXPECT_EQ(AnsweredSaveMessage(zelkor), Texts::kKeptOtherEncoding);
        EXPECT_TRUE(WaitUntil([&] {
            return zelkor.ListFile() == Ansi(
                                            L"a.example.jp,8080,自宅\r\nb.example.jp,3128,社内\r\n"
                                            L"new.example.jp,8000,\r\n");
        }));
        EXPECT_EQ(zelkor.FileBeside(L"PROXYLIST.DAT.bak"), utf8);
    }
}

// Notepad added a line while the program ran; the editor's save keeps Notepad's version.
TEST_F(NeighboursE2E, AListRewrittenFromOutsideIsKeptWhenTheEditorSaves) {
    const std::string outside = Ansi(kSampleList) + "notepad.example.jp,80,\r\n";
    WriteBytes(zelkor.ListPath(), outside);

    ASSERT_TRUE(zelkor.AddEntryAndSave(L"new.example.jp", L"8000"));
    EXPECT_EQ(AnsweredSaveMessage(zelkor), Texts::kKeptChanged);
    EXPECT_TRUE(WaitUntil(
        [&] { return zelkor.ListFile() == Ansi(kSampleList + L"new.example.jp,8000,\r\n"); }));
    EXPECT_EQ(zelkor.FileBeside(L"PROXYLIST.DAT.bak"), outside);
}

// A virus scanner or a sync client has the list open, sharing nothing, when a save comes: the
// save waits for it to let go, and goes through with nothing to say.
TEST_F(NeighboursE2E, AListAnotherProgramHoldsForAMomentIsSavedOnceItLetsGo) {
    HANDLE held =
        CreateFileW(zelkor.ListPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(zelkor.AddEntryAndSave(L"new.example.jp", L"8000"));
    // Let go once the save has met the hold, its new list written beside the old one.
    EXPECT_TRUE(
        WaitUntil([&] { return zelkor.FileBeside(L"PROXYLIST.DAT.new").has_value(); }, 10000, 1));
    CloseHandle(held);
    EXPECT_TRUE(WaitUntil(
        [&] { return zelkor.ListFile() == Ansi(kSampleList + L"new.example.jp,8000,\r\n"); }));
    EXPECT_TRUE(WaitUntil([&] { return VisibleWindowsOf(zelkor.Pid()) == std::vector{main}; }));
    EXPECT_FALSE(zelkor.FileBeside(L"PROXYLIST.DAT.bak")) << "nothing to keep";
}

// A list the user made read-only: the save says so and names it, the list stays as it was and
// locked with nothing beside it, and the editor keeps its entry for a save once it is unlocked.
TEST_F(NeighboursE2E, AReadOnlyListIsNeitherReplacedNorUnlocked) {
    const std::wstring list = zelkor.ListPath().wstring();
    ASSERT_TRUE(SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(zelkor.AddEntryAndSave(L"new.example.jp", L"8000"));
    const auto refused = WaitForMessageBox(zelkor.Pid());  // looked at while it is up
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->prompt,
              Texts::kListNotSaved + L"\r\n" + Texts::kListReadOnly + L"\r\n" + list);
    Screenshot(L"read-only-list", refused->hwnd);
    Answer(*refused, IDOK);
    EXPECT_EQ(zelkor.ListFile(), Ansi(kSampleList));
    EXPECT_TRUE(GetFileAttributesW(list.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(zelkor.FileBeside(L"PROXYLIST.DAT.new"));

    ASSERT_TRUE(SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(zelkor.SaveFromEditor(zelkor.Form(L"Proxy Editor")));
    EXPECT_TRUE(WaitUntil(
        [&] { return zelkor.ListFile() == Ansi(kSampleList + L"new.example.jp,8000,\r\n"); }));
}

// The copy started at sign-in runs; a double click starts another. The second brings the
// first one up, or its modal window to the front, and ends touching nothing.
TEST(SecondStartE2E, TheSecondCopyBringsUpTheFirstAndEnds) {
    SetProxyInForce(kSampleServer, true);
    Zelkor first(Ansi(kSampleList));
    // A copy run elevated, still on its start-up message, holds a mutex this one may not even
    // open (an empty access list): this start waits while that copy lives, then runs.
    PSECURITY_DESCRIPTOR none = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &none, nullptr);
    SECURITY_ATTRIBUTES elevated{sizeof elevated, none, FALSE};
    HANDLE held = CreateMutexW(&elevated, TRUE, Win32::kRunningCopyMutex);
    LocalFree(none);
    first.Start();
    EXPECT_TRUE(!first.WaitForStartup(11000) && first.Running()) << "waits, none beside it";
    CloseHandle(held);
    ASSERT_TRUE(first.WaitForStartup());
    ASSERT_FALSE(IsWindowVisible(first.MainWindow()));

    Zelkor second(std::string("second.example.jp,1,\r\n"));
    second.Start();
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(first.MainWindow()); }));
    EXPECT_EQ(second.ListFile(), std::string("second.example.jp,1,\r\n"));
    EXPECT_TRUE(Holds("ProxyServer", REG_SZ, Sz(kSampleServer)));
    EXPECT_TRUE(NoSecondIcon());

    ChooseMenu(first.MainWindow(), MainMenu::About);
    HWND about = first.WaitForForm(Texts::kAboutCaption);
    ASSERT_TRUE(about);
    const OtherProgram other;
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.Window(); }));
    Zelkor third{std::string()};
    third.Start();
    EXPECT_TRUE(third.WaitForExit());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; }));
    Close(about);
    EXPECT_TRUE(Gone(about));
}

// taskkill's WM_CLOSE and the end of the session while the editor holds an unsaved entry:
// the editor's save question comes first, its Cancel keeps everything, its Yes saves.
TEST_F(NeighboursE2E, ACloseRequestWithAnUnsavedEntryAsksTheEditorsQuestionFirst) {
    HWND editor = zelkor.EditorWithNewEntry(L"new.example.jp", L"8000");
    ASSERT_TRUE(editor);

    PostMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_EQ(zelkor.AnswerNextBox(IDCANCEL).title, Texts::kEditorSaveTitle);
    // Had the close gone on, the program's own question would come before this one.
    PostMessageW(main, WM_CLOSE, 0, 0);
    const auto box = WaitForMessageBox(zelkor.Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, Texts::kEditorSaveTitle);
    EXPECT_TRUE(IsWindowVisible(editor));
    Answer(*box, IDYES);
    const auto close = WaitForMessageBox(zelkor.Pid());
    ASSERT_TRUE(close);
    EXPECT_EQ(close->title, Texts::kCloseTitle);
    EXPECT_EQ(zelkor.ListFile(), Ansi(kSampleList + L"new.example.jp,8000,\r\n"))
        << "saved before the program's own question";
    Answer(*close, IDYES);
    EXPECT_TRUE(zelkor.WaitForExit());
}

// A disk with room left for part of the list only: the save fails in the system's own words
// for a full disk, and the list stays as it was.
TEST(FullDiskE2E, ASaveOntoAFullDiskSaysSoAndTheListStays) {
    const std::wstring small = PathFromEnvironment(L"ZELKOR_FULL_DISK");
    if (small.empty()) GTEST_SKIP() << "ZELKOR_FULL_DISK names no small file system";
    std::wstring lines = kSampleList;
    for (int i = 0; i < 400; ++i) lines += L"host" + std::to_wstring(i) + L".example.jp,8080,\r\n";
    SetProxyInForce(kSampleServer, true);
    Zelkor zelkor(Ansi(lines), PathFromEnvironment(L"ZELKOR_EXE"), small);
    ASSERT_TRUE(zelkor.StartShown());
    // Full but for one block, less than the list takes.
    const std::filesystem::path folder = zelkor.ListPath().parent_path();
    const std::string block(4096, 'x');
    WriteBytes(folder / L"slack", block);
    {
        std::ofstream fill(folder / L"filler", std::ios::binary);
        while (fill.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
        }
    }
    std::filesystem::remove(folder / L"slack");

    ASSERT_TRUE(zelkor.AddEntryAndSave(L"new.example.jp", L"8000"));
    EXPECT_EQ(zelkor.AnswerNextBox(IDOK).prompt,
              Texts::kListNotSaved + L"\r\n" + SystemText(ERROR_DISK_FULL));
    EXPECT_EQ(zelkor.ListFile(), Ansi(lines));
    EXPECT_FALSE(zelkor.FileBeside(L"PROXYLIST.DAT.new"));

    std::filesystem::remove(folder / L"filler");
    HWND editor = zelkor.Form(L"Proxy Editor");
    ASSERT_TRUE(editor) << "a failed save keeps the editor and its entry";
    ASSERT_TRUE(zelkor.SaveFromEditor(editor));
    EXPECT_TRUE(
        WaitUntil([&] { return zelkor.ListFile() == Ansi(lines + L"new.example.jp,8000,\r\n"); }));
}

}  // namespace
}  // namespace e2e

// The real program under Wine: the list editor, the entry dialog and its masks, the trial
// window and the About box, opened from the main window's menus.

#include <gtest/gtest.h>

#include "e2e/Zelkor.h"
#include "ui/toolkit/win32/Handles.h"

namespace e2e {
namespace {

class EditingWindowsE2E : public ZelkorShown {
protected:
    HWND OpenEditor() {
        ChooseMenu(main, MainMenu::ProxyEdit);
        HWND editor = zelkor.WaitForForm(Texts::kEditorCaption);
        if (editor) list = ChildrenOf(editor, L"ListBox").at(0);
        return editor;
    }
    HWND EditorButton(HWND editor, const std::wstring& caption) const {
        return ChildWithText(editor, L"Button", caption);
    }
    // Opens the entry dialog with the editor's button and returns its three boxes.
    HWND OpenEntryDialog(HWND editor, const std::wstring& button, const std::wstring& caption) {
        Press(EditorButton(editor, button));
        HWND dialog = zelkor.WaitForForm(caption);
        if (dialog) boxes = ChildrenOf(dialog, L"Edit");
        return dialog;
    }
    // The photo covers its box up to the edges at any scaling: its ground reaches the bottom
    // corners. A picture too small for its box would be centred, with the colour of its top
    // left corner (the sky) around it.
    static bool PictureFillsItsBox(HWND about) {
        HWND picture = ChildrenOf(about, L"Static").at(0);
        RECT box;
        GetClientRect(picture, &box);
        MapWindowPoints(picture, nullptr, reinterpret_cast<POINT*>(&box), 2);
        const Win32::WindowDc screen;
        const COLORREF sky = GetPixel(screen.get(), box.left + 1, box.top + 1);
        return GetPixel(screen.get(), box.left + 1, box.bottom - 2) != sky &&
               GetPixel(screen.get(), box.right - 2, box.bottom - 2) != sky;
    }
    std::vector<std::wstring> MainListItems() const {
        HWND servers = ControlsOf(main).servers;
        std::vector<std::wstring> items;
        for (int i = 0; i < ItemCount(servers); ++i) items.push_back(ItemText(servers, i));
        return items;
    }

    HWND list = nullptr;
    std::vector<HWND> boxes;
};

TEST_F(EditingWindowsE2E, AddChangeAndDeleteThenYesSavesTheFileByteForByte) {
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    ASSERT_EQ(ItemCount(list), 2);
    EXPECT_EQ(ItemText(list, 0), L"proxy.example.jp          8080   社内プロクシ");
    EXPECT_EQ(ItemText(list, 1), L"10.0.0.1                  3128   ");
    Screenshot(L"list-editor", editor);

    HWND dialog = OpenEntryDialog(editor, L"追加", L"Proxy追加");
    ASSERT_TRUE(dialog);
    Type(boxes[0], L"new.example.jp");
    Type(boxes[1], L"8000");
    Type(boxes[2], L"新しい串");
    Screenshot(L"entry-dialog", dialog);
    Press(ChildWithText(dialog, L"Button", L"追加"));
    ASSERT_TRUE(Gone(dialog));
    EXPECT_TRUE(WaitUntil([&] { return ItemCount(list) == 3; }));
    EXPECT_EQ(SelectedItem(list), 2);

    DoubleClickItem(list, 1);
    dialog = zelkor.WaitForForm(L"Proxy変更");
    ASSERT_TRUE(dialog);
    boxes = ChildrenOf(dialog, L"Edit");
    EXPECT_EQ(TextOf(boxes[0]), L"10.0.0.1");
    EXPECT_EQ(TextOf(boxes[1]), L"3128");
    SetCaret(boxes[1], 0, 4);
    Type(boxes[1], L"8081");
    Press(ChildWithText(dialog, L"Button", L"変更"));
    ASSERT_TRUE(Gone(dialog));

    Pick(list, 0);
    Press(EditorButton(editor, L"削除"));
    const MessageBoxSeen question = zelkor.AnswerNextBox(IDYES);
    EXPECT_EQ(question.title, Texts::kCloseTitle);
    EXPECT_EQ(question.prompt, L"Proxy:proxy.example.jpを削除します。\n\rよろしいですか？");
    EXPECT_TRUE(question.icon);
    EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(question.defaultButton, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return ItemCount(list) == 2; }));

    // The user had hidden the file; the save keeps it hidden.
    SetFileAttributesW(zelkor.ListPath().c_str(), FILE_ATTRIBUTE_HIDDEN);
    Press(EditorButton(editor, L"終了"));
    ASSERT_EQ(zelkor.AnswerNextBox(IDYES).title, Texts::kEditorSaveTitle);
    ASSERT_TRUE(Gone(editor));
    EXPECT_EQ(zelkor.ListFile(), Ansi(L"10.0.0.1,8081,\r\nnew.example.jp,8000,新しい串\r\n"));
    EXPECT_TRUE(GetFileAttributesW(zelkor.ListPath().c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(WaitUntil([&] {
        return MainListItems() == std::vector<std::wstring>{L"10.0.0.1", L"new.example.jp"};
    }));
}

TEST_F(EditingWindowsE2E, CancelKeepsTheEditorAndNoLeavesTheFileAndTheMainListAsTheyWere) {
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    Pick(list, 0);
    Press(EditorButton(editor, L"削除"));
    ASSERT_EQ(zelkor.AnswerNextBox(IDYES).title, Texts::kCloseTitle);
    EXPECT_TRUE(WaitUntil([&] { return ItemCount(list) == 1; }));

    Close(editor);
    ASSERT_EQ(zelkor.AnswerNextBox(IDCANCEL).title, Texts::kEditorSaveTitle);
    EXPECT_TRUE(IsWindowVisible(editor));
    ChooseMenu(editor, EditorMenu::Exit);
    ASSERT_EQ(zelkor.AnswerNextBox(IDNO).title, Texts::kEditorSaveTitle);
    ASSERT_TRUE(Gone(editor));
    EXPECT_EQ(zelkor.ListFile(), Ansi(kSampleList));
    EXPECT_TRUE(WaitUntil([&] {
        return MainListItems() == std::vector<std::wstring>{L"proxy.example.jp", L"10.0.0.1"};
    }));
}

TEST_F(EditingWindowsE2E, ChangeOrDeleteWithNoLineSelectedSaysSoInTheStatusLine) {
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(editor) == EditorButton(editor, L"追加"); }));
    HWND status = ChildrenOf(editor, L"Static").at(0);
    Press(EditorButton(editor, L"変更"));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(status) == Texts::kSelectFirst; }));
    Pick(list, 0);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(status).empty(); }));
    Press(EditorButton(editor, L"終了"));
    ASSERT_TRUE(Gone(editor)) << "nothing changed, so nothing is asked";
}

TEST_F(EditingWindowsE2E, TheEntryDialogsMasksFilterAndOverwriteWhatIsTyped) {
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    HWND dialog = OpenEntryDialog(editor, L"追加", L"Proxy追加");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(FocusIn(dialog), boxes[0]);
    EXPECT_EQ(AccessibleNameOf(boxes[0]), L"サーバアドレス");
    EXPECT_EQ(AccessibleNameOf(boxes[1]), L"ポート番号");
    EXPECT_EQ(AccessibleNameOf(boxes[2]), L"コメント");

    Type(boxes[0], L"ａhost,ｶﾅ\"");
    EXPECT_EQ(TextOf(boxes[0]), L"host,ｶﾅ\"") << "full width dropped, single-byte kept";
    Type(boxes[1], L"8a0-８8.0 ");
    EXPECT_EQ(TextOf(boxes[1]), L"80-8.0 ");
    SendMessageW(boxes[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"8080"));
    SetCaret(boxes[1], 0);
    Type(boxes[1], L"3");
    EXPECT_EQ(TextOf(boxes[1]), L"3080");
    SetCaret(boxes[1], 0, 2);
    Type(boxes[1], L"9");
    EXPECT_EQ(TextOf(boxes[1]), L"980");
    SetCaret(boxes[1], 3);
    Type(boxes[1], L"\b");
    EXPECT_EQ(TextOf(boxes[1]), L"98");
    Type(boxes[2], L"ab");
    SetCaret(boxes[2], 1);
    Type(boxes[2], L"社c");
    EXPECT_EQ(TextOf(boxes[2]), L"a社c") << "double-byte inserted, single-byte overwrites";

    PressKey(boxes[1], VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(dialog) == boxes[2]; }));
    SendMessageW(boxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"  "));
    Press(ChildWithText(dialog, L"Button", L"追加"));
    HWND status = ChildrenOf(dialog, L"Static").at(0);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(status) == Texts::kRequired; }));
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(dialog) == boxes[0]; }));

    // A character that Shift-JIS has no place for is refused by name; what was typed stays.
    SendMessageW(boxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"host"));
    Type(boxes[2], L"프");
    Press(ChildWithText(dialog, L"Button", L"追加"));
    EXPECT_EQ(zelkor.AnswerNextBox(IDOK).prompt, Texts::Unfitting(L"コメント", L"프"));
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(dialog) == boxes[2]; }));
    EXPECT_EQ(TextOf(boxes[2]), L"a社c프");
    EXPECT_EQ(ItemCount(list), 2);
    PressKey(boxes[0], VK_ESCAPE);
    ASSERT_TRUE(Gone(dialog));
    EXPECT_EQ(ItemCount(list), 2) << "Escape stores nothing";
}

TEST_F(EditingWindowsE2E, TheTrialWindowConnectsWithProxyServerOnlyAndAppendsItsLine) {
    ChooseMenu(main, MainMenu::ProxyTest);
    HWND trial = zelkor.WaitForForm(Texts::kTrialCaption);
    ASSERT_TRUE(trial);
    const std::vector<HWND> trialBoxes = ChildrenOf(trial, L"Edit");
    HWND connect = ChildWithText(trial, L"Button", L"接続");
    HWND save = ChildWithText(trial, L"Button", L"一覧登録");
    EXPECT_EQ(TextOf(trialBoxes[1]), L"8080");
    EXPECT_FALSE(IsWindowEnabled(connect));
    EXPECT_FALSE(IsWindowEnabled(save));
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(trial) == trialBoxes[0]; }));
    EXPECT_EQ(AccessibleNameOf(trialBoxes[0]), L"サーバアドレス");
    EXPECT_EQ(AccessibleNameOf(trialBoxes[1]), L"ポート番号");

    Type(trialBoxes[0], L"try.example.jp");
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(connect) && IsWindowEnabled(save); }));
    Screenshot(L"trial-window", trial);

    // The user goes to another program and comes back: the box they were in has the focus.
    PressKey(trialBoxes[0], VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(trial) == trialBoxes[1]; }));
    {
        OtherProgram other;
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.Window(); }));
        // The program hears of it a moment later, in its own thread.
        EXPECT_TRUE(WaitUntil([&] { return FocusIn(trial) != trialBoxes[1]; }));
    }
    SetForegroundWindow(trial);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(trial) == trialBoxes[1]; }));

    // A pasted look-alike: "ö" would reach the registry as "o", another host.
    SendMessageW(trialBoxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"pr\u00f6xy.example.jp"));
    Press(connect);
    EXPECT_EQ(zelkor.AnswerNextBox(IDOK).prompt, Texts::kWriteError);
    EXPECT_TRUE(Holds("ProxyServer", REG_SZ, Sz(kSampleServer)));
    SendMessageW(trialBoxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"try.example.jp"));

    Press(connect);
    EXPECT_TRUE(WaitForSetting("ProxyServer", REG_SZ, Sz("http=try.example.jp:8080")));
    EXPECT_TRUE(Holds("ProxyEnable", REG_DWORD, Dword(1)));

    Press(save);
    const MessageBoxSeen question = zelkor.AnswerNextBox(IDYES);
    EXPECT_EQ(question.title, L"保存");
    EXPECT_EQ(question.prompt, L"このプロクシを追加してよろしいですか？");
    EXPECT_TRUE(WaitUntil(
        [&] { return zelkor.ListFile() == Ansi(kSampleList + L"try.example.jp,8080,\r\n"); }));

    Press(ChildWithText(trial, L"Button", L"終了"));
    ASSERT_TRUE(Gone(trial));
    HWND address = ControlsOf(main).address;
    EXPECT_TRUE(WaitUntil([&] { return TextOf(address) == L"ｱﾄﾞﾚｽ[http=try.example.jp]"; }));
    EXPECT_EQ(MainListItems().size(), 3u);
}

TEST_F(EditingWindowsE2E, TheAboutBoxOpensCentredAndTheTrayIconDoesNothingWhileItIsUp) {
    ChooseMenu(main, MainMenu::About);
    HWND about = zelkor.WaitForForm(Texts::kAboutCaption);
    ASSERT_TRUE(about);
    const RECT r = RectOf(about), screen = ScreenRect();
    EXPECT_NEAR((r.left + r.right) / 2, screen.right / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, screen.bottom / 2, 1);
    HWND close = ChildWithText(about, L"Button", L"閉じる");
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(about) == close; }));
    EXPECT_TRUE(WaitUntil([&] { return PictureFillsItsBox(about); }, 3000));
    Screenshot(L"about-box", about);

    // A left press on the icon, then Enter: the box closes only after the press was handled.
    HWND address = ControlsOf(main).address;
    SetProxyInForce("HTTP=other.example.jp:3128", true);
    PostTrayMessage(main, WM_LBUTTONDOWN);
    PressKey(close, VK_RETURN);
    ASSERT_TRUE(Gone(about)) << "Enter presses the focused button";
    EXPECT_EQ(TextOf(address), L"ｱﾄﾞﾚｽ[HTTP=proxy.example.jp]");
    ClickAt(TrayIconPoint(main));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(address) == L"ｱﾄﾞﾚｽ[HTTP=other.example.jp]"; }));
}

// A dark contrast theme's colours, which the program takes when it starts; the colours from
// before come back at the end.
class DarkThemeE2E : public EditingWindowsE2E {
protected:
    static constexpr INT kParts[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT};
    static constexpr COLORREF kText = RGB(255, 255, 0), kTheme[] = {0, kText, 0, kText};
    void SetUp() override { SetSysColors(4, kParts, kTheme); }
    void TearDown() override { SetSysColors(4, kParts, before_); }
    // The first text of the window not in the theme's colour once painted; empty when none.
    static std::wstring UnreadText(HWND window) {
        const auto unread = [&]() -> std::wstring {
            for (const wchar_t* cls : {L"Static", L"Button", L"Edit", L"ListBox"})
                for (HWND child : ChildrenOf(window, cls)) {
                    const std::wstring text = ItemCount(child) ? ItemText(child, 0) : TextOf(child);
                    const auto least = static_cast<int>(5 * text.size());  // more than a tick
                    if (IsWindowEnabled(child) && PixelsOfColor(child, kText) < least) return text;
                }
            return IsWindow(window) ? L"" : L"(no window)";
        };
        // The splash lives a second or two: the first pass that reads it whole is the answer.
        const std::wstring name = L"dark-" + TextOf(window);
        std::wstring found;
        WaitUntil([&] { return (found = unread()).empty(); }, 5000);
        Screenshot(name, window);
        return found;
    }
    const COLORREF before_[4] = {GetSysColor(kParts[0]), GetSysColor(kParts[1]),
                                 GetSysColor(kParts[2]), GetSysColor(kParts[3])};
};

// Each window, the editing windows with a message in their status lines.
TEST_F(DarkThemeE2E, EveryWindowShowsItsTextsInTheThemesColours) {
    SetProxyInForce(kSampleServer, true);
    zelkor.Start();
    EXPECT_EQ(UnreadText(zelkor.WaitForForm(L"Form1")), L"");
    ASSERT_TRUE(zelkor.WaitForStartup() && zelkor.ShowFromTray());
    main = zelkor.MainWindow();
    EXPECT_EQ(UnreadText(main), L"");
    for (const auto& [menu, caption] : {std::pair{MainMenu::About, Texts::kAboutCaption},
                                        {MainMenu::ProxyTest, Texts::kTrialCaption},
                                        {MainMenu::ProxyEdit, Texts::kEditorCaption}}) {
        ChooseMenu(main, menu);
        EXPECT_EQ(UnreadText(zelkor.WaitForForm(caption)), L"") << caption;
        if (menu != MainMenu::ProxyEdit) Close(zelkor.Form(caption));
    }
    HWND editor = zelkor.Form(Texts::kEditorCaption);
    SendMessageW(EditorButton(editor, L"変更"), BM_CLICK, 0, 0);  // nothing selected
    EXPECT_EQ(UnreadText(editor), L"");
    HWND dialog = OpenEntryDialog(editor, L"追加", L"Proxy追加");
    SendMessageW(ChildWithText(dialog, L"Button", L"追加"), BM_CLICK, 0, 0);  // boxes empty
    EXPECT_EQ(UnreadText(dialog), L"");
}

// Another program held the list at start-up: what the user saves later never costs the list.
TEST(LockedListE2E, AListThatCouldNotBeReadIsKeptWhenTheEditorSaves) {
    SetProxyInForce(kSampleServer, true);
    Zelkor zelkor(Ansi(kSampleList));
    HANDLE held =
        CreateFileW(zelkor.ListPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    zelkor.Start();
    EXPECT_EQ(zelkor.AnswerNextBox(IDOK).title, Texts::kListUnreadableTitle);
    ASSERT_TRUE(zelkor.WaitForStartup());
    CloseHandle(held);

    ASSERT_TRUE(zelkor.ShowFromTray());
    ASSERT_TRUE(zelkor.AddEntryAndSave(L"new.example.jp", L"8000"));
    EXPECT_EQ(zelkor.AnswerNextBox(IDOK).prompt,
              Texts::kKeptUnreadable + L"\r\n" + zelkor.ListPath().wstring() + L".bak");
    EXPECT_TRUE(
        WaitUntil([&] { return zelkor.ListFile() == std::string("new.example.jp,8000,\r\n"); }));
    EXPECT_EQ(zelkor.FileBeside(L"PROXYLIST.DAT.bak"), Ansi(kSampleList));
}

// Sign-out asks the main window to close while a modal window is up; Yes ends the program.
TEST_F(EditingWindowsE2E, SignOutWithTheEditorOpenEndsTheProgramAndNothingComesBack) {
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    PostMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_EQ(zelkor.AnswerNextBox(IDYES).title, Texts::kCloseTitle);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(main) || !zelkor.Running(); }, 10000, 1));
    bool mainCameBack = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            mainCameBack = mainCameBack || zelkor.MainWindow() != nullptr;
            return !zelkor.Running();
        },
        10000, 1));
    EXPECT_FALSE(mainCameBack);
    EXPECT_FALSE(IconShown(main)) << "no icon added on the way out";
}

TEST(LargeListE2E, AFullListOf32767EntriesFillsTheDropDownAndTheEditor) {
    std::wstring lines;
    for (int i = 0; i < 32767; ++i)
        lines += L"host" + std::to_wstring(i) + L".example.jp,8080,\r\n";
    SetProxyInForce(kSampleServer, true);
    Zelkor zelkor(Ansi(lines));
    ASSERT_TRUE(zelkor.StartShown(60000));
    HWND main = zelkor.MainWindow();
    HWND servers = ChildrenOf(main, L"ComboBox").at(0);
    EXPECT_EQ(ItemCount(servers), 32767);
    EXPECT_EQ(ItemText(servers, 32766), L"host32766.example.jp");

    ChooseMenu(main, MainMenu::ProxyEdit);
    HWND editor = zelkor.WaitForForm(Texts::kEditorCaption, 60000);
    ASSERT_TRUE(editor);
    HWND list = ChildrenOf(editor, L"ListBox").at(0);
    EXPECT_EQ(ItemCount(list), 32767);
    EXPECT_EQ(ItemText(list, 32766).substr(0, 20), L"host32766.example.jp");
    Close(editor);
    EXPECT_TRUE(Gone(editor, 60000)) << "nothing changed, nothing asked";
}

}  // namespace
}  // namespace e2e

// The masks, the entry dialog, the list editor and the trial window, over the headless toolkit.

#include "tests/support/HeadlessApp.h"
#include "tests/support/Texts.h"
#include "text/AnsiText.h"
#include "ui/editor/Frm_Edit.h"
#include "ui/editor/Frm_EditSub.h"
#include "ui/trial/Frm_ZelkorOrder.h"

namespace {

using Headless::Click;
using Headless::Type;

class Editor : public ::testing::Test {
protected:
    Editor() {
        h.t.WriteList("a.example,8080,first\r\nb.example,3128,\r\n");
        MainBas::LoadProxyList(h.app);
    }
    // The entry dialog gets these texts, then `button` is pressed.
    void NextDialog(std::wstring address, std::wstring port, std::wstring comment,
                    int button = 100) {
        Headless::OnModal(L"Frm_EditSub", [=](Form& dialog) {
            const std::wstring texts[] = {address, port, comment};
            for (int i = 0; i < 3; ++i) dialog.Ctl(L"Txt_Body", i).SetText(texts[i]);
            Click(dialog.Ctl(L"CmdPF", button));
        });
    }
    void Open(std::function<void(Form&)> script) {
        Headless::OnModal(L"Frm_Edit", std::move(script));
        Frm_Edit editor(h.app);
        editor.form().ShowModal();
    }
    // The entry dialog opened to add an entry, the user doing `script` in it.
    void OpenEntryDialog(std::function<void(Form&)> script) {
        h.app.state.EditMode = EditModes::Add;
        Headless::OnModal(L"Frm_EditSub", std::move(script));
        Frm_EditSub dialog(h.app);
        dialog.form().ShowModal();
    }
    HeadlessApp h;
};

// The port takes digits and a few signs, the address single-byte characters, each typed over
// the next character; the comment takes double-byte characters too, inserted.
TEST_F(Editor, TheEntryDialogsMasksFilterAndOverwriteWhatIsTyped) {
    OpenEntryDialog([](Form& d) {
        Control &address = d.Ctl(L"Txt_Body", 0), &port = d.Ctl(L"Txt_Body", 1),
                &comment = d.Ctl(L"Txt_Body", 2);
        Type(port, L"8a0-8 .0x");
        EXPECT_EQ(port.Text(), L"80-8 .0");
        port.SetText(L"8080");
        port.SetSelection(0, 0);
        Type(port, L"3");
        EXPECT_EQ(port.Text(), L"3080");
        EXPECT_EQ(port.SelStart(), 1);
        port.SetSelection(0, 2);
        Type(port, L"9");
        EXPECT_EQ(port.Text(), L"980");
        port.SetText(L"8080");
        port.SetSelection(4, 0);
        Type(port, L"1\x16\x03\r");  // a fifth digit fits; Ctrl+V, Ctrl+C and Enter are dropped
        EXPECT_EQ(port.Text(), L"80801");
        Type(port, L"\b");
        EXPECT_EQ(port.Text(), L"8080");

        Type(address, L"ﾌﾟﾛｷｼ.example:ＡＢあ");
        EXPECT_EQ(address.Text(), L"ﾌﾟﾛｷｼ.example:");
        Type(address, std::wstring(20, L'a'));
        EXPECT_EQ(address.Text().size(), 34u);  // no length limit
        Type(comment, L"abcd");
        comment.SetSelection(1, 0);
        Type(comment, L"社");
        EXPECT_EQ(comment.Text(), L"a社bcd");
        Type(comment, L"X");
        EXPECT_EQ(comment.Text(), L"a社Xcd");
    });
}

TEST_F(Editor, AddThenSaveWritesTheNewLastLine) {
    NextDialog(L" c.example ", L" 1 ", L" 社内 ");
    Open([&](Form& f) {
        Click(f.Ctl(L"CmdPF", 200));
        EXPECT_EQ(f.Ctl(L"Lst_Body").ListIndex(), 2);
        Headless::Answer(MsgAnswer::Yes);
        Click(f.Ctl(L"CmdPF", 199));
    });
    EXPECT_EQ(Headless::Boxes().back().title, Texts::kEditorSaveTitle);
    EXPECT_EQ(h.t.ListBytes(),
              "a.example,8080,first\r\nb.example,3128,\r\nc.example,1,\x8e\xd0\x93\xe0\r\n");
}

TEST_F(Editor, NoLeavesTheFileAndCancelKeepsTheWindow) {
    NextDialog(L"c", L"1", L"");
    Open([&](Form& f) {
        Click(f.Ctl(L"CmdPF", 200));
        Headless::Answer(MsgAnswer::Cancel);
        Click(f.Ctl(L"CmdPF", 199));
        EXPECT_TRUE(f.Loaded());
        EXPECT_EQ(f.Ctl(L"Lst_Body").ListCount(), 3);
        Headless::Answer(MsgAnswer::No);
        Click(f.Ctl(L"CmdPF", 199));
    });
    EXPECT_EQ(h.t.ListBytes(), "a.example,8080,first\r\nb.example,3128,\r\n");
}

TEST_F(Editor, ChangeAndDeleteNeedASelection) {
    Open([&](Form& f) {
        Click(f.Ctl(L"CmdPF", 210));
        EXPECT_EQ(f.Ctl(L"Lbl_SysMsg").Text(), Texts::kSelectFirst);
        Click(f.Ctl(L"CmdPF", 220));
        EXPECT_EQ(f.Ctl(L"Lbl_SysMsg").Text(), Texts::kSelectFirst);
        Headless::Pick(f.Ctl(L"Lst_Body"), 0);
        EXPECT_EQ(f.Ctl(L"Lbl_SysMsg").Text(), L"");
    });
    EXPECT_EQ(Headless::Boxes().size(), 0u);  // nothing changed, nothing asked
}

TEST_F(Editor, DeleteAsksAndMovesTheRestUp) {
    Open([&](Form& f) {
        Headless::Pick(f.Ctl(L"Lst_Body"), 0);
        Headless::Answer(MsgAnswer::No);
        Click(f.Ctl(L"CmdPF", 220));
        EXPECT_EQ(h.app.state.ProxyLastIndex(), 1);
        Headless::Answer(MsgAnswer::Yes);
        Click(f.Ctl(L"CmdPF", 220));
        EXPECT_EQ(h.app.state.ProxyTable[0].Address, L"b.example");
        EXPECT_EQ(f.Ctl(L"Lst_Body").ListIndex(), -1);
        Headless::Answer(MsgAnswer::Yes);
    });
    EXPECT_EQ(Headless::Boxes()[0].prompt, L"Proxy:a.exampleを削除します。\n\rよろしいですか？");
    EXPECT_EQ(Headless::Boxes()[0].style & 0xF0, MsgStyle::Question);
    EXPECT_EQ(h.t.ListBytes(), "b.example,3128,\r\n");
}

// The list shows the address and the port in columns of 25 and 6 characters.
TEST_F(Editor, DoubleClickChangesThatLine) {
    const std::wstring address(30, L'z');
    NextDialog(address, L"1234567", L"changed");
    Open([&](Form& f) {
        Headless::DoubleClick(f.Ctl(L"Lst_Body"), 1);
        EXPECT_EQ(h.app.state.ProxyTable[1], (ProxyEntry{address, L"1234567", L"changed"}));
        EXPECT_EQ(f.Ctl(L"Lst_Body").Items(),
                  (std::vector<std::wstring>{L"a.example                 8080   first",
                                             address.substr(0, 25) + L" 123456 changed"}));
        EXPECT_EQ(f.Ctl(L"Lst_Body").ListIndex(), 1);
        Headless::Answer(MsgAnswer::No);
    });
}

TEST_F(Editor, FailedSaveKeepsTheWindowOpen) {
    NextDialog(L"c", L"1", L"");
    std::filesystem::create_directory(h.t.ListPath().string() + ".new");  // the save cannot write
    Open([&](Form& f) {
        Click(f.Ctl(L"CmdPF", 200));
        Headless::Answer(MsgAnswer::Yes);
        Click(f.Ctl(L"CmdPF", 199));
        EXPECT_TRUE(f.Loaded());
        EXPECT_EQ(Headless::Boxes().back().prompt.rfind(Texts::kListNotSaved, 0), 0u);
        Headless::Answer(MsgAnswer::No);
    });
    EXPECT_EQ(h.t.ListBytes(), "a.example,8080,first\r\nb.example,3128,\r\n");
}

TEST_F(Editor, EntryDialogChecksAndKeys) {
    OpenEntryDialog([&](Form& d) {
        EXPECT_EQ(d.Caption(), L"Proxy追加");
        Type(d.Ctl(L"Txt_Body", 0), L"   ");
        Click(d.Ctl(L"CmdPF", 100));
        EXPECT_EQ(d.Ctl(L"Lbl_SysMsg").Text(), Texts::kRequired);
        EXPECT_EQ(Headless::Focused(), &d.Ctl(L"Txt_Body", 0));
        Type(d.Ctl(L"Txt_Body", 0), L"h");
        EXPECT_EQ(d.Ctl(L"Lbl_SysMsg").Text(), L"");
        Headless::PressKey(d.Ctl(L"Txt_Body", 0), Key::Return);
        EXPECT_EQ(Headless::Focused(), &d.Ctl(L"Txt_Body", 1));
        Headless::PressKey(d.Ctl(L"Txt_Body", 1), Key::Return);
        EXPECT_EQ(Headless::Focused(), &d.Ctl(L"Txt_Body", 2));
        Click(d.Ctl(L"CmdPF", 100));
        EXPECT_EQ(Headless::Focused(), &d.Ctl(L"Txt_Body", 1));
        Headless::PressKey(d.Ctl(L"Txt_Body", 2), Key::Escape);
        EXPECT_FALSE(d.Loaded());
    });
    EXPECT_EQ(h.app.state.EditMode, EditModes::Add);
    EXPECT_EQ(h.app.state.ProxyLastIndex(), 1);
}

// Pasted text is not filtered: a character the file cannot hold is refused, never stored.
TEST_F(Editor, TheEntryDialogRefusesACharacterTheFileCannotHoldAndKeepsWhatWasTyped) {
    OpenEntryDialog([&](Form& d) {
        Type(d.Ctl(L"Txt_Body", 0), L"h");
        Type(d.Ctl(L"Txt_Body", 1), L"1");
        d.Ctl(L"Txt_Body", 2).SetText(L"社内 프록시");
        Click(d.Ctl(L"CmdPF", 100));
        EXPECT_TRUE(d.Loaded());
        EXPECT_EQ(d.Ctl(L"Txt_Body", 2).Text(), L"社内 프록시");
        EXPECT_EQ(Headless::Focused(), &d.Ctl(L"Txt_Body", 2));
        Headless::PressKey(d.Ctl(L"Txt_Body", 2), Key::Escape);
    });
    EXPECT_EQ(h.app.state.ProxyLastIndex(), 1);
    EXPECT_EQ(Headless::Prompts(), std::vector<std::wstring>{Texts::Unfitting(L"コメント", L"프")});
}

TEST_F(Editor, AListTheWindowCannotHoldWholeIsNotShownAtAll) {
    Headless::RefuseListItemsFrom(1);
    Open([&](Form& f) {
        EXPECT_EQ(f.Ctl(L"Lst_Body").ListCount(), 0);
        Click(f.Ctl(L"CmdPF", 220));
        EXPECT_EQ(f.Ctl(L"Lbl_SysMsg").Text(), Texts::kSelectFirst);
    });
    EXPECT_EQ(Headless::Prompts(), std::vector<std::wstring>{Texts::kListNotShown});
    EXPECT_EQ(h.app.state.ProxyLastIndex(), 1);
}

class Trial : public Editor {
protected:
    void OpenTrial(std::function<void(Form&)> script) {
        Headless::OnModal(L"Frm_ZelkorOrder", std::move(script));
        Form main{L"Frm_Main", L"", 100, 100};
        Frm_ZelkorOrder trial(h.app, main);
        trial.form().ShowModal();
    }
};

TEST_F(Trial, ButtonsNeedBothBoxes) {
    OpenTrial([&](Form& f) {
        EXPECT_EQ(f.Ctl(L"Txt_Body", 1).Text(), L"8080");
        EXPECT_FALSE(f.Ctl(L"CmdPF", 100).Enabled());
        EXPECT_FALSE(f.Ctl(L"CmdPF", 110).Enabled());
        Type(f.Ctl(L"Txt_Body", 0), L" ");
        EXPECT_FALSE(f.Ctl(L"CmdPF", 100).Enabled());
        Type(f.Ctl(L"Txt_Body", 0), L"x");
        EXPECT_TRUE(f.Ctl(L"CmdPF", 100).Enabled());
        EXPECT_TRUE(f.Ctl(L"CmdPF", 110).Enabled());
        f.Ctl(L"Txt_Body", 1).SetText(L"  ");
        EXPECT_FALSE(f.Ctl(L"CmdPF", 110).Enabled());
        // The masks: the address takes single-byte characters, the port its few.
        Type(f.Ctl(L"Txt_Body", 0), L"あy");
        EXPECT_EQ(f.Ctl(L"Txt_Body", 0).Text(), L" xy");
        f.Ctl(L"Txt_Body", 1).SetText(L"");
        Type(f.Ctl(L"Txt_Body", 1), L"8a0y");
        EXPECT_EQ(f.Ctl(L"Txt_Body", 1).Text(), L"80");
    });
}

TEST_F(Trial, ConnectWritesTheServerOnlyAndSaveAppends) {
    h.t.PutEnableByte(0);
    OpenTrial([&](Form& f) {
        Type(f.Ctl(L"Txt_Body", 0), L" t.example ");
        Click(f.Ctl(L"CmdPF", 100));
        Headless::Answer(MsgAnswer::No);
        Click(f.Ctl(L"CmdPF", 110));
        Headless::Answer(MsgAnswer::Yes);
        Click(f.Ctl(L"CmdPF", 110));
        EXPECT_TRUE(f.Loaded());
    });
    EXPECT_EQ(h.t.Stored("ProxyServer")->bytes, Sz("http=t.example:8080"));
    EXPECT_EQ(h.t.Stored("ProxyEnable")->bytes, std::vector<uint8_t>{0});
    EXPECT_EQ(h.app.state.NowProxyName, L"t.example");
    EXPECT_EQ(Headless::Boxes()[0].title, L"保存");
    EXPECT_EQ(h.t.ListBytes(), "a.example,8080,first\r\nb.example,3128,\r\nt.example,8080,\r\n");
}

// A pasted look-alike must not put another host into force or into the list.
TEST_F(Trial, APastedAddressTheCodePageCannotHoldIsNeitherConnectedNorSaved) {
    OpenTrial([&](Form& f) {
        f.Ctl(L"Txt_Body", 0).SetText(L"pr\u00f6xy.example.jp");
        Click(f.Ctl(L"CmdPF", 100));
        Click(f.Ctl(L"CmdPF", 110));
    });
    EXPECT_EQ(h.t.Stored("ProxyServer")->bytes, Sz("HTTP=a.example:8080"));
    EXPECT_EQ(Headless::Prompts(),
              (std::vector<std::wstring>{Texts::kWriteError,
                                         Texts::Unfitting(L"サーバアドレス", L"\u00f6")}));
    EXPECT_EQ(h.t.ListBytes(), "a.example,8080,first\r\nb.example,3128,\r\n");
}

// A full list takes no entry more, from the editor or the trial window: said, nothing written.
TEST_F(Trial, AFullListTakesNoMoreEntriesFromEitherWindow) {
    h.app.state.ProxyTable.resize(kMaxProxyEntries, {L"h", L"1", L""});
    Headless::OnModal(L"Frm_EditSub", [](Form& d) {
        Type(d.Ctl(L"Txt_Body", 0), L"c");
        Type(d.Ctl(L"Txt_Body", 1), L"1");
        Click(d.Ctl(L"CmdPF", 100));
        EXPECT_TRUE(d.Loaded()) << "what was typed stays";
    });
    Open([](Form& f) { Click(f.Ctl(L"CmdPF", 200)); });
    OpenTrial([](Form& f) {
        Type(f.Ctl(L"Txt_Body", 0), L"t.example");
        Headless::Answer(MsgAnswer::Yes);
        Click(f.Ctl(L"CmdPF", 110));
    });
    EXPECT_EQ(Headless::Prompts(),
              (std::vector<std::wstring>{
                  Texts::kListFull, L"このプロクシを追加してよろしいですか？", Texts::kListFull}));
    EXPECT_EQ(h.app.state.ProxyTable.size(), static_cast<size_t>(kMaxProxyEntries));
    EXPECT_EQ(h.t.ListBytes(), "a.example,8080,first\r\nb.example,3128,\r\n");
}

// Screen readers name a box by the label just before it in the window's stacking order; Tab
// follows the same order over the controls that take the focus.
TEST(ScreenReaders, EveryBoxIsNamedByItsLabelAndTabKeepsTheDesignedOrder) {
    HeadlessApp h;
    Form main{L"Frm_Main", L"", 100, 100};
    Frm_EditSub entry(h.app);
    Frm_ZelkorOrder trial(h.app, main);
    struct Window {
        Form& form;
        std::vector<std::wstring> names;     // of Txt_Body(0), (1), ...
        std::vector<std::wstring> tabOrder;  // name and index of each control Tab reaches
    };
    const Window windows[] = {
        {entry.form(),
         {L"サーバアドレス", L"ポート番号", L"コメント"},
         {L"Txt_Body0", L"Txt_Body1", L"Txt_Body2", L"CmdPF100", L"CmdPF110"}},
        {trial.form(),
         {L"サーバアドレス", L"ポート番号"},
         {L"Txt_Body0", L"Txt_Body1", L"CmdPF100", L"CmdPF199", L"CmdPF110"}},
    };
    for (const Window& w : windows) {
        const std::vector<Control*> order = w.form.StackingOrder();
        EXPECT_EQ(order.size(), w.form.Controls().size()) << w.form.name();
        std::vector<std::wstring> reached;
        for (size_t i = 0; i < order.size(); ++i) {
            const Control& c = *order[i];
            if (c.TakesFocus()) reached.push_back(c.name() + std::to_wstring(c.index()));
            if (c.kind() != ControlKind::TextBox) continue;
            ASSERT_GT(i, 0u) << w.form.name();
            EXPECT_EQ(order[i - 1]->kind(), ControlKind::Label) << w.form.name() << c.index();
            EXPECT_EQ(order[i - 1]->Text(), w.names.at(static_cast<size_t>(c.index())))
                << w.form.name();
        }
        EXPECT_EQ(reached, w.tabOrder) << w.form.name();
    }
}

// Text without a colour of its own takes the system's; a contrast theme takes the place of every
// fixed colour. (A dark one that the system does not report is the end-to-end test's.)
TEST(Themes, TextWithoutColoursTakesTheSystemsAndAContrastThemeReplacesTheFixedOnes) {
    HeadlessApp h;
    Frm_Edit editor(h.app);
    const Control& status = editor.form().Ctl(L"Lbl_SysMsg");
    Headless::SetSystemColors({{SystemColor::ButtonText, Rgb(0, 0, 128)}}, false);
    EXPECT_EQ(ColorsOf(editor.form().Ctl(L"Frame1")),
              (TextColors{Rgb(0, 0, 128), Rgb(240, 240, 240)}));
    const TextColors contrast{0, Rgb(255, 255, 255)};
    Headless::SetSystemColors(
        {{SystemColor::ButtonText, contrast.text}, {SystemColor::ButtonFace, contrast.back}}, true);
    EXPECT_EQ(ColorsOf(status), contrast);
}

}  // namespace

#pragma once
// The program under test: Zelkor.exe copied into a folder of its own with the list file the
// test gives it, started, and driven through its windows; and the registry values it writes.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "e2e/Desktop.h"
#include "tests/support/Bytes.h"
#include "tests/support/Texts.h"
#include "ui/toolkit/win32/NativeIds.h"

namespace e2e {

// Command numbers of the menu items, numbered by the toolkit in menu order.
namespace MainMenu {
constexpr UINT ProxyEdit = Win32::kFirstMenuId, ProxyTest = ProxyEdit + 1,
               AllProtocols = ProxyEdit + 2, Exit = ProxyEdit + 4, About = ProxyEdit + 5;
}
namespace EditorMenu {
constexpr UINT Exit = Win32::kFirstMenuId;
}

inline const std::wstring kFormClass = Win32::kFormClass;

// The main window's labels of the server in force, its check box, server list and comment.
struct MainControls {
    HWND address, port, check, servers, comment;
};
MainControls ControlsOf(HWND main);

class Zelkor {
public:
    // `listFile` null: no PROXYLIST.DAT beside the program. `exe`: the program to copy there.
    // `parent`: where the program's folder is made, the temporary folder when empty.
    explicit Zelkor(const std::optional<std::string>& listFile,
                    const std::wstring& exe = PathFromEnvironment(L"ZELKOR_EXE"),
                    const std::filesystem::path& parent = {});
    ~Zelkor();
    Zelkor(const Zelkor&) = delete;
    Zelkor& operator=(const Zelkor&) = delete;

    void Start();
    // Start-up is over: the main window exists and the splash is gone.
    bool WaitForStartup(int timeoutMs = 15000);
    // Started, and the main window shown from the tray once start-up is over.
    bool StartShown(int timeoutMs = 15000);
    bool Running() const;
    bool WaitForExit(int timeoutMs = 10000) const;
    DWORD Pid() const { return process_.dwProcessId; }
    HANDLE Process() const { return process_.hProcess; }

    HWND MainWindow() const { return WindowOf(Pid(), Texts::kMainCaption, kFormClass); }
    HWND Form(const std::wstring& caption) const { return WindowOf(Pid(), caption, kFormClass); }
    HWND WaitForForm(const std::wstring& caption, int timeoutMs = 10000) const;
    // Shows the main window with a real left click on the tray icon.
    bool ShowFromTray() const;
    // Ends the program through its own close question.
    bool Quit();
    // Presses `button` in the program's next message box: what the box showed, or, when none
    // came, a box titled "(no message box)".
    MessageBoxSeen AnswerNextBox(int button, int timeoutMs = 10000) const;
    // Opens the list editor from the main window and adds an entry through the entry dialog;
    // the editor, holding the entry unsaved, or null.
    HWND EditorWithNewEntry(const std::wstring& address, const std::wstring& port) const;
    // The same, then "終了" and Yes to the save question; what the save says is the caller's.
    bool AddEntryAndSave(const std::wstring& address, const std::wstring& port) const;
    // "終了" and Yes to the save question, in an editor that holds unsaved entries.
    bool SaveFromEditor(HWND editor) const;
    // Opens the trial window from the main window, types a server, presses "接続" and "終了";
    // true once the window has gone.
    bool ConnectFromTrialWindow(const std::wstring& address, const std::wstring& port) const;

    std::filesystem::path ListPath() const { return folder_.path() / L"PROXYLIST.DAT"; }
    std::optional<std::string> ListFile() const { return FileBeside(L"PROXYLIST.DAT"); }
    // A file in the program's folder, when there is one of that name.
    std::optional<std::string> FileBeside(const std::wstring& name) const;

    // What the process costs: on Windows as Windows counts it; under Wine, which counts no
    // private bytes of its own, as Linux counts it, read through Z:\proc.
    struct Footprint {
        long residentKb = 0;
        long privateKb = 0;
        double cpuSeconds = 0;
    };
    std::optional<Footprint> Measure() const;
    // The same once the private memory has stopped moving: two readings half a second apart
    // agree.
    std::optional<Footprint> SettledFootprint() const;

private:
    TempFolder folder_;
    std::filesystem::path exe_;
    PROCESS_INFORMATION process_{};
};

// The per-user Internet settings, read and written with advapi32 only (never WinINet, which
// rewrites ProxyEnable when it loads).
struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<uint8_t> bytes;
};
std::optional<StoredValue> ReadSetting(const char* name);
void WriteSetting(const char* name, DWORD type, const std::vector<uint8_t>& bytes);
void DeleteSetting(const char* name);
void SetProxyInForce(const std::string& server, bool on);
// Whether the value is stored with this type and these bytes; and the same, waited for.
bool Holds(const char* name, DWORD type, const std::vector<uint8_t>& bytes);
bool WaitForSetting(const char* name, DWORD type, const std::vector<uint8_t>& bytes);
inline std::vector<uint8_t> Dword(uint8_t value) { return {value, 0, 0, 0}; }

// Text in code page 932, as the list file holds it.
std::string Ansi(const std::wstring& text);

inline const std::wstring kSampleList = L"proxy.example.jp,8080,社内プロクシ\r\n10.0.0.1,3128,\r\n";
inline const std::string kSampleServer = "HTTP=proxy.example.jp:8080";

// The program started beside the sample list with the sample server in force and on, its
// start-up over.
class ZelkorInTray : public ::testing::Test {
protected:
    void SetUp() override {
        SetProxyInForce(kSampleServer, true);
        zelkor.Start();
        ASSERT_TRUE(zelkor.WaitForStartup());
        main = zelkor.MainWindow();
    }

    Zelkor zelkor{Ansi(kSampleList)};
    HWND main = nullptr;
};

// The same, its main window shown from the tray.
class ZelkorShown : public ZelkorInTray {
protected:
    void SetUp() override {
        ZelkorInTray::SetUp();
        ASSERT_TRUE(zelkor.ShowFromTray());
    }
};

}  // namespace e2e

#include "e2e/Zelkor.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstring>
#include <sstream>

namespace e2e {

namespace {

constexpr char kInternetSettings[] =
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\INTERNET SETTINGS";

class SettingsKey {
public:
    SettingsKey() {
        RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr);
    }
    ~SettingsKey() { RegCloseKey(key_); }
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

Zelkor::Zelkor(const std::optional<std::string>& listFile, const std::wstring& exe,
               const std::filesystem::path& parent)
    : folder_(parent), exe_(folder_.path() / std::filesystem::path(exe).filename()) {
    std::filesystem::copy_file(exe, exe_);
    if (listFile) WriteBytes(ListPath(), *listFile);
}

Zelkor::~Zelkor() {
    if (process_.hProcess) {
        if (Running() && !Quit()) {
            TerminateProcess(process_.hProcess, 1);
            WaitForExit();
            // The taskbar drops an icon whose window has gone when the mouse passes over it.
            MoveTo(TrayIconPoint());
            Sleep(200);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

void Zelkor::Start() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(exe_.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                   folder_.path().c_str(), &startup, &process_);
}

bool Zelkor::WaitForStartup(int timeoutMs) {
    return WaitUntil([this] { return MainWindow() && !Form(L"Form1"); }, timeoutMs);
}

bool Zelkor::StartShown(int timeoutMs) {
    Start();
    return WaitForStartup(timeoutMs) && ShowFromTray();
}

bool Zelkor::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Zelkor::WaitForExit(int timeoutMs) const {
    return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

MainControls ControlsOf(HWND main) {
    const std::vector<HWND> labels = ChildrenOf(main, L"Static");
    const std::vector<HWND> buttons = ChildrenOf(main, L"Button");  // two frames, the check box
    return {labels.at(0), labels.at(1), buttons.at(2), ChildrenOf(main, L"ComboBox").at(0),
            labels.at(3)};
}

HWND Zelkor::WaitForForm(const std::wstring& caption, int timeoutMs) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Form(caption)) != nullptr && IsWindowVisible(found); },
              timeoutMs);
    return found;
}

bool Zelkor::ShowFromTray() const {
    ClickAt(TrayIconPoint(MainWindow()));
    return WaitUntil([this] { return IsWindowVisible(MainWindow()); }, 5000);
}

bool Zelkor::Quit() {
    HWND main = MainWindow();
    if (!main) return false;
    for (HWND window : VisibleWindowsOf(Pid()))
        if (window != main) return false;  // a modal window or a message box is up
    Close(main);
    return AnswerNextBox(IDYES, 5000).hwnd && WaitForExit();
}

MessageBoxSeen Zelkor::AnswerNextBox(int button, int timeoutMs) const {
    const std::optional<MessageBoxSeen> box = WaitForMessageBox(Pid(), timeoutMs);
    if (!box) return {nullptr, L"(no message box)", L"", false, 0, {}};
    Answer(*box, button);
    return *box;
}

HWND Zelkor::EditorWithNewEntry(const std::wstring& address, const std::wstring& port) const {
    ChooseMenu(MainWindow(), MainMenu::ProxyEdit);
    HWND editor = WaitForForm(Texts::kEditorCaption);
    if (!editor) return nullptr;
    Press(ChildWithText(editor, L"Button", L"追加"));
    HWND dialog = WaitForForm(L"Proxy追加");
    if (!dialog) return nullptr;
    const std::vector<HWND> boxes = ChildrenOf(dialog, L"Edit");
    Type(boxes.at(0), address);
    Type(boxes.at(1), port);
    Press(ChildWithText(dialog, L"Button", L"追加"));
    return Gone(dialog) ? editor : nullptr;
}

bool Zelkor::AddEntryAndSave(const std::wstring& address, const std::wstring& port) const {
    HWND editor = EditorWithNewEntry(address, port);
    return editor && SaveFromEditor(editor);
}

bool Zelkor::ConnectFromTrialWindow(const std::wstring& address, const std::wstring& port) const {
    ChooseMenu(MainWindow(), MainMenu::ProxyTest);
    HWND trial = WaitForForm(Texts::kTrialCaption);
    if (!trial) return false;
    const std::vector<HWND> boxes = ChildrenOf(trial, L"Edit");
    Type(boxes.at(0), address);
    SetCaret(boxes.at(1), 0, static_cast<int>(TextOf(boxes.at(1)).size()));
    Type(boxes.at(1), port);
    Press(ChildWithText(trial, L"Button", L"接続"));
    Press(ChildWithText(trial, L"Button", L"終了"));
    return Gone(trial);
}

bool Zelkor::SaveFromEditor(HWND editor) const {
    Press(ChildWithText(editor, L"Button", L"終了"));
    return AnswerNextBox(IDYES).title == Texts::kEditorSaveTitle;
}

namespace {

long StatusKb(const std::string& status, const char* field) {
    const size_t at = status.find(field);
    return at == std::string::npos ? 0 : std::atol(status.c_str() + at + std::strlen(field));
}

}  // namespace

std::optional<std::string> Zelkor::FileBeside(const std::wstring& name) const {
    const std::filesystem::path file = folder_.path() / name;
    if (!std::filesystem::exists(file)) return std::nullopt;
    return ReadBytes(file);
}

namespace {

double Seconds(FILETIME time) {
    return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 |
                               time.dwLowDateTime) /
           1e7;
}

// What Windows itself counts for a process.
std::optional<Zelkor::Footprint> CountedByWindows(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    FILETIME created, ended, kernel, user;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                              sizeof memory) ||
        !GetProcessTimes(process, &created, &ended, &kernel, &user))
        return std::nullopt;
    return Zelkor::Footprint{static_cast<long>(memory.WorkingSetSize / 1024),
                             static_cast<long>(memory.PrivateUsage / 1024),
                             Seconds(kernel) + Seconds(user)};
}

}  // namespace

std::optional<Zelkor::Footprint> Zelkor::Measure() const {
    if (!UnderWine()) return CountedByWindows(Process());
    const std::string marker = folder_.path().filename().string();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(L"Z:\\proc", error)) {
        const std::wstring pid = entry.path().filename().wstring();
        if (pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
        if (ReadBytes(entry.path() / L"cmdline").find(marker) == std::string::npos) continue;
        const std::string status = ReadBytes(entry.path() / L"status");
        std::istringstream stat(ReadBytes(entry.path() / L"stat"));
        std::string field;
        double ticks = 0;
        for (int i = 1; i <= 15 && stat >> field; ++i)
            if (i == 14 || i == 15) ticks += std::atof(field.c_str());  // user and system time
        return Footprint{StatusKb(status, "VmRSS:"), StatusKb(status, "RssAnon:"), ticks / 100.0};
    }
    return std::nullopt;
}

std::optional<Zelkor::Footprint> Zelkor::SettledFootprint() const {
    std::optional<Footprint> last = Measure();
    WaitUntil(
        [&] {
            const std::optional<Footprint> now = Measure();
            const bool settled = !now || (last && now->privateKb == last->privateKb);
            last = now;
            return settled;
        },
        20000, 500);
    return last;
}

std::optional<StoredValue> ReadSetting(const char* name) {
    SettingsKey key;
    StoredValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    RegQueryValueExA(key.get(), name, nullptr, &value.type, value.bytes.data(), &size);
    value.bytes.resize(size);
    return value;
}

void WriteSetting(const char* name, DWORD type, const std::vector<uint8_t>& bytes) {
    SettingsKey key;
    RegSetValueExA(key.get(), name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void DeleteSetting(const char* name) {
    SettingsKey key;
    RegDeleteValueA(key.get(), name);
}

void SetProxyInForce(const std::string& server, bool on) {
    WriteSetting("ProxyServer", REG_SZ, Sz(server));
    WriteSetting("ProxyEnable", REG_DWORD, Dword(on ? 1 : 0));
}

bool Holds(const char* name, DWORD type, const std::vector<uint8_t>& bytes) {
    const auto value = ReadSetting(name);
    return value && value->type == type && value->bytes == bytes;
}

bool WaitForSetting(const char* name, DWORD type, const std::vector<uint8_t>& bytes) {
    return WaitUntil([&] { return Holds(name, type, bytes); });
}

std::string Ansi(const std::wstring& text) {
    const int size = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

namespace {

// The tests set the user's proxy; whatever was in force before comes back when they end.
class SettingsKept final : public ::testing::Environment {
public:
    void SetUp() override {
        for (const char* name : kNames) kept_.push_back(ReadSetting(name));
    }
    void TearDown() override {
        for (size_t i = 0; i < kept_.size(); ++i) {
            if (kept_[i])
                WriteSetting(kNames[i], kept_[i]->type, kept_[i]->bytes);
            else
                DeleteSetting(kNames[i]);
        }
    }

private:
    static constexpr const char* kNames[] = {"ProxyServer", "ProxyEnable", "ProxyOverride"};
    std::vector<std::optional<StoredValue>> kept_;
};

[[maybe_unused]] ::testing::Environment* const kSettingsKept =
    ::testing::AddGlobalTestEnvironment(new SettingsKept);

}  // namespace

}  // namespace e2e

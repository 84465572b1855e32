#include "core/MainBas.h"

#include <algorithm>

#include "core/ProxyListFormat.h"
#include "text/AnsiText.h"

namespace MainBas {

FilePath ProxyListPath(const App& app) { return JoinPath(app.directory, L"PROXYLIST.DAT"); }

void LoadProxyList(App& app) {
    std::string bytes;
    std::wstring error;
    switch (app.files.ReadWhole(ProxyListPath(app), bytes, error)) {
        case ReadOutcome::Missing:
            app.state.KeepListFileOnSave = false;  // nothing there to keep
            app.ui.MsgBox(error, MsgStyle::OkOnly, kListMissingTitle);
            return;
        case ReadOutcome::Failed:
            app.state.KeepListFileOnSave = true;
            app.ui.MsgBox(error + L"\r\n\r\n" + kListKeptOnSave, MsgStyle::OkOnly,
                          kListUnreadableTitle);
            return;
        case ReadOutcome::Read:
            break;
    }
    ParsedProxyList parsed = ParseProxyList(bytes);
    app.state.EditIndex = -1;
    app.state.ProxyTable = std::move(parsed.entries);
    app.state.KeepListFileOnSave = parsed.truncated;
    if (parsed.truncated)
        app.ui.MsgBox(kListTooLong + L"\r\n" + kListKeptOnSave, MsgStyle::OkOnly, L"");
}

namespace {

// PROXYLIST.DAT.bak, or PROXYLIST.DAT.bak2 and on when that is taken; empty when all are.
FilePath FreeBackupName(App& app, const FilePath& list) {
    for (int n = 1; n < 1000; ++n) {
        const FilePath name = list + L".bak" + (n == 1 ? L"" : std::to_wstring(n));
        if (!app.files.Exists(name)) return name;
    }
    return {};
}

bool SaveFailed(App& app, const std::wstring& why) {
    app.ui.MsgBox(kListNotSaved + L"\r\n" + why, MsgStyle::OkOnly, L"");
    return false;
}

}  // namespace

bool SaveProxyList(App& app) {
    const std::optional<std::string> bytes = FormatProxyList(app.state.ProxyTable);
    if (!bytes) return SaveFailed(app, kListUnfitting);
    const FilePath target = ProxyListPath(app);
    const FilePath temporary = target + L".new";
    const FilePath backup = app.state.KeepListFileOnSave ? FreeBackupName(app, target) : FilePath();
    if (app.state.KeepListFileOnSave && backup.empty())
        return SaveFailed(
            app, L"元のファイルを残す名前（PROXYLIST.DAT.bak など）がすべて使われています。");
    std::wstring error;
    if (!app.files.WriteNew(temporary, *bytes, error) ||
        !app.files.Replace(temporary, target, backup, error)) {
        app.files.Remove(temporary);
        return SaveFailed(app, error);
    }
    app.state.KeepListFileOnSave = false;
    if (!backup.empty() && app.files.Exists(backup))
        app.ui.MsgBox(kListKept + L"\r\n" + backup, MsgStyle::OkOnly, L"");
    return true;
}

bool AppendProxyEntry(App& app, ProxyEntry entry) {
    if (app.state.ProxyLastIndex() + 1 >= kMaxProxyEntries) {
        app.ui.MsgBox(kListFull, MsgStyle::OkOnly, L"");
        return false;
    }
    app.state.ProxyTable.push_back(std::move(entry));
    return true;
}

int NumberOf(const std::wstring& flagText) { return Trim(flagText) == L"1" ? 1 : 0; }

void ReadProxySettings(App& app) {
    REGEDIT::Registry& reg = app.registry;
    REGEDIT::OpenedKey key(reg, kHkeyCurrentUser, kInternetSettingsKey);
    if (!key.IsOpen()) {
        app.ui.MsgBox(kOpenError, MsgStyle::OkOnly, L"");
        return;
    }
    int32_t type = RegType::Dword;
    REGEDIT::RegValue value;
    if (reg.Reg_QueryValue(key.get(), kProxyEnable, type, value) != RegResult::Success) {
        app.ui.MsgBox(kReadError, MsgStyle::OkOnly, L"");
        return;
    }
    app.state.NowProxyEnable = REGEDIT::ValueAsNumber(value) == 1 ? L"1" : L"0";
    type = RegType::Sz;
    const int32_t result = reg.Reg_QueryValue(key.get(), kProxyServer, type, value);
    key.Close();
    if (result != RegResult::Success) {
        app.ui.MsgBox(kReadError, MsgStyle::OkOnly, L"");
        return;
    }
    SplitProxyServer(app.state, CutNullChars(REGEDIT::ValueAsText(value)));
}

std::wstring CutNullChars(std::wstring text) {
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

void SplitProxyServer(AppState& state, const std::wstring& text) {
    state.NowProxyName.clear();
    state.NowPortNo.clear();
    const size_t length = text.size();
    if (length == 0) return;
    // The search from the end stops at the fourth character, except that the last character
    // of a short text is always looked at.
    const size_t lowest = std::min<size_t>(length, 4);
    for (size_t position = length; position >= lowest; --position) {
        if (text[position - 1] != L':') continue;
        state.NowProxyName = text.substr(0, position - 1);
        state.NowPortNo = text.substr(text.find(L':') + 1);
        return;
    }
}

WriteOutcome WriteProxyEnable(App& app, int checked, const std::function<void()>& onFieldSet) {
    REGEDIT::OpenedKey key(app.registry, kHkeyCurrentUser, kInternetSettingsKey);
    if (!key.IsOpen()) {
        app.ui.MsgBox(kOpenError, MsgStyle::OkOnly, L"");
        return WriteOutcome::OpenFailed;
    }
    app.state.NowProxyEnable = std::to_wstring(checked);
    onFieldSet();
    const uint8_t byte = NumberOf(app.state.NowProxyEnable) == 1 ? 1 : 0;
    if (app.registry.Reg_SetValue(key.get(), kProxyEnable, RegType::Binary, byte) !=
        RegResult::Success) {
        app.ui.MsgBox(kWriteError, MsgStyle::OkOnly, L"");
        return WriteOutcome::WriteFailed;
    }
    key.Close();
    app.notifier.SettingsChanged();
    return WriteOutcome::Written;
}

WriteOutcome WriteProxyServer(App& app, const std::wstring& address, const std::wstring& port) {
    REGEDIT::OpenedKey key(app.registry, kHkeyCurrentUser, kInternetSettingsKey);
    if (!key.IsOpen()) {
        app.ui.MsgBox(kOpenError, MsgStyle::OkOnly, L"");
        return WriteOutcome::OpenFailed;
    }
    app.state.NowProxyName = Trim(address);
    const std::wstring server = L"HTTP=" + app.state.NowProxyName + L":" + Trim(port);
    const int32_t result = app.registry.Reg_SetValue(key.get(), kProxyServer, RegType::Sz, server);
    app.ui.DoEvents();
    if (result != RegResult::Success) {
        app.ui.MsgBox(kWriteError, MsgStyle::OkOnly, L"");
        return WriteOutcome::WriteFailed;
    }
    key.Close();
    app.notifier.SettingsChanged();
    app.ui.DoEvents();
    return WriteOutcome::Written;
}

void WaitSeconds(App& app, const int16_t& count) {
    for (int i = 0; i <= count; ++i) {
        const std::wstring started = app.clock.TimeOfDay();
        do {
            app.ui.DoEvents();
            if (app.clock.TimeOfDay() != started) break;
            // Sleep until the next event or the next second instead of spinning.
            app.ui.WaitForEvents(app.clock.MillisecondsToNextSecond());
        } while (app.clock.TimeOfDay() == started);
    }
}

}  // namespace MainBas

#include "core/MainBas.h"

#include <algorithm>

#include "text/AnsiText.h"

namespace MainBas {

int NumberOf(const std::wstring& flagText) { return Trim(flagText) == L"1" ? 1 : 0; }

void ReadProxySettings(App& app) {
    app.state.ProxyServerInForce.reset();
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
    const std::wstring server = CutNullChars(REGEDIT::ValueAsText(value));
    app.state.ProxyServerInForce = server;
    SplitProxyServer(app.state, server);
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
    const int32_t on = NumberOf(app.state.NowProxyEnable) == 1 ? 1 : 0;
    if (app.registry.Reg_SetValue(key.get(), kProxyEnable, RegType::Dword, on) !=
        RegResult::Success) {
        app.ui.MsgBox(kWriteError, MsgStyle::OkOnly, L"");
        return WriteOutcome::WriteFailed;
    }
    key.Close();
    app.notifier.SettingsChanged();
    return WriteOutcome::Written;
}

namespace {

WriteOutcome WriteServer(App& app, ProxyServerValue::Form form,
                         const ProxyServerValue::Server& server) {
    REGEDIT::OpenedKey key(app.registry, kHkeyCurrentUser, kInternetSettingsKey);
    if (!key.IsOpen()) {
        app.ui.MsgBox(kOpenError, MsgStyle::OkOnly, L"");
        return WriteOutcome::OpenFailed;
    }
    app.state.NowProxyName = server.address;
    const std::wstring value = ProxyServerValue::Compose(form, server);
    const int32_t result = app.registry.Reg_SetValue(key.get(), kProxyServer, RegType::Sz, value);
    // In force from now on, for a pick that the events below let through.
    if (result == RegResult::Success) app.state.ProxyServerInForce = value;
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

}  // namespace

ProxyServerValue::Form FormInForce(const AppState& state) {
    return state.ProxyServerInForce ? ProxyServerValue::FormOf(*state.ProxyServerInForce)
                                    : ProxyServerValue::Form::HttpOnly;
}

WriteOutcome WriteProxyServer(App& app, const std::wstring& address, const std::wstring& port) {
    return WriteServer(app, FormInForce(app.state), {Trim(address), Trim(port)});
}

WriteOutcome WriteServerForm(App& app, const std::wstring& valueInForce,
                             ProxyServerValue::Form form) {
    return WriteServer(app, form, ProxyServerValue::HttpServerOf(valueInForce));
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

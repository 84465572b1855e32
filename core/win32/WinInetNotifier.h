#pragma once

#include "core/Services.h"

// Tells WinINet, and through it the browsers, .NET and Java programs that are running, that
// the Internet settings have changed. wininet.dll is loaded from the system folder only, when
// it is first needed; if it cannot be loaded, or the calls fail, nothing else changes.
class WinInetNotifier final : public SettingsNotifier {
public:
    void SettingsChanged() override;
};

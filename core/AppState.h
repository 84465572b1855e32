#pragma once
// The data every window works on in place: the proxy list and what is in force.

#include <cstdint>
#include <string>
#include <vector>

constexpr int16_t kTrue = -1;  // flags shared between windows: true is -1, false is 0
constexpr int16_t kFalse = 0;

struct ProxyEntry {
    std::wstring Address;
    std::wstring Port;
    std::wstring Comment;
    bool operator==(const ProxyEntry&) const = default;
};

// The list positions of the windows are 16-bit, so no more entries fit.
constexpr int32_t kMaxProxyEntries = 32767;

namespace EditModes {
constexpr int16_t Add = 0;
constexpr int16_t Change = 2;
constexpr int16_t Stored = -1;
}  // namespace EditModes

struct AppState {
    std::vector<ProxyEntry> ProxyTable;
    int32_t EditIndex = -1;
    int16_t EditMode = EditModes::Add;
    int16_t ShowMeAllowed = kFalse;

    // The list file on disk was not read whole (unreadable, or longer than the table): a save
    // keeps it under another name rather than replacing it.
    bool KeepListFileOnSave = false;

    std::wstring NowProxyEnable;  // "1", "0", or empty until first read
    std::wstring NowProxyName;
    std::wstring NowPortNo;

    int32_t ProxyLastIndex() const { return static_cast<int32_t>(ProxyTable.size()) - 1; }
};

#pragma once
// The data every window works on in place: the proxy list and what is in force.

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Why the list file on disk must not simply be replaced: the next save keeps it under another
// name first.
enum class KeepReason {
    None,
    Unreadable,        // it is there but could not be read
    TooLong,           // it holds more entries than the table
    OtherEncoding,     // another editor saved it, as UTF-8 or UTF-16
    UndecodableBytes,  // some of its bytes are no character of the code page
    Changed,           // another program wrote it after it was read
};

// The list file as the program last read or wrote it, so that a save notices another
// program's change in the meantime.
struct ListFileSeen {
    bool present = false;
    size_t size = 0;
    size_t hash = 0;
    bool operator==(const ListFileSeen&) const = default;
};

struct AppState {
    std::vector<ProxyEntry> ProxyTable;
    int32_t EditIndex = -1;
    int16_t EditMode = EditModes::Add;
    int16_t ShowMeAllowed = kFalse;

    KeepReason KeepListFile = KeepReason::None;
    ListFileSeen ListOnDisk;

    std::wstring NowProxyEnable;  // "1", "0", or empty until first read
    std::wstring NowProxyName;
    std::wstring NowPortNo;
    // The ProxyServer value as the last read found it or the last write stored it; none when it
    // could not be read.
    std::optional<std::wstring> ProxyServerInForce;

    int32_t ProxyLastIndex() const { return static_cast<int32_t>(ProxyTable.size()) - 1; }
};

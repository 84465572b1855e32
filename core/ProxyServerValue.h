#pragma once
// What a ProxyServer value says: one proxy for every protocol ("address:port", as Windows' own
// proxy page writes it), or a list of per-protocol entries ("http=address:port;https=...").

#include <optional>
#include <string>

namespace ProxyServerValue {

enum class Form { HttpOnly, AllProtocols };

struct Server {
    std::wstring address;
    std::optional<std::wstring> port;  // none where a value names no port
    bool operator==(const Server&) const = default;
};

// A value that names no protocol is one proxy for all of them; an empty one names no proxy.
Form FormOf(const std::wstring& value);
// The proxy that http requests go through: the http entry's, else the first entry's that is
// no SOCKS server; no address where there is none.
Server HttpServerOf(const std::wstring& value);
// Browsers match the protocol name case-sensitively, in lower case.
std::wstring Compose(Form form, const Server& server);

}  // namespace ProxyServerValue

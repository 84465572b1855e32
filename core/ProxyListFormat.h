#pragma once
// The bytes of PROXYLIST.DAT: one line per entry, "Address,Port,Comment" and CR LF, in the
// ANSI code page. A field holding a comma or a double quote is written in
// double quotes with its quotes doubled, so every entry reads back as it was entered;
// ordinary fields are written exactly as they are.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AppState.h"
#include "core/ListEncoding.h"

// Nothing when a field holds a character that the code page cannot hold: the file never gets
// a "?" or a look-alike in its place.
std::optional<std::string> FormatProxyList(const std::vector<ProxyEntry>& entries);

struct ParsedProxyList {
    std::vector<ProxyEntry> entries;
    bool truncated = false;  // the file held more entries than the table can
    ListEncoding encoding = ListEncoding::AnsiCodePage;
    bool writesBackExactly = true;  // see DecodedList
};

// Takes any bytes at all, in any of the encodings ListEncoding knows: blank lines are skipped,
// missing fields read as empty, and a line with more than three fields keeps the rest of the
// line in its comment, as a file written before quoting existed means it.
ParsedProxyList ParseProxyList(std::string_view bytes);

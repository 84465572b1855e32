#include "core/ProxyListFormat.h"

#include <algorithm>

#include "text/AnsiText.h"

// Code page 932 trail bytes are 0x40 and above, so these bytes never sit inside a character.
namespace {

// A plain scan: find_first_of searches its set once per byte, most of the cost of a load.
template <typename IsStop>
size_t FindFirst(std::string_view bytes, IsStop isStop) {
    const auto at = std::find_if(bytes.begin(), bytes.end(), isStop);
    return at == bytes.end() ? std::string_view::npos : static_cast<size_t>(at - bytes.begin());
}

bool NeedsQuotes(std::string_view field) {
    return FindFirst(field, [](char c) { return c == ',' || c == '"'; }) != std::string_view::npos;
}

void AppendField(std::string& out, std::string_view field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

class LineReader {
public:
    explicit LineReader(std::string_view bytes) : rest_(bytes) {}

    bool AtEnd() const { return rest_.empty(); }
    bool AtLineEnd() const { return rest_.empty() || rest_[0] == '\r' || rest_[0] == '\n'; }

    void SkipLineEnd() {
        if (!rest_.empty() && rest_[0] == '\r') rest_.remove_prefix(1);
        if (!rest_.empty() && rest_[0] == '\n') rest_.remove_prefix(1);
    }

    // A field up to the next comma (consumed) or the line end (left for SkipLineEnd).
    std::string Field(bool lastField) {
        if (!rest_.empty() && rest_[0] == '"') {
            std::string quoted;
            if (TakeQuoted(quoted, lastField)) return quoted;
        }
        const size_t end = FindFirst(rest_, [lastField](char c) {
            return c == '\r' || c == '\n' || (!lastField && c == ',');
        });
        std::string field(rest_.substr(0, end));
        rest_.remove_prefix(field.size());
        TakeComma();
        return field;
    }

private:
    // A quoted field counts only when its closing quote, on the same line, is followed by a
    // separator; anything else is read as plain text.
    bool TakeQuoted(std::string& field, bool lastField) {
        size_t i = 1;
        for (; i < rest_.size() && rest_[i] != '\r' && rest_[i] != '\n'; ++i) {
            if (rest_[i] != '"') {
                field += rest_[i];
                continue;
            }
            if (i + 1 < rest_.size() && rest_[i + 1] == '"') {
                field += '"';
                ++i;
                continue;
            }
            break;
        }
        if (i >= rest_.size() || rest_[i] != '"') return false;
        const std::string_view after = rest_.substr(i + 1);
        const bool separated = after.empty() || after[0] == '\r' || after[0] == '\n' ||
                               (!lastField && after[0] == ',');
        if (!separated) return false;
        rest_ = after;
        TakeComma();
        return true;
    }

    void TakeComma() {
        if (!rest_.empty() && rest_[0] == ',') rest_.remove_prefix(1);
    }

    std::string_view rest_;
};

}  // namespace

std::optional<std::string> FormatProxyList(const std::vector<ProxyEntry>& entries) {
    std::string out;
    for (const ProxyEntry& entry : entries) {
        const auto address = ToAnsi(entry.Address), port = ToAnsi(entry.Port),
                   comment = ToAnsi(entry.Comment);
        if (!address || !port || !comment) return std::nullopt;
        AppendField(out, *address);
        out += ',';
        AppendField(out, *port);
        out += ',';
        AppendField(out, *comment);
        out += "\r\n";
    }
    return out;
}

ParsedProxyList ParseProxyList(std::string_view bytes) {
    ParsedProxyList result;
    LineReader reader(bytes);
    while (!reader.AtEnd()) {
        if (reader.AtLineEnd()) {
            reader.SkipLineEnd();
            continue;
        }
        if (static_cast<int32_t>(result.entries.size()) == kMaxProxyEntries) {
            result.truncated = true;
            break;
        }
        ProxyEntry entry;
        entry.Address = FromAnsi(reader.Field(false));
        if (!reader.AtLineEnd()) entry.Port = FromAnsi(reader.Field(false));
        if (!reader.AtLineEnd()) entry.Comment = FromAnsi(reader.Field(true));
        reader.SkipLineEnd();
        result.entries.push_back(std::move(entry));
    }
    return result;
}

#include "core/ProxyListFormat.h"

#include <algorithm>

#include "text/AnsiText.h"

// The whole file is converted in one call each way; fields are split in the wide text, where
// a separator can never be part of a double-byte character.
namespace {

// A plain scan: find_first_of searches its set once per character, most of the cost of a load.
template <typename IsStop>
size_t FindFirst(std::wstring_view text, IsStop isStop) {
    const auto at = std::find_if(text.begin(), text.end(), isStop);
    return at == text.end() ? std::wstring_view::npos : static_cast<size_t>(at - text.begin());
}

bool NeedsQuotes(std::wstring_view field) {
    return FindFirst(field, [](wchar_t c) { return c == L',' || c == L'"'; }) !=
           std::wstring_view::npos;
}

void AppendField(std::wstring& out, std::wstring_view field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += L'"';
    for (const wchar_t c : field) {
        if (c == L'"') out += L'"';
        out += c;
    }
    out += L'"';
}

class LineReader {
public:
    explicit LineReader(std::wstring_view text) : rest_(text) {}

    bool AtEnd() const { return rest_.empty(); }
    bool AtLineEnd() const { return rest_.empty() || rest_[0] == L'\r' || rest_[0] == L'\n'; }

    void SkipLineEnd() {
        if (!rest_.empty() && rest_[0] == L'\r') rest_.remove_prefix(1);
        if (!rest_.empty() && rest_[0] == L'\n') rest_.remove_prefix(1);
    }

    // A field up to the next comma (consumed) or the line end (left for SkipLineEnd).
    std::wstring Field(bool lastField) {
        if (!rest_.empty() && rest_[0] == L'"') {
            std::wstring quoted;
            if (TakeQuoted(quoted, lastField)) return quoted;
        }
        const size_t end = FindFirst(rest_, [lastField](wchar_t c) {
            return c == L'\r' || c == L'\n' || (!lastField && c == L',');
        });
        std::wstring field(rest_.substr(0, end));
        rest_.remove_prefix(field.size());
        TakeComma();
        return field;
    }

private:
    // A quoted field counts only when its closing quote, on the same line, is followed by a
    // separator; anything else is read as plain text.
    bool TakeQuoted(std::wstring& field, bool lastField) {
        size_t i = 1;
        for (; i < rest_.size() && rest_[i] != L'\r' && rest_[i] != L'\n'; ++i) {
            if (rest_[i] != L'"') {
                field += rest_[i];
                continue;
            }
            if (i + 1 < rest_.size() && rest_[i + 1] == L'"') {
                field += L'"';
                ++i;
                continue;
            }
            break;
        }
        if (i >= rest_.size() || rest_[i] != L'"') return false;
        const std::wstring_view after = rest_.substr(i + 1);
        const bool separated = after.empty() || after[0] == L'\r' || after[0] == L'\n' ||
                               (!lastField && after[0] == L',');
        if (!separated) return false;
        rest_ = after;
        TakeComma();
        return true;
    }

    void TakeComma() {
        if (!rest_.empty() && rest_[0] == L',') rest_.remove_prefix(1);
    }

    std::wstring_view rest_;
};

}  // namespace

std::optional<std::string> FormatProxyList(const std::vector<ProxyEntry>& entries) {
    size_t length = 0;
    for (const ProxyEntry& entry : entries)
        length += entry.Address.size() + entry.Port.size() + entry.Comment.size() + 4;
    std::wstring text;
    text.reserve(length);
    for (const ProxyEntry& entry : entries) {
        AppendField(text, entry.Address);
        text += L',';
        AppendField(text, entry.Port);
        text += L',';
        AppendField(text, entry.Comment);
        text += L"\r\n";
    }
    return ToAnsi(text);
}

ParsedProxyList ParseProxyList(std::string_view bytes) {
    const DecodedList decoded = DecodeListBytes(bytes);
    ParsedProxyList result;
    result.encoding = decoded.encoding;
    result.writesBackExactly = decoded.writesBackExactly;
    const size_t lines =
        static_cast<size_t>(std::count(decoded.text.begin(), decoded.text.end(), L'\n'));
    result.entries.reserve(std::min(lines + 1, static_cast<size_t>(kMaxProxyEntries)));
    LineReader reader(decoded.text);
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
        entry.Address = reader.Field(false);
        if (!reader.AtLineEnd()) entry.Port = reader.Field(false);
        if (!reader.AtLineEnd()) entry.Comment = reader.Field(true);
        reader.SkipLineEnd();
        result.entries.push_back(std::move(entry));
    }
    return result;
}

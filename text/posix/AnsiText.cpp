#include "text/AnsiText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "text/CodePage.h"
#include "text/Unicode.h"

namespace {

constexpr wchar_t kUnreadableByte = L'\u30FB';  // what Windows shows for a broken Shift-JIS byte

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; on a bad sequence it writes `fallback` and skips `skip` bytes.
    // `most` is the most units the text can take, room made at once.
    template <typename Out>
    void Run(const char* in, size_t inLeft, size_t most, Out& out, const Out& fallback,
             size_t skip) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(most);
        char* src = const_cast<char*>(in);
        while (inLeft > 0) {
            char* dst = buffer_.data();
            size_t dstLeft = buffer_.size();
            const size_t rc = iconv(handle_, &src, &inLeft, &dst, &dstLeft);
            Append(out, buffer_.data(), buffer_.size() - dstLeft);
            if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
            out += fallback;
            const size_t step = std::min(skip, inLeft);
            src += step;
            inLeft -= step;
        }
    }

    // Whether `in` converts to exactly `expected`, compared as it goes, without holding the
    // whole result.
    bool ConvertsTo(std::string_view in, std::wstring_view expected) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        while (inLeft > 0) {
            char* dst = buffer_.data();
            size_t dstLeft = buffer_.size();
            const size_t rc = iconv(handle_, &src, &inLeft, &dst, &dstLeft);
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
            const std::wstring_view got(reinterpret_cast<const wchar_t*>(buffer_.data()),
                                        (buffer_.size() - dstLeft) / sizeof(wchar_t));
            if (expected.substr(0, got.size()) != got) return false;
            expected.remove_prefix(got.size());
        }
        return expected.empty();
    }

private:
    static void Append(std::string& out, const char* p, size_t n) { out.append(p, n); }
    static void Append(std::wstring& out, const char* p, size_t n) {
        out.append(reinterpret_cast<const wchar_t*>(p), n / sizeof(wchar_t));
    }
    iconv_t handle_;
    std::vector<char> buffer_ = std::vector<char>(4096);
};

// Opening a converter costs far more than most texts take to convert, so each thread keeps one.
Converter& ToCp932() {
    thread_local Converter converter("CP932", "WCHAR_T");
    return converter;
}

Converter& FromCp932() {
    thread_local Converter converter("WCHAR_T", "CP932");
    return converter;
}

}  // namespace

bool AnsiIsUtf8() { return false; }  // code page 932, as on the systems the program is made for

std::string EncodeAnsi(std::wstring_view text) {
    std::string out;
    // One byte a character for most lists; more room comes as it is needed.
    ToCp932().Run(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t),
                  text.size(), out, std::string("?"), sizeof(wchar_t));
    return out;
}

std::optional<std::string> EncodeAnsiExactly(std::wstring_view text) {
    std::string bytes = EncodeAnsi(text);
    // iconv writes some characters as look-alikes ("¥" as "\"), which read back as others.
    if (!FromCp932().ConvertsTo(bytes, text)) return std::nullopt;
    return bytes;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (IsAscii(bytes)) return std::wstring(bytes.begin(), bytes.end());
    std::wstring out;
    FromCp932().Run(bytes.data(), bytes.size(), bytes.size(), out, std::wstring(1, kUnreadableByte),
                    1);
    return out;
}

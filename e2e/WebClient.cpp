// A WinINet program as people run them: it takes the system's proxy settings, opening a new
// session for each fetch, and prints the body the server sent, or "error N" with WinINet's
// error code. It fetches once when started and once more for every line on its standard input,
// so a test can keep it running across a switch; it ends at the end of that input.
//
//     WebClient URL

#include <windows.h>

#include <wininet.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string Error() { return "error " + std::to_string(GetLastError()); }

std::string Fetch(const std::wstring& url) {
    HINTERNET session =
        InternetOpenW(L"Zelkor test client", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return Error();
    // Every answer from the server itself: nothing from the cache, nothing kept for later.
    HINTERNET request = InternetOpenUrlW(session, url.c_str(), nullptr, 0,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                             INTERNET_FLAG_PRAGMA_NOCACHE |
                                             INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI,
                                         0);
    std::string body = request ? "" : Error();
    char buffer[512];
    DWORD read = 0;
    while (request && InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0)
        body.append(buffer, read);
    if (request) InternetCloseHandle(request);
    InternetCloseHandle(session);
    return body;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: WebClient URL\n", stderr);
        return 2;
    }
    const std::wstring url(argv[1], argv[1] + std::strlen(argv[1]));  // URLs are ASCII
    char line[64];
    do {
        const std::string body = Fetch(url) + "\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), body.data(), static_cast<DWORD>(body.size()),
                  &written, nullptr);
    } while (std::fgets(line, sizeof line, stdin));
    return 0;
}

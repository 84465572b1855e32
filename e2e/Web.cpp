#include "e2e/Web.h"

#include <filesystem>

#include "e2e/Desktop.h"

namespace e2e {

namespace {

sockaddr_in Loopback(unsigned short port) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    at.sin_port = htons(port);
    return at;
}

// Reads the request to its blank line (a GET has no body), answers with the name, and closes.
void Answer(SOCKET client, const std::string& name) {
    std::string request;
    char buffer[1024];
    int got = 0;
    while (request.find("\r\n\r\n") == std::string::npos &&
           (got = recv(client, buffer, sizeof buffer, 0)) > 0)
        request.append(buffer, static_cast<size_t>(got));
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                              std::to_string(name.size()) +
                              "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + name;
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
    shutdown(client, SD_SEND);
    closesocket(client);
}

}  // namespace

NamedServer::NamedServer(std::string name) : name_(std::move(name)) {
    [[maybe_unused]] static const int started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data);
    }();
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = Loopback(0);
    int size = sizeof at;
    bind(listener_, reinterpret_cast<sockaddr*>(&at), size);
    listen(listener_, SOMAXCONN);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size);
    port_ = ntohs(at.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

NamedServer::~NamedServer() {
    stopping_ = true;
    // A connection of its own wakes the thread from its wait for the next one.
    SOCKET wake = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const sockaddr_in at = Loopback(port_);
    connect(wake, reinterpret_cast<const sockaddr*>(&at), sizeof at);
    closesocket(wake);
    thread_.join();
    closesocket(listener_);
}

void NamedServer::Serve() {
    for (;;) {
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        if (stopping_) {
            closesocket(client);
            return;
        }
        Answer(client, name_);
    }
}

WebClient::WebClient(const std::string& url) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE itsInput = nullptr, itsOutput = nullptr;
    CreatePipe(&itsInput, &input_, &inherited, 0);
    CreatePipe(&output_, &itsOutput, &inherited, 0);
    SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = itsInput;
    startup.hStdOutput = itsOutput;
    wchar_t driver[MAX_PATH];
    GetModuleFileNameW(nullptr, driver, MAX_PATH);
    const std::filesystem::path client =
        std::filesystem::path(driver).parent_path() / L"WebClient.exe";
    std::wstring command = L"\"" + client.wstring() + L"\" " + std::wstring(url.begin(), url.end());
    CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                   nullptr, &startup, &process_);
    CloseHandle(itsInput);
    CloseHandle(itsOutput);
}

WebClient::~WebClient() {
    CloseHandle(input_);  // the end of its input ends it
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    CloseHandle(output_);
}

std::string WebClient::Body() {
    size_t end = std::string::npos;
    WaitUntil(
        [&] {
            DWORD available = 0;
            if (PeekNamedPipe(output_, nullptr, 0, nullptr, &available, nullptr) && available) {
                std::string more(available, '\0');
                DWORD read = 0;
                ReadFile(output_, more.data(), available, &read, nullptr);
                pending_.append(more, 0, read);
            }
            return (end = pending_.find('\n')) != std::string::npos;
        },
        20000);
    if (end == std::string::npos) return "no answer";
    std::string body = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    return body;
}

std::string WebClient::FetchAgain() {
    DWORD written = 0;
    WriteFile(input_, "\n", 1, &written, nullptr);
    return Body();
}

std::string FetchOnce(const std::string& url) { return WebClient(url).Body(); }

}  // namespace e2e

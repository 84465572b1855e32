#pragma once
// The web as the tests' client sees it: local HTTP servers that answer every request with their
// own name, so the body a client gets says which way its request went (a proxy need not
// forward to prove the route); and the WinINet client program built beside the driver.

#include <windows.h>

#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>

namespace e2e {

// Listens on 127.0.0.1, on a port the system gives, until it goes.
class NamedServer {
public:
    explicit NamedServer(std::string name);
    ~NamedServer();
    NamedServer(const NamedServer&) = delete;
    NamedServer& operator=(const NamedServer&) = delete;
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::wstring Port() const { return std::to_wstring(port_); }

private:
    void Serve();

    std::string name_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

// WebClient.exe running: it fetches `url` once when started and again, on a new session
// handle, whenever asked; it ends when this goes.
class WebClient {
public:
    explicit WebClient(const std::string& url);
    ~WebClient();
    WebClient(const WebClient&) = delete;
    WebClient& operator=(const WebClient&) = delete;
    // What the next fetch printed: the body, "error N", or "no answer" when none came in time.
    std::string Body();
    std::string FetchAgain();

private:
    PROCESS_INFORMATION process_{};
    HANDLE input_ = nullptr, output_ = nullptr;
    std::string pending_;
};

// The body a client started now gets.
std::string FetchOnce(const std::string& url);

}  // namespace e2e

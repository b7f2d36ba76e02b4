#pragma once
// A small HTTP server on a loopback address, port 80, for the crash-report upload tests. It
// takes one connection at a time and keeps each complete request byte for byte. An answering
// server replies with an empty "200 OK" and a close; a silent one keeps the connection open and
// never answers; a resetting one drops each connection at once with a reset; a refusing one
// holds the address without listening, so every connection is refused.
// Binding port 80 needs root; Listening() tells (for a refusing server: the address is held).

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
namespace loopback {
using Socket = SOCKET;
const Socket NO_SOCKET = INVALID_SOCKET;
const int CLOSE_ON_EXEC = 0, NO_SIGNAL = 0, ADDRESS_IN_USE = WSAEADDRINUSE;
inline Socket Accept(Socket nListen) { return accept(nListen, nullptr, nullptr); }
inline void Close(Socket nSocket) { closesocket(nSocket); }
inline int Poll(pollfd& fd) { return WSAPoll(&fd, 1, 20); }
inline int LastError() { return WSAGetLastError(); }
inline std::string ErrorText(int nError) { return "socket error " + std::to_string(nError); }
inline bool StartSockets() {  // Winsock, for the program's lifetime
  static const bool s_bStarted = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return s_bStarted;
}
}  // namespace loopback
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
namespace loopback {
using Socket = int;
const Socket NO_SOCKET = -1;
const int CLOSE_ON_EXEC = SOCK_CLOEXEC, NO_SIGNAL = MSG_NOSIGNAL, ADDRESS_IN_USE = EADDRINUSE;
inline Socket Accept(Socket nListen) { return accept4(nListen, nullptr, nullptr, SOCK_CLOEXEC); }
inline void Close(Socket nSocket) { close(nSocket); }
inline int Poll(pollfd& fd) { return poll(&fd, 1, 20); }
inline int LastError() { return errno; }
inline std::string ErrorText(int nError) { return strerror(nError); }
inline bool StartSockets() { return true; }
}  // namespace loopback
#endif

class LoopbackHttpServer {
 public:
  enum class Mode { Answer, Silent, Reset, Refuse };

  // Listens on the first free address 127.8.<nNetwork>.<2..254>, port 80: tests of their own
  // networks do not meet, and an address another program holds is passed over.
  LoopbackHttpServer(int nNetwork, Mode mode) : m_mode(mode) {
    using namespace loopback;
    for (int nHost = 2; nHost < 255 && StartSockets(); ++nHost) {
      m_strAddress = "127.8." + std::to_string(nNetwork) + "." + std::to_string(nHost);
      m_nListen = socket(AF_INET, SOCK_STREAM | CLOSE_ON_EXEC, 0);
      int nOn = 1;
      setsockopt(m_nListen, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&nOn),
                 sizeof(nOn));
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_port = htons(80);
      inet_pton(AF_INET, m_strAddress.c_str(), &address.sin_addr);
      if (bind(m_nListen, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
          (mode == Mode::Refuse || listen(m_nListen, 16) == 0)) {
        if (mode != Mode::Refuse) m_thread = std::thread([this] { Serve(); });
        return;
      }
      int nError = LastError();
      m_strError = "cannot listen on " + m_strAddress + ":80: " + ErrorText(nError);
      Close(m_nListen);
      m_nListen = NO_SOCKET;
      if (nError != ADDRESS_IN_USE) return;  // no right to port 80: nothing else will do
    }
  }

  ~LoopbackHttpServer() {
    m_bStop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_nListen != NO_SOCKET) loopback::Close(m_nListen);
  }

  bool Listening() const { return m_nListen != NO_SOCKET; }
  const std::string& Address() const { return m_strAddress; }
  const std::string& Error() const { return m_strError; }

  // Waits until at least nCount complete requests have come in; false on timeout.
  bool WaitForRequests(size_t nCount, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_requests.size() >= nCount; });
  }
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
  }
  int Connections() { return m_nConnections; }

 private:
  using Socket = loopback::Socket;
  static constexpr Socket NO_SOCKET = loopback::NO_SOCKET;

  // Length of the request once it is complete (headers, then Content-Length bytes), else 0.
  static size_t CompleteLength(const std::string& strData) {
    size_t nHeaderEnd = strData.find("\r\n\r\n");
    if (nHeaderEnd == std::string::npos) return 0;
    size_t nField = strData.find("\r\nContent-Length: ");
    size_t nBody = nField < nHeaderEnd ? strtoul(strData.c_str() + nField + 18, nullptr, 10) : 0;
    return strData.size() >= nHeaderEnd + 4 + nBody ? nHeaderEnd + 4 + nBody : 0;
  }

  void Serve() {
    using namespace loopback;
    pollfd listening{m_nListen, POLLIN, 0};
    std::vector<Socket> held;  // the silent server's connections, open to the end
    while (!m_bStop) {
      if (Poll(listening) <= 0) continue;
      Socket nClient = Accept(m_nListen);
      if (nClient == NO_SOCKET) continue;
      ++m_nConnections;
      if (m_mode == Mode::Reset) {
        linger reset{1, 0};  // closing now sends a reset instead of an orderly end
        setsockopt(nClient, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset),
                   sizeof(reset));
        Close(nClient);
        continue;
      }
      std::string strData;
      char achBuffer[4096];
      size_t nLength = 0;
      pollfd client{nClient, POLLIN, 0};
      while (!m_bStop && nLength == 0) {
        if (Poll(client) <= 0) continue;
        int nRead = static_cast<int>(recv(nClient, achBuffer, sizeof(achBuffer), 0));
        if (nRead <= 0) break;
        strData.append(achBuffer, static_cast<size_t>(nRead));
        nLength = CompleteLength(strData);
      }
      if (nLength != 0) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(strData.substr(0, nLength));
        m_changed.notify_all();
      }
      static const char ANSWER[] =
          "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
      if (m_mode == Mode::Answer) send(nClient, ANSWER, sizeof(ANSWER) - 1, NO_SIGNAL);
      if (m_mode == Mode::Silent && nLength != 0)
        held.push_back(nClient);
      else
        Close(nClient);
    }
    for (Socket nSocket : held) Close(nSocket);
  }

  Mode m_mode;
  Socket m_nListen = NO_SOCKET;
  std::string m_strAddress;
  std::string m_strError = "no sockets";
  std::atomic<bool> m_bStop{false};
  std::atomic<int> m_nConnections{0};
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<std::string> m_requests;
  std::thread m_thread;
};

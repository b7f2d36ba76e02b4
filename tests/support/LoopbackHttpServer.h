#pragma once
// A small HTTP server on a loopback address, port 80, for the crash-report upload tests. It
// keeps every complete request it receives, byte for byte, and answers each with an empty
// "200 OK" and a close; a silent server keeps the connection open and never answers; a
// resetting server accepts each connection and drops it at once with a reset; a refusing one
// holds the address without listening, so every connection is refused.
// Binding port 80 needs root; Listening() tells (for a refusing server: the address is held).

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
#if defined(_WIN32)
  using Socket = SOCKET;
  static constexpr Socket NO_SOCKET = INVALID_SOCKET;
  static Socket OpenSocket() { return socket(AF_INET, SOCK_STREAM, 0); }
  static Socket AcceptSocket(Socket nListen) { return accept(nListen, nullptr, nullptr); }
  static void CloseSocket(Socket nSocket) { closesocket(nSocket); }
  static int Poll(pollfd* pPoll, size_t nCount, int nMilliseconds) {
    return WSAPoll(pPoll, static_cast<ULONG>(nCount), nMilliseconds);
  }
  static int LastError() { return WSAGetLastError(); }
  static std::string ErrorText(int nError) { return "socket error " + std::to_string(nError); }
  static constexpr int ADDRESS_IN_USE = WSAEADDRINUSE;
  static constexpr int SEND_FLAGS = 0;
  // Winsock is started for the program's lifetime on first use.
  static bool StartSockets() {
    static const bool s_bStarted = [] {
      WSADATA data;
      return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return s_bStarted;
  }
#else
  using Socket = int;
  static constexpr Socket NO_SOCKET = -1;
  static Socket OpenSocket() { return socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0); }
  static Socket AcceptSocket(Socket nListen) {
    return accept4(nListen, nullptr, nullptr, SOCK_CLOEXEC);
  }
  static void CloseSocket(Socket nSocket) { close(nSocket); }
  static int Poll(pollfd* pPoll, size_t nCount, int nMilliseconds) {
    return poll(pPoll, nCount, nMilliseconds);
  }
  static int LastError() { return errno; }
  static std::string ErrorText(int nError) { return strerror(nError); }
  static constexpr int ADDRESS_IN_USE = EADDRINUSE;
  static constexpr int SEND_FLAGS = MSG_NOSIGNAL;
  static bool StartSockets() { return true; }
#endif

 public:
  enum class Mode { Answer, Silent, Reset, Refuse };

  // Listens on the first free address 127.8.<nNetwork>.<2..254>, port 80: tests of their own
  // networks do not meet, and an address another program holds is passed over.
  LoopbackHttpServer(int nNetwork, Mode mode) : m_mode(mode) {
    if (!StartSockets()) {
      m_strError = "no sockets";
      return;
    }
    for (int nHost = 2; nHost < 255 && m_nListen == NO_SOCKET; ++nHost) {
      std::string strAddress = "127.8." + std::to_string(nNetwork) + "." + std::to_string(nHost);
      Socket nSocket = OpenSocket();
      if (nSocket == NO_SOCKET) {
        m_strError = ErrorText(LastError());
        return;
      }
      int nOn = 1;
      setsockopt(nSocket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&nOn),
                 sizeof(nOn));
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_port = htons(80);
      inet_pton(AF_INET, strAddress.c_str(), &address.sin_addr);
      if (bind(nSocket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
          (mode == Mode::Refuse || listen(nSocket, 16) == 0)) {
        m_nListen = nSocket;
        m_strAddress = strAddress;
        break;
      }
      int nError = LastError();
      m_strError = "cannot listen on " + strAddress + ":80: " + ErrorText(nError);
      CloseSocket(nSocket);
      if (nError != ADDRESS_IN_USE) return;  // no right to port 80: nothing else will do
    }
    if (m_nListen != NO_SOCKET && mode != Mode::Refuse) m_thread = std::thread([this] { Serve(); });
  }

  ~LoopbackHttpServer() {
    m_bStop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_nListen != NO_SOCKET) CloseSocket(m_nListen);
  }

  bool Listening() const { return m_nListen != NO_SOCKET; }
  const std::string& Address() const { return m_strAddress; }
  const std::string& Error() const { return m_strError; }

  // Waits until at least nCount complete requests have come in; false on timeout.
  bool WaitForRequests(size_t nCount, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_vecRequests.size() >= nCount; });
  }
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_vecRequests;
  }
  int Connections() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nConnections;
  }

 private:
  struct Client {
    Socket nSocket;
    std::string strData;
    bool bDone;
  };

  // Length of the request in the data once it is complete (headers, then Content-Length
  // bytes of body), else 0.
  static size_t CompleteLength(const std::string& strData) {
    size_t nHeaderEnd = strData.find("\r\n\r\n");
    if (nHeaderEnd == std::string::npos) return 0;
    size_t nBody = 0;
    size_t nField = strData.find("\r\nContent-Length: ");
    if (nField != std::string::npos && nField < nHeaderEnd) {
      nBody = strtoul(strData.c_str() + nField + 18, nullptr, 10);
    }
    size_t nTotal = nHeaderEnd + 4 + nBody;
    return strData.size() >= nTotal ? nTotal : 0;
  }

  void Serve() {
    std::vector<Client> vecClients;
    while (!m_bStop) {
      std::vector<pollfd> vecPoll{{m_nListen, POLLIN, 0}};
      for (const Client& client : vecClients) vecPoll.push_back({client.nSocket, POLLIN, 0});
      if (Poll(vecPoll.data(), vecPoll.size(), 20) <= 0) continue;
      if (vecPoll[0].revents & POLLIN) {
        Socket nSocket = AcceptSocket(m_nListen);
        if (nSocket != NO_SOCKET && m_mode == Mode::Reset) {
          linger reset{1, 0};  // closing now sends a reset instead of an orderly end
          setsockopt(nSocket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset),
                     sizeof(reset));
          CloseSocket(nSocket);
          std::lock_guard<std::mutex> lock(m_mutex);
          ++m_nConnections;
        } else if (nSocket != NO_SOCKET) {
          vecClients.push_back({nSocket, std::string(), false});
          std::lock_guard<std::mutex> lock(m_mutex);
          ++m_nConnections;
        }
      }
      for (size_t i = 1; i < vecPoll.size(); ++i) {
        if (vecPoll[i].revents == 0) continue;
        Client& client = vecClients[i - 1];
        char achBuffer[4096];
        int nRead = static_cast<int>(recv(client.nSocket, achBuffer, sizeof(achBuffer), 0));
        if (nRead <= 0) {
          client.bDone = true;
          continue;
        }
        client.strData.append(achBuffer, static_cast<size_t>(nRead));
        size_t nLength = CompleteLength(client.strData);
        if (nLength == 0) continue;
        {
          std::lock_guard<std::mutex> lock(m_mutex);
          m_vecRequests.push_back(client.strData.substr(0, nLength));
        }
        m_changed.notify_all();
        client.strData.erase(0, nLength);
        if (m_mode == Mode::Answer) {
          static const char ANSWER[] =
              "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
          send(client.nSocket, ANSWER, sizeof(ANSWER) - 1, SEND_FLAGS);
          client.bDone = true;
        }
      }
      for (size_t i = vecClients.size(); i-- > 0;) {
        if (!vecClients[i].bDone) continue;
        CloseSocket(vecClients[i].nSocket);
        vecClients.erase(vecClients.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
    for (const Client& client : vecClients) CloseSocket(client.nSocket);
  }

  Mode m_mode;
  Socket m_nListen = NO_SOCKET;
  std::string m_strAddress;
  std::string m_strError;
  std::atomic<bool> m_bStop{false};
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<std::string> m_vecRequests;
  int m_nConnections = 0;
  std::thread m_thread;
};

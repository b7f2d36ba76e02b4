// The crash-report upload's HTTP POST over a plain socket, for builds without libcurl (the
// 32-bit Linux build). It speaks HTTP/1.1 to the server itself and asks no proxy, whatever the
// system's settings say. The connect time bounds reaching the server and the total time the
// whole exchange, both counted from the call; a name lookup in between waits as long as the
// resolver does.
#include <netdb.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "CrashPlatform.h"

namespace CrashPlatform {

namespace {

using Clock = std::chrono::steady_clock;

// Waits for the event until the deadline; false on time-out or error.
bool WaitFor(int nSocket, short nEvent, Clock::time_point deadline) {
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd wait{nSocket, nEvent, 0};
    int nReady = poll(&wait, 1, static_cast<int>(left.count()));
    if (nReady > 0) return true;
    if (nReady == 0 || errno != EINTR) return false;
  }
}

// A non-blocking socket connected to one of the server's addresses, or -1.
int Connect(const HttpPostRequest& request, Clock::time_point connectBy) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* pAddresses = nullptr;
  std::string strPort = std::to_string(request.nPort);
  if (getaddrinfo(request.pszServer, strPort.c_str(), &hints, &pAddresses) != 0) return -1;
  int nSocket = -1;
  for (addrinfo* pAt = pAddresses; pAt != nullptr && nSocket < 0; pAt = pAt->ai_next) {
    nSocket =
        socket(pAt->ai_family, pAt->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, pAt->ai_protocol);
    if (nSocket < 0) continue;
    int nError = 0;
    socklen_t nErrorSize = sizeof(nError);
    bool bConnected =
        connect(nSocket, pAt->ai_addr, pAt->ai_addrlen) == 0 ||
        (errno == EINPROGRESS && WaitFor(nSocket, POLLOUT, connectBy) &&
         getsockopt(nSocket, SOL_SOCKET, SO_ERROR, &nError, &nErrorSize) == 0 && nError == 0);
    if (!bConnected) {
      close(nSocket);
      nSocket = -1;
    }
  }
  freeaddrinfo(pAddresses);
  return nSocket;
}

bool SendAll(int nSocket, const std::string& strData, Clock::time_point deadline) {
  for (size_t nSent = 0; nSent < strData.size();) {
    ssize_t nDone = send(nSocket, strData.data() + nSent, strData.size() - nSent, MSG_NOSIGNAL);
    if (nDone > 0) {
      nSent += static_cast<size_t>(nDone);
    } else if (nDone < 0 && errno != EAGAIN && errno != EINTR) {
      return false;
    } else if (!WaitFor(nSocket, POLLOUT, deadline)) {
      return false;
    }
  }
  return true;
}

// True once a whole status line of an HTTP answer has come; the rest is not waited for.
bool ReceiveStatusLine(int nSocket, Clock::time_point deadline) {
  std::string strAnswer;
  char achChunk[512];
  while (strAnswer.find("\r\n") == std::string::npos) {
    ssize_t nRead = recv(nSocket, achChunk, sizeof(achChunk), 0);
    if (nRead > 0) {
      strAnswer.append(achChunk, static_cast<size_t>(nRead));
    } else if (nRead == 0 || (errno != EAGAIN && errno != EINTR)) {
      return false;
    } else if (!WaitFor(nSocket, POLLIN, deadline)) {
      return false;
    }
  }
  return strAnswer.compare(0, 5, "HTTP/") == 0;
}

bool IsHeaderGiven(const char* const* ppszHeaders, const char* pszName) {
  size_t nLength = strlen(pszName);
  for (const char* const* pp = ppszHeaders; pp != nullptr && *pp != nullptr; ++pp) {
    if (strncasecmp(*pp, pszName, nLength) == 0 && (*pp)[nLength] == ':') return true;
  }
  return false;
}

// The request line and headers as libcurl writes them: Host (with the port unless it is 80),
// User-Agent, the caller's headers, Content-Length; a header of the caller's replaces ours.
std::string RequestText(const HttpPostRequest& request, size_t nBodyLength) {
  std::string strText = std::string("POST ") + (request.pszObject[0] == '/' ? "" : "/") +
                        request.pszObject + " HTTP/1.1\r\n";
  if (!IsHeaderGiven(request.ppszHeaders, "Host")) {
    strText += std::string("Host: ") + request.pszServer +
               (request.nPort == 80 ? "" : ":" + std::to_string(request.nPort)) + "\r\n";
  }
  if (request.pszUserAgent != nullptr && !IsHeaderGiven(request.ppszHeaders, "User-Agent")) {
    strText += std::string("User-Agent: ") + request.pszUserAgent + "\r\n";
  }
  for (const char* const* pp = request.ppszHeaders; pp != nullptr && *pp != nullptr; ++pp) {
    strText += std::string(*pp) + "\r\n";
  }
  if (!IsHeaderGiven(request.ppszHeaders, "Content-Length")) {
    strText += "Content-Length: " + std::to_string(nBodyLength) + "\r\n";
  }
  return strText + "\r\n";
}

}  // namespace

// Plain sockets need no one-time setup.
bool HttpSetup() { return true; }

bool HttpPost(const HttpPostRequest& request) {
  if (request.pszServer == nullptr || request.pszObject == nullptr) return false;
  size_t nBodyLength = request.pchBody != nullptr ? request.nBodyLength : 0;
  std::string strRequest = RequestText(request, nBodyLength);
  strRequest.append(request.pchBody != nullptr ? request.pchBody : "", nBodyLength);
  Clock::time_point start = Clock::now();
  Clock::time_point deadline = start + std::chrono::seconds(request.nTotalTimeoutSeconds);
  Clock::time_point connectBy = start + std::chrono::seconds(request.nConnectTimeoutSeconds);
  int nSocket = Connect(request, connectBy < deadline ? connectBy : deadline);
  if (nSocket < 0) return false;
  bool bAnswered = SendAll(nSocket, strRequest, deadline) && ReceiveStatusLine(nSocket, deadline);
  close(nSocket);
  return bAnswered;
}

}  // namespace CrashPlatform

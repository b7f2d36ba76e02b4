// The crash-report upload's HTTP POST through libcurl.
#include <curl/curl.h>

#include <mutex>
#include <string>

#include "CrashPlatform.h"

namespace CrashPlatform {

namespace {

size_t DiscardAnswer(char*, size_t nSize, size_t nCount, void*) { return nSize * nCount; }

}  // namespace

// libcurl's global state is never cleaned up: a post may still run while the process exits.
bool HttpSetup() {
  static std::once_flag s_initOnce;
  static CURLcode s_initResult = CURLE_FAILED_INIT;
  std::call_once(s_initOnce, [] { s_initResult = curl_global_init(CURL_GLOBAL_DEFAULT); });
  return s_initResult == CURLE_OK;
}

// libcurl takes its proxy from the system's settings (http_proxy, no_proxy) by itself. Its easy
// handles are used by one thread each.
bool HttpPost(const HttpPostRequest& request) {
  if (request.pszServer == nullptr || request.pszObject == nullptr) return false;
  if (!HttpSetup()) return false;
  CURL* pCurl = curl_easy_init();
  if (pCurl == nullptr) return false;
  std::string strUrl = std::string("http://") + request.pszServer + ":" +
                       std::to_string(request.nPort) + (request.pszObject[0] == '/' ? "" : "/") +
                       request.pszObject;
  curl_slist* pHeaders = nullptr;
  bool bListComplete = true;
  for (const char* const* pp = request.ppszHeaders; pp != nullptr && *pp != nullptr; ++pp) {
    curl_slist* pMore = curl_slist_append(pHeaders, *pp);
    if (pMore == nullptr)
      bListComplete = false;
    else
      pHeaders = pMore;
  }
  curl_slist* pMore = curl_slist_append(pHeaders, "Expect:");  // no "100-continue" round trip
  if (pMore == nullptr)
    bListComplete = false;
  else
    pHeaders = pMore;
  bool bSent = false;
  if (bListComplete) {
    curl_easy_setopt(pCurl, CURLOPT_URL, strUrl.c_str());
    curl_easy_setopt(pCurl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(pCurl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(pCurl, CURLOPT_USERAGENT, request.pszUserAgent);
    curl_easy_setopt(pCurl, CURLOPT_HTTPHEADER, pHeaders);
    curl_easy_setopt(pCurl, CURLOPT_POST, 1L);
    curl_easy_setopt(pCurl, CURLOPT_POSTFIELDS, request.pchBody != nullptr ? request.pchBody : "");
    curl_easy_setopt(pCurl, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.pchBody != nullptr ? request.nBodyLength : 0));
    curl_easy_setopt(pCurl, CURLOPT_CONNECTTIMEOUT, request.nConnectTimeoutSeconds);
    curl_easy_setopt(pCurl, CURLOPT_TIMEOUT, request.nTotalTimeoutSeconds);
    curl_easy_setopt(pCurl, CURLOPT_WRITEFUNCTION, DiscardAnswer);
    bSent = curl_easy_perform(pCurl) == CURLE_OK;
  }
  curl_slist_free_all(pHeaders);
  curl_easy_cleanup(pCurl);
  return bSent;
}

}  // namespace CrashPlatform

// The crash-report upload: one HTTP POST per crash record, on a detached thread.
#include "CrashUpload.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <system_error>
#include <thread>

#include "CrashPlatform.h"
#include "IniLookup.h"

namespace ZorGameBase {
namespace {

const char SETUP_FILE[] = "ini/GameSetup.ini";
const char SETUP_SECTION[] = "DumpError";
const int UPLOADS_MAX = 4;
const size_t TEXT_MAX = 4095;
const size_t BODY_SIZE = 1024;  // "msg=" and at most 1019 characters of the record
const size_t ENABLE_MAX = 15;
const size_t SETTING_MAX = 255;  // "Server" and "Action"
const size_t SETTING_MIN = 3;

// A collecting server that is slow or gone must not keep an upload thread forever: reaching it
// may take 10 seconds, the whole exchange (send and the ignored answer) 30.
const long CONNECT_TIMEOUT_SECONDS = 10;
const long TOTAL_TIMEOUT_SECONDS = 30;

std::atomic<int> g_nStarted{0};
std::atomic<int> g_nFinished{0};

// One setting of the DumpError section. A value longer than its field counts as not found.
bool ReadSetting(const char* pszKey, char* pszValue, size_t nMaxLength) {
  char szValue[1024] = {0};
  if (!GetIniValue(SETUP_FILE, SETUP_SECTION, pszKey, szValue, false)) return false;
  if (strlen(szValue) > nMaxLength) return false;
  strcpy(pszValue, szValue);
  return true;
}

// Reads the settings anew, posts the record when they allow it, ignores the answer.
void UploadRecord(const std::string& strText) {
  char szEnable[ENABLE_MAX + 1] = {0};
  if (!ReadSetting("Enable", szEnable, ENABLE_MAX) || strtol(szEnable, nullptr, 10) != 1) return;
  char szServer[SETTING_MAX + 1] = {0};
  char szAction[SETTING_MAX + 1] = {0};
  bool bServer = ReadSetting("Server", szServer, SETTING_MAX);
  bool bAction = ReadSetting("Action", szAction, SETTING_MAX);
  if (!bServer || !bAction || strlen(szServer) < SETTING_MIN || strlen(szAction) < SETTING_MIN) {
    return;
  }
  // A longer record is cut to the body: the collecting server gets its first 1019 characters.
  char szBody[BODY_SIZE];
  snprintf(szBody, sizeof(szBody), "msg=%s", strText.c_str());
  const char* const apszHeaders[] = {"Accept: */*",
                                     "Content-Type: application/x-www-form-urlencoded", nullptr};
  CrashPlatform::HttpPostRequest request{};
  request.pszUserAgent = "UlmAgent";
  request.pszServer = szServer;
  request.nPort = 80;
  request.pszObject = szAction;
  request.ppszHeaders = apszHeaders;
  request.pchBody = szBody;
  request.nBodyLength = strlen(szBody);
  request.nConnectTimeoutSeconds = CONNECT_TIMEOUT_SECONDS;
  request.nTotalTimeoutSeconds = TOTAL_TIMEOUT_SECONDS;
  CrashPlatform::HttpPost(request);
}

void CrashUploadThread(std::string strText) {
  UploadRecord(strText);
  g_nFinished.fetch_add(1);
}

}  // namespace

void StartCrashUpload(const char* pszText) {
  if (pszText == nullptr) return;
  int nStarted = g_nStarted.load();
  do {
    if (nStarted >= UPLOADS_MAX) return;
  } while (!g_nStarted.compare_exchange_weak(nStarted, nStarted + 1));
  // The HTTP client is set up here, on the caller's thread, and never torn down: an upload
  // thread that still runs while the process exits touches nothing that exit destroys. A
  // thread that cannot be had (or memory for the copy) costs this upload: it counts as
  // started and ended at once.
  CrashPlatform::HttpSetup();
  try {
    std::string strText(pszText, strnlen(pszText, TEXT_MAX));
    std::thread(CrashUploadThread, std::move(strText)).detach();
  } catch (const std::system_error&) {
    g_nFinished.fetch_add(1);
  } catch (const std::bad_alloc&) {
    g_nFinished.fetch_add(1);
  }
}

int CrashUploadsStarted() { return g_nStarted.load(); }
int CrashUploadsFinished() { return g_nFinished.load(); }

}  // namespace ZorGameBase

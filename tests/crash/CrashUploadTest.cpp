// The crash-report upload against a real HTTP server on a loopback address, port 80.
//
// The count of uploads is per process and never goes back: ctest runs every test in a process
// of its own, and a test finding uploads already spent (all tests in one process) is skipped.
// Each test listens on a loopback network of its own so that tests can run side by side.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CrashPlatform.h"
#include "CrashReport.h"
#include "CrashUpload.h"
#include "LoopbackHttpServer.h"
#include "ModuleFixture.h"
#include "SafeVector"
#include "TestPlatform.h"
#include "ZorPlatform.h"

#if defined(CRASH_UPLOAD_EXIT)
#include <sys/wait.h>
#endif

using namespace ZorGameBase;
using namespace std::chrono_literals;

namespace {

// The collecting server is on loopback: no configured proxy is to be asked for it.
const bool g_bNoProxy = TestPlatform::SetEnvironmentValue("no_proxy", "127.0.0.0/8");

std::mutex g_debuggerMutex;
std::vector<std::string> g_vecDebuggerLines;

void KeepDebuggerLine(const char* pszText) {
  std::lock_guard<std::mutex> lock(g_debuggerMutex);
  g_vecDebuggerLines.push_back(pszText);
}

std::string Request(const std::string& strAddress, const std::string& strBody) {
  return "POST /dump/report.php HTTP/1.1\r\nHost: " + strAddress +
         "\r\nUser-Agent: UlmAgent\r\nAccept: */*\r\n"
         "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
         std::to_string(strBody.size()) + "\r\n\r\n" + strBody;
}

// The request line, the header lines in name order and the body: HTTP clients differ in the
// order in which they write their header lines.
std::string HeadersSorted(const std::string& strRequest) {
  size_t nHead = strRequest.find("\r\n") + 2, nEnd = strRequest.find("\r\n\r\n") + 2;
  if (nEnd < nHead) return strRequest;
  std::vector<std::string> vecLines;
  for (size_t nAt = nHead; nAt < nEnd; nAt = strRequest.find("\r\n", nAt) + 2)
    vecLines.push_back(strRequest.substr(nAt, strRequest.find("\r\n", nAt) + 2 - nAt));
  std::sort(vecLines.begin(), vecLines.end());
  std::string strSorted = strRequest.substr(0, nHead);
  for (const std::string& strLine : vecLines) strSorted += strLine;
  return strSorted + strRequest.substr(nEnd);
}

class CrashUploadTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    ASSERT_TRUE(g_bNoProxy);
    ZorPlatform::SetDebuggerSink(KeepDebuggerLine);
    if (CrashUploadsStarted() != 0) GTEST_SKIP() << "needs a process of its own, as under ctest";
  }
  void TearDown() override {
    WaitForUploadsToEnd();
    ZorPlatform::SetDebuggerSink(nullptr);
    TempFolderTest::TearDown();
  }

  // ini/GameSetup.ini with the upload on, posting to the address.
  void EnableUpload(const std::string& strAddress) {
    Write("ini/GameSetup.ini",
          "[DumpError]\nEnable=1\nServer=" + strAddress + "\nAction=/dump/report.php\n");
  }
  static bool WaitForUploadsToEnd(std::chrono::seconds timeout = 20s) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (CrashUploadsFinished() < CrashUploadsStarted()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }
  static std::vector<std::string> DebuggerLines() {
    std::lock_guard<std::mutex> lock(g_debuggerMutex);
    return g_vecDebuggerLines;
  }
};

#define START_SERVER(server, network, mode) \
  LoopbackHttpServer server(network, mode); \
  if (!server.Listening()) GTEST_SKIP() << server.Error()
// A server that answers, and the upload on posting to it.
#define START_UPLOAD_SERVER(server, network)                       \
  START_SERVER(server, network, LoopbackHttpServer::Mode::Answer); \
  EnableUpload(server.Address())

// Each record in a request of its own, unencoded; a long one gives its first 1019 characters.
TEST_F(CrashUploadTest, UploadPostsTheRecordUnencodedByteForByte) {
  START_UPLOAD_SERVER(server, 2);
  StartCrashUpload("a&b=c d%20+\xA1\xEF\n");
  ASSERT_TRUE(server.WaitForRequests(1, 10s));
  std::string strLong;
  for (int i = 0; i < 5000; ++i) strLong += static_cast<char>('a' + i % 26);
  StartCrashUpload(strLong.c_str());
  ASSERT_TRUE(server.WaitForRequests(2, 10s));
  ASSERT_TRUE(WaitForUploadsToEnd());
  std::vector<std::string> vecRequests = server.Requests();
  ASSERT_EQ(2u, vecRequests.size());
  EXPECT_EQ(HeadersSorted(Request(server.Address(), "msg=a&b=c d%20+\xA1\xEF\n")),
            HeadersSorted(vecRequests[0]));
  EXPECT_EQ(HeadersSorted(Request(server.Address(), "msg=" + strLong.substr(0, 1019))),
            HeadersSorted(vecRequests[1]));
  EXPECT_EQ(2, server.Connections());
  EXPECT_EQ("", LogText());
}

// The first record is a bad index's; the fifth is logged but not uploaded.
TEST_F(CrashUploadTest, BadIndexRecordReachesTheServerAndTheFifthRecordDoesNot) {
  START_UPLOAD_SERVER(server, 5);
  Write("version.dat", "2.4.1");
  CSafeVector<int> vec;
  vec.push_back(1);
  EXPECT_EQ(0, vec[1]);
  for (int i = 2; i <= 5; ++i) CrashRecord(nullptr, "record %d of five", i);
  ASSERT_TRUE(server.WaitForRequests(4, 10s));
  ASSERT_TRUE(WaitForUploadsToEnd());
  EXPECT_EQ(4, CrashUploadsStarted());
  std::vector<std::string> vecRequests = server.Requests();
  ASSERT_EQ(4u, vecRequests.size());
  // The uploads run side by side: their requests come in any order.
  auto bad = std::find_if(vecRequests.begin(), vecRequests.end(), [](const std::string& str) {
    return str.find("CSafeVector()") != std::string::npos;
  });
  ASSERT_NE(vecRequests.end(), bad);
  std::string strBody = bad->substr(bad->find("\r\n\r\n") + 4);
  EXPECT_EQ(0u, strBody.find("msg=ReleaseVer:2.4.1 MsgVer:999 , FileVer:, FileTime:==("))
      << strBody;
  EXPECT_NE(std::string::npos,
            strBody.find(") CSafeVector() position error: *** include/SafeVector 83 crash! ***\n"))
      << strBody;
  for (const std::string& strRequest : vecRequests)
    EXPECT_EQ(std::string::npos, strRequest.find("record 5 of five"));
  EXPECT_EQ(5, LogCount("ReleaseVer:2.4.1 MsgVer:999 , FileVer:, FileTime:==("));
  EXPECT_EQ(1, LogCount("record 5 of five"));
}

TEST_F(CrashUploadTest, ConcurrentRecordsFromThreadsStartAtMostFourUploads) {
  START_UPLOAD_SERVER(server, 6);
  std::atomic<bool> bGo{false};
  std::vector<std::thread> vecThreads;
  for (int t = 0; t < 8; ++t) {
    vecThreads.emplace_back([t, &bGo] {
      while (!bGo) std::this_thread::yield();
      for (int i = 0; i < 3; ++i) CrashRecord(nullptr, "thread %d record %d", t, i);
    });
  }
  bGo = true;
  for (std::thread& thread : vecThreads) thread.join();
  ASSERT_TRUE(WaitForUploadsToEnd());
  EXPECT_EQ(4, CrashUploadsStarted());
  EXPECT_TRUE(server.WaitForRequests(4, 5s));
  EXPECT_EQ(4u, server.Requests().size());
  EXPECT_EQ(24, LogCount("MsgVer:999"));
}

// Neither the uploads nor the platform's post wait for a silent server: the post gives up after
// its total time.
TEST_F(CrashUploadTest, UploadToSilentServerDoesNotHoldUpTheCaller) {
  START_SERVER(server, 7, LoopbackHttpServer::Mode::Silent);
  EnableUpload(server.Address());
  auto start = std::chrono::steady_clock::now();
  CrashRecord(nullptr, "never answered");
  CrashRecord(nullptr, "never answered either");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  EXPECT_TRUE(server.WaitForRequests(2, 10s));
  EXPECT_EQ(0, CrashUploadsFinished());  // both still wait for an answer
  EXPECT_EQ(2, LogCount("never answered"));
  // Agent, server, port, object, headers, body and its length, connect and total time.
  const CrashPlatform::HttpPostRequest request{
      "UlmAgent", server.Address().c_str(), 80, "dump.php", nullptr, "msg=x", 5, 1, 1};
  start = std::chrono::steady_clock::now();
  EXPECT_FALSE(CrashPlatform::HttpPost(request));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  ASSERT_TRUE(server.WaitForRequests(3, 1s));
  EXPECT_EQ(0u, server.Requests()[2].find("POST /dump.php HTTP/1.1\r\n"));
}

// A server that refuses the connection or resets it: the caller goes on at once, the record is
// logged once, and the upload ends by itself soon after without a word.
TEST_F(CrashUploadTest, UploadToRefusingOrResettingServerEndsQuietly) {
  for (auto mode : {LoopbackHttpServer::Mode::Refuse, LoopbackHttpServer::Mode::Reset}) {
    bool bRefuse = mode == LoopbackHttpServer::Mode::Refuse;
    SCOPED_TRACE(bRefuse ? "refusing server" : "resetting server");
    START_SERVER(server, bRefuse ? 18 : 19, mode);
    EnableUpload(server.Address());
    auto start = std::chrono::steady_clock::now();
    CrashRecord(nullptr, bRefuse ? "refused record" : "reset record");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_TRUE(WaitForUploadsToEnd(5s));
    EXPECT_EQ(bRefuse ? 0 : 1, server.Connections());
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_EQ(1, LogCount(bRefuse ? "refused record" : "reset record"));
  }
  EXPECT_EQ(2, CrashUploadsStarted());
  EXPECT_TRUE(DebuggerLines().empty());
}

#if defined(CRASH_UPLOAD_EXIT)
// A host that returns from main right after writing crash records ends cleanly while their
// uploads are in flight, run after run (the end of the process meets the uploads at ever other
// points).
TEST_F(CrashUploadTest, ExitWithUploadsInFlightEndsCleanly) {
  START_UPLOAD_SERVER(server, 20);
  const int RUNS = 30;
  const std::string strCommand =
      "timeout -s KILL 20 \"" CRASH_UPLOAD_EXIT "\" \"" + m_folder.string() + "\"";
  for (int nRun = 0; nRun < RUNS; ++nRun) {
    int nStatus = std::system(strCommand.c_str());  // killed after 20 s: a hang at exit
    ASSERT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0)
        << "run " << nRun << ", wait status " << nStatus;
  }
  EXPECT_EQ(RUNS * 4, LogCount("before exit"));
}
#endif

// Setups that keep the upload off: nothing may reach the server. "@" stands for the address.
struct OffCase {
  const char* pszName;
  int nNetwork;
  const char* pszSetup;         // ini/GameSetup.ini, or null for none
  const char* pszDebuggerLine;  // the lookup's report, or null
};

const char ENABLE_NOT_FOUND[] = "Error: [DumpError] Enable not found in ini/GameSetup.ini.\n";

const OffCase OFF_CASES[] = {
    {"EnableTwo", 9, "[DumpError]\nEnable=2\nServer=@\nAction=/d.php\n", nullptr},
    {"EnableMissing", 11, "[DumpError]\nServer=@\nAction=/d.php\n", ENABLE_NOT_FOUND},
    {"NoDumpErrorSection", 12, "[Other]\nEnable=1\nServer=@\nAction=/d.php\n", ENABLE_NOT_FOUND},
    {"ServerOfTwoCharacters", 14, "[DumpError]\nEnable=1\nServer=ab\nAction=/d.php\n", nullptr},
    {"ActionMissing", 16, "[DumpError]\nEnable=1\nServer=@\n",
     "Error: [DumpError] Action not found in ini/GameSetup.ini.\n"},
    {"NoSetupFile", 17, nullptr, nullptr},
};

void PrintTo(const OffCase& c, std::ostream* pOut) { *pOut << c.pszName; }

class CrashUploadOffTest : public CrashUploadTest, public ::testing::WithParamInterface<OffCase> {};

TEST_P(CrashUploadOffTest, UploadSendsNothing) {
  const OffCase& c = GetParam();
  START_SERVER(server, c.nNetwork, LoopbackHttpServer::Mode::Answer);
  if (c.pszSetup != nullptr) {
    std::string strSetup = c.pszSetup;
    size_t nAt = strSetup.find('@');
    if (nAt != std::string::npos) strSetup.replace(nAt, 1, server.Address());
    Write("ini/GameSetup.ini", strSetup);
  }
  StartCrashUpload("not to be sent");
  ASSERT_TRUE(WaitForUploadsToEnd());
  EXPECT_EQ(1, CrashUploadsStarted());
  EXPECT_EQ(0, server.Connections());
  std::vector<std::string> vecExpected;
  if (c.pszDebuggerLine != nullptr) vecExpected.push_back(c.pszDebuggerLine);
  EXPECT_EQ(vecExpected, DebuggerLines());
  EXPECT_EQ("", LogText());
}

INSTANTIATE_TEST_SUITE_P(Setups, CrashUploadOffTest, ::testing::ValuesIn(OFF_CASES),
                         [](const ::testing::TestParamInfo<OffCase>& info) {
                           return std::string(info.param.pszName);
                         });

}  // namespace

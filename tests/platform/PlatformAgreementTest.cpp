// What must read the same on every build, POSIX and Windows alike: the ".dat" cipher and the
// debug log record. The expected values are fixed here, not computed by the code under test, so
// one binary per platform passing this file shows that the builds agree. (The scan formats agree
// the same way in TextScanTest.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <string_view>

#include "DebugLog.h"
#include "ModuleFixture.h"
#include "ZorEncryptFile.h"
#include "ZorPlatform.h"

using ZorGameBase::CZorEncryptFile;

namespace {

class PlatformAgreementTest : public TempFolderTest {};

std::string FromHex(std::string_view hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(strtol(std::string(hex.substr(i, 2)).c_str(), nullptr, 16));
  }
  return bytes;
}

// A 147-byte map entry enciphered with seed 6142: its key is the classic generator's sequence
// (state * 214013 + 2531011) whatever the runtime's own; past the 128-byte key, GBK name, CR LF kept.
TEST_F(PlatformAgreementTest, DatFileDeciphersToTheSameBytes) {
  Write("ini/Golden.dat",
        FromHex("248D438FD8476C66B03EF0A056BF49349803831E76AF3E8E59E9BAE7D524DABA57E4D1D2F2014FBAE3258A90"
                "22348CD736915C0D15173F09D2AA235EA18EAF3AE36AA180FD74FC4BDEE4FBBE06D05F1CD27794D1994BDBBF"
                "FF2B2A8919F7EB5777B187ED1007B870F815665D53613D3CE015908B6876C1ED68575DB2D1FDBB621BB12205"
                "ECA0F45AA112C038D36D625B340383"));
  CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
  ASSERT_TRUE(file.Open("ini/Golden.dat"));
  EXPECT_EQ(std::string("[1001]\r\nName=\xB8\xDB\xBF\xDA\r\nWidth=512\r\nHeight=384\r\n"
                        "File=map/harbor.dmap\r\nPuzzle=map/puzzle/harbor.pul\r\nType=2\r\n"
                        "Weather=rain 3\r\nSound=sound/harbor_wave.wav\r\n"),
            std::string(file.GetBuffer(), static_cast<size_t>(file.GetSize())));
}

// The record is "<message> -- <Www Mmm dd hh:mm:ss yyyy>" and the platform's text line end:
// the file is appended in text mode, so Windows writes CR LF where POSIX writes LF. Read as text,
// both are the same line.
TEST_F(PlatformAgreementTest, DebugLogRecordIsTheSameLineInTheSameFile) {
  ZorGameBase::DebugLog("invalid line [%s] found in %s.", "1.2.x", "ini/Action3DEffect.ini");
  std::tm now = ZorPlatform::LocalTimeNow();
  std::string strName = "debug/" + std::to_string(now.tm_year + 1900) + "_" +
                        std::to_string(now.tm_mon + 1) + "_" + std::to_string(now.tm_mday) + ".log";
  std::ifstream in(strName, std::ios::binary);
  ASSERT_TRUE(in.is_open()) << strName;
  std::string strBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
#if defined(_WIN32)
  const std::string strLineEnd = "\r\n";
#else
  const std::string strLineEnd = "\n";
#endif
  std::regex record(
      "invalid line \\[1\\.2\\.x\\] found in ini/Action3DEffect\\.ini\\. -- "
      "(Sun|Mon|Tue|Wed|Thu|Fri|Sat) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
      "[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}" + strLineEnd);
  EXPECT_TRUE(std::regex_search(strBytes, record)) << strBytes;
  EXPECT_TRUE(LogHas("invalid line [1.2.x] found in ini/Action3DEffect.ini. -- "));
}

}  // namespace

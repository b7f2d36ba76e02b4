// Terrain NPCs of ini/TerrainNpc.dat: a name and eight direction texts each, in file order.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "TableText.h"
#include "TextScan.h"
#include "WorldReaders.h"
#include "ZorEncryptFile.h"
#include "ZorIni.h"

using ZorGameBase::CTextScan;
using ZorGameBase::DebugLog;

namespace {

const char TERRAIN_NPC_FILE[] = "ini/TerrainNpc.dat";
const unsigned LINE_BUFFER = 1024;
const size_t SECTION_BUFFER = 256;
const size_t DIR_BUFFER = 260;
const int DIR_LINES = 8;
const size_t ID_PREFIX = 7;  // "[Terrain1001]": the id starts at the eighth character

// What a scan format made of a line, as the runtime's sscanf counts: the conversions done, or
// EOF when the line ended before the first one.
const int SCAN_EOF = -1;

// The literal characters of a format: a different character stops the scan, the end of the
// line ends the input.
int ScanLiteral(CTextScan& scan, std::string_view literal) {
  std::string_view rest = scan.Rest();
  if (rest.size() >= literal.size() && memcmp(rest.data(), literal.data(), literal.size()) == 0) {
    scan.SetPosition(scan.Position() + literal.size());  // the usual case: all of it there
    return 1;
  }
  for (char ch : literal) {
    if (scan.AtEnd()) return SCAN_EOF;
    if (!scan.Literal(ch)) return 0;
  }
  return 1;
}

// The word of a section line up to its first "]", cut to 255 characters.
void CopySection(std::string_view word, char (&szSection)[SECTION_BUFFER]) {
  word = word.substr(0, std::min(word.find(']'), sizeof(szSection) - 1));
  memcpy(szSection, word.data(), word.size());  // read as a C string only: no fill behind it
  szSection[word.size()] = '\0';
}

// "[%s]": the word after "[" up to its first "]" (a line "[Terrain1001] x" names Terrain1001),
// cut to 255 characters. A "[" with nothing behind it is no section.
bool ScanSection(std::string_view line, char (&szSection)[SECTION_BUFFER]) {
  CTextScan scan(line);
  std::string_view word;
  if (ScanLiteral(scan, "[") != 1 || !scan.Word(word)) return false;
  CopySection(word, szSection);
  return true;
}

// "Name=%s\n". A line that ends before the name (an empty line, "Name=" alone) counts as a
// name line and leaves the name as it is; any other mismatch does not.
bool ScanName(std::string_view line, char (&szName)[sizeof(TerrainNpcInfo::Name)]) {
  CTextScan scan(line);
  int nMatched = ScanLiteral(scan, "Name=");
  if (nMatched != 1) return nMatched == SCAN_EOF;
  std::string_view word;
  if (scan.Word(word)) CopyCut(szName, word);
  return true;
}

// "Dir%d=%s\n": the number is read and ignored; true when both values were read. The text
// (empty unless both were read, cut to 259 characters) goes to the record either way, a long
// one into the arena of texts.
bool ScanDir(std::string_view line, std::vector<CRecordString>& dirs, CRecordTextArena& texts) {
  CTextScan scan(line);
  std::string_view word;
  int32_t nNumber;
  bool bBoth;
  if (line.size() > 5 && memcmp(line.data(), "Dir", 3) == 0 && line[3] >= '0' && line[3] <= '9' &&
      line[4] == '=') {
    // The usual "Dir<digit>=" is read at a glance: the number is that digit.
    scan.SetPosition(line.data() + 5);
    bBoth = scan.Word(word);
  } else {
    bBoth = ScanLiteral(scan, "Dir") == 1 && scan.Int32(nNumber) && scan.Literal('=') &&
            scan.Word(word);
  }
  if (!bBoth) word = std::string_view();
  word = word.substr(0, DIR_BUFFER - 1);
  dirs.emplace_back(word.data(), word.size(), texts);
  return bBoth;
}

// The next line, looked at once when it is one run of more than nLeast characters (bRun,
// CBufferLines::NextRun), else as Next reads it; false at the end of the lines.
bool NextLine(CBufferLines& lines, size_t nLeast, std::string_view& line, bool& bRun) {
  bRun = lines.NextRun(nLeast, line);
  return bRun || lines.Next(line);
}

// A usual line "Dir<digit>=text" (bRun) takes its text where it stands; any other goes to
// ScanDir.
bool ReadDir(std::string_view line, bool bRun, std::vector<CRecordString>& dirs, CRecordTextArena& texts) {
  if (!bRun || memcmp(line.data(), "Dir", 3) != 0 || line[3] < '0' || line[3] > '9' || line[4] != '=') {
    return ScanDir(line, dirs, texts);
  }
  dirs.emplace_back(line.data() + 5, std::min(line.size() - 5, DIR_BUFFER - 1), texts);
  return true;
}

}  // namespace

// The plain text, e.g.
//   ; comment lines and empty lines between records are skipped
//   [Terrain1001]
//   Name=Ferryman
//   Dir0=ferryman_s.ani
//   ...                          eight Dir lines in all, their numbers are not looked at
//   Dir7=ferryman_se.ani
// The three parts of a record follow each other without gaps.
void ReadTerrainNpcRecords(const char* pData, unsigned nSize, const char* pszFile,
                           TerrainNpcList& list) {
  CBufferLines lines(pData, nSize, LINE_BUFFER);
  std::string_view line;
  char szSection[SECTION_BUFFER];
  bool bRun;  // the line is one run: a key and the word its scan format reads
  while (NextLine(lines, 1, line, bRun)) {
    if (bRun && line[0] == '[') {
      CopySection(line.substr(1), szSection);
    } else if (line.empty() || line[0] == '/' || line[0] == ';' || !ScanSection(line, szSection)) {
      continue;
    }
    TerrainNpcInfo info{};  // the name stays empty when its line gives none
    // A name of seven characters or fewer has no digits to read: id 0.
    info.Id = std::strlen(szSection) > ID_PREFIX ? ZorGameBase::ParseDecimal(szSection + ID_PREFIX) : 0;
    info.Dirs.reserve(DIR_LINES);
    bool bGood = NextLine(lines, 5, line, bRun);
    if (bGood && bRun && memcmp(line.data(), "Name=", 5) == 0) {
      CopyCut(info.Name, line.substr(5));
    } else if (bGood) {
      bGood = ScanName(line, info.Name);
    }
    for (int i = 0; bGood && i < DIR_LINES; ++i) {
      bGood = NextLine(lines, 5, line, bRun) && ReadDir(line, bRun, info.Dirs, list.Texts());
    }
    if (!bGood) {
      DebugLog("error data: %s of %s", szSection, pszFile);
      if (ZorGameBase::LoadObserver() != nullptr) {
        ObserveLine(ZorGameBase::RULE_LINE_REJECTED, pszFile, line,
                    "the record's Name or Dir lines do not read; the client drops it and stops reading "
                    "the file",
                    true);
      }
      return;
    }
    list.push_back(std::move(info));
  }
}

// Appends the file's records (a second load adds them again); 0 when the file cannot be opened
// or deciphered, else 1, also when a bad record ended the reading.
int32_t C3DRoleBaseData::CreateTerrainNpcInfo() {
  ZorGameBase::CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
  if (!file.Open(TERRAIN_NPC_FILE)) {
    DebugLog("error on open %s.", TERRAIN_NPC_FILE);
    return 0;
  }
  ReadTerrainNpcRecords(file.GetBuffer(), static_cast<unsigned>(file.GetSize()), TERRAIN_NPC_FILE,
                        m_vecTerrainNpc);
  file.Close();
  m_indexTerrainNpcById.Build(
      m_vecTerrainNpc, [](const TerrainNpcInfo& info) { return static_cast<uint32_t>(info.Id); });
  return 1;
}

// The first record with the id; the file's first record when the id is absent; null while the
// table is empty.
const TerrainNpcInfo* C3DRoleBaseData::GetTerrainNpcInfo(int32_t nId) {
  if (m_vecTerrainNpc.empty()) return nullptr;
  int64_t nAt = m_indexTerrainNpcById.Find(static_cast<uint32_t>(nId));
  return &m_vecTerrainNpc[nAt < 0 ? 0 : static_cast<size_t>(nAt)];
}

// The readers of outside data, each straight on the bytes: the first byte picks the reader
// (FuzzSupport::Pick, in the order of READERS), the rest is its file. Each reader must neither
// crash nor read outside its input, and what it keeps must hold together.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "BattleTables.h"
#include "DatCipher.h"
#include "FuzzSupport.h"
#include "WorldReaders.h"
#include "IniLookup.h"
#include "ZorCommon.h"
#include "ZorEncryptFile.h"
#include "ZorIni.h"

using namespace ZorGameBase;
using FuzzSupport::Check;

namespace {

// Every section of the file, and every key of its lines through each typed read; the values
// through the text utilities.
void WalkIni(const std::string& strPath) {
  CZorIni ini;
  if (!ini.Open(strPath.c_str(), false)) return;
  for (int nWalk = 0; nWalk < 100000 && !ini.AtEnd(); ++nWalk) {
    if (!ini.ReadSection()) continue;
    std::string strText;
    ini.GetSectionTitle(strText);
    std::vector<const char*> lines = ini.GetSectionLines();
    for (size_t i = 0; i < lines.size() && i < 64; ++i) {
      std::string strKey(lines[i], strcspn(lines[i], "=\r\n"));
      strKey.resize(std::min<size_t>(strKey.size(), 64));
      char szValue[CZorIni::LINE_BUFFER], szSmall[8];
      if (ini.ReadValue(strKey.c_str(), szValue, sizeof(szValue), true)) {
        TrimLineHead(szValue);
        TrimLineTail(szValue);
        ZorStrChr(szValue, '=');
        ZorStrrChr(szValue, 0xB05C);
        std::vector<unsigned> values;
        SplitNumberList(szValue, values, ",", CZorIni::LINE_BUFFER);
        ZorStrCopy(szSmall, szValue, sizeof(szSmall));
      }
      ini.ReadValue(strKey.c_str(), szSmall, static_cast<int>(1 + i % 5), false);
      ZorString::CZorString strZor;
      int nValue = 0;
      float fValue = 0;
      ini.ReadString(strKey.c_str(), strText, false);
      ini.ReadZorString(strKey.c_str(), strZor, true);
      ini.ReadInt(strKey.c_str(), nValue, false);
      ini.ReadFloat(strKey.c_str(), fValue, false);
    }
  }
}

void IniSections(std::string_view bytes) {
  WalkIni(FuzzSupport::WriteInput("doc.ini", bytes.data(), bytes.size()));
  unsigned nPosition = 0;  // the same bytes as a memory image, line by line
  char szLine[64];
  while (ReadBufferLine(bytes.data(), static_cast<unsigned>(bytes.size()), nPosition, szLine,
                        sizeof(szLine))) {
  }
}

// The plain lookup: the crash report's keys, and a section and key from the first two words.
void IniLookup(std::string_view bytes) {
  std::string strPath = FuzzSupport::WriteInput("GameSetup.ini", bytes.data(), bytes.size());
  char szValue[1024];
  GetIniValue(strPath.c_str(), "DumpError", "Enable", szValue, false);
  GetIniValue(strPath.c_str(), "DumpError", "Server", szValue, true);
  std::string strWords(bytes.substr(0, 600));
  std::string strSection = strWords.substr(0, strcspn(strWords.c_str(), " \n"));
  std::string strRest = strWords.substr(std::min(strWords.size(), strSection.size() + 1));
  std::string strKey = strRest.substr(0, strcspn(strRest.c_str(), " \n"));
  GetIniValue(strPath.c_str(), strSection.c_str(), strKey.c_str(), szValue, bytes.size() & 1);
}

// Line fields of every type: the first byte picks ten (type, destination) pairs.
void IniFields(std::string_view bytes) {
  if (bytes.empty()) return;
  unsigned nPick = static_cast<uint8_t>(bytes[0]);
  CZorIni ini;
  if (!ini.Open(FuzzSupport::WriteInput("fields.ini", bytes.data() + 1, bytes.size() - 1).c_str(),
                false)) {
    return;
  }
  alignas(8) unsigned char abyNumber[8];  // every number type's destination
  char szChars[CZorIni::LINE_BUFFER];
  std::string strText;
  ZorString::CZorString strZor;
  void* n = abyNumber;
  void* apDest[15] = {nullptr, n, n, n, n, n, n, n, n, n, szChars, &strText, &strZor, n, n};
  IniField f[10];  // type 0 ends a list early, 15 is unknown
  for (unsigned i = 0; i < 10; ++i) {
    f[i].nType = static_cast<int>((nPick * 7u + i * 5u) % 16u);
    f[i].pData = f[i].nType < 15 ? apDest[f[i].nType] : n;
  }
  for (int nLine = 0; nLine < 100000 && !ini.AtEnd(); ++nLine) {
    if (nPick & 1) {
      ini.ReadFieldSet(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]);
    } else {
      ini.ReadFields(f[0].nType, f[0].pData, f[1].nType, f[1].pData, f[2].nType, f[2].pData,
                     INI_INT64, n, INI_CHARS, szChars, INI_ZORSTRING, &strZor, INI_DOUBLE, n,
                     INI_END);
    }
  }
  ini.ReadLine(strText);
}

// An enciphered document: odd first byte, the rest is plain text enciphered first; even, the
// rest is the enciphered file itself. Walked as ini, then read by lines and in small chunks.
void DatFile(std::string_view bytes) {
  if (bytes.empty()) return;
  std::string strBytes(bytes.substr(1));
  if (bytes[0] & 1) strBytes = ZorTools::EncipherText(strBytes);
  WalkIni(FuzzSupport::WriteInput("table.dat", strBytes.data(), strBytes.size()));
  CZorEncryptFile file(DAT_FILE_SEED);
  if (!file.Open("table.dat")) return;
  unsigned nPosition = 0;
  char szLine[1024];
  while (ReadBufferLine(file.GetBuffer(), static_cast<unsigned>(file.GetSize()), nPosition, szLine,
                        sizeof(szLine))) {
  }
  while (file.Read(szLine, 7) > 0) {
  }
}

// Loaded twice: a second load adds to the first. A line adds at most one entry.
void BattleMap(std::string_view text) {
  BattleMapTable mapBattleMap;
  BattleViewPosList vecViewPos;
  BattleViewPos viewStartPos{};
  BattleCamera camera{}, moveCamera{};
  BattleMapTarget target{mapBattleMap, vecViewPos, viewStartPos, camera, moveCamera};
  ReadBattleMapText(text, target);
  size_t nViews = vecViewPos.size();
  ReadBattleMapText(text, target);
  Check(vecViewPos.size() == 2 * nViews);
  size_t nEntries = 0;
  for (size_t i = 0; i < mapBattleMap.Size(); ++i) {
    const BattleMapInfo& map = mapBattleMap.ValueAt(i);
    Check(mapBattleMap.Find(mapBattleMap.KeyAt(i)) == &map);
    nEntries += map.vecStartPos.size();
    for (const FighterGroup& group : map.vecFighterGroup) nEntries += group.vecFighterPos.size();
  }
  Check(nEntries <= text.size() && mapBattleMap.Size() <= text.size() + 1);
}

// The frames are the bytes after the count, as many as the count promises and the file holds;
// a huge count costs no more than the file.
void CameraTrack(std::string_view image) {
  std::unique_ptr<CameraTrackFrameList> pFrames = ReadCameraTrackFile(image, "fuzz.trk");
  uint32_t nCount = 0;
  if (image.size() >= 4) memcpy(&nCount, image.data(), 4);
  Check((nCount == 0) == (pFrames == nullptr));
  if (pFrames == nullptr) return;
  size_t nHeld = (image.size() - 4) / 32;
  Check(pFrames->size() == std::min<size_t>(nCount, nHeld) && pFrames->capacity() <= nHeld + 1);
  Check(pFrames->empty() || memcmp(pFrames->data(), image.data() + 4, pFrames->size() * 32) == 0);
}

// The terrain NPCs over the plain text, the map catalogue through an enciphered GameMap.dat.
void GameMap(std::string_view bytes) {
  std::string strPlain(bytes);
  TerrainNpcList npcs;
  ReadTerrainNpcRecords(strPlain.data(), static_cast<unsigned>(strPlain.size()), "TerrainNpc.dat",
                        npcs);
  for (const TerrainNpcInfo& info : npcs) {
    Check(memchr(info.Name, 0, sizeof(info.Name)) != nullptr && info.Dirs.size() == 8);
    for (const CRecordString& strDir : info.Dirs) Check(strDir.size() <= 259);
  }
  CZorIni ini;
  if (!ZorTools::WriteDatFile("GameMap.dat", strPlain) || !ini.Open("GameMap.dat")) return;
  GameMapTable table;
  ReadGameMapSections(ini, table);
  for (const auto& [nId, info] : table) {
    Check(strlen(info.File) <= 2047 && strlen(info.DaySound) <= 2047);
    Check((info.Light == 0 || info.Light == 1) && info.Limit.size() <= 2048);
  }
}

// Only whole records with ended texts; a record is 18 fields of a character at least.
void Region(std::string_view bytes) {
  RegionList list;
  ReadRegionRecords(bytes.data(), bytes.data() + bytes.size(), "ini/region.ini", list);
  Check(list.size() * 18 <= bytes.size());
  for (const RegionInfo& info : list) {
    Check(memchr(info.Name, 0, sizeof(info.Name)) && memchr(info.Text9, 0, sizeof(info.Text9)) &&
          memchr(info.Text18, 0, sizeof(info.Text18)));
  }
}

void (*const READERS[])(std::string_view) = {IniSections, IniLookup,   IniFields, DatFile,
                                             BattleMap,   CameraTrack, GameMap,   Region};

}  // namespace

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  if (nSize == 0) return 0;
  READERS[FuzzSupport::Pick(pData[0], std::size(READERS))](
      std::string_view(reinterpret_cast<const char*>(pData) + 1, nSize - 1));
  return 0;
}

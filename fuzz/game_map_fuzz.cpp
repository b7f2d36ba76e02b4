// The game map catalogue and the terrain NPC readers on any deciphered text: the catalogue
// walk through an enciphered GameMap.dat, the terrain NPCs straight over the plain bytes.
// Neither may read outside its text; every record they keep must be well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DatCipher.h"
#include "FuzzSupport.h"
#include "WorldReaders.h"
#include "ZorIni.h"

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  std::string strPlain(reinterpret_cast<const char*>(pData), nSize);

  TerrainNpcList npcs;
  ReadTerrainNpcRecords(strPlain.data(), static_cast<unsigned>(strPlain.size()), "TerrainNpc.dat",
                        npcs);
  for (const TerrainNpcInfo& info : npcs) {
    if (memchr(info.Name, 0, sizeof(info.Name)) == nullptr || info.Dirs.size() != 8) std::abort();
    for (const CRecordString& strDir : info.Dirs) {
      if (strDir.size() > 259) std::abort();
    }
  }

  if (!ZorTools::WriteDatFile("GameMap.dat", strPlain)) return 0;
  ZorGameBase::CZorIni ini;
  if (!ini.Open("GameMap.dat")) return 0;  // an empty file
  GameMapTable table;
  ReadGameMapSections(ini, table);
  for (const auto& [nId, info] : table) {
    if (std::strlen(info.File) > 2047 || std::strlen(info.DaySound) > 2047) std::abort();
    if (info.Light != 0 && info.Light != 1) std::abort();
    if (info.Limit.size() > 2048) std::abort();
  }
  return 0;
}

// ini/BattleMap.ini text of any shape: the reader must neither crash nor read outside its
// input, and what it builds must hold together.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "BattleTables.h"
#include "FuzzSupport.h"

FUZZ_IN_WORK_FOLDER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  std::string_view text(reinterpret_cast<const char*>(pData), nSize);
  BattleMapTable mapBattleMap;
  BattleViewPosList vecViewPos;
  BattleViewPos viewStartPos{};
  BattleCamera camera{};
  BattleCamera moveCamera{};
  BattleMapTarget target{mapBattleMap, vecViewPos, viewStartPos, camera, moveCamera};
  ReadBattleMapText(text, target);
  size_t nViews = vecViewPos.size();
  ReadBattleMapText(text, target);  // a second load adds to the first
  if (vecViewPos.size() != 2 * nViews) abort();
  // Each line adds at most one entry, and a line is at least one byte.
  size_t nEntries = 0;
  for (size_t i = 0; i < mapBattleMap.Size(); ++i) {
    const BattleMapInfo& map = mapBattleMap.ValueAt(i);
    if (mapBattleMap.Find(mapBattleMap.KeyAt(i)) != &map) abort();
    nEntries += map.vecStartPos.size();
    for (const FighterGroup& group : map.vecFighterGroup) nEntries += group.vecFighterPos.size();
  }
  if (nEntries > nSize || mapBattleMap.Size() > nSize + 1) abort();
  return 0;
}

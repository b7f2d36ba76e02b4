// 3D effects by weapon (ini/RoleWeapon3DEffect.ini) and by action (ini/Action3DEffect.ini).
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "TextScan.h"
#include "TableText.h"

using ZorGameBase::CTextScan;

namespace {

const char ROLE_WEAPON_3D_EFFECT_FILE[] = "ini/RoleWeapon3DEffect.ini";
const char ACTION_3D_EFFECT_FILE[] = "ini/Action3DEffect.ini";

// The four numbers of a query as one key: a * 10^10 + b * 10^6 + c * 10^3 + d in 64 bits
// (wrapping), so a number wider than its field runs into the next.
uint64_t PackEffectKey(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  return ((uint64_t{a} * 10000 + b) * 1000 + c) * 1000 + d;
}

// Words "a.b.c.d=name", e.g. 1201.5.0.999=fx_fire_sword; the name is the rest of the word.
// Words starting with '/' or ';' are skipped; any other word that does not parse is logged.
class CEffectReader {
 public:
  CEffectReader(const char* pszPath, CNameTable<uint64_t>& table) : m_pszPath(pszPath), m_table(table) {}

  // The word at p read where it stands (see CWordStream::ReadNext): the end of the word, or
  // null when it is not a record.
  const char* operator()(const char* p, const char* pLimit) const {
    if (*p == '/' || *p == ';') return ZorGameBase::CTextScan::FindSpace(p, pLimit);
    uint32_t anKey[4];
    std::string_view name;
    const char* pEnd = CWordStream::NumbersAndName(p, pLimit, anKey, name);
    if (pEnd != nullptr) m_table.Append(PackEffectKey(anKey[0], anKey[1], anKey[2], anKey[3]), name);
    return pEnd;
  }
  // Any word as CWordStream::Next gives it.
  void operator()(std::string_view word) const {
    if (!word.empty() && (word[0] == '/' || word[0] == ';')) return;
    uint32_t anKey[4];
    std::string_view name;
    CTextScan scan(word);
    if (scan.UInt32(anKey[0]) && scan.Literal('.') && scan.UInt32(anKey[1]) && scan.Literal('.') &&
        scan.UInt32(anKey[2]) && scan.Literal('.') && scan.UInt32(anKey[3]) && scan.Literal('=') &&
        RestOfWord(scan, name)) {
      m_table.Append(PackEffectKey(anKey[0], anKey[1], anKey[2], anKey[3]), name);
      return;
    }
    ZorGameBase::DebugLog("invalid line [%s] found in %s.", std::string(word).c_str(), m_pszPath);
    if (ZorGameBase::LoadObserver() != nullptr) {
      ObserveLine(ZorGameBase::RULE_LINE_REJECTED, m_pszPath, word,
                  "the word does not read as \"a.b.c.d=effect\"; the client drops it", true);
    }
  }

 private:
  const char* m_pszPath;
  CNameTable<uint64_t>& m_table;
};

// Reads the words of an effect file into the table; a later word of a key replaces the name.
// False when the file cannot be opened.
bool LoadEffectFile(const char* pszPath, CNameTable<uint64_t>& table) {
  ZorGameBase::CFileImage image;
  if (!image.Read(pszPath, true)) return false;
  table.Reserve(RecordsHint(image.Size(), LINE_HINT_BYTES), image.Size());
  table.BeginLoad();
  CWordStream words(image);
  CEffectReader reader(pszPath, table);
  while (words.ReadNext(reader, reader)) {
  }
  table.EndLoad();
  return true;
}

// The eight keys a query tries, in order: the exact key, then wildcards (9999 for a and b,
// 999 for c and d) in a fixed list. Other combinations are never tried.
const char* FindEffect(const CNameTable<uint64_t>& table, uint32_t a, uint32_t b, uint32_t c,
                       uint32_t d) {
  const uint64_t aKeys[8] = {
      PackEffectKey(a, b, c, d),       PackEffectKey(9999, b, c, d),
      PackEffectKey(9999, 9999, c, d), PackEffectKey(9999, b, 999, d),
      PackEffectKey(9999, b, c, 999),  PackEffectKey(a, 9999, c, d),
      PackEffectKey(a, b, 999, d),     PackEffectKey(a, b, c, 999),
  };
  for (uint64_t nKey : aKeys) {
    if (const char* pszName = table.Find(nKey)) return pszName;
  }
  return nullptr;
}

}  // namespace

int32_t C3DRoleBaseData::CreateRoleWeapon3DEffectInfo() {
  return LoadEffectFile(ROLE_WEAPON_3D_EFFECT_FILE, m_mapRoleWeapon3DEffect) ? 1 : 0;
}

int32_t C3DRoleBaseData::CreateAction3DEffectInfo() {
  return LoadEffectFile(ACTION_3D_EFFECT_FILE, m_mapAction3DEffect) ? 1 : 0;
}

// The effect name of the first of the eight keys present, or null.
const char* C3DRoleBaseData::GetAction3DEffect(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  return FindEffect(m_mapAction3DEffect, a, b, c, d);
}

const char* C3DRoleBaseData::GetRoleWeapon3DEffect(uint32_t a, uint32_t b, uint32_t c,
                                                   uint32_t d) {
  return FindEffect(m_mapRoleWeapon3DEffect, a, b, c, d);
}

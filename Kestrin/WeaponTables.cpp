// Appended weapons (ini/AppendentWeapon.ini) and weapon adjustment by look
// (ini/WeaponAdjustByLook.ini): two line tables, each rebuilt from its file by every load.
// Lines that do not parse are skipped without a message.
#include <string_view>

#include "3DRoleBaseData.h"
#include "LoadFindings.h"
#include "TableText.h"

using ZorGameBase::DecimalHere;
using ZorGameBase::IMAGE_END;

namespace {

const char APPENDENT_WEAPON_FILE[] = "ini/AppendentWeapon.ini";
const char WEAPON_ADJUST_FILE[] = "ini/WeaponAdjustByLook.ini";
const size_t WEAPON_PIECE_BUFFER = 1024;  // fgets: 1023 characters a piece
const uint32_t LOOK_FACTOR = 1000000;

// look × 1000000 + weapon in 32 bits, wrapping: weapon 1000001 of look 0 and weapon 1 of
// look 1 share a key.
uint32_t PackAdjustKey(uint32_t nWeapon, uint32_t nLook) { return nLook * LOOK_FACTOR + nWeapon; }

// Blank lines and lines beginning with ';' are comments.
bool IsCommentLine(std::string_view line) {
  return line.empty() || line[0] == '\n' || line[0] == ';';
}

// Empties the table, then reads the file line by line: fnRead and fnTake take the common lines
// where they stand (see ForEachLineRecord), fnLine reads any other from a scan of it and
// answers whether it took the line.
template <typename TRead, typename TTake, typename TLine>
int32_t LoadWeaponTable(const char* pszPath, WeaponTable& table, TRead fnRead, TTake fnTake, TLine fnLine) {
  table.Clear();
  bool bOpened = ForEachLineRecord(pszPath, WEAPON_PIECE_BUFFER, fnRead, fnTake, [&](std::string_view line) {
    if (IsCommentLine(line)) return true;
    ZorGameBase::CTextScan scan(line);
    if (!fnLine(scan) && ZorGameBase::LoadObserver() != nullptr) {
      ObserveKeyValueLine(pszPath, line, true, false);
    }
    return true;
  });
  table.EndLoad();
  return bOpened ? 1 : 0;
}

}  // namespace

// Lines "weapon=appended", e.g. 410=411 ; spear (text after the value is ignored).
int32_t C3DRoleBaseData::CreateAppendentWeaponInfo() {
  uint64_t nWeapon, nAppended;
  return LoadWeaponTable(
      APPENDENT_WEAPON_FILE, m_mapAppendentWeapon,
      [&](const char* p, const char*) -> const char* {
        bool bRead = DecimalHere(p, IMAGE_END, nWeapon) && *p == '=' && DecimalHere(++p, IMAGE_END, nAppended);
        return bRead ? p : nullptr;
      },
      [&] { m_mapAppendentWeapon.Add(static_cast<uint32_t>(nWeapon), static_cast<uint32_t>(nAppended)); },
      [&](ZorGameBase::CTextScan& scan) {
        uint32_t nWeapon32, nAppended32;
        if (!(scan.UInt32(nWeapon32) && scan.Literal('=') && scan.UInt32(nAppended32))) return false;
        m_mapAppendentWeapon.Add(nWeapon32, nAppended32);
        return true;
      });
}

// Lines "weapon.look=weapon to use", e.g. 410.3=420, stored under look × 1000000 + weapon.
int32_t C3DRoleBaseData::CreateWeaponAdjustByLookInfo() {
  uint64_t nWeapon, nLook, nUse;
  return LoadWeaponTable(
      WEAPON_ADJUST_FILE, m_mapWeaponAdjustByLook,
      [&](const char* p, const char*) -> const char* {
        bool bRead = DecimalHere(p, IMAGE_END, nWeapon) && *p == '.' && DecimalHere(++p, IMAGE_END, nLook) &&
                     *p == '=' && DecimalHere(++p, IMAGE_END, nUse);
        return bRead ? p : nullptr;
      },
      [&] {
        m_mapWeaponAdjustByLook.Add(
            PackAdjustKey(static_cast<uint32_t>(nWeapon), static_cast<uint32_t>(nLook)), static_cast<uint32_t>(nUse));
      },
      [&](ZorGameBase::CTextScan& scan) {
        uint32_t nWeapon32, nUse32;
        int32_t nLook32;
        if (!(scan.UInt32(nWeapon32) && scan.Literal('.') && scan.Int32(nLook32) && scan.Literal('=') &&
              scan.UInt32(nUse32))) {
          return false;
        }
        m_mapWeaponAdjustByLook.Add(PackAdjustKey(nWeapon32, static_cast<uint32_t>(nLook32)), nUse32);
        return true;
      });
}

// The weapon appended to this one; 0 when not listed.
uint32_t C3DRoleBaseData::GetAppendentWeapon(uint32_t nWeaponId) {
  const uint32_t* pAppended = m_mapAppendentWeapon.Find(nWeaponId);
  return pAppended != nullptr ? *pAppended : 0;
}

// The weapon to draw for this weapon with this look; the weapon itself when not listed.
uint32_t C3DRoleBaseData::GetWeaponAdjustByLook(uint32_t nWeapon, uint32_t nLook) {
  const uint32_t* pUse = m_mapWeaponAdjustByLook.Find(PackAdjustKey(nWeapon, nLook));
  return pUse != nullptr ? *pUse : nWeapon;
}

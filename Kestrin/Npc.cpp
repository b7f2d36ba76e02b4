// NPC definitions (ini/Npc.ini) and their star looks (ini/NpcX.ini). Neither table is emptied
// by a load: a second load adds records and replaces those of types it reads again. An absent
// type is answered with the record of the smallest type.
#include <cstring>
#include <string>
#include <string_view>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "FormattedRead.h"
#include "ZorCommon.h"
#include "ZorIni.h"

namespace {

const char NPC_FILE[] = "ini/Npc.ini";
const char NPC_X_FILE[] = "ini/NpcX.ini";
const size_t SECTION_NAME_BUFFER = 256;
const size_t ID_PREFIX = 7;  // "NpcType" or the like: not examined
const unsigned STAR_LOOK_TEXT = sizeof(NpcStarLookInfo::Name);

// Decimal digits after an optional sign, as atoi reads them; saturates at the 32-bit limits.
int32_t DecimalPrefix(const char* psz) {
  while (ZorGameBase::IsScanSpace(*psz)) ++psz;
  bool bNegative = *psz == '-';
  if (*psz == '+' || *psz == '-') ++psz;
  int64_t nValue = 0;
  for (; *psz >= '0' && *psz <= '9'; ++psz) {
    if (nValue <= INT32_MAX) nValue = nValue * 10 + (*psz - '0');
  }
  if (bNegative)
    return nValue > -static_cast<int64_t>(INT32_MIN) ? INT32_MIN : static_cast<int32_t>(-nValue);
  return nValue > INT32_MAX ? INT32_MAX : static_cast<int32_t>(nValue);
}

// A word "[name]" (sscanf "[%s]"): the name is what follows '[' without the word's last
// character, cut to 255 characters. False for a word that does not begin with '[' or has
// nothing after it.
bool ScanSectionName(std::string_view word, char (&szName)[SECTION_NAME_BUFFER]) {
  word = ZorGameBase::CutAtNul(word);
  if (word.size() < 2 || word[0] != '[') return false;
  word.remove_prefix(1);
  word.remove_suffix(1);
  CopyCut(szName, word);
  return true;
}

// The number from the name's eighth character on; a shorter name has none and gives 0.
int32_t SectionId(const char* pszName) {
  return strlen(pszName) > ID_PREFIX ? DecimalPrefix(pszName + ID_PREFIX) : 0;
}

// The nine lines of a record, in this order, each at the next non-blank position:
//   Name=Merchant SimpleObjID=12 StandByMotion=100 BlazeMotion=101 RestMotion=102
//   Effect=glow ASB=0 ADB=0 FixDir=1
// Every line is read, also after a bad one. A line cut off by the end of the file leaves its
// field 0. False when a line finds other text (misspelt, out of order, a stray word).
bool ReadNpcRecord(ZorGameBase::CTextScan& scan, NpcInfo& info) {
  bool bFailed = false;
  auto Check = [&](const CFormattedRead& read) { bFailed |= read.Result() == 0; };
  std::string_view name, effect;
  Check(CFormattedRead(scan).Text("Name=").Word(name).Space());
  Check(CFormattedRead(scan).Text("SimpleObjID=").UInt32(info.SimpleObjID).Space());
  Check(CFormattedRead(scan).Text("StandByMotion=").Int64(info.StandByMotion).Space());
  Check(CFormattedRead(scan).Text("BlazeMotion=").Int64(info.BlazeMotion).Space());
  Check(CFormattedRead(scan).Text("RestMotion=").Int64(info.RestMotion).Space());
  Check(CFormattedRead(scan).Text("Effect=").Word(effect).Space());
  Check(CFormattedRead(scan).Text("ASB=").Int32(info.ASB).Space());
  Check(CFormattedRead(scan).Text("ADB=").Int32(info.ADB).Space());
  Check(CFormattedRead(scan).Text("FixDir=").UInt32(info.FixDir).Space());
  CopyCut(info.Name, ZorGameBase::CutAtNul(name));
  CopyCut(info.Effect, ZorGameBase::CutAtNul(effect));
  return !bFailed;
}

// A text key through a fresh counted string into a 32-byte field, cut to 31 characters.
void ReadStarLookText(ZorGameBase::CZorIni& ini, const char* pszKey, char* pszField) {
  ZorString::CZorString strValue;
  ini.ReadZorString(pszKey, strValue, true);
  ZorGameBase::ZorStrCopy(pszField, strValue, STAR_LOOK_TEXT);
}

// The keys of one section of ini/NpcX.ini; a key that is missing or empty leaves 0 or "".
void ReadStarLook(ZorGameBase::CZorIni& ini, NpcStarLookInfo& info) {
  ReadStarLookText(ini, "Name", info.Name);
  ini.ReadInt("AddSize", info.AddSize, true);
  ini.ReadInt("Scale", info.Scale, true);
  ini.ReadInt("FixDir", info.FixDir, true);
  ini.ReadInt("Look", info.Look, true);
  ini.ReadInt("Head", info.Head, true);
  ini.ReadInt("Hair", info.Hair, true);
  ini.ReadInt("Armet", info.Armet, true);
  ini.ReadInt("Armor", info.Armor, true);
  ini.ReadInt("RWeapon", info.RWeapon, true);
  ini.ReadInt("LWeapon", info.LWeapon, true);
  ini.ReadInt("Misc", info.Misc, true);
  ini.ReadInt("MiscBack", info.MiscBack, true);
  ini.ReadInt("Mount", info.Mount, true);
  ReadStarLookText(ini, "Effect", info.Effect);
  ReadStarLookText(ini, "Note", info.Note);
  ini.ReadInt("FrontBlock", info.FrontBlock, true);
  ini.ReadInt("BackBlock", info.BackBlock, true);
  ini.ReadInt("LeftBlock", info.LeftBlock, true);
  ini.ReadInt("RightBlock", info.RightBlock, true);
  ReadStarLookText(ini, "EffAdd", info.EffAdd);
  ReadStarLookText(ini, "EffDel", info.EffDel);
}

// The star looks of ini/NpcX.ini, one per section titled with the type. 0 when the file cannot
// be opened or a section cannot be read (logged); the star looks read before stay.
int32_t LoadStarLooks(NpcStarLookTable& table) {
  ZorGameBase::CZorIni ini;
  if (!ini.Open(NPC_X_FILE, false)) return 0;
  std::string strTitle;
  while (!ini.AtEnd()) {
    if (!ini.ReadSection()) {
      ZorGameBase::DebugLog("%s: read starlook block error.", NPC_X_FILE);
      return 0;
    }
    if (!ini.GetSectionTitle(strTitle)) {
      ZorGameBase::DebugLog("%s: read starlook title error", NPC_X_FILE);
      return 0;
    }
    NpcStarLookInfo info{};
    info.Id = DecimalPrefix(strTitle.c_str());
    ReadStarLook(ini, info);
    table[info.Id] = info;
  }
  return 1;
}

template <typename TTable>
const typename TTable::mapped_type* FindOrSmallest(const TTable& table, int32_t nType) {
  if (table.empty()) return nullptr;
  auto it = table.find(nType);
  return it != table.end() ? &it->second : &table.begin()->second;
}

}  // namespace

// ini/Npc.ini first: a missing file ends the load (ini/NpcX.ini is then not read) and a bad
// record ends its reading. Answers 1 only when ini/NpcX.ini was read to its end.
int32_t C3DRoleBaseData::CreateNpcInfo() {
  std::string image;
  if (!ZorGameBase::ReadFileImage(NPC_FILE, image, true)) {
    ZorGameBase::DebugLog("error on open %s.", NPC_FILE);
    return 0;
  }
  ZorGameBase::CTextScan scan(image);
  std::string_view word;
  char szSection[SECTION_NAME_BUFFER];
  while (scan.Word(word)) {
    scan.SkipSpace();
    if (!ScanSectionName(word, szSection)) continue;  // words between records
    NpcInfo info{};
    info.Id = SectionId(szSection);
    if (!ReadNpcRecord(scan, info)) {
      ZorGameBase::DebugLog("error data: %s of %s", szSection, NPC_FILE);
      break;
    }
    m_mapNpc[info.Id] = info;
  }
  return LoadStarLooks(m_mapNpcX);
}

// The NPC of this type; the one of the smallest type when absent; null when none is listed.
const NpcInfo* C3DRoleBaseData::GetNpcInfo(int32_t nType) {
  return FindOrSmallest(m_mapNpc, nType);
}

// The star look of this type; the one of the smallest type when absent; null when none.
const NpcStarLookInfo* C3DRoleBaseData::GetNpcStarLookInfo(int32_t nType) {
  return FindOrSmallest(m_mapNpcX, nType);
}

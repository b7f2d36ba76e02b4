// NPC definitions (ini/Npc.ini) and their star looks (ini/NpcX.ini). Neither table is emptied
// by a load: a second load adds records and replaces those of types it reads again. An absent
// type is answered with the record of the smallest type.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "TableText.h"
#include "ZorCommon.h"
#include "ZorIni.h"

namespace {

const char NPC_FILE[] = "ini/Npc.ini";
const char NPC_X_FILE[] = "ini/NpcX.ini";
const size_t SECTION_NAME_BUFFER = 256;
const size_t ID_PREFIX = 7;  // "NpcType" or the like: not examined
const unsigned STAR_LOOK_TEXT = sizeof(NpcStarLookInfo::Name);

// A word "[name]" (sscanf "[%s]"): the name is what follows '[' without the word's last
// character, cut to 255 characters. False for a word that does not begin with '[' or has
// nothing after it. (The word is cut at a zero byte first, when the text may hold one.)
bool ScanSectionName(std::string_view word, bool bMayHoldZero, char (&szName)[SECTION_NAME_BUFFER]) {
  if (bMayHoldZero) word = ZorGameBase::CutAtNul(word);
  if (word.size() < 2 || word[0] != '[') return false;
  size_t nName = std::min(word.size() - 2, SECTION_NAME_BUFFER - 1);
  memcpy(szName, word.data() + 1, nName);
  szName[nName] = '\0';
  return true;
}

// The number from the name's eighth character on; a shorter name has none and gives 0.
int32_t SectionId(const char* pszName) {
  return strlen(pszName) > ID_PREFIX ? ZorGameBase::ParseDecimal(pszName + ID_PREFIX) : 0;
}

// The nine lines of a record, in this order, each at the next non-blank position:
//   Name=Merchant SimpleObjID=12 StandByMotion=100 BlazeMotion=101 RestMotion=102
//   Effect=glow ASB=0 ADB=0 FixDir=1
// Every line is read, also after a bad one. A line cut off by the end of the file leaves its
// field 0. False when a line finds other text (misspelt, out of order, a stray word). The texts
// are cut at a zero byte when the image may hold one.
bool ReadNpcRecord(ZorGameBase::CTextScan& scan, bool bMayHoldZero, NpcInfo& info) {
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
  CopyCut(info.Name, bMayHoldZero ? ZorGameBase::CutAtNul(name) : name);
  CopyCut(info.Effect, bMayHoldZero ? ZorGameBase::CutAtNul(effect) : effect);
  return !bFailed;
}

// The keys of a star look, in the order they are read.
enum StarLookKey {
  SL_NAME, SL_ADD_SIZE, SL_SCALE, SL_FIX_DIR, SL_LOOK, SL_HEAD, SL_HAIR, SL_ARMET, SL_ARMOR,
  SL_RWEAPON, SL_LWEAPON, SL_MISC, SL_MISC_BACK, SL_MOUNT, SL_EFFECT, SL_NOTE, SL_FRONT_BLOCK,
  SL_BACK_BLOCK, SL_LEFT_BLOCK, SL_RIGHT_BLOCK, SL_EFF_ADD, SL_EFF_DEL
};
const ZorGameBase::CIniKeySet& StarLookKeys() {
  static const ZorGameBase::CIniKeySet s_keys = {
      "Name",     "AddSize", "Scale",      "FixDir",    "Look",      "Head",       "Hair",
      "Armet",    "Armor",   "RWeapon",    "LWeapon",   "Misc",      "MiscBack",   "Mount",
      "Effect",   "Note",    "FrontBlock", "BackBlock", "LeftBlock", "RightBlock", "EffAdd",
      "EffDel"};
  return s_keys;
}

// A text key into a 32-byte field, cut to 31 characters; empty when missing or empty (as the
// counted string emptied before each key leaves it).
void ReadStarLookText(ZorGameBase::CIniSectionKeys& keys, StarLookKey key, char* pszField) {
  if (!keys.ReadValue(key, pszField, STAR_LOOK_TEXT, true)) pszField[0] = '\0';
  size_t nText = strlen(pszField);
  memset(pszField + nText, 0, STAR_LOOK_TEXT - nText);
}

// The keys of one section of ini/NpcX.ini; a key that is missing or empty leaves 0 or "".
void ReadStarLook(ZorGameBase::CZorIni& ini, NpcStarLookInfo& info) {
  ZorGameBase::CIniSectionKeys keys(ini, StarLookKeys());
  ReadStarLookText(keys, SL_NAME, info.Name);
  keys.ReadInt(SL_ADD_SIZE, info.AddSize, true);
  keys.ReadInt(SL_SCALE, info.Scale, true);
  keys.ReadInt(SL_FIX_DIR, info.FixDir, true);
  keys.ReadInt(SL_LOOK, info.Look, true);
  keys.ReadInt(SL_HEAD, info.Head, true);
  keys.ReadInt(SL_HAIR, info.Hair, true);
  keys.ReadInt(SL_ARMET, info.Armet, true);
  keys.ReadInt(SL_ARMOR, info.Armor, true);
  keys.ReadInt(SL_RWEAPON, info.RWeapon, true);
  keys.ReadInt(SL_LWEAPON, info.LWeapon, true);
  keys.ReadInt(SL_MISC, info.Misc, true);
  keys.ReadInt(SL_MISC_BACK, info.MiscBack, true);
  keys.ReadInt(SL_MOUNT, info.Mount, true);
  ReadStarLookText(keys, SL_EFFECT, info.Effect);
  ReadStarLookText(keys, SL_NOTE, info.Note);
  keys.ReadInt(SL_FRONT_BLOCK, info.FrontBlock, true);
  keys.ReadInt(SL_BACK_BLOCK, info.BackBlock, true);
  keys.ReadInt(SL_LEFT_BLOCK, info.LeftBlock, true);
  keys.ReadInt(SL_RIGHT_BLOCK, info.RightBlock, true);
  ReadStarLookText(keys, SL_EFF_ADD, info.EffAdd);
  ReadStarLookText(keys, SL_EFF_DEL, info.EffDel);
}

// The star looks of ini/NpcX.ini, one per section titled with the type. 0 when a section cannot
// be read (logged); the star looks read before stay.
int32_t ReadStarLooks(ZorGameBase::CZorIni& ini, NpcStarLookTable& table) {
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
    int32_t nType = ZorGameBase::ParseDecimal(strTitle.c_str());
    NpcStarLookInfo& info = table.Append(nType);
    info.Id = nType;
    ReadStarLook(ini, info);
  }
  return 1;
}

int32_t LoadStarLooks(NpcStarLookTable& table) {
  ZorGameBase::CZorIni ini;
  if (!ini.Open(NPC_X_FILE, false)) return 0;
  table.Reserve(RecordsHint(ini.GetImageSize(), SECTION_HINT_BYTES));
  int32_t nResult = ReadStarLooks(ini, table);
  table.EndLoad();
  return nResult;
}

}  // namespace

// ini/Npc.ini first: a missing file ends the load (ini/NpcX.ini is then not read) and a bad
// record ends its reading. Answers 1 only when ini/NpcX.ini was read to its end.
int32_t C3DRoleBaseData::CreateNpcInfo() {
  ZorGameBase::CFileImage image;
  if (!image.Read(NPC_FILE, true)) {
    ZorGameBase::DebugLog("error on open %s.", NPC_FILE);
    return 0;
  }
  m_mapNpc.Reserve(RecordsHint(image.Size(), SECTION_HINT_BYTES));
  ZorGameBase::CTextScan scan(image.View());
  const bool bMayHoldZero = HasZero(image.View());
  std::string_view word;
  char szSection[SECTION_NAME_BUFFER];
  std::unique_ptr<ZorGameBase::CDuplicateKeys> pDuplicates;  // with an observer only
  if (ZorGameBase::LoadObserver() != nullptr) {
    pDuplicates.reset(new ZorGameBase::CDuplicateKeys(NPC_FILE, ZorGameBase::RULE_DUPLICATE_SECTION, true));
  }
  while (scan.Word(word)) {
    scan.SkipSpace();
    if (!ScanSectionName(word, bMayHoldZero, szSection)) continue;  // words between records
    int32_t nType = SectionId(szSection);
    NpcInfo& info = m_mapNpc.Append(nType);
    info.Id = nType;
    const char* pRecord = scan.Position();
    if (!ReadNpcRecord(scan, bMayHoldZero, info)) {
      m_mapNpc.DropAppended();
      ZorGameBase::DebugLog("error data: %s of %s", szSection, NPC_FILE);
      if (pDuplicates) {
        ObserveLine(ZorGameBase::RULE_LINE_REJECTED, NPC_FILE, std::string_view(pRecord, scan.Position() - pRecord),
                    "a line of the record is misspelt, missing or out of order; the client drops the "
                    "record and stops reading the file",
                    true);
      }
      break;
    }
    if (pDuplicates) pDuplicates->Note(nType, word.data(), (std::string("[") + szSection + "]").c_str());
  }
  m_mapNpc.EndLoad();
  image.Release();
  return LoadStarLooks(m_mapNpcX);
}

// The NPC of this type; the one of the smallest type when absent; null when none is listed.
const NpcInfo* C3DRoleBaseData::GetNpcInfo(int32_t nType) {
  return m_mapNpc.FindOrSmallest(nType);
}

// The star look of this type; the one of the smallest type when absent; null when none.
const NpcStarLookInfo* C3DRoleBaseData::GetNpcStarLookInfo(int32_t nType) {
  return m_mapNpcX.FindOrSmallest(nType);
}

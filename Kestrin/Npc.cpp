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
#include "FieldNumbers.h"
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
// nothing after it; nName is the name's length. (The word is cut at a zero byte first, when the
// text may hold one.)
bool ScanSectionName(std::string_view word, bool bMayHoldZero, char (&szName)[SECTION_NAME_BUFFER], size_t& nName) {
  if (bMayHoldZero) word = ZorGameBase::CutAtNul(word);
  if (word.size() < 2 || word[0] != '[') return false;
  nName = std::min(word.size() - 2, SECTION_NAME_BUFFER - 1);
  memcpy(szName, word.data() + 1, nName);
  szName[nName] = '\0';
  return true;
}

// The number from the name's eighth character on; a shorter name has none and gives 0.
int32_t SectionId(const char* pszName, size_t nName) {
  return nName > ID_PREFIX ? ZorGameBase::ParseDecimal(pszName + ID_PREFIX) : 0;
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

// White space, then "Key=" at p, p moved behind it; false when other text stands there.
template <size_t N>
bool KeyHere(const char*& p, const char* pEnd, const char (&szKey)[N]) {
  if (p < pEnd && *p == '\n') ++p;  // the usual line break first
  while (p < pEnd && ZorGameBase::IsScanSpace(*p)) ++p;
  if (static_cast<size_t>(pEnd - p) < N - 1 || memcmp(p, szKey, N - 1) != 0) return false;
  p += N - 1;
  return true;
}

// A word right at p (no white space before it), p moved behind it.
bool WordHere(const char*& p, const char* pEnd, std::string_view& word) {
  const char* pAfter = ZorGameBase::CTextScan::FindSpace(p, pEnd);
  word = std::string_view(p, static_cast<size_t>(pAfter - p));
  p = pAfter;
  return !word.empty();
}

// A decimal number right at p, modulo 2^64, p moved behind it; the image's closing zero byte
// stops it.
bool NumberHere(const char*& p, uint64_t& nValue) { return ZorGameBase::DecimalHere(p, ZorGameBase::IMAGE_END, nValue); }

// ReadNpcRecord of a record in its usual form, read where it stands in an image that holds no
// zero byte: every value right behind its "=". Answers where the record ends (the white space
// after it passed) with info filled in, or null with info untouched for any other form, which
// ReadNpcRecord then reads from the record's start.
const char* ReadUsualNpcRecord(const char* p, const char* pEnd, NpcInfo& info) {
  std::string_view name, effect;
  uint64_t nSimpleObj, nStandBy, nBlaze, nRest, nAsb, nAdb, nFixDir;
  bool bRead = KeyHere(p, pEnd, "Name=") && WordHere(p, pEnd, name) && KeyHere(p, pEnd, "SimpleObjID=") &&
               NumberHere(p, nSimpleObj) && KeyHere(p, pEnd, "StandByMotion=") && NumberHere(p, nStandBy) &&
               KeyHere(p, pEnd, "BlazeMotion=") && NumberHere(p, nBlaze) && KeyHere(p, pEnd, "RestMotion=") &&
               NumberHere(p, nRest) && KeyHere(p, pEnd, "Effect=") && WordHere(p, pEnd, effect) &&
               KeyHere(p, pEnd, "ASB=") && NumberHere(p, nAsb) && KeyHere(p, pEnd, "ADB=") && NumberHere(p, nAdb) &&
               KeyHere(p, pEnd, "FixDir=") && NumberHere(p, nFixDir);
  if (!bRead) return nullptr;
  while (p < pEnd && ZorGameBase::IsScanSpace(*p)) ++p;
  info.SimpleObjID = static_cast<uint32_t>(nSimpleObj);
  info.StandByMotion = static_cast<int64_t>(nStandBy);
  info.BlazeMotion = static_cast<int64_t>(nBlaze);
  info.RestMotion = static_cast<int64_t>(nRest);
  info.ASB = static_cast<int32_t>(static_cast<uint32_t>(nAsb));
  info.ADB = static_cast<int32_t>(static_cast<uint32_t>(nAdb));
  info.FixDir = static_cast<uint32_t>(nFixDir);
  CopyCut(info.Name, name);
  CopyCut(info.Effect, effect);
  return p;
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

using StarLookLines = ZorGameBase::IniKeyLines<SL_EFF_DEL + 1>;

// The keys of one section of ini/NpcX.ini, read as CIniSectionKeys reads them (messages
// included) from the key lines the walk found.
class CStarLookKeys {
 public:
  CStarLookKeys(ZorGameBase::CZorIni& ini, const ZorGameBase::CIniKeySet& keys, const StarLookLines& lines)
      : m_ini(ini), m_keys(keys), m_lines(lines), m_apLines(lines.apLines) {
    if (ZorGameBase::LoadObserver() != nullptr) m_pObserved.reset(new ZorGameBase::CIniSectionKeys(ini, keys));
  }
  // A decimal key as atoi reads it; a key that is missing or empty leaves the field.
  void Int(StarLookKey key, int32_t& nField) {
    if ((m_lines.nPlain >> key & 1) != 0) {  // never while an observer watches
      nField = m_lines.anNumbers[key];
      return;
    }
    if (m_pObserved) {  // which also tells the observer of a number that does not read whole
      m_pObserved->ReadInt(key, nField, true);
      return;
    }
    const char* pLine = m_apLines[key];
    if (pLine == nullptr) return;
    const char* pValue = pLine + m_keys.KeyLength(key) + 1;
    // Only a value that ends at once may be empty (logged), unless on a last line.
    bool bEnds = *pValue == '\0' || *pValue == '\n' || *pValue == '\r';
    if (bEnds && m_ini.ValueStartAt(pLine, m_keys.Key(key), m_keys.KeyLength(key), true) == nullptr) return;
    const char* p = pValue;
    while (*p == ' ') ++p;
    bool bNegative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    uint64_t nMagnitude;
    // The usual form, digits up to the line's end, without the general conversion.
    nField = ZorGameBase::FieldDecimal(p, nMagnitude) ? ZorGameBase::SaturateInt32(nMagnitude, bNegative)
                                                      : ZorGameBase::ParseValueDecimal(pValue);
  }
  // A text key into a 32-byte field, cut to 31 characters; empty when missing or empty (as the
  // counted string emptied before each key leaves it).
  void Text(StarLookKey key, char* pszField) {
    const char* pValue = "";
    size_t nValue = 0;
    if ((m_lines.nEnded >> key & 1) != 0) {
      std::string_view value = ZorGameBase::CZorIni::ValueBefore(m_apLines[key], m_keys.KeyLength(key),
                                                                  m_lines.apValueEnds[key]);
      pValue = value.data();
      nValue = value.size();
    } else if (m_apLines[key] == nullptr ||
        !m_ini.ValueAt(m_apLines[key], m_keys.Key(key), m_keys.KeyLength(key), true, pValue, nValue)) {
      nValue = 0;
    }
    memset(pszField, 0, STAR_LOOK_TEXT);
    memcpy(pszField, pValue, std::min<size_t>(nValue, STAR_LOOK_TEXT - 1));
  }

 private:
  ZorGameBase::CZorIni& m_ini;
  const ZorGameBase::CIniKeySet& m_keys;
  const StarLookLines& m_lines;
  const char* const* m_apLines;
  std::unique_ptr<ZorGameBase::CIniSectionKeys> m_pObserved;
};

// The keys of one section of ini/NpcX.ini; a key that is missing or empty leaves 0 or "".
void ReadStarLook(ZorGameBase::CZorIni& ini, const ZorGameBase::CIniKeySet& keySet, const StarLookLines& lines,
                  NpcStarLookInfo& info) {
  CStarLookKeys keys(ini, keySet, lines);
  keys.Text(SL_NAME, info.Name);
  keys.Int(SL_ADD_SIZE, info.AddSize);
  keys.Int(SL_SCALE, info.Scale);
  keys.Int(SL_FIX_DIR, info.FixDir);
  keys.Int(SL_LOOK, info.Look);
  keys.Int(SL_HEAD, info.Head);
  keys.Int(SL_HAIR, info.Hair);
  keys.Int(SL_ARMET, info.Armet);
  keys.Int(SL_ARMOR, info.Armor);
  keys.Int(SL_RWEAPON, info.RWeapon);
  keys.Int(SL_LWEAPON, info.LWeapon);
  keys.Int(SL_MISC, info.Misc);
  keys.Int(SL_MISC_BACK, info.MiscBack);
  keys.Int(SL_MOUNT, info.Mount);
  keys.Text(SL_EFFECT, info.Effect);
  keys.Text(SL_NOTE, info.Note);
  keys.Int(SL_FRONT_BLOCK, info.FrontBlock);
  keys.Int(SL_BACK_BLOCK, info.BackBlock);
  keys.Int(SL_LEFT_BLOCK, info.LeftBlock);
  keys.Int(SL_RIGHT_BLOCK, info.RightBlock);
  keys.Text(SL_EFF_ADD, info.EffAdd);
  keys.Text(SL_EFF_DEL, info.EffDel);
}

// The star looks of ini/NpcX.ini, one per section titled with the type. 0 when a section cannot
// be read (logged); the star looks read before stay.
int32_t ReadStarLooks(ZorGameBase::CZorIni& ini, NpcStarLookTable& table) {
  const ZorGameBase::CIniKeySet& keys = StarLookKeys();
  StarLookLines lines;
  while (!ini.AtEnd()) {
    if (!ini.ReadSectionKeys(keys, lines)) {
      ZorGameBase::DebugLog("%s: read starlook block error.", NPC_X_FILE);
      return 0;
    }
    if (ini.SectionTitle()[0] == '\0') {
      ZorGameBase::DebugLog("%s: read starlook title error", NPC_X_FILE);
      return 0;
    }
    int32_t nType = ZorGameBase::ParseDecimal(ini.SectionTitle());
    NpcStarLookInfo& info = table.Append(nType);
    info.Id = nType;
    ReadStarLook(ini, keys, lines, info);
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
    size_t nName;
    if (!ScanSectionName(word, bMayHoldZero, szSection, nName)) continue;  // words between records
    int32_t nType = SectionId(szSection, nName);
    NpcInfo& info = m_mapNpc.Append(nType);
    info.Id = nType;
    const char* pRecord = scan.Position();
    const char* pAfter = bMayHoldZero ? nullptr : ReadUsualNpcRecord(pRecord, scan.End(), info);
    if (pAfter != nullptr) {
      scan.SetPosition(pAfter);
    } else if (!ReadNpcRecord(scan, bMayHoldZero, info)) {
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

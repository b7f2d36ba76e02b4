// Role part, look and mount scales and the 2D looks: four line tables without sections or
// comments. A line that does not parse (blank, ";...", "[...]") is skipped without a message.
// No loader empties its table: a second load adds to it and overwrites the keys it reads again.
#include <string_view>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "TableText.h"

using ZorGameBase::DecimalHere;
using ZorGameBase::IMAGE_END;

namespace {

const char ROLE_PART_SCALE_FILE[] = "ini/RolePartScale.ini";
const char ROLE_2D_LOOK_FILE[] = "ini/2DRoleLook.ini";
const char LOOK_SCALE_FILE[] = "ini/LookScale.ini";
const char MOUNT_SCALE_FILE[] = "ini/MountScale.ini";

// The scale files are read with fgets count 1023 (1022 characters a piece), the 2D looks with
// 1024; the rest of a longer line comes as a line of its own.
const size_t SCALE_PIECE_BUFFER = 1023;
const size_t ROLE_2D_PIECE_BUFFER = 1024;

const uint32_t ROLE_PART_FACTOR = 1000;
const uint32_t MOUNT_FACTOR = 1000000;
const float DEFAULT_SCALE = 1.0f;

// A × nFactor + B in 32 bits, wrapping as the signed arithmetic of the files' key does; the
// loader and the queries pack alike, so 1.1000 and 2.0 share the role part key 2000.
int32_t PackScaleKey(uint32_t a, uint32_t b, uint32_t nFactor) {
  return static_cast<int32_t>(a * nFactor + b);
}

// Blank lines, notes and section lines, which the scale files may hold.
bool IsNoteLine(std::string_view line) {
  size_t nFirst = line.find_first_not_of(" \t\r\n\v\f");
  return nFirst == std::string_view::npos || line[nFirst] == ';' || line[nFirst] == '/' ||
         line[nFirst] == '[';
}

// Lines "A.B=scale", e.g. 12.5=1.25 (sscanf "%d.%d=%f\n": a blank may stand before a number,
// not before '.' or '='; text after the scale is ignored).
bool ScanPairScale(std::string_view line, int32_t& a, int32_t& b, float& fScale) {
  ZorGameBase::CTextScan scan(line);
  return scan.Int32(a) && scan.Literal('.') && scan.Int32(b) && scan.Literal('=') && scan.Float(fScale);
}

// Reads a file of "A.B=scale" lines into the table under A × nFactor + B.
bool LoadPairScales(const char* pszPath, uint32_t nFactor, ScaleTable& table) {
  uint64_t a, b;
  float fScale;
  bool bOpened = ForEachLineRecord(
      pszPath, SCALE_PIECE_BUFFER,
      [&](const char* p, const char*) -> const char* {
        bool bRead = DecimalHere(p, IMAGE_END, a) && *p == '.' && DecimalHere(++p, IMAGE_END, b) &&
                     *p == '=' && ShortFloatHere(++p, IMAGE_END, fScale);
        return bRead ? p : nullptr;
      },
      [&] { table.Add(PackScaleKey(static_cast<uint32_t>(a), static_cast<uint32_t>(b), nFactor), fScale); },
      [&](std::string_view line) {
        int32_t nA, nB;
        if (ScanPairScale(line, nA, nB, fScale)) {
          table.Add(PackScaleKey(static_cast<uint32_t>(nA), static_cast<uint32_t>(nB), nFactor), fScale);
        } else if (ZorGameBase::LoadObserver() != nullptr && !IsNoteLine(line)) {
          ObserveKeyValueLine(pszPath, line, true, true);
        }
        return true;
      });
  table.EndLoad();
  return bOpened;
}

float FindScale(const ScaleTable& table, int32_t nKey) {
  const float* pScale = table.Find(nKey);
  return pScale != nullptr ? *pScale : DEFAULT_SCALE;
}

}  // namespace

// Lines "A.B=scale" under A × 1000 + B.
int32_t C3DRoleBaseData::CreateRolePartScaleInfo() {
  return LoadPairScales(ROLE_PART_SCALE_FILE, ROLE_PART_FACTOR, m_mapRolePartScale) ? 1 : 0;
}

// Lines beginning with a look number: "1001" or "1001=anything". Each line loses its last
// character (its line break) before the number is read, so a last line without a line
// break loses its last digit.
int32_t C3DRoleBaseData::Create2DRoleLookInfo() {
  uint64_t nRead;
  bool bOpened = ForEachLineRecord(
      ROLE_2D_LOOK_FILE, ROLE_2D_PIECE_BUFFER,
      [&](const char* p, const char*) { return DecimalHere(p, IMAGE_END, nRead) ? p : nullptr; },
      [&] {
        int32_t nLook = static_cast<int32_t>(static_cast<uint32_t>(nRead));
        m_map2DRoleLook.Add(nLook, nLook);
      },
      [&](std::string_view line) {
        if (line.empty()) return true;
        line.remove_suffix(1);
        ZorGameBase::CTextScan scan(line);
        int32_t nLook;
        if (scan.Int32(nLook)) {
          m_map2DRoleLook.Add(nLook, nLook);
        } else if (ZorGameBase::LoadObserver() != nullptr && !IsNoteLine(line)) {
          ObserveLine(ZorGameBase::RULE_NUMBER_MISSING, ROLE_2D_LOOK_FILE, line,
                      "the line does not begin with a look number; the client skips it");
        }
        return true;
      });
  m_map2DRoleLook.EndLoad();
  if (!bOpened) {
    ZorGameBase::DebugLog("error on open %s.", ROLE_2D_LOOK_FILE);
    return 0;
  }
  return 1;
}

// Lines "look=scale", e.g. 1201=0.8.
int32_t C3DRoleBaseData::CreateLookScaleInfo() {
  uint64_t nRead;
  float fScale;
  bool bOpened = ForEachLineRecord(
      LOOK_SCALE_FILE, SCALE_PIECE_BUFFER,
      [&](const char* p, const char*) -> const char* {
        bool bRead = DecimalHere(p, IMAGE_END, nRead) && *p == '=' && ShortFloatHere(++p, IMAGE_END, fScale);
        return bRead ? p : nullptr;
      },
      [&] { m_mapLookScale.Add(static_cast<int32_t>(static_cast<uint32_t>(nRead)), fScale); },
      [&](std::string_view line) {
        ZorGameBase::CTextScan scan(line);
        int32_t nLook;
        if (scan.Int32(nLook) && scan.Literal('=') && scan.Float(fScale)) {
          m_mapLookScale.Add(nLook, fScale);
        } else if (ZorGameBase::LoadObserver() != nullptr && !IsNoteLine(line)) {
          ObserveKeyValueLine(LOOK_SCALE_FILE, line, false, true);
        }
        return true;
      });
  m_mapLookScale.EndLoad();
  return bOpened ? 1 : 0;
}

// Lines "A.B=scale" under A × 1000000 + B.
int32_t C3DRoleBaseData::CreateMountScaleInfo() {
  return LoadPairScales(MOUNT_SCALE_FILE, MOUNT_FACTOR, m_mapMountScale) ? 1 : 0;
}

// The scale of role part a.b; 1.0 when not listed.
float C3DRoleBaseData::GetRolePartScale(uint32_t a, uint32_t b) {
  return FindScale(m_mapRolePartScale, PackScaleKey(a, b, ROLE_PART_FACTOR));
}

// The scale of the look; 1.0 when not listed.
float C3DRoleBaseData::GetLookScale(uint32_t nLook) {
  return FindScale(m_mapLookScale, static_cast<int32_t>(nLook));
}

// The scale of mount a.b; 1.0 when not listed.
float C3DRoleBaseData::GetMountScale(uint32_t a, uint32_t b) {
  return FindScale(m_mapMountScale, PackScaleKey(a, b, MOUNT_FACTOR));
}

// True when ini/2DRoleLook.ini lists the look (a look written -1 is 4294967295 here).
bool C3DRoleBaseData::Is2DRoleLook(uint32_t nLook) {
  return m_map2DRoleLook.Find(static_cast<int32_t>(nLook)) != nullptr;
}

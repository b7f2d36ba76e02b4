// Scale tables, 2D looks and weapon tables: line tables of numbers. Each line's key counts as
// answered when the module answers exactly the value the file's last line of that key gives
// (two keys the module packs alike overwrite each other, and the earlier one then does not).
#include "TableViews.h"

namespace {

using ZorGameBase::CTextScan;

const char ANSWERED_AS_WRITTEN[] =
    "keys the file lists / keys the module answers with the value written";

// "%d.%d=%f": RolePartScale.ini and MountScale.ini.
bool ScanPairScale(std::string_view line, std::array<int64_t, 2>& key, float& fScale) {
  CTextScan scan(line);
  int32_t a = 0, b = 0;
  if (!scan.Int32(a) || !scan.Literal('.') || !scan.Int32(b) || !scan.Literal('=') ||
      !scan.Float(fScale)) {
    return false;
  }
  key = {a, b};
  return true;
}

Json AskRolePartScale(I3DRoleBaseData& data, const std::array<int64_t, 2>& key, const float& fScale,
                      bool& bAnswered) {
  float fAnswer =
      data.GetRolePartScale(static_cast<uint32_t>(key[0]), static_cast<uint32_t>(key[1]));
  bAnswered = fAnswer == fScale;
  return Json{{"a", key[0]}, {"b", key[1]}, {"scale", JsonFloat(fAnswer)}};
}

Json AskMountScale(I3DRoleBaseData& data, const std::array<int64_t, 2>& key, const float& fScale,
                   bool& bAnswered) {
  float fAnswer = data.GetMountScale(static_cast<uint32_t>(key[0]), static_cast<uint32_t>(key[1]));
  bAnswered = fAnswer == fScale;
  return Json{{"a", key[0]}, {"b", key[1]}, {"scale", JsonFloat(fAnswer)}};
}

// "%d=%f": LookScale.ini.
bool ScanLookScale(std::string_view line, std::array<int64_t, 1>& key, float& fScale) {
  CTextScan scan(line);
  int32_t nLook = 0;
  if (!scan.Int32(nLook) || !scan.Literal('=') || !scan.Float(fScale)) return false;
  key = {nLook};
  return true;
}

Json AskLookScale(I3DRoleBaseData& data, const std::array<int64_t, 1>& key, const float& fScale,
                  bool& bAnswered) {
  float fAnswer = data.GetLookScale(static_cast<uint32_t>(key[0]));
  bAnswered = fAnswer == fScale;
  return Json{{"look", key[0]}, {"scale", JsonFloat(fAnswer)}};
}

// "%d" after the line's last character (its line break) is cut: 2DRoleLook.ini.
bool Scan2DLook(std::string_view line, std::array<int64_t, 1>& key, bool& /*bListed*/) {
  if (!line.empty()) line.remove_suffix(1);
  CTextScan scan(line);
  int32_t nLook = 0;
  if (!scan.Int32(nLook)) return false;
  key = {nLook};
  return true;
}

Json Ask2DLook(I3DRoleBaseData& data, const std::array<int64_t, 1>& key, const bool& /*bListed*/,
               bool& bAnswered) {
  bAnswered = data.Is2DRoleLook(static_cast<uint32_t>(key[0]));
  return Json{{"look", key[0]}, {"is2D", bAnswered}};
}

// "%u=%u" on lines that do not begin with a line break or ';': AppendentWeapon.ini.
bool ScanAppendentWeapon(std::string_view line, std::array<int64_t, 1>& key, uint32_t& nWeapon) {
  if (line.empty() || line[0] == '\n' || line[0] == ';') return false;
  CTextScan scan(line);
  uint32_t nId = 0;
  if (!scan.UInt32(nId) || !scan.Literal('=') || !scan.UInt32(nWeapon)) return false;
  key = {nId};
  return true;
}

Json AskAppendentWeapon(I3DRoleBaseData& data, const std::array<int64_t, 1>& key,
                        const uint32_t& nWeapon, bool& bAnswered) {
  uint32_t nAnswer = data.GetAppendentWeapon(static_cast<uint32_t>(key[0]));
  bAnswered = nAnswer == nWeapon;
  return Json{{"weapon", key[0]}, {"appended", nAnswer}};
}

// "%u.%d=%u" (weapon.look=weapon to use): WeaponAdjustByLook.ini.
bool ScanWeaponAdjust(std::string_view line, std::array<int64_t, 2>& key, uint32_t& nAdjusted) {
  if (line.empty() || line[0] == '\n' || line[0] == ';') return false;
  CTextScan scan(line);
  uint32_t nWeapon = 0;
  int32_t nLook = 0;
  if (!scan.UInt32(nWeapon) || !scan.Literal('.') || !scan.Int32(nLook) || !scan.Literal('=') ||
      !scan.UInt32(nAdjusted)) {
    return false;
  }
  key = {nWeapon, nLook};
  return true;
}

Json AskWeaponAdjust(I3DRoleBaseData& data, const std::array<int64_t, 2>& key,
                     const uint32_t& nAdjusted, bool& bAnswered) {
  uint32_t nAnswer =
      data.GetWeaponAdjustByLook(static_cast<uint32_t>(key[0]), static_cast<uint32_t>(key[1]));
  bAnswered = nAnswer == nAdjusted;
  return Json{{"weapon", key[0]}, {"look", key[1]}, {"adjusted", nAnswer}};
}

}  // namespace

std::unique_ptr<CTableView> MakeRolePartScaleView() {
  return std::make_unique<CKeyedView<2, float>>("RolePartScale", "ini/RolePartScale.ini",
                                                ANSWERED_AS_WRITTEN, 1023, ScanPairScale,
                                                AskRolePartScale);
}

std::unique_ptr<CTableView> Make2DRoleLookView() {
  return std::make_unique<CKeyedView<1, bool>>("2DRoleLook", "ini/2DRoleLook.ini",
                                               "looks the file lists / looks the module calls 2D",
                                               1024, Scan2DLook, Ask2DLook);
}

std::unique_ptr<CTableView> MakeLookScaleView() {
  return std::make_unique<CKeyedView<1, float>>(
      "LookScale", "ini/LookScale.ini", ANSWERED_AS_WRITTEN, 1023, ScanLookScale, AskLookScale);
}

std::unique_ptr<CTableView> MakeMountScaleView() {
  return std::make_unique<CKeyedView<2, float>>(
      "MountScale", "ini/MountScale.ini", ANSWERED_AS_WRITTEN, 1023, ScanPairScale, AskMountScale);
}

std::unique_ptr<CTableView> MakeAppendentWeaponView() {
  return std::make_unique<CKeyedView<1, uint32_t>>("AppendentWeapon", "ini/AppendentWeapon.ini",
                                                   ANSWERED_AS_WRITTEN, 1024, ScanAppendentWeapon,
                                                   AskAppendentWeapon);
}

std::unique_ptr<CTableView> MakeWeaponAdjustByLookView() {
  return std::make_unique<CKeyedView<2, uint32_t>>(
      "WeaponAdjustByLook", "ini/WeaponAdjustByLook.ini", ANSWERED_AS_WRITTEN, 1024,
      ScanWeaponAdjust, AskWeaponAdjust);
}

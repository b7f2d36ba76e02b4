#include "TableViews.h"

#include <cstdlib>
#include <filesystem>
#include <random>

#include "TextScan.h"

TableViews MakeTableViews() {
  TableViews views;
  views.push_back(MakeGameMapView());
  views.push_back(MakeRegionView());
  views.push_back(MakeSoundEventView());
  views.push_back(MakeSoundResView());
  views.push_back(MakeTerrainNpcView());
  views.push_back(MakeBattleMapView());
  views.push_back(MakeCaptureCameraView());
  views.push_back(MakeFighterPosOffsetView());
  views.push_back(MakeCameraTrackView());
  views.push_back(MakeNpcView());
  views.push_back(MakeNpcXView());
  views.push_back(MakeRolePartScaleView());
  views.push_back(Make2DRoleLookView());
  views.push_back(MakeRolePartHideView());
  views.push_back(MakeLookScaleView());
  views.push_back(MakeMountScaleView());
  views.push_back(MakeAppendentWeaponView());
  views.push_back(MakeWeaponAdjustByLookView());
  views.push_back(MakeRoleWeapon3DEffectView());
  views.push_back(MakeAction3DEffectView());
  views.push_back(MakeActionSoundView());
  views.push_back(MakeSimpleObjView());
  views.push_back(MakeRoleTraceView());
  views.push_back(MakeRolePartReplaceView());
  views.push_back(MakeBattleDiveView());
  return views;
}

void ListKeysAside(const std::vector<CTableView*>& views) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path folder = fs::current_path(ec);
  fs::path scratch =
      fs::temp_directory_path(ec) / ("kestrin-" + std::to_string(std::random_device()()));
  bool bAside = fs::create_directory(scratch, ec);
  if (bAside) fs::current_path(scratch, ec);
  for (CTableView* pView : views) pView->ListKeys(folder.string());
  if (bAside) {
    fs::current_path(folder, ec);
    fs::remove_all(scratch, ec);
  }
}

bool ReadTextImage(const char* pszPath, std::string& strImage) {
  return ZorGameBase::ReadFileImage(pszPath, strImage, true);
}

int32_t AtoiPrefix(std::string_view text) {
  std::string strText(ZorGameBase::CutAtNul(text));
  long long nValue = std::strtoll(strText.c_str(), nullptr, 10);
  if (nValue > INT32_MAX) return INT32_MAX;
  if (nValue < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(nValue);
}

#include "TableViews.h"

#include <cstdlib>

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

// Capture cameras, the battle dive camera and camera tracks.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateCaptureCameraInfo() { return 0; }

int32_t C3DRoleBaseData::CreateCameraTrackInfo() { return 0; }

const BattleCamera* C3DRoleBaseData::GetCaptureCamera1() { return m_pCaptureCamera1; }

const BattleCamera* C3DRoleBaseData::GetCaptureCamera2() { return m_pCaptureCamera2; }

const BattleDiveInfo* C3DRoleBaseData::GetBattleDiveInfo() { return nullptr; }

const CameraTrackInfo* C3DRoleBaseData::GetCameraTrackInfo(const char*) { return nullptr; }

const CameraTrackFrameList* C3DRoleBaseData::GetCameraTrackFrames(const char*) {
  return nullptr;
}

void C3DRoleBaseData::ReleaseCaptureCameraInfo() {
  delete m_pCaptureCamera1;
  delete m_pCaptureCamera2;
  m_pCaptureCamera1 = nullptr;
  m_pCaptureCamera2 = nullptr;
}

void C3DRoleBaseData::ReleaseCameraTrackFrames() { m_mapCameraTrackFrames.clear(); }

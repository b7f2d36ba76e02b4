// Makes the compiler lay out every record the client reads in place, and the types inside them,
// for CheckRecordLayouts.cmake.
#include "I3DRoleBaseData.h"

#define KESTRIN_RECORD(T) extern const unsigned RECORD_##T = sizeof(T);
KESTRIN_RECORD(BattlePos)
KESTRIN_RECORD(BattleCamera)
KESTRIN_RECORD(FighterPos)
KESTRIN_RECORD(BattleStartPos)
KESTRIN_RECORD(BattleViewPos)
KESTRIN_RECORD(BattleDiveInfo)
KESTRIN_RECORD(FighterPosOffset)
KESTRIN_RECORD(FighterGroup)
KESTRIN_RECORD(BattleMapInfo)
KESTRIN_RECORD(CameraTrackInfo)
KESTRIN_RECORD(CameraTrackFrame)
KESTRIN_RECORD(CameraTrackFrameList)
KESTRIN_RECORD(NpcInfo)
KESTRIN_RECORD(NpcStarLookInfo)
KESTRIN_RECORD(RolePartReplaceInfo)
KESTRIN_RECORD(SimpleObjInfo)
KESTRIN_RECORD(RoleTraceInfo)
KESTRIN_RECORD(ListenerPos)
KESTRIN_RECORD(GameMapInfo)
KESTRIN_RECORD(RegionInfo)
KESTRIN_RECORD(RegionList)
KESTRIN_RECORD(TerrainNpcInfo)
KESTRIN_RECORD(CRecordString)

#pragma once
// The example data set (examples/data) and a sweep of every reading operation over its keys,
// for tests that compare whole answers: two equal descriptions mean equal answers.

#include <filesystem>
#include <string>

#include "I3DRoleBaseData.h"

// A record handed out by a query, field by field ("null" for none): numbers, texts and lists.
std::string Describe(const BattlePos* p);
std::string Describe(const BattleCamera* p);
std::string Describe(const BattleViewPos* p);
std::string Describe(const FighterPos* p);
std::string Describe(const BattleStartPos* p);
std::string Describe(const FighterPosOffset* p);
std::string Describe(const BattleDiveInfo* p);
std::string Describe(const BattleMapInfo* p);
std::string Describe(const GameMapInfo* p);
std::string Describe(const RegionInfo* p);  // blank-separated, in file column order
std::string Describe(const TerrainNpcInfo* p);
std::string Describe(const CameraTrackInfo* p);
std::string Describe(const CameraTrackFrameList* p);
std::string Describe(const NpcInfo* p);  // texts between bars
std::string Describe(const NpcStarLookInfo* p);
std::string Describe(const SimpleObjInfo* p);
std::string Describe(const RoleTraceInfo* p);
std::string Describe(const RolePartReplaceInfo* p);

// The example data set of the source tree: ini/, track/ and the readable sources in src/.
std::filesystem::path ExampleDataFolder();

// Copies the example data set's ini/ and track/ folders into the folder.
void CopyExampleData(const std::filesystem::path& folder);

// Asks every operation that reads tables (slots 1 to 6, 11, 12, 20 to 40, 42, 44 and 46 to 62)
// about the keys of the example data set, about keys next to them and about keys it lacks, and
// writes one line per answer: numbers, texts, "null", and the records behind pointers field by
// field. Sound names with several files are asked only whether they resolve, as the file is
// picked at random.
std::string DescribeAnswers(I3DRoleBaseData* pData);

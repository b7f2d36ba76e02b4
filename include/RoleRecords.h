#pragma once
// Records of the role appearance tables, read in place by the client: field order and widths
// are binary interface.
#include <cstddef>
#include <cstdint>
#include <vector>

// One NPC of ini/Npc.ini. Texts are zero-terminated; all fields are 0 when not read.
struct NpcInfo {
  int32_t Id;             // the number in the section name, from its eighth character on
  char Name[32];          // Name=
  char Effect[64];        // Effect=
  uint32_t SimpleObjID;   // SimpleObjID=, a simple object of ini/SimpleObjInfo.ini
  int64_t StandByMotion;  // StandByMotion=
  int64_t BlazeMotion;    // BlazeMotion=
  int64_t RestMotion;     // RestMotion=
  int32_t ASB;            // ASB=
  int32_t ADB;            // ADB=
  uint32_t FixDir;        // FixDir=
};
static_assert(offsetof(NpcInfo, Name) == 4, "NpcInfo layout");
static_assert(offsetof(NpcInfo, Effect) == 36, "NpcInfo layout");
static_assert(offsetof(NpcInfo, SimpleObjID) == 100, "NpcInfo layout");
static_assert(offsetof(NpcInfo, StandByMotion) == 104, "NpcInfo layout");
static_assert(offsetof(NpcInfo, RestMotion) == 120, "NpcInfo layout");
static_assert(offsetof(NpcInfo, FixDir) == 136, "NpcInfo layout");
static_assert(sizeof(NpcInfo) == 144, "NpcInfo layout");

// One star look (section) of ini/NpcX.ini. Texts hold at most 31 characters; keys that are
// missing or empty leave 0 or "".
struct NpcStarLookInfo {
  int32_t Id;  // the section title
  char Name[32];
  int32_t FixDir;
  int32_t AddSize;
  int32_t Scale;
  int32_t Look;
  int32_t Head;
  int32_t Hair;
  int32_t Armor;
  int32_t Armet;
  int32_t RWeapon;
  int32_t LWeapon;
  int32_t Misc;
  int32_t MiscBack;
  int32_t Mount;
  char Effect[32];
  char Note[32];
  int32_t FrontBlock;
  int32_t BackBlock;
  int32_t LeftBlock;
  int32_t RightBlock;
  char EffAdd[32];
  char EffDel[32];
};
static_assert(offsetof(NpcStarLookInfo, FixDir) == 36, "NpcStarLookInfo layout");
static_assert(offsetof(NpcStarLookInfo, Armor) == 60, "NpcStarLookInfo layout");
static_assert(offsetof(NpcStarLookInfo, Armet) == 64, "NpcStarLookInfo layout");
static_assert(offsetof(NpcStarLookInfo, Mount) == 84, "NpcStarLookInfo layout");
static_assert(offsetof(NpcStarLookInfo, Effect) == 88, "NpcStarLookInfo layout");
static_assert(offsetof(NpcStarLookInfo, FrontBlock) == 152, "NpcStarLookInfo layout");
static_assert(offsetof(NpcStarLookInfo, EffAdd) == 168, "NpcStarLookInfo layout");
static_assert(sizeof(NpcStarLookInfo) == 232, "NpcStarLookInfo layout");

// The replacement data of one line of ini/RolePartReplace.ini "key c2 c3 ... c11": the client
// interprets the ten numbers. Field7 holds the line's last column.
struct RolePartReplaceInfo {
  int32_t Field1;    // column 2
  int32_t Field2;    // column 3
  int32_t Field3;    // column 4
  uint32_t Field4;   // column 5
  uint32_t Field5;   // column 6
  uint32_t Field6;   // column 7
  uint32_t Field7;   // column 11
  uint32_t Field8;   // column 8
  uint32_t Field9;   // column 9
  uint32_t Field10;  // column 10
};
static_assert(offsetof(RolePartReplaceInfo, Field7) == 24, "RolePartReplaceInfo layout");
static_assert(sizeof(RolePartReplaceInfo) == 40, "RolePartReplaceInfo layout");

// One simple object of ini/SimpleObjInfo.ini.
struct SimpleObjInfo {
  uint32_t SimpleObj;
  float Scale;
  std::vector<int64_t> Motions;  // Motion0=, Motion1=, ... in that order
};
static_assert(offsetof(SimpleObjInfo, Scale) == 4, "SimpleObjInfo layout");
static_assert(offsetof(SimpleObjInfo, Motions) == 8, "SimpleObjInfo layout");

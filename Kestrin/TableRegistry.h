#pragma once
// The tables Create loads, for the module's own tools; the client sees none of this (the
// module exports its four names only). Each table has its name, its file as the client names
// it and its loader, and the registry tells how many entries a loaded service holds and walks
// their keys, so that a tool counts and lists from the loaded tables themselves.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

class C3DRoleBaseData;

struct RegisteredTable {
  const char* pszName;    // "LookScale"
  const char* pszFile;    // "ini/LookScale.ini"
  const char* pszLoader;  // "CreateLookScaleInfo"
  bool bReadByCreate;     // false for ini/3DBattleDive.ini, read on every query instead
};

class CTableRegistry {
 public:
  // Every table file, in the order Create loads them; ini/3DBattleDive.ini last.
  static const std::vector<RegisteredTable>& Tables();
  // The entries the service holds from table i (a key written twice counts once).
  static size_t Count(const C3DRoleBaseData& data, size_t i);
  // Calls fnKey with each key of table i in the service: numbered tables give the number as
  // they key it (name empty), named tables the name (number 0). No keys for the cameras.
  static void ForEachKey(const C3DRoleBaseData& data, size_t i,
                         const std::function<void(int64_t, std::string_view)>& fnKey);
  // With an observer attached, after Create: findings across tables, such as an NPC whose
  // SimpleObjID no simple object has.
  static void ObserveCrossTables(const C3DRoleBaseData& data);
};

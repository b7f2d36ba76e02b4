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
  // they key it (name empty), named tables the name (number 0). No keys for the game maps'
  // enumeration order, the region list's, the cameras or the battle dive.
  static void ForEachKey(const C3DRoleBaseData& data, size_t i,
                         const std::function<void(int64_t, std::string_view)>& fnKey);
  // The numbers a key of table i packs, in the order its file writes them (a.b.c.d, weapon.look,
  // k1.k2.k3.k4); any other key is its own one number. A number too wide for its place, which
  // the packing wraps, comes back as other numbers.
  static std::vector<int64_t> KeyParts(size_t i, int64_t nKey);
  // Calls fnItem with what a key of table i holds beyond its query's answer: each file of the
  // sound resource titled name (numbers 0), each part the role part key nKey hides (its name,
  // first and last frame), or, for the battle maps, each view position (no text, its two keys;
  // the key is not used). Nothing for the other tables.
  static void ForEachItem(const C3DRoleBaseData& data, size_t i, int64_t nKey,
                          std::string_view name,
                          const std::function<void(std::string_view, int64_t, int64_t)>& fnItem);
  // With an observer attached, after Create: findings across tables, such as an NPC whose
  // SimpleObjID no simple object has.
  static void ObserveCrossTables(const C3DRoleBaseData& data);
};

#pragma once
// Two loads of one table compared entry by entry. A table's entries are what dump writes: each
// element of a list is an entry named by its leading key members ("look=12", "a=1 b=2 c=3 d=4",
// "#3" for a list without keys, such as the regions in file order); each member of an object is
// an entry of its own (the battle camera), and a list of keyed objects inside it gives one entry
// per element ("maps map=1001"). An entry's fields are its leaves by path ("info.CenterCell.x",
// "scale", "info.FighterGroups[0].torch[2]").
#include <map>
#include <string>
#include <vector>

#include "RecordJson.h"

// Entry name -> (field path -> leaf value).
using TableEntries = std::map<std::string, std::map<std::string, Json>>;

TableEntries EntriesOf(const Json& dumped);

struct FieldChange {
  std::string strField;
  Json oldValue;  // null where the side has no such field
  Json newValue;
};

struct TableDifference {
  std::vector<std::string> added;    // entry names, in name order
  std::vector<std::string> removed;
  std::map<std::string, std::vector<FieldChange>> changed;
  bool Empty() const { return added.empty() && removed.empty() && changed.empty(); }
};

TableDifference Compare(const TableEntries& oldEntries, const TableEntries& newEntries);

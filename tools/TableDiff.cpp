#include "TableDiff.h"

#include <set>

namespace {

// The members that name an entry in dump's lists, when they lead it. "name" names only as the
// first member: after a key it is the answer (a sound event's name).
bool IsKeyMember(const std::string& strName, size_t nPlace) {
  static const std::set<std::string> s_keys = {"a",   "b",     "c",  "d",    "mapId", "map",
                                               "event", "title", "key", "key1", "key2",  "type",
                                               "look",  "weapon", "id"};
  return s_keys.count(strName) != 0 || (nPlace == 0 && strName == "name");
}

void Flatten(const Json& value, const std::string& strPath, std::map<std::string, Json>& fields) {
  if (value.is_object() && !value.empty()) {
    for (const auto& [strKey, member] : value.items()) {
      Flatten(member, strPath.empty() ? strKey : strPath + "." + strKey, fields);
    }
  } else if (value.is_array() && !value.empty()) {
    for (size_t n = 0; n < value.size(); ++n) {
      Flatten(value[n], strPath + "[" + std::to_string(n) + "]", fields);
    }
  } else {
    fields[strPath.empty() ? "value" : strPath] = value;
  }
}

// The name of a list element from its leading key members, and its other members as fields.
void AddElement(const Json& element, size_t nIndex, const std::string& strPrefix,
                TableEntries& entries) {
  std::string strName;
  Json rest = Json::object();
  size_t nPlace = 0;
  bool bKeys = element.is_object();
  if (bKeys) {
    for (const auto& [strKey, member] : element.items()) {
      bKeys = bKeys && IsKeyMember(strKey, nPlace++) && !member.is_object();
      if (bKeys) {
        if (!strName.empty()) strName += " ";
        strName += strKey + "=" + (member.is_string() ? member.get<std::string>() : member.dump());
      } else {
        rest[strKey] = member;
      }
    }
  }
  if (strName.empty()) {
    strName = "#" + std::to_string(nIndex);
    rest = element;
  }
  if (!strPrefix.empty()) strName = strPrefix + " " + strName;
  Flatten(rest, "", entries[strName]);
}

bool IsKeyedList(const Json& value) {
  if (!value.is_array() || value.empty() || !value[0].is_object() || value[0].empty()) return false;
  return IsKeyMember(value[0].begin().key(), 0);
}

}  // namespace

TableEntries EntriesOf(const Json& dumped) {
  TableEntries entries;
  if (dumped.is_array()) {
    for (size_t n = 0; n < dumped.size(); ++n) AddElement(dumped[n], n, "", entries);
  } else if (dumped.is_object()) {
    for (const auto& [strKey, member] : dumped.items()) {
      if (IsKeyedList(member)) {
        for (size_t n = 0; n < member.size(); ++n) AddElement(member[n], n, strKey, entries);
      } else {
        Flatten(member, "", entries[strKey]);
      }
    }
  }
  return entries;
}

TableDifference Compare(const TableEntries& oldEntries, const TableEntries& newEntries) {
  TableDifference difference;
  for (const auto& [strName, fields] : oldEntries) {
    if (newEntries.count(strName) == 0) difference.removed.push_back(strName);
  }
  for (const auto& [strName, newFields] : newEntries) {
    auto old = oldEntries.find(strName);
    if (old == oldEntries.end()) {
      difference.added.push_back(strName);
      continue;
    }
    std::set<std::string> paths;
    for (const auto& field : old->second) paths.insert(field.first);
    for (const auto& field : newFields) paths.insert(field.first);
    for (const std::string& strPath : paths) {
      auto oldField = old->second.find(strPath);
      auto newField = newFields.find(strPath);
      Json oldValue = oldField == old->second.end() ? Json() : oldField->second;
      Json newValue = newField == newFields.end() ? Json() : newField->second;
      if (oldValue != newValue) difference.changed[strName].push_back({strPath, oldValue, newValue});
    }
  }
  return difference;
}

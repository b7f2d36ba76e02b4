#pragma once
// A JSON text written as it is made, value by value, so that a dump never holds a whole table
// in memory. The text is laid out as Json::dump(2) lays out the same value. A stream made
// without an output, or whose output has failed, writes nothing and serialises nothing.

#include <ostream>
#include <string_view>
#include <vector>

#include "RecordJson.h"

class CJsonStream {
 public:
  CJsonStream() = default;
  explicit CJsonStream(std::ostream& out) : m_pOut(&out) {}

  // Open an object or an array as the next value.
  void BeginObject() { Begin(true); }
  void BeginArray() { Begin(false); }
  // Names the next value inside the open object.
  void Key(std::string_view key);
  // One whole value: the top value, the next element of the open array, or the member that
  // Key named.
  void Value(const Json& value);
  void Member(std::string_view key, const Json& value) {
    Key(key);
    Value(value);
  }
  // The next element of a list; the list opens here when a value is due (nothing written yet
  // at the top, or a Key still without its value).
  void Element(const Json& value);
  // Closes the innermost open object or array.
  void End();
  // Writes [] for a value still due, then closes everything open.
  void Finish();

 private:
  struct Level {
    bool bObject;
    bool bEmpty;
  };

  bool Writes() const { return m_pOut != nullptr && m_pOut->good(); }
  bool ValueDue() const { return m_bKeyPending || (m_levels.empty() && !m_bTopWritten); }
  void Begin(bool bObject);
  // The separator and line break before an element of the open array.
  void BeforeValue();
  void NewLine(size_t nDepth);

  std::ostream* m_pOut = nullptr;
  std::vector<Level> m_levels;
  bool m_bKeyPending = false;
  bool m_bTopWritten = false;
};

#pragma once
// Reading a table file as a stream of words, as fscanf(file, "%s\n", buffer) with a 1024-byte
// buffer reads it, and the name texts the effect and sound tables keep.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "TextScan.h"
#include "ZorString.h"

// The words of a file image: runs of characters without white space; line breaks mean
// nothing. A run longer than 1023 characters comes as several words of at most 1023. Each
// word reads as the C string in the buffer would: up to its first zero byte.
class CWordStream {
 public:
  explicit CWordStream(std::string_view image) : m_scan(image) {}

  bool Next(std::string_view& word) {
    std::string_view run;
    if (!m_scan.Word(run)) return false;
    if (run.size() > MAX_WORD) {
      run = run.substr(0, MAX_WORD);
      m_scan.SetPosition(run.data() + MAX_WORD);
    }
    word = ZorGameBase::CutAtNul(run);
    return true;
  }

 private:
  static const size_t MAX_WORD = 1023;
  ZorGameBase::CTextScan m_scan;
};

// Room to reserve for the records of a file image: about one per line.
inline size_t CountLines(std::string_view image) {
  return static_cast<size_t>(std::count(image.begin(), image.end(), '\n')) + 1;
}

// Names kept in the tables, as standard strings or counted strings, and their characters.
inline void AssignName(std::string& strName, std::string_view text) { strName.assign(text); }
// Names come from words, which are at most 1023 characters.
inline void AssignName(ZorString::CZorString& strName, std::string_view text) {
  char szName[1024];
  size_t nLength = std::min(text.size(), sizeof(szName) - 1);
  memcpy(szName, text.data(), nLength);
  szName[nLength] = '\0';
  strName = szName;
}
inline const char* NameText(const std::string& strName) { return strName.c_str(); }
inline const char* NameText(const ZorString::CZorString& strName) { return strName; }

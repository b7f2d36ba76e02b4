// The plain ini lookup: the words of the file, scanned from its start for each question.
#include "IniLookup.h"

#include <cstring>
#include <string>
#include <string_view>

#include "DebugLog.h"
#include "TextScan.h"

namespace ZorGameBase {
namespace {

const size_t MAX_WORD = 1023;    // characters of one word of a setup file
const size_t MAX_SECTION = 253;  // characters of a section name
const size_t MAX_KEY = 251;      // characters of a key

// Steps through the blank-separated words of a text. A word is what a "%s" read gives as a C
// string: it ends at white space, and a zero byte inside it ends its text.
class WordReader {
 public:
  explicit WordReader(const std::string& strText) : m_scan(strText) {}
  // The next word; false at the end. bTooLong is set for a word over MAX_WORD characters.
  bool Next(std::string_view& word, bool& bTooLong) {
    std::string_view run;
    if (!m_scan.Word(run)) return false;
    bTooLong = run.size() > MAX_WORD;
    word = CutAtNul(run);
    return true;
  }

 private:
  CTextScan m_scan;
};

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char ca = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    char cb = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (ca != cb) return false;
  }
  return true;
}

// Scans the words of a setup file for the value; true when found.
bool FindIniValue(const std::string& strText, const char* pszSection, const char* pszKey,
                  char* pszValue) {
  size_t nSection = strlen(pszSection);
  size_t nKey = strlen(pszKey);
  // Section names and keys over their limits are never found.
  if (nSection > MAX_SECTION || nKey > MAX_KEY) return false;
  std::string strTag = std::string("[") + pszSection + "]";
  WordReader reader(strText);
  std::string_view word;
  bool bTooLong = false;
  bool bInSection = false;
  while (reader.Next(word, bTooLong)) {
    // A word over 1023 characters is skipped whole: it starts, matches and ends nothing.
    if (bTooLong) continue;
    if (!bInSection) {
      bInSection = EqualsNoCase(word, strTag);
      continue;
    }
    if (word.find('[') != std::string_view::npos && word.find(']') != std::string_view::npos) {
      return false;
    }
    // "key=value": the key in exact case, "=" right after it, at least one value character.
    if (word.size() > nKey + 1 && word.compare(0, nKey, pszKey) == 0 && word[nKey] == '=') {
      std::string_view value = word.substr(nKey + 1);
      memcpy(pszValue, value.data(), value.size());
      pszValue[value.size()] = '\0';
      return true;
    }
  }
  return false;
}

}  // namespace

bool GetIniValue(const char* pszPath, const char* pszSection, const char* pszKey, char* pszValue,
                 bool bLogToFile) {
  if (pszPath == nullptr || pszSection == nullptr || pszKey == nullptr || pszValue == nullptr) {
    return false;
  }
  std::string strText;
  if (!ReadFileImage(pszPath, strText, true)) return false;  // read-only, text mode
  if (FindIniValue(strText, pszSection, pszKey, pszValue)) return true;
  if (bLogToFile) {
    DebugLog("Error: [%s] %s not found in %s.", pszSection, pszKey, pszPath);
  } else {
    DebugOutput("Error: [%s] %s not found in %s.", pszSection, pszKey, pszPath);
  }
  return false;
}

}  // namespace ZorGameBase

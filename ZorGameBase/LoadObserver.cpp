#include "LoadObserver.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace ZorGameBase {

ILoadObserver* detail::g_pLoadObserver = nullptr;

namespace {

struct RuleInfo {
  const char* pszId;
  FindingSeverity severity;
  const char* pszHint;
};

const RuleInfo RULES[RULE_COUNT] = {
    {"line-rejected", FINDING_ERROR, "the client drops this line; write it in the table's format"},
    {"line-ignored", FINDING_ERROR,
     "the client skips this line without a word; write it in the table's format or make it a comment"},
    {"fields-missing", FINDING_ERROR, "the record has fewer fields than the table's format; add the missing ones"},
    {"section-unclosed", FINDING_ERROR,
     "close the title with ']'; until then its keys belong to the section before it"},
    {"key-outside-section", FINDING_WARNING, "lines before the first [section] belong to no record; move them under a title"},
    {"word-cut", FINDING_ERROR, "the client reads words of at most 1023 characters; the rest becomes a word of its own"},
    {"name-too-long", FINDING_ERROR, "the client keeps the name but asserts on it; shorten it to fit the table's limit"},
    {"number-cut", FINDING_ERROR,
     "the client stops at the first character that is not part of a number (the letter O is not a zero)"},
    {"number-missing", FINDING_ERROR, "no number where one belongs (the letter O is not a zero); the client reads 0 or drops the line"},
    {"number-range", FINDING_WARNING, "the number does not fit its field; the client keeps a different value"},
    {"duplicate-key", FINDING_WARNING, "only one of these lines counts; remove or renumber the other"},
    {"duplicate-section", FINDING_WARNING, "only one of these sections counts; remove or renumber the other"},
    {"text-bom", FINDING_ERROR, "tables are GBK text without a byte-order mark; save the file as GBK (code page 936)"},
    {"text-utf8", FINDING_ERROR, "tables are GBK text; this file is UTF-8: save it as GBK (code page 936)"},
    {"text-not-gbk", FINDING_ERROR, "tables are GBK text; these bytes are no GBK character: save the file as GBK (code page 936)"},
    {"text-nul", FINDING_ERROR, "a zero byte ends the text for the client; what follows it on the line is lost"},
    {"dat-not-enciphered", FINDING_ERROR, "the client deciphers .dat files; encipher the text with: kestrin dat encode"},
    {"table-missing", FINDING_ERROR, "the client loads this table from here; without it the table is empty"},
    {"table-unreadable", FINDING_ERROR, "the file is there but the client cannot read it (a folder, no permission, or empty .dat)"},
    {"track-short", FINDING_ERROR, "the track file holds fewer frames than it announces; the client drops the track"},
    {"track-missing", FINDING_ERROR, "the table names a track file that is absent; the client has no frames for it"},
    {"log-unwritable", FINDING_ERROR,
     "the module cannot write ./debug/, so its messages are lost and the check cannot see them"},
    {"unknown-reference", FINDING_WARNING, "no table defines the record named here; the client finds nothing for it"},
    {"cell-shared", FINDING_WARNING, "two fighters stand on one battle cell; give each its own"},
    {"log-record", FINDING_ERROR, "the module wrote this record to its debug log during the load"},
};

// The file whose image the loaders walk, and where the last line count stopped.
struct Observed {
  std::string strFile;
  const char* pBegin = nullptr;
  size_t nSize = 0;
  const char* pCounted = nullptr;  // lines counted up to here
  int nLine = 1;                   // the line pCounted lies on
  const char* pLineStart = nullptr;
};
Observed g_observed;
std::string g_strLastRecord;  // the record the debug log took last, until a finding quotes it
bool g_bLogUnwritableTold = false;
std::string g_strMuted;  // a .dat file that was no cipher text: its noise is no finding

bool Inside(const char* pAt) {
  return pAt != nullptr && g_observed.pBegin != nullptr && pAt >= g_observed.pBegin &&
         pAt <= g_observed.pBegin + g_observed.nSize;
}

// Line and column of a position inside the observed image. Findings mostly come in file order,
// so counting goes on from the last position (or back from it, over the bytes between).
void LineAndColumn(const char* pAt, int& nLine, int& nColumn) {
  if (pAt < g_observed.pCounted) {
    for (const char* p = pAt; p < g_observed.pCounted; ++p) g_observed.nLine -= *p == '\n';
    const char* pStart = pAt;
    while (pStart > g_observed.pBegin && pStart[-1] != '\n') --pStart;
    g_observed.pLineStart = pStart;
    g_observed.pCounted = pAt;
  }
  const char* p = g_observed.pCounted;
  while (p < pAt) {
    const void* pFeed = memchr(p, '\n', static_cast<size_t>(pAt - p));
    if (pFeed == nullptr) break;
    p = static_cast<const char*>(pFeed) + 1;
    ++g_observed.nLine;
    g_observed.pLineStart = p;
  }
  g_observed.pCounted = pAt;
  nLine = g_observed.nLine;
  nColumn = static_cast<int>(pAt - g_observed.pLineStart) + 1;
}

// Length of the UTF-8 sequence at p (2..4), or 0 when none starts there.
size_t Utf8Sequence(const unsigned char* p, const unsigned char* pEnd) {
  size_t nLength = p[0] >= 0xF0 && p[0] <= 0xF4 ? 4 : p[0] >= 0xE0 ? 3 : p[0] >= 0xC2 ? 2 : 0;
  if (nLength == 0 || p[0] > 0xF4 || static_cast<size_t>(pEnd - p) < nLength) return 0;
  for (size_t i = 1; i < nLength; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
  }
  return nLength;
}

void CheckText(const char* pszFile, const char* pBegin, size_t nSize) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pBegin);
  const unsigned char* pEnd = p + nSize;
  if (nSize >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    ReportFinding(RULE_TEXT_BOM, pszFile, pBegin, "the file begins with a UTF-8 byte-order mark");
    p += 3;
  } else if (nSize >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) {
    ReportFinding(RULE_TEXT_BOM, pszFile, pBegin, "the file is UTF-16 text with a byte-order mark");
    return;
  }
  const void* pZero = memchr(p, 0, static_cast<size_t>(pEnd - p));
  if (pZero != nullptr) {
    ReportFinding(RULE_TEXT_NUL, pszFile, static_cast<const char*>(pZero), "a zero byte in the text");
  }
  const unsigned char* pFirstWide = nullptr;
  const unsigned char* pNotUtf8 = nullptr;
  const unsigned char* pNotGbk = nullptr;
  for (const unsigned char* q = p; q < pEnd && pNotUtf8 == nullptr; ++q) {
    if (*q < 0x80) continue;
    if (pFirstWide == nullptr) pFirstWide = q;
    size_t nLength = Utf8Sequence(q, pEnd);
    if (nLength == 0) pNotUtf8 = q;
    else q += nLength - 1;
  }
  if (pFirstWide == nullptr) return;
  if (pNotUtf8 == nullptr) {
    ReportFinding(RULE_TEXT_UTF8, pszFile, reinterpret_cast<const char*>(pFirstWide),
                  "the text is UTF-8, not GBK");
    return;
  }
  for (const unsigned char* q = pFirstWide; q < pEnd; ++q) {
    if (*q < 0x80) continue;
    bool bTrail = q + 1 < pEnd && q[1] >= 0x40 && q[1] <= 0xFE && q[1] != 0x7F;
    if (*q == 0x80 || *q == 0xFF || !bTrail) {
      pNotGbk = q;
      break;
    }
    ++q;
  }
  if (pNotGbk != nullptr) {
    char szByte[8];
    snprintf(szByte, sizeof(szByte), "\\x%02x", *pNotGbk);
    ReportFinding(RULE_TEXT_NOT_GBK, pszFile, reinterpret_cast<const char*>(pNotGbk),
                  std::string("the byte ") + szByte + " begins no GBK character");
  }
}

}  // namespace

const char* LoadRuleId(LoadRule rule) { return rule < RULE_COUNT ? RULES[rule].pszId : ""; }
FindingSeverity LoadRuleSeverity(LoadRule rule) {
  return rule < RULE_COUNT ? RULES[rule].severity : FINDING_ERROR;
}
const char* LoadRuleHint(LoadRule rule) { return rule < RULE_COUNT ? RULES[rule].pszHint : ""; }

void SetLoadObserver(ILoadObserver* pObserver) {
  detail::g_pLoadObserver = pObserver;
  g_observed = Observed();
  g_strLastRecord.clear();
  g_bLogUnwritableTold = false;
  g_strMuted.clear();
}

void ObserveFile(const char* pszFile, const char* pBegin, size_t nSize, bool bCheckText) {
  g_observed = Observed();
  g_observed.strFile = pszFile != nullptr ? pszFile : "";
  g_observed.pBegin = g_observed.pCounted = g_observed.pLineStart = pBegin;
  g_observed.nSize = pBegin != nullptr ? nSize : 0;
  if (bCheckText && pBegin != nullptr) CheckText(g_observed.strFile.c_str(), pBegin, nSize);
}

namespace {
size_t ControlBytes(const unsigned char* p, size_t nSize) {
  size_t nCount = 0;
  for (size_t i = 0; i < nSize; ++i) nCount += p[i] < 0x20 && p[i] != '\t' && p[i] != '\r' && p[i] != '\n';
  return nCount;
}
}  // namespace

void ObserveEnciphered(const char* pszFile, const unsigned char* pRaw, size_t nRaw,
                       const char* pBegin, size_t nSize) {
  // Plain text has no control characters; deciphered plain text is full of them.
  const size_t SAMPLE = 256;
  size_t nSample = nRaw < SAMPLE ? nRaw : SAMPLE;
  bool bPlain = nSample > 0 && ControlBytes(pRaw, nSample) == 0 &&
                ControlBytes(reinterpret_cast<const unsigned char*>(pBegin),
                             nSize < nSample ? nSize : nSample) > 0;
  ObserveFile(pszFile, pBegin, nSize, !bPlain);
  if (bPlain) {
    ReportFindingAtLine(RULE_DAT_PLAIN, pszFile, 0, 0,
                        std::string(pszFile) + " is plain text, not enciphered: the client reads "
                                               "nothing from it");
    g_strMuted = pszFile;
  }
}

void ObserveOpenFailure(const char* pszFile) {
  if (pszFile == nullptr || LoadObserver() == nullptr) return;
  std::error_code ec;
  if (!std::filesystem::exists(pszFile, ec) && !ec) {
    ReportFindingAtLine(RULE_TABLE_MISSING, pszFile, 0, 0, std::string(pszFile) + " is missing");
  } else {
    ReportFindingAtLine(RULE_TABLE_UNREADABLE, pszFile, 0, 0,
                        std::string(pszFile) + " cannot be read");
  }
}

void ReportObserved(LoadRule rule, const char* pAt, const std::string& strMessage) {
  std::string strFile = g_observed.strFile;
  ReportFinding(rule, strFile.c_str(), pAt, strMessage);
}

void ObserveWordCut(const char* pWord, size_t nLength, size_t nMax) {
  ReportObserved(RULE_WORD_CUT, pWord + nMax,
                 "a word of " + std::to_string(nLength) + " characters: the client reads it as words of at most " +
                     std::to_string(nMax));
}

const char* FindOutOfRange(const char* pText, const char* pEnd) {
  const char* p = pText;
  while (p < pEnd) {
    while (p < pEnd && (*p == ' ' || *p == '\t')) ++p;
    const char* pWord = p;
    if (p < pEnd && (*p == '-' || *p == '+')) ++p;
    const char* pDigits = p;
    while (p < pEnd && *p == '0') ++p;
    const char* pSignificant = p;
    while (p < pEnd && *p >= '0' && *p <= '9') ++p;
    bool bNumber = p > pDigits && (p == pEnd || *p == ' ' || *p == '\t');
    if (bNumber) {
      size_t nDigits = static_cast<size_t>(p - pSignificant);
      bool bNegative = *pWord == '-';
      std::string strDigits(pSignificant, p);
      bool bOver = nDigits > 10 || (nDigits == 10 && strDigits > (bNegative ? "2147483648" : "2147483647"));
      if (bOver) return pWord;
    }
    while (p < pEnd && *p != ' ' && *p != '\t') ++p;
  }
  return nullptr;
}

int ObservedLine(const char* pAt) {
  if (!Inside(pAt)) return 0;
  int nLine, nColumn;
  LineAndColumn(pAt, nLine, nColumn);
  return nLine;
}

void ReportFinding(LoadRule rule, const char* pszFile, const char* pAt, const std::string& strMessage,
                   bool bQuoteLog) {
  int nLine = 0, nColumn = 0;
  if (Inside(pAt)) LineAndColumn(pAt, nLine, nColumn);
  ReportFindingAtLine(rule, pszFile, nLine, nColumn, strMessage, bQuoteLog);
}

void ReportFindingAtLine(LoadRule rule, const char* pszFile, int nLine, int nColumn,
                         const std::string& strMessage, bool bQuoteLog) {
  ILoadObserver* pObserver = LoadObserver();
  if (pObserver == nullptr || (pszFile != nullptr && g_strMuted == pszFile)) return;
  LoadFinding finding;
  finding.strFile = pszFile != nullptr ? pszFile : "";
  finding.nLine = nLine;
  finding.nColumn = nColumn;
  finding.rule = rule;
  finding.severity = LoadRuleSeverity(rule);
  finding.strMessage = strMessage;
  if (bQuoteLog) finding.strLogRecord.swap(g_strLastRecord);
  g_strLastRecord.clear();
  finding.strHint = LoadRuleHint(rule);
  pObserver->Finding(finding);
}

void NoteLogRecord(const char* pszRecord, bool bWritten) {
  ILoadObserver* pObserver = LoadObserver();
  if (pObserver == nullptr) return;
  g_strLastRecord = pszRecord;
  pObserver->LogRecord(g_strLastRecord);
  if (!bWritten && !g_bLogUnwritableTold) {
    g_bLogUnwritableTold = true;
    std::string strRecord;
    strRecord.swap(g_strLastRecord);
    ReportFindingAtLine(RULE_LOG_UNWRITABLE, "debug", 0, 0,
                        "the debug log cannot be written in ./debug/");
    g_strLastRecord.swap(strRecord);
  }
}

void CDuplicateKeys::Note(int64_t nKey, const char* pAt, const char* pszWhat) {
  int nLine = ObservedLine(pAt);
  auto [it, bNew] = m_lines.emplace(nKey, nLine);
  if (bNew) return;
  std::string strMessage = std::string(pszWhat) + " also on line " + std::to_string(it->second) +
                           "; the client keeps " +
                           (m_bLastStands ? "this one" : "the one on line " + std::to_string(it->second));
  ReportFinding(m_rule, m_pszFile, pAt, strMessage);
  if (m_bLastStands) it->second = nLine;
}

bool IsWholeNumber(const char* pText, const char* pEnd, bool bDecimal) {
  const char* p = pText;
  while (p < pEnd && (*p == ' ' || *p == '\t')) ++p;
  if (p < pEnd && (*p == '+' || *p == '-')) ++p;
  const char* pDigits = p;
  while (p < pEnd && *p >= '0' && *p <= '9') ++p;
  bool bAny = p > pDigits;
  if (bDecimal && p < pEnd && *p == '.') {
    ++p;
    const char* pFraction = p;
    while (p < pEnd && *p >= '0' && *p <= '9') ++p;
    bAny |= p > pFraction;
  }
  if (bDecimal && bAny && p < pEnd && (*p == 'e' || *p == 'E')) {
    const char* pExponent = p + 1;
    if (pExponent < pEnd && (*pExponent == '+' || *pExponent == '-')) ++pExponent;
    if (pExponent < pEnd && *pExponent >= '0' && *pExponent <= '9') {
      p = pExponent;
      while (p < pEnd && *p >= '0' && *p <= '9') ++p;
    }
  }
  if (!bAny) return false;
  while (p < pEnd && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
  // A note after the number is no part of it.
  return p == pEnd || *p == ';' || (*p == '/' && p + 1 < pEnd && p[1] == '/');
}

}  // namespace ZorGameBase

#pragma once
// Reading the text of the table files, the one set of helpers every loader shares. The loaders
// read a whole file image once (CFileImage) and walk it in memory the way the runtime's text
// streams and formatted input would walk the file:
//
//   CFormattedRead   one fscanf/sscanf call, directive by directive, with its result
//   CWordStream      the words of fscanf(file, "%s\n", buffer) with a 1024-byte buffer
//   CLinePieces      the pieces of fgets(buffer, nCount, file)
//   ForEachLineRecord  those pieces, the common lines read where they stand in one pass
//   CBufferLines     the lines of ReadBufferLine over a deciphered image
//   TrimSettingLine  what TrimLineHead and TrimLineTail leave of a "Key=Value ; note" line
//   FindCharGbk      ZorStrChr over a line
//   CopyCut          a word into a fixed text field, cut to fit
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "Gbk.h"
#include "LoadObserver.h"
#include "TextScan.h"
#include "WordBytes.h"

// Whether the text holds a zero byte (an empty text, also one without data, holds none).
inline bool HasZero(std::string_view text) {
  return !text.empty() && memchr(text.data(), 0, text.size()) != nullptr;
}

// One formatted read of the scanf family over a file image, directive by directive, with the
// family's result: EOF when the input ends before the first conversion, else the number of
// conversions made. After a failed directive the rest of the read does nothing.
//
//   fscanf(pFile, "ASB=%d\n", &nAsb)  is  CFormattedRead(scan).Text("ASB=").Int32(nAsb).Space()
class CFormattedRead {
 public:
  explicit CFormattedRead(ZorGameBase::CTextScan& scan) : m_scan(scan) {}

  // Ordinary characters, each matched exactly; a mismatch leaves the cursor on the character
  // that did not match.
  CFormattedRead& Text(std::string_view text) {
    if (m_bStopped) return *this;
    if (text.size() == 1 && m_scan.Literal(text[0])) return *this;  // the usual case: "=", "."
    std::string_view rest = m_scan.Rest();
    if (rest.size() >= text.size() && memcmp(rest.data(), text.data(), text.size()) == 0) {
      m_scan.SetPosition(m_scan.Position() + text.size());  // the usual case: all of it there
      return *this;
    }
    size_t nSame = 0;
    while (nSame < text.size() && nSame < rest.size() && rest[nSame] == text[nSame]) ++nSame;
    m_scan.SetPosition(m_scan.Position() + nSame);
    if (nSame < text.size()) Stop(nSame == rest.size());
    return *this;
  }
  // A white-space directive ("\n" or " "): any amount of white space, none included.
  CFormattedRead& Space() {
    if (!m_bStopped) m_scan.SkipSpace();
    return *this;
  }
  CFormattedRead& Int32(int32_t& nValue) {
    return Convert([&] { return m_scan.Int32(nValue); });
  }
  CFormattedRead& UInt32(uint32_t& nValue) {
    return Convert([&] { return m_scan.UInt32(nValue); });
  }
  CFormattedRead& Int64(int64_t& nValue) {
    return Convert([&] { return m_scan.Int64(nValue); });
  }
  CFormattedRead& Float(float& fValue) {
    return Convert([&] { return m_scan.Float(fValue); });
  }
  // "%s": one blank-free word.
  CFormattedRead& Word(std::string_view& word) {
    return Convert([&] { return m_scan.Word(word); });
  }

  int Result() const { return m_bInputEnded && m_nConverted == 0 ? EOF : m_nConverted; }

 private:
  template <typename TConvert>
  CFormattedRead& Convert(TConvert fnConvert) {
    if (m_bStopped) return *this;
    m_scan.SkipSpace();
    if (m_scan.AtEnd()) {
      Stop(true);
    } else if (fnConvert()) {
      ++m_nConverted;
    } else {
      Stop(false);
    }
    return *this;
  }
  void Stop(bool bInputEnded) {
    m_bStopped = true;
    m_bInputEnded = bInputEnded;
  }

  ZorGameBase::CTextScan& m_scan;
  int m_nConverted = 0;
  bool m_bStopped = false;
  bool m_bInputEnded = false;
};

// The words of a file image: runs of characters without white space; line breaks mean
// nothing. A run longer than 1023 characters comes as several words of at most 1023. Each
// word reads as the C string in the buffer would: up to its first zero byte.
class CWordStream {
 public:
  // Over a file image, which a zero byte follows.
  explicit CWordStream(const ZorGameBase::CFileImage& image)
      : m_scan(image.View()),
        m_pBegin(image.Data()),
        m_bHasZero(HasZero(image.View())),
        m_bObserved(ZorGameBase::LoadObserver() != nullptr) {
    m_bInPlace = image.Size() != 0 && ZorGameBase::IsScanSpace(image.Data()[image.Size() - 1]) && !m_bHasZero &&
                 !m_bObserved;
  }

  bool Next(std::string_view& word) {
    std::string_view run;
    if (!m_scan.Word(run, MAX_WORD)) return false;
    if (m_bObserved) ObserveCut(run);
    word = m_bHasZero ? ZorGameBase::CutAtNul(run) : run;
    return true;
  }

  // The next word, first offered where it stands: fnRead(pWord, pLimit) reads the record at
  // pWord, of a word that ends at the first white space or at pLimit, and answers where the
  // word ends, or null when the word does not read. The image ends with white space, so a read
  // that stops at white space needs no bound. A word fnRead does not read comes to fnWord(word)
  // as Next gives it; so does every word of an image that holds a zero byte or does not end
  // with white space, or while a load observer listens. False at the end of the image.
  template <typename TRead, typename TWord>
  bool ReadNext(TRead&& fnRead, TWord&& fnWord) {
    if (m_bInPlace) {
      const char* p = m_scan.Position();
      p += *p == '\n';  // the usual space between two words: one line feed
      while (ZorGameBase::IsScanSpace(*p)) ++p;  // the zero byte after the image stops it
      if (p >= m_scan.End()) return false;
      const char* pLimit = static_cast<size_t>(m_scan.End() - p) > MAX_WORD ? p + MAX_WORD : m_scan.End();
      if (const char* pAfter = fnRead(p, pLimit)) {
        m_scan.SetPosition(pAfter);
        return true;
      }
      m_scan.SetPosition(p);
    }
    m_scan.SkipSpace();
    if (m_scan.AtEnd()) return false;
    std::string_view word;
    Next(word);
    fnWord(word);
    return true;
  }

  // For fnRead of ReadNext: "n.n...n=name" with N numbers at p, read as the formats "%u.%u=%s"
  // and the like read such a word: each number with an optional sign, modulo 2^32; the name is
  // the rest of the word, not empty. Answers the end of the word (its first white space, or
  // pLimit), or null when the word does not read so. The white space that ends the image stops
  // every number before the image's end.
  template <size_t N>
  static const char* NumbersAndName(const char* p, const char* pLimit, uint32_t (&anNumbers)[N],
                                    std::string_view& name) {
    if (!NumbersThen(p, anNumbers, std::make_index_sequence<N>())) return nullptr;
    if (p >= pLimit) return nullptr;  // a number ran past a word cut by the buffer
    const char* pEnd = ZorGameBase::CTextScan::FindSpace(p, pLimit);
    if (pEnd == p) return nullptr;
    name = std::string_view(p, static_cast<size_t>(pEnd - p));
    return pEnd;
  }

 private:
  static const size_t MAX_WORD = 1023;
  // The numbers of NumbersAndName, each with the character after it ('.', the last '='), p
  // moved behind them; one step per number, without a loop.
  template <size_t N, size_t... I>
  static bool NumbersThen(const char*& p, uint32_t (&anNumbers)[N], std::index_sequence<I...>) {
    return (NumberThen(p, I + 1 < N ? '.' : '=', anNumbers[I]) && ...);
  }
  static bool NumberThen(const char*& p, char chAfter, uint32_t& nNumber) {
    uint64_t nValue;
    if (!ZorGameBase::DecimalHere(p, ZorGameBase::IMAGE_END, nValue) || *p != chAfter) return false;
    nNumber = static_cast<uint32_t>(nValue);
    ++p;
    return true;
  }
  // A run cut into words is told once, at its first word, with the run's whole length; the
  // run is measured once, so that the reading stays linear however long it is.
  void ObserveCut(std::string_view word) {
    const char* pAfter = word.data() + word.size();
    bool bRunGoesOn = pAfter < m_scan.End() && !ZorGameBase::IsScanSpace(*pAfter);
    bool bRunStarts = word.data() == m_pBegin || ZorGameBase::IsScanSpace(word.data()[-1]);
    if (!bRunGoesOn || !bRunStarts) return;
    const char* pRunEnd = ZorGameBase::CTextScan::FindSpace(pAfter, m_scan.End());
    ZorGameBase::ObserveWordCut(word.data(), static_cast<size_t>(pRunEnd - word.data()),
                                MAX_WORD);
  }

  ZorGameBase::CTextScan m_scan;
  const char* m_pBegin;
  bool m_bHasZero;  // most images hold no zero byte: their words need no cut
  bool m_bObserved;  // a load observer is told of words cut by the buffer
  // Words are offered where they stand: the image ends with white space (which stops every
  // in-place read, as its closing zero byte stops the white space) and holds no zero byte,
  // and no observer listens.
  bool m_bInPlace;
};

// The pieces fgets(buffer, nCount, file) reads from a file image (CTextScan::LinePiece), the
// image looked at once for zero bytes so that the pieces need not be.
class CLinePieces {
 public:
  CLinePieces(std::string_view image, size_t nCount)
      : m_scan(image), m_nCount(nCount), m_bHasZero(HasZero(image)) {}
  bool Next(std::string_view& piece) { return m_scan.LinePiece(piece, m_nCount, m_bHasZero); }

 private:
  ZorGameBase::CTextScan m_scan;
  size_t m_nCount;
  bool m_bHasZero;
};

// The lines ReadBufferLine reads from a memory image into a buffer of nOutSize bytes: each line
// without its line feed (and a carriage return just before it), as the C string in the buffer
// reads. The reading ends at the end of the data, and at a line that does not fit the buffer.
class CBufferLines {
 public:
  CBufferLines(const char* pData, size_t nSize, size_t nOutSize)
      : m_pData(pData),
        m_nSize(pData != nullptr ? nSize : 0),
        m_nOutSize(nOutSize),
        m_bHasZero(pData != nullptr && HasZero(std::string_view(pData, nSize))) {}

  bool Next(std::string_view& line) {
    if (m_nPos >= m_nSize || m_nOutSize == 0) return false;
    const char* p = m_pData + m_nPos;
    size_t nLeft = m_nSize - m_nPos;
    const char* pLimit = p + std::min(nLeft, m_nOutSize);
    const char* pFeed = ZorGameBase::FindLineFeed(p, pLimit);
    size_t nLength;
    if (pFeed != pLimit) {
      nLength = static_cast<size_t>(pFeed - p);
      m_nPos += nLength + 1;
      if (nLength > 0 && p[nLength - 1] == '\r') --nLength;
    } else if (nLeft < m_nOutSize) {
      nLength = nLeft;  // the last line, without a line feed
      m_nPos = m_nSize;
    } else {
      m_nPos += m_nOutSize;  // the buffer filled before the line ended
      return false;
    }
    line = std::string_view(p, nLength);
    if (m_bHasZero) line = ZorGameBase::CutAtNul(line);
    return true;
  }
  // Next, for a line in its usual form, looked at once: one run of more than nLeast characters
  // without white space, which its line feed ends within the buffer (the line the same as Next
  // gives). False, the lines unmoved, for any other line and while the data holds a zero byte:
  // Next reads it.
  bool NextRun(size_t nLeast, std::string_view& line) {
    if (m_bHasZero || m_nPos >= m_nSize) return false;
    const char* p = m_pData + m_nPos;
    const char* pLimit = p + std::min(m_nSize - m_nPos, m_nOutSize);
    const char* pFeed = ZorGameBase::CTextScan::FindSpace(p, pLimit);
    if (static_cast<size_t>(pFeed - p) <= nLeast || pFeed == pLimit || *pFeed != '\n') return false;
    line = std::string_view(p, static_cast<size_t>(pFeed - p));
    m_nPos += line.size() + 1;
    return true;
  }

 private:
  const char* m_pData;
  size_t m_nSize;
  size_t m_nOutSize;
  size_t m_nPos = 0;
  bool m_bHasZero;
};

// The first byte from p on that is ';', '/' or above 0x7F (which may lead a GBK character),
// or pEnd. Eight bytes a step while they fit.
inline const char* FindCommentOrWide(const char* p, const char* pEnd) {
  namespace zb = ZorGameBase;
  return zb::FindByte(
      p, pEnd,
      [](uint64_t nWord) { return zb::BytesEqual(nWord, ';') | zb::BytesEqual(nWord, '/') | (nWord & zb::WORD_HIGHS); },
      [](char ch) { return ch == ';' || ch == '/' || static_cast<unsigned char>(ch) >= 0x80; });
}

// What TrimLineHead and then TrimLineTail leave of a line (without zero bytes): the white space
// at both ends goes, and a ";" or "//" that starts a character cuts the line there (a line that
// starts with one is empty). GBK double-byte characters are stepped over whole; none of them
// counts as white space.
inline std::string_view TrimSettingLine(std::string_view line) {
  const char* p = line.data();
  const char* pEnd = p + line.size();
  while (p < pEnd && ZorGameBase::IsScanSpace(*p)) ++p;
  const char* pCut = p;
  const char* pWideEnd = p;  // just after the last double-byte character before the cut
  for (;;) {
    pCut = FindCommentOrWide(pCut, pEnd);
    if (pCut == pEnd || *pCut == ';') break;
    if (*pCut == '/') {
      if (pCut + 1 < pEnd && pCut[1] == '/') break;
      ++pCut;
      continue;
    }
    size_t nSize = ZorGameBase::GbkCharSize(pCut, pEnd);
    pCut += nSize;
    if (nSize == 2) pWideEnd = pCut;  // its second byte may look like a blank; it is not one
  }
  const char* pKeep = pCut;
  while (pKeep > pWideEnd && ZorGameBase::IsScanSpace(pKeep[-1])) --pKeep;
  return std::string_view(p, static_cast<size_t>(pKeep - p));
}

// The first character ch of a text without zero bytes, GBK double-byte characters stepped over
// whole (as ZorStrChr searches); null when there is none.
inline const char* FindCharGbk(std::string_view text, char ch) {
  namespace zb = ZorGameBase;
  const char* pEnd = text.data() + text.size();
  const char* p = text.data();
  while (p < pEnd) {
    // Runs of single-byte characters other than ch go eight bytes a step.
    p = zb::FindByte(
        p, pEnd, [ch](uint64_t nWord) { return zb::BytesEqual(nWord, ch) | (nWord & zb::WORD_HIGHS); },
        [ch](char c) { return c == ch || static_cast<unsigned char>(c) >= 0x80; });
    if (p >= pEnd) break;
    if (*p == ch) return p;
    p += ZorGameBase::GbkCharSize(p, pEnd);
  }
  return nullptr;
}

// The text with its leading white space removed (TrimLineHead of a text that starts no
// comment).
inline std::string_view SkipLeadingSpace(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && ZorGameBase::IsScanSpace(text[i])) ++i;
  return text.substr(i);
}

// What the loaders size their tables by before filling them: the records a file of nBytes
// holds when its records take nRecordBytes each, about the least they take in the table
// files. A table of more grows as ever; room never written takes no memory.
inline size_t RecordsHint(size_t nBytes, size_t nRecordBytes) { return nBytes / nRecordBytes + 1; }
const size_t LINE_HINT_BYTES = 16;     // a line of a line or word table
const size_t SECTION_HINT_BYTES = 48;  // a section of a sectioned table

// "%s" at the end of a word (a text without white space): the rest of it, false when none is
// left. The same as CTextScan::Word there, without looking at the characters again.
inline bool RestOfWord(const ZorGameBase::CTextScan& scan, std::string_view& rest) {
  if (scan.AtEnd()) return false;
  rest = scan.Rest();
  return true;
}

// Copies a word into a zero-terminated field, cut to fit (longer values are outside the
// tables' formats).
template <size_t N>
void CopyCut(char (&szField)[N], std::string_view text) {
  size_t nLength = text.size() < N - 1 ? text.size() : N - 1;
  if (nLength > 0) memcpy(szField, text.data(), nLength);  // an unread word has no data
  memset(szField + nLength, 0, N - nLength);
}

// "%f" of a short decimal (ShortDecimalFloat) that stands at p after an optional sign; p is
// moved behind it. False for any other form, which CTextScan::Float reads.
template <typename TEnd>
bool ShortFloatHere(const char*& p, TEnd end, float& fValue) {
  if (!ZorGameBase::Before(p, end) || (*p != '-' && *p != '+')) {
    return ZorGameBase::ShortDecimalFloat(p, end, fValue, p);  // the usual case: no sign
  }
  bool bNegative = *p == '-';
  float fParsed;
  if (!ZorGameBase::ShortDecimalFloat(p + 1, end, fParsed, p)) return false;
  fValue = bNegative ? -fParsed : fParsed;
  return true;
}

// Blanks and tabs from p on, in a file image (which ends in another byte).
inline const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

// Calls fnLine with every piece that fgets with a buffer of nBufferSize bytes returns from the
// file opened in text mode, each as the C string it becomes, as ForEachLinePiece does; but a
// line is first offered to fnRead(p, pEnd) where it starts in the image (pEnd: the image's
// end), which reads its record where it stands if it can (the common form of the line: no white
// space but blanks and tabs within the record) and answers where the record ends, or null. The
// image ends in a zero byte (IMAGE_END) that no record passes. A record read so, of a line
// that ends with a line feed and fits one piece, is what the piece would give: fnTake() takes
// it, and fnLine does not see the line. One pass over the common lines. fnLine answers whether
// the reading goes on. False when the file cannot be read.
template <typename TRead, typename TTake, typename TLine>
bool ForEachLineRecord(const char* pszPath, size_t nBufferSize, TRead fnRead, TTake fnTake, TLine fnLine) {
  ZorGameBase::CFileImage image;
  if (!image.Read(pszPath, true)) return false;
  std::string_view text = image.View();
  bool bHasZero = HasZero(text);  // pieces cut at a zero byte: none read in place
  const char* pEnd = text.data() + text.size();
  ZorGameBase::CTextScan scan(text);
  std::string_view piece;
  while (!scan.AtEnd()) {
    const char* p = scan.Position();
    const char* pAfter = bHasZero ? nullptr : fnRead(p, pEnd);
    if (pAfter != nullptr) {
      const char* pFeed = *pAfter == '\n' ? pAfter : ZorGameBase::FindLineFeed(pAfter, pEnd);
      if (pFeed < pEnd && static_cast<size_t>(pFeed - p) < nBufferSize - 1) {
        fnTake();
        scan.SetPosition(pFeed + 1);
        continue;
      }
    }
    scan.LinePiece(piece, nBufferSize, bHasZero);
    if (!fnLine(piece)) break;
  }
  return true;
}

// Calls fnLine with every piece that fgets with a buffer of nBufferSize bytes returns from the
// file opened in text mode, each as the C string it becomes. False when the file cannot be
// read.
template <typename TLine>
bool ForEachLinePiece(const char* pszPath, size_t nBufferSize, TLine fnLine) {
  ZorGameBase::CFileImage image;
  if (!image.Read(pszPath, true)) return false;
  CLinePieces pieces(image.View(), nBufferSize);
  std::string_view piece;
  while (pieces.Next(piece)) fnLine(piece);
  return true;
}

// The string helpers: a bounded copy and the GBK-aware character searches.
#include "ZorCommon.h"

#include <cstring>

#include "DebugLog.h"
#include "Gbk.h"

namespace ZorGameBase {
namespace {

const unsigned MAX_COPY = 0x100000;

// The character at p matches ch: a single-byte character equal to ch (ch <= 0xFF) or a
// double-byte character whose code equals ch.
bool CharMatches(const char* p, size_t nSize, unsigned ch) {
  if (nSize == 1) return static_cast<unsigned char>(*p) == ch;
  return GbkCharCode(p) == ch;
}

}  // namespace

bool ZorStrCopy(char* dst, const char* src, unsigned nLen) {
  if (dst == nullptr || src == nullptr || nLen == 0) {
    ASSERT(false);
    return false;
  }
  if (nLen > MAX_COPY) {
    ASSERT(false);
    return false;
  }
  size_t i = 0;
  for (; i < nLen && src[i] != '\0'; ++i) dst[i] = src[i];
  for (; i < nLen; ++i) dst[i] = '\0';
  dst[nLen - 1] = '\0';
  return true;
}

const char* ZorStrChr(const char* text, unsigned ch) {
  if (text == nullptr) {
    ASSERT(false);
    return nullptr;
  }
  for (const char* p = text;;) {
    size_t nSize = GbkCharSize(p);
    if (CharMatches(p, nSize, ch)) return p;
    if (*p == '\0') return nullptr;
    p += nSize;
  }
}

char* ZorStrChr(char* text, unsigned ch) {
  return const_cast<char*>(ZorStrChr(const_cast<const char*>(text), ch));
}

const char* ZorStrrChr(const char* text, unsigned ch) {
  if (text == nullptr) {
    ASSERT(false);
    return nullptr;
  }
  const char* pLast = nullptr;
  for (const char* p = text;;) {
    size_t nSize = GbkCharSize(p);
    if (CharMatches(p, nSize, ch)) pLast = p;
    if (*p == '\0') return pLast;
    p += nSize;
  }
}

char* ZorStrrChr(char* text, unsigned ch) {
  return const_cast<char*>(ZorStrrChr(const_cast<const char*>(text), ch));
}

}  // namespace ZorGameBase

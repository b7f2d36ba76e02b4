#pragma once
// Whether a table file's bytes are enciphered (the .dat form the module deciphers) or already
// plain text. The .dat form carries no header or mark, so the bytes tell: table text is
// printable GBK or ASCII in lines, and the cipher turns it into bytes that are not.

#include <string_view>

enum class DatContent {
  Enciphered,  // deciphered with the tables' seed, the bytes read as text; as they are, not
  Plain,       // the bytes read as text; deciphered, they do not
  Unclear,     // both or neither (very short files, binary data)
};

// Told from the first 64 KiB of the file's bytes; fewer bytes may be given.
DatContent TellDatContent(std::string_view fileBytes);

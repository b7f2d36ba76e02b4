#pragma once
// The readers behind the world map loaders, over a file's text in memory: the loaders open the
// files, these turn their text into records and log what they cannot use. The fuzz targets
// drive them directly.
#include "WorldTables.h"

// Appends the records of a region.ini image [pBegin, pEnd) to the list, in file order. A short
// record is logged with the file name as "invalid line found in %s, line %d, data %d." and
// dropped; text in a numeric column is skipped word by word. Ends at the end of the image on
// every input.
void ReadRegionRecords(const char* pBegin, const char* pEnd, const char* pszFile,
                       RegionList& list);

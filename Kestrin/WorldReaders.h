#pragma once
// The readers behind the world map loaders: the loaders open the files, these turn their text
// into records and log what they cannot use. The fuzz targets drive them directly.
#include <cstdint>

#include "WorldTables.h"

namespace ZorGameBase {
class CZorIni;
}

// Walks the sections of an opened GameMap.dat into the catalogue (the last section of an id
// wins). A section missing a required key is logged and skipped. False when the walk stops
// early: no further section header, an over-long or an empty title.
bool ReadGameMapSections(ZorGameBase::CZorIni& ini, GameMapTable& table);
// The same, also adding each map stored, under its id, to the index.
bool ReadGameMapSections(ZorGameBase::CZorIni& ini, GameMapTable& table, GameMapIndex& index);

// Appends the records of a region.ini image [pBegin, pEnd) to the list, in file order. A short
// record is logged with the file name as "invalid line found in %s, line %d, data %d." and
// dropped; text in a numeric column is skipped word by word. Ends at the end of the image on
// every input.
void ReadRegionRecords(const char* pBegin, const char* pEnd, const char* pszFile, RegionList& list);

// Appends the terrain NPCs of the plain text of TerrainNpc.dat (nSize bytes) to the list. The
// first bad record is logged as "error data: <section> of <file>" and ends the reading.
void ReadTerrainNpcRecords(const char* pData, unsigned nSize, const char* pszFile,
                           TerrainNpcList& list);

#pragma once
// One battle map drawn on its cell grid as an inline SVG figure for the report: the fighter
// groups' positions (colour by side, the first key; shape by group), each moved by the fighter
// position offset whose key is its group number, where the table has one; the start positions;
// the torch rectangles; the centre cell and the up and down array cells; the view positions and
// the view start position; and a legend.
//
// Cells are the values that follow the key pair of FighterPos and StartPos lines (x, y), the
// four Torch values (x1 y1 x2 y2) and the cell fields of the map. World coordinates (view
// positions, offsets) are placed WORLD_PER_CELL units to a cell, from CenterWorld at CenterCell.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "I3DRoleBaseData.h"

const int WORLD_PER_CELL = 64;

struct BattleScene {
  std::vector<BattleViewPos> viewPos;  // the view position list, in file order
  BattleViewPos viewStart{};
  std::function<const FighterPosOffset*(uint32_t)> fnOffset;  // null when the key has none
};

// <figure class="battle-map" id="battle-map-N"> with the SVG and a caption of the map's values.
std::string BattleMapFigure(uint32_t nMapId, const BattleMapInfo& map, const BattleScene& scene);

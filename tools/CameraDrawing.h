#pragma once
// The battle, battle move and capture cameras in plan view for the report: world x to the
// right and y upwards, each camera a line from its eye (a ring) to its target (a cross), with
// the eye's height and rotation beside it, and a table of the nine values of each.
#include <string>
#include <utility>
#include <vector>

#include "I3DRoleBaseData.h"

// Named cameras; a null camera is listed as not loaded and not drawn.
std::string CameraPlanFigure(const std::vector<std::pair<std::string, const BattleCamera*>>& cameras);

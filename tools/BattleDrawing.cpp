#include "BattleDrawing.h"

#include <algorithm>
#include <cmath>

#include "HtmlText.h"

namespace {

const char* const SIDE_COLOURS[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#8c564b", "#e377c2"};
const char* const GROUP_SHAPES[] = {"circle", "square", "diamond", "triangle"};
const double DRAWING_PX = 560;   // the longer side of the grid
const double LEGEND_PX = 230;
const size_t MAX_GRID_LINES = 120;

const char* SideColour(int32_t nSide) {
  return SIDE_COLOURS[static_cast<uint32_t>(nSide) % std::size(SIDE_COLOURS)];
}

bool IsSet(const BattlePos& pos) { return pos.x != -1 || pos.y != -1; }

// Cell coordinates (doubles: world positions fall between cells) to pixels.
class CGrid {
 public:
  void Include(double dX, double dY) {
    m_dMinX = std::min(m_dMinX, dX);
    m_dMinY = std::min(m_dMinY, dY);
    m_dMaxX = std::max(m_dMaxX, dX);
    m_dMaxY = std::max(m_dMaxY, dY);
  }
  // Fixes the scale: two cells of margin, the longer side DRAWING_PX.
  void Frame() {
    if (m_dMinX > m_dMaxX) m_dMinX = m_dMaxX = m_dMinY = m_dMaxY = 0;
    m_dMinX = std::floor(m_dMinX) - 2;
    m_dMinY = std::floor(m_dMinY) - 2;
    m_dMaxX = std::ceil(m_dMaxX) + 3;
    m_dMaxY = std::ceil(m_dMaxY) + 3;
    m_dScale = std::min(24.0, DRAWING_PX / std::max(m_dMaxX - m_dMinX, m_dMaxY - m_dMinY));
  }
  double X(double dCell) const { return (dCell - m_dMinX + 0.5) * m_dScale; }
  double Y(double dCell) const { return (dCell - m_dMinY + 0.5) * m_dScale; }
  double Width() const { return (m_dMaxX - m_dMinX) * m_dScale; }
  double Height() const { return (m_dMaxY - m_dMinY) * m_dScale; }
  double Scale() const { return m_dScale; }

  std::string Lines() const {
    double dCells = std::max(m_dMaxX - m_dMinX, m_dMaxY - m_dMinY);
    double dStep = std::max(1.0, std::ceil(dCells / MAX_GRID_LINES));
    std::string strSvg = "<g class=\"grid\">";
    for (double dX = m_dMinX; dX <= m_dMaxX; dX += dStep) {
      double dPx = (dX - m_dMinX) * m_dScale;
      strSvg += "<line x1=\"" + SvgNumber(dPx) + "\" y1=\"0\" x2=\"" + SvgNumber(dPx) + "\" y2=\"" +
                SvgNumber(Height()) + "\"/>";
    }
    for (double dY = m_dMinY; dY <= m_dMaxY; dY += dStep) {
      double dPx = (dY - m_dMinY) * m_dScale;
      strSvg += "<line x1=\"0\" y1=\"" + SvgNumber(dPx) + "\" x2=\"" + SvgNumber(Width()) +
                "\" y2=\"" + SvgNumber(dPx) + "\"/>";
    }
    return strSvg + "</g>";
  }

 private:
  double m_dMinX = 1e300, m_dMinY = 1e300, m_dMaxX = -1e300, m_dMaxY = -1e300;
  double m_dScale = 1;
};

std::string Shape(const char* pszShape, double dX, double dY, double dR, const std::string& strStyle,
                  const std::string& strTitle) {
  std::string strX = SvgNumber(dX), strY = SvgNumber(dY);
  std::string strSvg;
  if (pszShape == std::string("circle")) {
    strSvg = "<circle cx=\"" + strX + "\" cy=\"" + strY + "\" r=\"" + SvgNumber(dR) + "\"";
  } else if (pszShape == std::string("square")) {
    strSvg = "<rect x=\"" + SvgNumber(dX - dR) + "\" y=\"" + SvgNumber(dY - dR) + "\" width=\"" +
             SvgNumber(2 * dR) + "\" height=\"" + SvgNumber(2 * dR) + "\"";
  } else {
    bool bDiamond = pszShape == std::string("diamond");
    bool bDown = pszShape == std::string("down");
    std::string strPoints =
        bDiamond ? SvgNumber(dX) + "," + SvgNumber(dY - dR) + " " + SvgNumber(dX + dR) + "," +
                       strY + " " + SvgNumber(dX) + "," + SvgNumber(dY + dR) + " " +
                       SvgNumber(dX - dR) + "," + strY
                 : SvgNumber(dX) + "," + SvgNumber(bDown ? dY + dR : dY - dR) + " " +
                       SvgNumber(dX + dR) + "," + SvgNumber(bDown ? dY - dR : dY + dR) + " " +
                       SvgNumber(dX - dR) + "," + SvgNumber(bDown ? dY - dR : dY + dR);
    strSvg = "<polygon points=\"" + strPoints + "\"";
  }
  return strSvg + " " + strStyle + "><title>" + HtmlEscape(strTitle) + "</title></" +
         (pszShape == std::string("circle") ? "circle"
          : pszShape == std::string("square") ? "rect"
                                              : "polygon") +
         ">";
}

std::string Label(double dX, double dY, const std::string& strText) {
  return "<text x=\"" + SvgNumber(dX) + "\" y=\"" + SvgNumber(dY) + "\">" + HtmlEscape(strText) +
         "</text>";
}

std::string Ints(const int32_t* pnValue, size_t nCount) {
  std::string strText;
  for (size_t n = 0; n < nCount; ++n) strText += (n ? " " : "") + std::to_string(pnValue[n]);
  return strText;
}

// World coordinates as cells, from CenterWorld at CenterCell.
double WorldToCellX(const BattleMapInfo& map, double dX) {
  return map.CenterCell.x + (dX - map.CenterWorld.x) / WORLD_PER_CELL;
}
double WorldToCellY(const BattleMapInfo& map, double dY) {
  return map.CenterCell.y + (dY - map.CenterWorld.y) / WORLD_PER_CELL;
}

bool HasTorch(const FighterGroup& group) {
  return std::any_of(std::begin(group.nTorch), std::end(group.nTorch),
                     [](int32_t n) { return n != 0; });
}

}  // namespace

std::string BattleMapFigure(uint32_t nMapId, const BattleMapInfo& map, const BattleScene& scene) {
  CGrid grid;
  for (const FighterGroup& group : map.vecFighterGroup) {
    for (const FighterPos& pos : group.vecFighterPos) grid.Include(pos.nValue[0], pos.nValue[1]);
    if (HasTorch(group)) {
      grid.Include(group.nTorch[0], group.nTorch[1]);
      grid.Include(group.nTorch[2], group.nTorch[3]);
    }
  }
  for (const BattleStartPos& pos : map.vecStartPos) grid.Include(pos.nValue[0], pos.nValue[1]);
  for (const BattlePos* pPos : {&map.CenterCell, &map.UpArrayCellpos, &map.DownArrayCellpos}) {
    if (IsSet(*pPos)) grid.Include(pPos->x, pPos->y);
  }
  bool bWorld = IsSet(map.CenterCell);  // world positions are placed from the centre cell
  std::vector<const BattleViewPos*> views;
  if (bWorld) {
    for (const BattleViewPos& view : scene.viewPos) views.push_back(&view);
    views.push_back(&scene.viewStart);
  }
  grid.Frame();
  // The view positions belong to no map: those outside this map's frame are only counted.
  size_t nOutside = 0;
  views.erase(std::remove_if(views.begin(), views.end(),
                             [&](const BattleViewPos* pView) {
                               double dX = grid.X(WorldToCellX(map, pView->nValue[0]));
                               double dY = grid.Y(WorldToCellY(map, pView->nValue[1]));
                               bool bOut = dX < 0 || dY < 0 || dX > grid.Width() ||
                                           dY > grid.Height();
                               nOutside += bOut ? 1 : 0;
                               return bOut;
                             }),
              views.end());
  double dR = std::max(3.0, grid.Scale() * 0.4);

  std::string strSvg;
  // Torches under everything else.
  for (const FighterGroup& group : map.vecFighterGroup) {
    if (!HasTorch(group)) continue;
    double dX1 = grid.X(std::min(group.nTorch[0], group.nTorch[2]) - 0.5);
    double dY1 = grid.Y(std::min(group.nTorch[1], group.nTorch[3]) - 0.5);
    double dX2 = grid.X(std::max(group.nTorch[0], group.nTorch[2]) + 0.5);
    double dY2 = grid.Y(std::max(group.nTorch[1], group.nTorch[3]) + 0.5);
    strSvg += "<rect class=\"torch\" x=\"" + SvgNumber(dX1) + "\" y=\"" + SvgNumber(dY1) +
              "\" width=\"" + SvgNumber(dX2 - dX1) + "\" height=\"" + SvgNumber(dY2 - dY1) +
              "\"><title>Torch" + std::to_string(group.nNumber) + " " + Ints(group.nTorch, 4) +
              "</title></rect>" + Label(dX1 + 2, dY1 - 2, "torch " + std::to_string(group.nNumber));
  }
  for (const BattleStartPos& pos : map.vecStartPos) {
    strSvg += Shape("square", grid.X(pos.nValue[0]), grid.Y(pos.nValue[1]), dR + 2,
                    std::string("class=\"start\" stroke=\"") + SideColour(pos.nKey1) + "\"",
                    "StartPos " + std::to_string(pos.nKey1) + " " + std::to_string(pos.nKey2) +
                        ": " + Ints(pos.nValue, 3));
  }
  for (size_t nGroup = 0; nGroup < map.vecFighterGroup.size(); ++nGroup) {
    const FighterGroup& group = map.vecFighterGroup[nGroup];
    const char* pszShape = GROUP_SHAPES[nGroup % std::size(GROUP_SHAPES)];
    const FighterPosOffset* pOffset =
        scene.fnOffset ? scene.fnOffset(static_cast<uint32_t>(group.nNumber)) : nullptr;
    for (const FighterPos& pos : group.vecFighterPos) {
      double dX = grid.X(pos.nValue[0]), dY = grid.Y(pos.nValue[1]);
      std::string strTitle = "FighterPos" + std::to_string(group.nNumber) + " " +
                             std::to_string(pos.nKey1) + " " + std::to_string(pos.nKey2) + ": " +
                             Ints(pos.nValue, 6);
      if (pOffset != nullptr) {
        double dToX = dX + grid.Scale() * pOffset->x / WORLD_PER_CELL;
        double dToY = dY + grid.Scale() * pOffset->y / WORLD_PER_CELL;
        strSvg += "<line class=\"offset\" x1=\"" + SvgNumber(dX) + "\" y1=\"" + SvgNumber(dY) +
                  "\" x2=\"" + SvgNumber(dToX) + "\" y2=\"" + SvgNumber(dToY) + "\"/>";
        strTitle += " offset " + std::to_string(pOffset->x) + " " + std::to_string(pOffset->y);
        dX = dToX;
        dY = dToY;
      }
      strSvg += Shape(pszShape, dX, dY, dR,
                      std::string("class=\"fighter\" fill=\"") + SideColour(pos.nKey1) + "\"",
                      strTitle);
    }
  }
  const struct {
    const BattlePos& pos;
    const char* pszShape;
    const char* pszName;
  } cells[] = {{map.UpArrayCellpos, "triangle", "UpArrayCellpos"},
               {map.DownArrayCellpos, "down", "DownArrayCellpos"},
               {map.CenterCell, "diamond", "CenterCell"}};
  for (const auto& cell : cells) {
    if (!IsSet(cell.pos)) continue;
    strSvg += Shape(cell.pszShape, grid.X(cell.pos.x), grid.Y(cell.pos.y), dR + 3,
                    "class=\"cell\"",
                    std::string(cell.pszName) + " " + std::to_string(cell.pos.x) + " " +
                        std::to_string(cell.pos.y));
  }
  for (const BattleViewPos* pView : views) {
    bool bStart = pView == &scene.viewStart;
    double dX = grid.X(WorldToCellX(map, pView->nValue[0]));
    double dY = grid.Y(WorldToCellY(map, pView->nValue[1]));
    std::string strName = bStart ? "ViewStartPos" : "ViewPos " + std::to_string(pView->nKey1) +
                                                        " " + std::to_string(pView->nKey2);
    strSvg += Shape("circle", dX, dY, dR + 1, bStart ? "class=\"view start-view\"" : "class=\"view\"",
                    strName + ": " + Ints(pView->nValue, 4)) +
              Label(dX + dR + 2, dY - dR, bStart ? "VS" : "V" + std::to_string(pView->nKey2));
  }

  // The legend beside the grid: one row per group, then the marks.
  double dLegendX = grid.Width() + 16;
  std::string strLegend;
  double dRow = 18;
  for (size_t nGroup = 0; nGroup < map.vecFighterGroup.size(); ++nGroup) {
    const FighterGroup& group = map.vecFighterGroup[nGroup];
    const FighterPosOffset* pOffset =
        scene.fnOffset ? scene.fnOffset(static_cast<uint32_t>(group.nNumber)) : nullptr;
    int32_t nSide = group.vecFighterPos.empty() ? 0 : group.vecFighterPos[0].nKey1;
    strLegend += Shape(GROUP_SHAPES[nGroup % std::size(GROUP_SHAPES)], dLegendX + 6, dRow - 4, 5,
                       std::string("fill=\"") + SideColour(nSide) + "\"", "group") +
                 Label(dLegendX + 18, dRow,
                       "group " + std::to_string(group.nNumber) + ", side " +
                           std::to_string(nSide) + (pOffset ? ", offset applied" : ""));
    dRow += 18;
  }
  const char* const MARKS[][2] = {{"square", "start position (outline)"},
                                  {"diamond", "centre cell"},
                                  {"triangle", "up array cell"},
                                  {"down", "down array cell"},
                                  {"circle", "view position V, start VS"}};
  for (const auto& mark : MARKS) {
    strLegend += Shape(mark[0], dLegendX + 6, dRow - 4, 5, "class=\"legend-mark\"", mark[1]) +
                 Label(dLegendX + 18, dRow, mark[1]);
    dRow += 18;
  }
  strLegend += "<rect class=\"torch\" x=\"" + SvgNumber(dLegendX + 1) + "\" y=\"" +
               SvgNumber(dRow - 10) + "\" width=\"10\" height=\"10\"/>" +
               Label(dLegendX + 18, dRow, "torch rectangle");
  dRow += 18;

  double dWidth = grid.Width() + 16 + LEGEND_PX;
  double dHeight = std::max(grid.Height(), dRow);
  std::string strMap = std::to_string(nMapId);
  std::string strFigure =
      "<figure class=\"battle-map\" id=\"battle-map-" + strMap + "\">\n<svg width=\"" +
      SvgNumber(dWidth) + "\" height=\"" + SvgNumber(dHeight) + "\" viewBox=\"0 0 " +
      SvgNumber(dWidth) + " " + SvgNumber(dHeight) + "\"><rect class=\"ground\" width=\"" +
      SvgNumber(grid.Width()) + "\" height=\"" + SvgNumber(grid.Height()) + "\"/>" + grid.Lines() +
      strSvg + strLegend + "</svg>\n";
  auto pair = [](const BattlePos& pos) {
    return IsSet(pos) ? "(" + std::to_string(pos.x) + ", " + std::to_string(pos.y) + ")"
                      : std::string("not set");
  };
  strFigure += "<figcaption>Battle map " + strMap + ": CenterWorld " + pair(map.CenterWorld) +
               ", CenterCell " + pair(map.CenterCell) + ", up " + pair(map.UpArrayCellpos) +
               ", down " + pair(map.DownArrayCellpos) + "; scale " + std::to_string(map.MinScale) +
               "/" + std::to_string(map.DefScale) + "/" + std::to_string(map.StartScale) + "/" +
               std::to_string(map.MaxScale) + " (min/def/start/max), angles " +
               std::to_string(map.DefAngle) + "/" + std::to_string(map.StartAngle) +
               " (def/start), RotaryAngle " + std::to_string(map.RotaryAngle) + ", CameraTime " +
               std::to_string(map.CameraTime) + ", TerraHigh " + std::to_string(map.TerraHigh) +
               (bWorld ? "" : "; no CenterCell, so no view positions") +
               (nOutside > 0 ? "; " + std::to_string(nOutside) + " view position(s) off this map"
                             : "") +
               "</figcaption>\n</figure>\n";
  return strFigure;
}

#include "CameraDrawing.h"

#include <algorithm>
#include <cmath>

#include "HtmlText.h"

namespace {

const char* const CAMERA_COLOURS[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd"};
const double PLAN_PX = 360;
const double LABELS_PX = 330;  // the eye height and rotation of each camera, right of the plan

std::string Triple(const float (&afValue)[3]) {
  return "(" + SvgNumber(afValue[0]) + ", " + SvgNumber(afValue[1]) + ", " + SvgNumber(afValue[2]) +
         ")";
}

bool Finite(const BattleCamera& camera) {
  for (float fValue : {camera.fEye[0], camera.fEye[1], camera.fTarget[0], camera.fTarget[1]}) {
    if (!std::isfinite(fValue) || std::fabs(fValue) > 1e9f) return false;
  }
  return true;
}

}  // namespace

std::string CameraPlanFigure(
    const std::vector<std::pair<std::string, const BattleCamera*>>& cameras) {
  double dMinX = -1, dMaxX = 1, dMinY = -1, dMaxY = 1;
  for (const auto& [strName, pCamera] : cameras) {
    if (pCamera == nullptr || !Finite(*pCamera)) continue;
    for (const float* pfPoint : {pCamera->fEye, pCamera->fTarget}) {
      dMinX = std::min(dMinX, double(pfPoint[0]));
      dMaxX = std::max(dMaxX, double(pfPoint[0]));
      dMinY = std::min(dMinY, double(pfPoint[1]));
      dMaxY = std::max(dMaxY, double(pfPoint[1]));
    }
  }
  // A square plan around the points, with a margin.
  double dHalf = std::max(dMaxX - dMinX, dMaxY - dMinY) * 0.65;
  double dMidX = (dMinX + dMaxX) / 2, dMidY = (dMinY + dMaxY) / 2;
  dMinX = dMidX - dHalf;
  dMaxX = dMidX + dHalf;
  dMinY = dMidY - dHalf;
  dMaxY = dMidY + dHalf;
  double dScale = PLAN_PX / (2 * dHalf);
  auto X = [&](double dX) { return SvgNumber((dX - dMinX) * dScale); };
  auto Y = [&](double dY) { return SvgNumber((dMaxY - dY) * dScale); };
  double dWidth = PLAN_PX + LABELS_PX, dHeight = PLAN_PX;

  std::string strSvg = "<svg width=\"" + SvgNumber(dWidth) +
                       "\" height=\"" + SvgNumber(dHeight) + "\"><rect class=\"ground\" width=\"" +
                       SvgNumber(PLAN_PX) + "\" height=\"" + SvgNumber(dHeight) + "\"/>" +
                       "<line class=\"axis\" x1=\"" + X(dMinX) + "\" y1=\"" + Y(0) + "\" x2=\"" +
                       X(dMaxX) + "\" y2=\"" + Y(0) + "\"/><line class=\"axis\" x1=\"" + X(0) +
                       "\" y1=\"" + Y(dMinY) + "\" x2=\"" + X(0) + "\" y2=\"" + Y(dMaxY) + "\"/>";
  std::string strRows;
  for (size_t n = 0; n < cameras.size(); ++n) {
    const auto& [strName, pCamera] = cameras[n];
    const char* pszColour = CAMERA_COLOURS[n % std::size(CAMERA_COLOURS)];
    std::string strCells = "<td>not loaded</td><td></td><td></td>";
    if (pCamera != nullptr) {
      strCells = "<td>" + Triple(pCamera->fEye) + "</td><td>" + Triple(pCamera->fTarget) +
                 "</td><td>" + Triple(pCamera->fRotation) + "</td>";
    }
    strRows += "<tr><td><span class=\"swatch\" style=\"background:" + std::string(pszColour) +
               "\"></span>" + HtmlEscape(strName) + "</td>" + strCells + "</tr>\n";
    if (pCamera == nullptr || !Finite(*pCamera)) continue;
    const BattleCamera& camera = *pCamera;
    std::string strEyeX = X(camera.fEye[0]), strEyeY = Y(camera.fEye[1]);
    std::string strToX = X(camera.fTarget[0]), strToY = Y(camera.fTarget[1]);
    strSvg += "<g class=\"camera\" stroke=\"" + std::string(pszColour) + "\"><title>" +
              HtmlEscape(strName) + "</title><line x1=\"" + strEyeX + "\" y1=\"" + strEyeY +
              "\" x2=\"" + strToX + "\" y2=\"" + strToY + "\"/><circle cx=\"" + strEyeX +
              "\" cy=\"" + strEyeY + "\" r=\"6\"/><path d=\"M" + strToX + " " + strToY +
              " m-5 -5 l10 10 m0 -10 l-10 10\"/></g><text x=\"" + SvgNumber(PLAN_PX + 12) +
              "\" y=\"" + SvgNumber(20 + 18.0 * n) + "\" fill=\"" + pszColour + "\">" +
              HtmlEscape(strName) + ": eye height " + SvgNumber(camera.fEye[2]) + ", rotation " +
              Triple(camera.fRotation) + "</text>";
  }
  return "<figure class=\"camera-plan\">\n" + strSvg +
         "</svg>\n<figcaption>Cameras in plan view (x right, y up): ring the eye, cross the "
         "target.</figcaption>\n<table><tr><th>camera</th><th>eye</th><th>target</th>"
         "<th>rotation</th></tr>\n" +
         strRows + "</table>\n</figure>\n";
}

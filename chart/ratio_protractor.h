#pragma once

#include <array>
#include <limits>
#include <vector>

#include "chart/chart_plane.h"

namespace tarvel::chart {

// The heat-moisture ratios the protractor of the 焓湿图 shows, kJ/kg, from straight up (+∞, the
// line of constant moisture content with heat added) clockwise to straight down (−∞).
inline constexpr std::array<double, 12> kProtractorRatios = {
    std::numeric_limits<double>::infinity(),
    20000,
    10000,
    5000,
    3000,
    2000,
    1000,
    0,
    -2000,
    -5000,
    -10000,
    -std::numeric_limits<double>::infinity()};

// One ray of the protractor: its ratio and where it ends on the plane.
struct ProtractorRay {
  double ratio;  // kJ/kg
  PlanePoint end;
};

// The protractor (热湿比标尺) of the 焓湿图: a ray from `centre` for each of kProtractorRatios,
// along RatioDirection, all of the same length on the drawing. The drawing's scales differ across
// and up, so that length is given in plane units both ways: `radius_x` across and `radius_y` up
// are the plane lengths the drawing shows as the ray's length. A line of the design with ratio ε
// is parallel on the drawing to the ray of that ε.
std::vector<ProtractorRay> RatioProtractor(PlanePoint centre, double radius_x, double radius_y);

}  // namespace tarvel::chart

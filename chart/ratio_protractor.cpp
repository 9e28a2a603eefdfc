#include "chart/ratio_protractor.h"

#include <cmath>

namespace tarvel::chart {

std::vector<ProtractorRay> RatioProtractor(PlanePoint centre, double radius_x, double radius_y) {
  std::vector<ProtractorRay> rays;
  rays.reserve(kProtractorRatios.size());
  for (double ratio : kProtractorRatios) {
    // The direction in units of the drawing, made one ray long there, then back to the plane.
    const PlanePoint direction = RatioDirection(ratio);
    const double x = direction.x / radius_x;
    const double y = direction.y / radius_y;
    const double length = std::sqrt(x * x + y * y);
    rays.push_back({ratio, {centre.x + x / length * radius_x, centre.y + y / length * radius_y}});
  }
  return rays;
}

}  // namespace tarvel::chart

// Fanger's model of thermal comfort as ISO 7730:2005 (GB/T 18049-2017) computes it in its Annex D,
// every operation in the order of that program. Its numbers are the standard's own: the heat
// losses by skin diffusion (3.05·10⁻³·(5733 − 6.99·(M − W) − pa)), by sweating
// (0.42·(M − W − 58.15)), by latent (1.7·10⁻⁵·M·(5867 − pa)) and dry (0.0014·M·(34 − ta))
// respiration, by radiation (3.96·fcl·(xn⁴ − (tr/100)⁴)) and by convection (fcl·hc·(tcl − ta)).
#include "climate/pmv.h"

#include <cmath>

#include "physics/elementary/correctly_rounded.h"

namespace tarvel::climate {
namespace {

using elementary::Exp;

constexpr double kKelvinOffset = 273;
constexpr double kTolerance = 0.00015;
constexpr int kMostSteps = 150;

bool Usable(double dry_bulb, double humidity, const PmvSettings& s) {
  const double radiant = s.radiant.value_or(dry_bulb);
  return std::isfinite(dry_bulb) && std::isfinite(humidity) && std::isfinite(radiant) &&
         std::isfinite(s.met) && std::isfinite(s.clo) && std::isfinite(s.air_speed) && s.met > 0 &&
         s.clo >= 0 && s.air_speed >= 0;
}

// x^0.25 as the square root of the square root, each correctly rounded.
double FourthRoot(double x) {
  return std::sqrt(std::sqrt(x));
}

// x^4 as the square of the square, each product rounded.
double Fourth(double x) {
  const double square = x * x;
  return square * square;
}

}  // namespace

std::optional<Pmv> PmvFromRelHumidity(double dry_bulb, double rel_humidity,
                                      const PmvSettings& settings) {
  if (!Usable(dry_bulb, rel_humidity, settings))
    return std::nullopt;
  const double pa = rel_humidity * 10 * Exp(16.6536 - 4030.183 / (dry_bulb + 235));
  return PmvFromVapourPressure(dry_bulb, pa, settings);
}

std::optional<Pmv> PmvFromVapourPressure(double dry_bulb, double vapour_pa,
                                         const PmvSettings& settings) {
  if (!Usable(dry_bulb, vapour_pa, settings))
    return std::nullopt;
  const double ta = dry_bulb;
  const double tr = settings.radiant.value_or(dry_bulb);
  const double pa = vapour_pa;
  const double icl = kSquareMetreKelvinPerWattPerClo * settings.clo;
  const double m = settings.met * kWattsPerSquareMetrePerMet;
  const double mw = m;  // no external work
  const double fcl = icl <= 0.078 ? 1 + 1.29 * icl : 1.05 + 0.645 * icl;
  const double hcf = 12.1 * std::sqrt(settings.air_speed);
  const double taa = ta + kKelvinOffset;
  const double tra = tr + kKelvinOffset;
  const double tcla = taa + (35.5 - ta) / (3.5 * icl + 0.1);

  const double p1 = icl * fcl;
  const double p2 = p1 * 3.96;
  const double p3 = p1 * 100;
  const double p4 = p1 * taa;
  const double p5 = 308.7 - 0.028 * mw + p2 * Fourth(tra / 100);
  double xn = tcla / 100;
  double xf = tcla / 50;
  double hc = 0;
  int steps = 0;
  do {
    xf = (xf + xn) / 2;
    const double hcn = 2.38 * FourthRoot(std::fabs(100 * xf - taa));
    hc = hcf > hcn ? hcf : hcn;
    xn = (p5 + p4 * hc - p2 * Fourth(xf)) / (100 + p3 * hc);
    if (++steps > kMostSteps || !std::isfinite(xn))
      return std::nullopt;
  } while (std::fabs(xn - xf) > kTolerance);
  const double tcl = 100 * xn - kKelvinOffset;

  const double hl1 = 3.05 * 0.001 * (5733 - 6.99 * mw - pa);
  const double hl2 = mw > kWattsPerSquareMetrePerMet ? 0.42 * (mw - kWattsPerSquareMetrePerMet) : 0;
  const double hl3 = 1.7 * 0.00001 * m * (5867 - pa);
  const double hl4 = 0.0014 * m * (34 - ta);
  const double hl5 = 3.96 * fcl * (Fourth(xn) - Fourth(tra / 100));
  const double hl6 = fcl * hc * (tcl - ta);
  const double ts = 0.303 * Exp(-0.036 * m) + 0.028;
  const double pmv = ts * (mw - hl1 - hl2 - hl3 - hl4 - hl5 - hl6);
  const double ppd = 100 - 95 * Exp(-0.03353 * Fourth(pmv) - 0.2179 * (pmv * pmv));
  if (!std::isfinite(pmv) || !std::isfinite(ppd))
    return std::nullopt;
  return Pmv{pmv, ppd};
}

}  // namespace tarvel::climate

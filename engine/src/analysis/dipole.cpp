#include "dipole.h"

#include <array>
#include <cmath>

#include "report_layouts.h"

namespace scf1s {

namespace {
constexpr double kDebyePerAtomicUnit = 2.541765;

constexpr double kMasses[36] = {
    1.00797, 4.0026,  6.939,   9.0122,  10.811,  12.01115, 14.0067, 15.9994, 18.9984,
    20.183,  22.9898, 24.312,  26.9815, 28.086,  30.9738,  32.064,  35.453,  39.948,
    39.102,  40.08,   44.956,  47.9,    50.942,  51.996,   54.938,  55.847,  58.9332,
    58.71,   63.546,  65.37,   69.72,   72.59,   74.9216,  78.96,   79.904,  83.8,
};
}  // namespace

double atomicMass(int z) { return z >= 1 && z <= 36 ? kMasses[z - 1] : 0.0; }

Point cenmas(int nat, const EngineData& data, Report& report) {
  double mx = 0, my = 0, mz = 0, total = 0;
  for (int k = 1; k <= nat; ++k) {
    const Atom& a = data.atom(k);
    // Truncation toward zero, without overflow for any charge a deck can hold.
    double whole = std::trunc(a.zn);
    int z = whole >= 1 && whole <= 36 ? static_cast<int>(whole) : 0;
    double m = atomicMass(z);
    if (z == 0) report.write(layouts::massUnknownLine, {k, a.zn});
    mx += m * a.x;
    my += m * a.y;
    mz += m * a.z;
    total += m;
  }
  Point centre;
  if (total == 0) {
    report.write(layouts::massZeroLine);
  } else {
    centre = {mx / total, my / total, mz / total};
  }
  report.write(layouts::centreOfMassLine, {centre.x, centre.y, centre.z});
  return centre;
}

void dipole(const EngineData& data, Report& report) {
  const int noc = data.noc, nbs = data.deck.nbs, nat = data.deck.nat;
  const Point cm = cenmas(nat, data, report);
  std::array<Sphere, kMaxSpheres> spheres;
  for (int s = 1; s <= nbs; ++s) {
    const Sphere& from = data.sphere(s);
    spheres[s - 1] = {from.alpha, from.x - cm.x, from.y - cm.y, from.z - cm.z};
  }
  std::array<Atom, kMaxAtoms> atoms;
  for (int k = 1; k <= nat; ++k) {
    const Atom& from = data.atom(k);
    atoms[k - 1] = {from.zn, from.x - cm.x, from.y - cm.y, from.z - cm.z};
  }

  // Electronic part: <g_i|r|g_j> = S(i,j) (a_i r_i + a_j r_j) / (a_i + a_j), doubly occupied.
  double ex = 0, ey = 0, ez = 0;
  for (int m = 1; m <= noc; ++m)
    for (int i = 1; i <= nbs; ++i)
      for (int j = 1; j <= nbs; ++j) {
        const Sphere& si = spheres[i - 1];
        const Sphere& sj = spheres[j - 1];
        double w = 2 * data.C(i, m) * data.C(j, m) * data.S(i, j) / (si.alpha + sj.alpha);
        ex += w * (si.alpha * si.x + sj.alpha * sj.x);
        ey += w * (si.alpha * si.y + sj.alpha * sj.y);
        ez += w * (si.alpha * si.z + sj.alpha * sj.z);
      }
  double nx = 0, ny = 0, nz = 0;
  for (int k = 1; k <= nat; ++k) {
    const Atom& a = atoms[k - 1];
    nx += a.zn * a.x;
    ny += a.zn * a.y;
    nz += a.zn * a.z;
  }
  double dx = kDebyePerAtomicUnit * (-ex + nx);
  double dy = kDebyePerAtomicUnit * (-ey + ny);
  double dz = kDebyePerAtomicUnit * (-ez + nz);
  double magnitude = std::sqrt((dx * dx + dy * dy) + dz * dz);
  report.write(layouts::dipoleLine, {dx, dy, dz, magnitude});
}

}  // namespace scf1s

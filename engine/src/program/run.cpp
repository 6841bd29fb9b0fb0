#include "run.h"

#include <array>
#include <string_view>

#include "dipole.h"
#include "matrix_printer.h"
#include "one_electron.h"
#include "parabola.h"
#include "population.h"
#include "report_layouts.h"
#include "scf_cycle.h"

namespace scf1s {

namespace {

void parabolicMinimum(DeckReader& deck, Report& report) {
  double x[3], y[3];
  deck.readParabolaPoints(x, y);
  ParabolaVertex vertex = parabolaVertex(x, y);
  switch (vertex.kind) {
    case ParabolaVertex::Kind::Vertex:
      report.write(layouts::parabolaLine, {vertex.xmin});
      break;
    case ParabolaVertex::Kind::NoVertex:
      report.write(layouts::parabolaNoVertex);
      break;
    case ParabolaVertex::Kind::TooLarge:
      report.write(layouts::parabolaTooLarge);
      break;
  }
}

void applyDefaults(DeckParameters& p) {
  if (p.lit <= 0) p.lit = 100;
  if (p.iop <= 0) p.iop = 1;
  if (p.mul <= 0) p.mul = 1;
}

void writeBanner(const EngineData& data, Report& report) {
  std::array<Value, 30> pieces;
  std::string_view title = data.title;
  for (std::size_t k = 0; k < pieces.size(); ++k) pieces[k] = title.substr(2 * k, 2);
  report.write(layouts::banner, pieces);
  const DeckParameters& p = data.deck;
  report.write(layouts::parameterEcho, {p.nat, p.nbs, p.nel, p.iop, p.lit, p.mul});
  report.write(layouts::separator);
}

void readGeometry(DeckReader& deck, EngineData& data, Report& report) {
  const DeckParameters& p = data.deck;
  for (int a = 1; a <= p.nat; ++a) {
    Atom atom = deck.readAtom(a);
    if (p.iop <= 1) atom.x = atom.y = atom.z = 0;  // one nucleus, at the origin
    data.atom(a) = atom;
    report.write(layouts::atomLine, {a, atom.zn, atom.x, atom.y, atom.z});
  }
  report.write(layouts::separator);
  if (p.iop >= 2) deck.checkAtomPositions(data);
  for (int s = 1; s <= p.nbs; ++s) {
    Sphere sphere = deck.readSphere(s);
    data.sphere(s) = sphere;
    report.write(layouts::sphereLine, {s, sphere.alpha, sphere.x, sphere.y, sphere.z});
  }
  report.write(layouts::separator);
}

// S and H over every sphere pair, printed.
void oneElectronMatrices(EngineData& data, Report& report) {
  const int n = data.deck.nbs;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) oneint(i, j, data.deck.iop, data.deck.nat, data);
  report.write(layouts::sOverlapTitle);
  printMatrix(report, n, data.S);
  report.write(layouts::hCoreTitle);
  printMatrix(report, n, data.H);
}

}  // namespace

void runDeck(DeckReader& deck, EngineData& data, Report& report) {
  data.iteration = 0;
  data.electronicEnergy = 0;
  data.tolerance = 1.0e-12;
  if (!deck.readFirstRecord(data.title, data.deck)) return;  // an empty deck: an empty report
  if (data.deck.par == 1) {
    parabolicMinimum(deck, report);
    return;
  }
  deck.checkCapacities(data.deck);
  applyDefaults(data.deck);
  writeBanner(data, report);
  readGeometry(deck, data, report);
  data.noc = data.deck.nel / 2;
  data.P = Matrix{};  // no density before the core-Hamiltonian guess
  oneElectronMatrices(data, report);
  runScf(data, report);
  if (data.deck.iop >= 2) {  // properties of a molecule
    dipole(data, report);
    if (data.deck.mul <= 1) {
      mulpop(data, report);
      mayer(data, report);
    }
  }
}

}  // namespace scf1s

#include "energy_evaluation.h"

#include <Eigen/Dense>

#include "closed_shell_scf.h"
#include "sphere_pair.h"

namespace fsgo {

namespace {

// What the energy's derivative with respect to each quantity of a sphere pair
// is: its overlap, its exponent sum p and its product centre P. Collected
// from every integral first, then passed on to the spheres in one place.
struct PairAdjoint {
  double overlap = 0;
  double p = 0;
  Eigen::Vector3d centre = Eigen::Vector3d::Zero();
};

double nuclearRepulsion(const Molecule& m, std::vector<Eigen::Vector3d>& gradient) {
  double e = 0;
  for (std::size_t c = 0; c < m.nuclei.size(); ++c)
    for (std::size_t d = 0; d < c; ++d) {
      const Eigen::Vector3d r = m.nuclei[c].position - m.nuclei[d].position;
      const double dist = r.norm();
      const double zz = m.nuclei[c].charge * m.nuclei[d].charge;
      e += zz / dist;
      const Eigen::Vector3d g = -zz / (dist * dist * dist) * r;
      gradient[c] += g;
      gradient[d] -= g;
    }
  return e;
}

// Sums, over the orderings of the pairs (i j) and (k l), the weight of (ij|kl)
// in the two-electron energy 1/2 sum P_ij P_kl [(ij|kl) - 1/2 (ik|jl)].
Eigen::MatrixXd repulsionWeights(const Eigen::MatrixXd& P, int pairCount) {
  const int n = static_cast<int>(P.rows());
  Eigen::MatrixXd w = Eigen::MatrixXd::Zero(pairCount, pairCount);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k)
        for (int l = 0; l < n; ++l)
          w(pairIndex(i, j), pairIndex(k, l)) += 0.5 * P(i, j) * P(k, l) - 0.25 * P(i, k) * P(j, l);
  return w;
}

}  // namespace

EnergyEvaluation evaluateEnergy(const Molecule& m, const OverlapFloor& floor, const Eigen::MatrixXd& startDensity) {
  const int n = static_cast<int>(m.spheres.size());
  const int pairCount = n * (n + 1) / 2;
  EnergyEvaluation out;
  out.gradient.exponent.assign(n, 0.0);
  out.gradient.centre.assign(n, Eigen::Vector3d::Zero());
  out.gradient.nucleus.assign(m.nuclei.size(), Eigen::Vector3d::Zero());

  std::vector<SpherePair> pairs(pairCount);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) pairs[pairIndex(i, j)] = makeSpherePair(m.spheres[i], m.spheres[j], i, j);

  // One-electron matrices; the attraction kept per pair and nucleus for the gradient.
  Eigen::MatrixXd S(n, n), H(n, n);
  std::vector<std::vector<AttractionFactor>> attraction(pairCount);
  for (const SpherePair& pr : pairs) {
    double v = 0;
    auto& row = attraction[pairIndex(pr.i, pr.j)];
    for (const Nucleus& nucleus : m.nuclei) {
      row.push_back(attractionFactor(pr.p, pr.centre, nucleus));
      v += row.back().v;
    }
    S(pr.i, pr.j) = S(pr.j, pr.i) = pr.overlap;
    H(pr.i, pr.j) = H(pr.j, pr.i) = pr.kinetic + pr.overlap * v;
  }

  Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> overlapSolver(S);
  out.smallestOverlapEigenvalue = overlapSolver.eigenvalues()(0);
  out.weakestCombination = overlapSolver.eigenvectors().col(0);
  if (!(out.smallestOverlapEigenvalue > floor.singular)) {
    out.singular = true;
    return out;
  }
  out.barrier = floor.barrier(out.smallestOverlapEigenvalue);

  RepulsionIntegrals eri{n, Eigen::MatrixXd(pairCount, pairCount)};
  std::vector<RepulsionFactor> repulsion(static_cast<std::size_t>(pairCount) * pairCount);
  for (int u = 0; u < pairCount; ++u)
    for (int w = 0; w <= u; ++w) {
      const RepulsionFactor f = repulsionFactor(pairs[u].p, pairs[u].centre, pairs[w].p, pairs[w].centre);
      repulsion[static_cast<std::size_t>(u) * pairCount + w] = f;
      eri.pairs(u, w) = eri.pairs(w, u) = pairs[u].overlap * pairs[w].overlap * f.g;
    }

  const Eigen::VectorXd& lambda = overlapSolver.eigenvalues();
  const Eigen::MatrixXd& V = overlapSolver.eigenvectors();
  if (m.occupied() == n) {
    out.density = 2.0 * V * lambda.cwiseInverse().asDiagonal() * V.transpose();
  } else {
    const Eigen::MatrixXd sInvHalf = V * lambda.cwiseSqrt().cwiseInverse().asDiagonal() * V.transpose();
    ScfSolution scf = solveClosedShell(S, sInvHalf, H, eri, m.occupied(), startDensity);
    out.density = scf.density;
    out.scfConverged = scf.converged;
    out.scfIterations = scf.iterations;
  }
  const Eigen::MatrixXd& P = out.density;
  const Eigen::MatrixXd F = fockMatrix(H, eri, P);
  out.electronic = 0.5 * (P.array() * (H + F).array()).sum();
  out.nuclearRepulsion = nuclearRepulsion(m, out.gradient.nucleus);

  // The energy is stationary in the orbitals, so the overlap enters through
  // the energy-weighted density W = P F P / 2; the barrier through
  // d lambda = v^T dS v.
  const Eigen::MatrixXd W = 0.5 * P * F * P;
  const Eigen::VectorXd& v = out.weakestCombination;
  const double barrierSlope = floor.slope(out.smallestOverlapEigenvalue);

  std::vector<PairAdjoint> adjoint(pairCount);
  for (const SpherePair& pr : pairs) {
    const int u = pairIndex(pr.i, pr.j);
    const double orderings = pr.i == pr.j ? 1.0 : 2.0;
    const double pij = orderings * P(pr.i, pr.j);
    PairAdjoint& adj = adjoint[u];
    adj.overlap += orderings * (barrierSlope * v(pr.i) * v(pr.j) - W(pr.i, pr.j));
    for (std::size_t c = 0; c < m.nuclei.size(); ++c) {
      const AttractionFactor& f = attraction[u][c];
      adj.overlap += pij * f.v;
      adj.p += pij * pr.overlap * f.dp;
      adj.centre += pij * pr.overlap * f.dP;
      out.gradient.nucleus[c] -= pij * pr.overlap * f.dP;
    }
    out.gradient.exponent[pr.i] += pij * pr.dKineticDa;
    out.gradient.exponent[pr.j] += pij * pr.dKineticDb;
    out.gradient.centre[pr.i] += pij * pr.dKineticDA;
    out.gradient.centre[pr.j] -= pij * pr.dKineticDA;
  }

  const Eigen::MatrixXd weights = repulsionWeights(P, pairCount);
  for (int u = 0; u < pairCount; ++u)
    for (int w = 0; w <= u; ++w) {
      const double omega = u == w ? weights(u, u) : weights(u, w) + weights(w, u);
      if (omega == 0.0) continue;
      const RepulsionFactor& f = repulsion[static_cast<std::size_t>(u) * pairCount + w];
      const double su = pairs[u].overlap, sw = pairs[w].overlap;
      adjoint[u].overlap += omega * sw * f.g;
      adjoint[w].overlap += omega * su * f.g;
      adjoint[u].p += omega * su * sw * f.dp;
      adjoint[w].p += omega * su * sw * f.dq;
      adjoint[u].centre += omega * su * sw * f.dP;
      adjoint[w].centre -= omega * su * sw * f.dP;
    }

  // From the pair quantities S, p = a + b and P = (a A + b B) / p to the spheres.
  for (const SpherePair& pr : pairs) {
    const PairAdjoint& adj = adjoint[pairIndex(pr.i, pr.j)];
    const Eigen::Vector3d& A = m.spheres[pr.i].centre;
    const Eigen::Vector3d& B = m.spheres[pr.j].centre;
    out.gradient.exponent[pr.i] += adj.overlap * pr.dOverlapDa + adj.p + adj.centre.dot(A - pr.centre) / pr.p;
    out.gradient.exponent[pr.j] += adj.overlap * pr.dOverlapDb + adj.p + adj.centre.dot(B - pr.centre) / pr.p;
    out.gradient.centre[pr.i] += adj.overlap * pr.dOverlapDA + adj.centre * (pr.a / pr.p);
    out.gradient.centre[pr.j] += -adj.overlap * pr.dOverlapDA + adj.centre * (pr.b / pr.p);
  }
  return out;
}

}  // namespace fsgo

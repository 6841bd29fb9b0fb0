#include "two_electron.h"

#include "boys_table.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>

namespace lobe {
namespace {

const double kTwoPiToFiveHalves = 2.0 * std::pow(std::numbers::pi, 2.5);

// The lobe pairs of one function pair, product by product, as arrays so that
// the innermost loop runs over plain numbers.
struct PairProducts {
  std::vector<double> p, x, y, z, weightOverP;  // weight = c_a c_b K_ab, doubled for a pair met twice
  void add(double exponent, const Point& centre, double w) {
    p.push_back(exponent);
    x.push_back(centre[0]);
    y.push_back(centre[1]);
    z.push_back(centre[2]);
    weightOverP.push_back(w / exponent);
  }
  std::size_t size() const { return p.size(); }
};

// Lobe pairs of a group whose weights are all below this are left out: they
// cannot change an integral's 15th digit.
constexpr double kNegligibleWeight = 1e-20;

// The products come in groups, one for each pair of contracted primitives; the
// lobes of a group nearly cancel each other, so only whole groups are left out.
PairProducts pairProducts(const BasisFunction& mu, const BasisFunction& nu, bool same) {
  PairProducts products;
  const int muPrimitives = mu.primitiveOfLobe.empty() ? 0 : mu.primitiveOfLobe.back() + 1;
  const int nuPrimitives = nu.primitiveOfLobe.empty() ? 0 : nu.primitiveOfLobe.back() + 1;
  for (int pa = 0; pa < muPrimitives; ++pa) {
    // For a function with itself, the pairs (a, b) and (b, a) are one product: take it once, twice weighted.
    for (int pb = same ? pa : 0; pb < nuPrimitives; ++pb) {
      const std::size_t groupBegin = products.size();
      double largest = 0;
      for (std::size_t a = 0; a < mu.lobes.size(); ++a) {
        if (mu.primitiveOfLobe[a] != pa) continue;
        for (std::size_t b = same && pa == pb ? a : 0; b < nu.lobes.size(); ++b) {
          if (nu.primitiveOfLobe[b] != pb) continue;
          const Lobe& la = mu.lobes[a];
          const Lobe& lb = nu.lobes[b];
          const GaussianProduct product = gaussianProduct(la.centre, la.exponent, lb.centre, lb.exponent);
          const double twice = same && !(pa == pb && a == b) ? 2.0 : 1.0;
          const double weight = twice * la.coefficient * lb.coefficient * product.k;
          largest = std::max(largest, std::abs(weight));
          products.add(product.p, product.centre, weight);
        }
      }
      if (largest < kNegligibleWeight) {
        for (auto* values : {&products.p, &products.x, &products.y, &products.z, &products.weightOverP}) {
          values->resize(groupBegin);
        }
      }
    }
  }
  return products;
}

// Every lobe pair of one function pair against every lobe pair of another,
// in one stretch so that the compiler can run the inner loop over several
// products at once (with AVX2 where the processor has it).
__attribute__((target_clones("avx2", "default")))
double quartet(const PairProducts& ab, const PairProducts& cd, const BoysTable& boys) {
  const std::size_t n = cd.size();
  const double* q = cd.p.data();
  const double* x = cd.x.data();
  const double* y = cd.y.data();
  const double* z = cd.z.data();
  const double* w = cd.weightOverP.data();
  // The terms go to a buffer first and are added in order afterwards: the
  // loop that computes them has no dependence between iterations.
  thread_local std::vector<double> terms;
  terms.resize(n);
  double* term = terms.data();
  double sum = 0;
  for (std::size_t i = 0; i < ab.size(); ++i) {
    const double p = ab.p[i], px = ab.x[i], py = ab.y[i], pz = ab.z[i];
    for (std::size_t j = 0; j < n; ++j) {
      const double dx = px - x[j], dy = py - y[j], dz = pz - z[j];
      const double inverse = 1.0 / (p + q[j]);
      term[j] = w[j] * std::sqrt(inverse) * boys.f0(p * q[j] * inverse * (dx * dx + dy * dy + dz * dz));
    }
    double inner = 0;
    for (std::size_t j = 0; j < n; ++j) inner += term[j];
    sum += ab.weightOverP[i] * inner;
  }
  return kTwoPiToFiveHalves * sum;
}

}  // namespace

TwoElectronIntegrals::TwoElectronIntegrals(std::size_t functionCount, unsigned threads)
    : n_(functionCount), threads_(threads), values_(pairCount() * (pairCount() + 1) / 2, 0.0) {}

Eigen::MatrixXd TwoElectronIntegrals::coulomb(const Eigen::MatrixXd& density) const {
  // J_ij = sum over kl of (ij|kl) D_kl, with each unique quartet used for both pairs.
  const std::size_t pairs = pairCount();
  std::vector<double> dPair(pairs), jPair(pairs, 0.0);
  for (std::size_t k = 0, kl = 0; k < n_; ++k) {
    for (std::size_t l = 0; l <= k; ++l, ++kl) dPair[kl] = (k == l ? 1.0 : 2.0) * density(Eigen::Index(k), Eigen::Index(l));
  }
  for (std::size_t ij = 0; ij < pairs; ++ij) {
    const double* row = &values_[ij * (ij + 1) / 2];
    double sum = 0;
    for (std::size_t kl = 0; kl < ij; ++kl) {
      sum += row[kl] * dPair[kl];
      jPair[kl] += row[kl] * dPair[ij];
    }
    jPair[ij] += sum + row[ij] * dPair[ij];
  }
  const auto n = static_cast<Eigen::Index>(n_);
  Eigen::MatrixXd j(n, n);
  for (std::size_t k = 0, kl = 0; k < n_; ++k) {
    for (std::size_t l = 0; l <= k; ++l, ++kl) j(Eigen::Index(k), Eigen::Index(l)) = j(Eigen::Index(l), Eigen::Index(k)) = jPair[kl];
  }
  return j;
}

Eigen::MatrixXd TwoElectronIntegrals::exchange(const Eigen::MatrixXd& density) const {
  // K_ik = sum over jl of (ij|kl) D_jl; each unique (ij|kl) reaches up to
  // eight elements. The rows of the triangle are dealt out to the threads in
  // a fixed pattern and the partial matrices added in a fixed order, so the
  // result does not depend on timing.
  const auto n = Eigen::Index(n_);
  const std::size_t pairs = pairCount();
  std::vector<Eigen::Index> first(pairs), second(pairs);
  for (Eigen::Index i = 0, ij = 0; i < n; ++i) {
    for (Eigen::Index j = 0; j <= i; ++j, ++ij) {
      first[std::size_t(ij)] = i;
      second[std::size_t(ij)] = j;
    }
  }
  const unsigned threads = std::max(1u, threads_);
  std::vector<Eigen::MatrixXd> partial(threads, Eigen::MatrixXd::Zero(n, n));
  auto work = [&](unsigned thread) {
    Eigen::MatrixXd& k = partial[thread];
    const Eigen::MatrixXd& d = density;
    for (std::size_t ij = thread; ij < pairs; ij += threads) {
      const Eigen::Index i = first[ij], j = second[ij];
      const double* row = &values_[ij * (ij + 1) / 2];
      for (std::size_t kl = 0; kl <= ij; ++kl) {
        const double v = row[kl];
        if (v == 0.0) continue;
        const Eigen::Index kk = first[kl], l = second[kl];
        // The distinct index permutations of (ij|kl), each once.
        const bool ijSame = i == j, klSame = kk == l, pairSame = ij == kl;
        k(i, kk) += v * d(j, l);
        if (!ijSame) k(j, kk) += v * d(i, l);
        if (!klSame) k(i, l) += v * d(j, kk);
        if (!ijSame && !klSame) k(j, l) += v * d(i, kk);
        if (!pairSame) {
          k(kk, i) += v * d(l, j);
          if (!klSame) k(l, i) += v * d(kk, j);
          if (!ijSame) k(kk, j) += v * d(l, i);
          if (!ijSame && !klSame) k(l, j) += v * d(kk, i);
        }
      }
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work, t);
  work(0);
  for (std::thread& thread : pool) thread.join();
  Eigen::MatrixXd k = partial[0];
  for (unsigned t = 1; t < threads; ++t) k += partial[t];
  return 0.5 * (k + k.transpose());
}

TwoElectronIntegrals computeTwoElectronIntegrals(const LobeBasis& basis, unsigned threads, double negligible) {
  const std::size_t n = basis.functions.size();
  TwoElectronIntegrals integrals(n, threads);
  const BoysTable& boys = boysTable();
  std::vector<PairProducts> pairs(integrals.pairCount());
  std::vector<std::pair<std::size_t, std::size_t>> functionsOf(pairs.size());
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j <= i; ++j) {
      const std::size_t ij = TwoElectronIntegrals::pairIndex(i, j);
      pairs[ij] = pairProducts(basis.functions[i], basis.functions[j], i == j);
      functionsOf[ij] = {i, j};
    }
  }
  std::vector<double> schwarz(pairs.size());
  for (std::size_t ij = 0; ij < pairs.size(); ++ij) schwarz[ij] = std::sqrt(std::abs(quartet(pairs[ij], pairs[ij], boys)));

  // Rows of the triangle go to the threads one at a time, largest first in
  // effect, since row ij holds ij + 1 quartets and rows are taken from the end.
  std::atomic<std::size_t> rowsTaken{0};
  auto& values = integrals.values();
  auto work = [&] {
    for (;;) {
      const std::size_t taken = rowsTaken.fetch_add(1);
      if (taken >= pairs.size()) return;
      const std::size_t ij = pairs.size() - 1 - taken;
      double* row = &values[ij * (ij + 1) / 2];
      for (std::size_t kl = 0; kl <= ij; ++kl) {
        if (schwarz[ij] * schwarz[kl] < negligible) continue;
        row[kl] = kl == ij ? schwarz[ij] * schwarz[ij] : quartet(pairs[ij], pairs[kl], boys);
      }
    }
  };
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < std::max(1u, threads); ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
  return integrals;
}

}  // namespace lobe

#include "sphere_optimiser.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include <nlopt.hpp>

namespace fsgo {

namespace {

// The variables in NLopt's vector: ln alpha of every sphere, then the sphere
// centres, then the nuclear positions, as far as the freedom moves them.
struct Variables {
  Freedom freedom;
  bool movesCentres() const { return freedom != Freedom::ExponentsOnly; }
  bool movesNuclei() const { return freedom == Freedom::SpheresAndNuclei; }

  std::size_t count(const Molecule& m) const {
    return m.spheres.size() * (movesCentres() ? 4 : 1) + (movesNuclei() ? 3 * m.nuclei.size() : 0);
  }

  std::vector<double> pack(const Molecule& m) const {
    std::vector<double> x;
    for (const Sphere& s : m.spheres) x.push_back(std::log(s.exponent));
    if (movesCentres())
      for (const Sphere& s : m.spheres) x.insert(x.end(), s.centre.data(), s.centre.data() + 3);
    if (movesNuclei())
      for (const Nucleus& c : m.nuclei) x.insert(x.end(), c.position.data(), c.position.data() + 3);
    return x;
  }

  void unpack(const std::vector<double>& x, Molecule& m) const {
    std::size_t k = 0;
    for (Sphere& s : m.spheres) s.exponent = std::exp(x[k++]);
    if (movesCentres())
      for (Sphere& s : m.spheres)
        for (int d = 0; d < 3; ++d) s.centre(d) = x[k++];
    if (movesNuclei())
      for (Nucleus& c : m.nuclei)
        for (int d = 0; d < 3; ++d) c.position(d) = x[k++];
  }

  // dE/d ln alpha = alpha dE/d alpha.
  std::vector<double> packGradient(const Molecule& m, const EnergyGradient& g) const {
    std::vector<double> out;
    for (std::size_t i = 0; i < m.spheres.size(); ++i) out.push_back(m.spheres[i].exponent * g.exponent[i]);
    if (movesCentres())
      for (const auto& c : g.centre) out.insert(out.end(), c.data(), c.data() + 3);
    if (movesNuclei())
      for (const auto& c : g.nucleus) out.insert(out.end(), c.data(), c.data() + 3);
    return out;
  }
};

// Stands in for the energy where there is none: far above any real energy.
constexpr double kNoEnergyPenalty = 1e6;

// L-BFGS runs at most, each from the best point of the one before.
constexpr int kMaxRuns = 20;

struct Search {
  const OptimiserSettings& settings;
  const std::function<void(const OptimiserStep&)>& onStep;
  Variables variables;
  Molecule molecule;
  OptimisationResult& result;
  double bestObjective = HUGE_VAL;
  bool gradientConverged = false;
  bool scfFailed = false;

  double objective(const std::vector<double>& x, std::vector<double>& grad) {
    // L-BFGS may ask once more after a stop was requested: nothing to add.
    if (gradientConverged || scfFailed) throw nlopt::forced_stop();
    variables.unpack(x, molecule);
    const EnergyEvaluation e = evaluateEnergy(molecule, settings.floor, result.bestEvaluation.density);
    ++result.evaluations;
    // A singular overlap, or a step so wild that an exponent overflows: no
    // energy here, and the line search steps back.
    if (e.singular || !std::isfinite(e.total() + e.barrier)) {
      std::fill(grad.begin(), grad.end(), 0.0);
      return kNoEnergyPenalty;
    }
    const std::vector<double> g = variables.packGradient(molecule, e.gradient);
    if (!grad.empty()) grad = g;
    double largest = 0;
    for (double v : g) largest = std::max(largest, std::abs(v));
    if (onStep) onStep({result.evaluations, e.total(), e.barrier, largest});
    if (!e.scfConverged) {
      scfFailed = true;
      throw nlopt::forced_stop();
    }
    const double value = e.total() + e.barrier;
    if (value < bestObjective) {
      bestObjective = value;
      result.best = molecule;
      result.bestEvaluation = e;
      result.bestLargestGradient = largest;
      if (largest <= settings.gradientTolerance) {
        gradientConverged = true;
        throw nlopt::forced_stop();
      }
    }
    return value;
  }
};

double callObjective(const std::vector<double>& x, std::vector<double>& grad, void* data) {
  return static_cast<Search*>(data)->objective(x, grad);
}

std::string format(const char* pattern, double value) {
  char buf[160];
  std::snprintf(buf, sizeof buf, pattern, value);
  return buf;
}

}  // namespace

double largestGradient(const Molecule& molecule, const EnergyGradient& gradient, Freedom freedom) {
  double largest = 0;
  for (double v : Variables{freedom}.packGradient(molecule, gradient)) largest = std::max(largest, std::abs(v));
  return largest;
}

OptimisationResult optimiseSpheres(const Molecule& start, const OptimiserSettings& settings,
                                   const std::function<void(const OptimiserStep&)>& onStep) {
  OptimisationResult result;
  result.start = start;
  result.best = start;
  result.startEvaluation = evaluateEnergy(start, settings.floor);
  result.bestEvaluation = result.startEvaluation;
  result.bestLargestGradient = largestGradient(start, result.startEvaluation.gradient, settings.freedom);

  Search search{settings, onStep, Variables{settings.freedom}, start, result};
  nlopt::result status = nlopt::FAILURE;
  // A run that stops short of the tolerance but still gained something starts
  // afresh from the best point: a new L-BFGS history copes better with the
  // steep walls of the overlap floor than one built on the far side of them.
  for (int run = 0; run < kMaxRuns; ++run) {
    const double before = search.bestObjective;
    std::vector<double> x = search.variables.pack(result.best);
    nlopt::opt opt(nlopt::LD_LBFGS, static_cast<unsigned>(x.size()));
    opt.set_min_objective(callObjective, &search);
    opt.set_maxeval(settings.evaluationLimit - result.evaluations);
    opt.set_ftol_rel(1e-15);
    opt.set_xtol_rel(1e-12);
    double value = 0;
    try {
      status = opt.optimize(x, value);
    } catch (const nlopt::forced_stop&) {
      status = nlopt::FORCED_STOP;
    } catch (const nlopt::roundoff_limited&) {
      status = nlopt::ROUNDOFF_LIMITED;
    } catch (const std::exception&) {
      status = nlopt::FAILURE;
    }
    const bool gained = search.bestObjective < before - 1e-12 * std::abs(before);
    if (status == nlopt::FORCED_STOP || status == nlopt::MAXEVAL_REACHED || !gained ||
        result.evaluations >= settings.evaluationLimit)
      break;
  }

  const std::string largest = format("the largest gradient component is %.1e", result.bestLargestGradient);
  if (search.gradientConverged) {
    result.reason = StopReason::GradientConverged;
    result.converged = true;
    result.explanation = format("every gradient component is below %.0e", settings.gradientTolerance);
  } else if (search.scfFailed) {
    result.reason = StopReason::ScfNotConverged;
    result.explanation = "the SCF for the spheres of the last step did not converge";
  } else if (status == nlopt::MAXEVAL_REACHED || result.evaluations >= settings.evaluationLimit) {
    result.reason = StopReason::EvaluationLimit;
    result.explanation = "the limit of " + std::to_string(settings.evaluationLimit) + " evaluations was reached; " + largest;
  } else {
    // L-BFGS stopped, and a fresh start from the best point gained nothing:
    // the energy has settled to double precision. Stiff coordinates (a tight
    // core sphere, the overlap floor's wall) can hold the gradient above the
    // clean tolerance there; it is still a minimum if the gradient is small.
    result.reason = StopReason::EnergySettled;
    result.converged = result.bestLargestGradient <= settings.settledGradientTolerance;
    result.explanation = "the energy no longer falls at double precision, also from a fresh L-BFGS start; " +
                         largest + format(result.converged ? " (accepted up to %.0e once the energy has settled)"
                                                           : " (above the %.0e accepted once the energy has settled)",
                                          settings.settledGradientTolerance);
  }
  return result;
}

}  // namespace fsgo

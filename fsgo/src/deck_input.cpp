#include "deck_input.h"

#include <memory>

#include "deck_error.h"
#include "deck_reader.h"
#include "engine_data.h"

namespace fsgo {

namespace {

[[noreturn]] void refuse(const std::string& fileName, const std::string& what) {
  throw scf1s::DeckError(fileName + ", line 1: " + what);
}

}  // namespace

DeckInput readDeckForOptimisation(std::string_view bytes, const std::string& fileName) {
  auto data = std::make_unique<scf1s::EngineData>();
  scf1s::DeckReader reader(bytes, fileName);
  if (!reader.readFirstRecord(data->title, data->deck)) throw scf1s::DeckError(fileName + ": the deck is empty");
  const scf1s::DeckParameters& p = data->deck;
  if (p.par == 1)
    refuse(fileName, "columns 79-80 (par): a parabolic-minimum deck has no spheres to optimise; "
                     "fsgo needs a deck of the SCF run (par blank or 0)");
  reader.checkCapacities(p);
  if (p.iop <= 1)
    refuse(fileName, "columns 70-72 (iop): fsgo optimises floating Gaussian spheres, so the deck must be of the "
                     "multi-centre kind (iop >= 2); found iop = " + std::to_string(p.iop) +
                         ", the single-centre kind with Slater functions");
  if (p.nat < 1)
    refuse(fileName, "columns 61-63 (nat): without a nucleus nothing holds the spheres together; found nat = " +
                         std::to_string(p.nat));
  if (p.nel <= 0 || p.nel % 2 != 0)
    refuse(fileName, "columns 67-69 (nel): fsgo treats closed shells, so the electron count must be even and "
                     "positive; found nel = " + std::to_string(p.nel));
  if (p.nbs < p.nel / 2)
    refuse(fileName, "columns 64-66 (nbs): " + std::to_string(p.nel / 2) + " electron pairs need at least as many "
                     "spheres; found nbs = " + std::to_string(p.nbs));

  DeckInput input;
  for (int a = 1; a <= p.nat; ++a) {
    const scf1s::Atom atom = reader.readAtom(a);
    data->atom(a) = atom;
    input.molecule.nuclei.push_back({atom.zn, {atom.x, atom.y, atom.z}});
  }
  reader.checkAtomPositions(*data);
  for (int s = 1; s <= p.nbs; ++s) {
    const scf1s::Sphere sphere = reader.readSphere(s);
    input.molecule.spheres.push_back({sphere.alpha, {sphere.x, sphere.y, sphere.z}});
  }
  input.molecule.electrons = p.nel;

  const std::string_view first = bytes.substr(0, bytes.find('\n'));
  input.firstRecord.assign(first.substr(0, 80));
  return input;
}

}  // namespace fsgo

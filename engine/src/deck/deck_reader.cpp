#include "deck_reader.h"

#include <string>

#include "deck_error.h"
#include "fixed_fields.h"

namespace scf1s {
namespace {

std::string columns(int first, int width) {
  return "columns " + std::to_string(first) + "-" + std::to_string(first + width - 1);
}

std::string quoted(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) {
      static const char hex[] = "0123456789ABCDEF";
      out += "\\x";
      out += hex[u >> 4];
      out += hex[u & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

DeckReader::DeckReader(std::string_view bytes, std::string fileName)
    : records_(bytes), fileName_(std::move(fileName)) {}

void DeckReader::failAt(int line, const std::string& what) const {
  throw DeckError(fileName_ + ", line " + std::to_string(line) + ": " + what);
}

void DeckReader::fail(const std::string& what) const { failAt(records_.lineNumber(), what); }

std::string_view DeckReader::record(int lastColumn, const char* what) {
  auto rec = records_.next();
  if (!rec)
    failAt(records_.lineNumber() + 1, std::string("the deck ends here, but the ") + what + " is expected");
  if (rec->size() < static_cast<std::size_t>(lastColumn))
    fail(std::string("the ") + what + " has " + std::to_string(rec->size()) +
         " columns; it must reach column " + std::to_string(lastColumn) +
         " (write trailing blanks if the last fields are blank)");
  return *rec;
}

int DeckReader::integerField(std::string_view rec, const Field& f) {
  std::string_view text = rec.substr(static_cast<std::size_t>(f.first - 1), static_cast<std::size_t>(f.width));
  auto v = readIntegerField(text);
  if (!v)
    fail(columns(f.first, f.width) + " (" + f.name + "): expected a whole number (I" + std::to_string(f.width) +
         "), found " + quoted(text));
  return *v;
}

double DeckReader::realField(std::string_view rec, const Field& f, int decimals) {
  std::string_view text = rec.substr(static_cast<std::size_t>(f.first - 1), static_cast<std::size_t>(f.width));
  auto v = readRealField(text, decimals);
  if (!v)
    fail(columns(f.first, f.width) + " (" + f.name + "): expected a number (F" + std::to_string(f.width) + "." +
         std::to_string(decimals) + ", optionally with an E or D exponent), found " + quoted(text));
  return *v;
}

bool DeckReader::readFirstRecord(std::string& title, DeckParameters& deck) {
  auto rec = records_.next();
  if (!rec) return false;
  firstRecordLine_ = records_.lineNumber();
  if (rec->size() < 80)
    fail("the first record has " + std::to_string(rec->size()) +
         " columns; it must reach column 80 (title in 1-60, then nat, nbs, nel, iop, lit, mul in I3 and par in I2)");
  title.assign(rec->substr(0, 60));
  deck.nat = integerField(*rec, {61, 3, "nat"});
  deck.nbs = integerField(*rec, {64, 3, "nbs"});
  deck.nel = integerField(*rec, {67, 3, "nel"});
  deck.iop = integerField(*rec, {70, 3, "iop"});
  deck.lit = integerField(*rec, {73, 3, "lit"});
  deck.mul = integerField(*rec, {76, 3, "mul"});
  deck.par = integerField(*rec, {79, 2, "par"});
  return true;
}

void DeckReader::readParabolaPoints(double x[3], double y[3]) {
  static const Field xs[3] = {{1, 20, "x1"}, {21, 20, "x2"}, {41, 20, "x3"}};
  static const Field ys[3] = {{1, 20, "y1"}, {21, 20, "y2"}, {41, 20, "y3"}};
  std::string_view rec = record(60, "record of the three abscissae x1, x2, x3 (3F20.12)");
  for (int k = 0; k < 3; ++k) x[k] = realField(rec, xs[k], 12);
  rec = record(60, "record of the three values y1, y2, y3 (3F20.12)");
  for (int k = 0; k < 3; ++k) y[k] = realField(rec, ys[k], 12);
}

Atom DeckReader::readAtom(int a) {
  std::string what = "record of atom " + std::to_string(a) + " (zn, x, y, z in 4F10.6)";
  std::string_view rec = record(40, what.c_str());
  if (a >= 1 && a <= kMaxAtoms) atomLines_[a - 1] = records_.lineNumber();
  Atom atom;
  atom.zn = realField(rec, {1, 10, "zn"}, 6);
  atom.x = realField(rec, {11, 10, "x"}, 6);
  atom.y = realField(rec, {21, 10, "y"}, 6);
  atom.z = realField(rec, {31, 10, "z"}, 6);
  return atom;
}

Sphere DeckReader::readSphere(int s) {
  std::string what = "record of sphere " + std::to_string(s) + " (alpha in F20.14, x, y, z in 3F10.6)";
  std::string_view rec = record(50, what.c_str());
  Sphere sphere;
  sphere.alpha = realField(rec, {1, 20, "alpha"}, 14);  // the integrals take roots of it
  sphere.x = realField(rec, {21, 10, "x"}, 6);
  sphere.y = realField(rec, {31, 10, "y"}, 6);
  sphere.z = realField(rec, {41, 10, "z"}, 6);
  if (!(sphere.alpha > 0))
    fail("columns 1-20 (alpha): the exponent of sphere " + std::to_string(s) + " must be positive, found " +
         quoted(rec.substr(0, 20)));
  return sphere;
}

void DeckReader::checkCapacities(const DeckParameters& deck) const {
  auto refuse = [&](const std::string& field, const std::string& what) {
    failAt(firstRecordLine_, field + ": " + what);
  };
  if (deck.nat > kMaxAtoms)
    refuse(columns(61, 3) + " (nat)", "at most 10 atoms, found " + std::to_string(deck.nat));
  if (deck.nbs < 1)
    refuse(columns(64, 3) + " (nbs)", "at least 1 sphere is needed, found " + std::to_string(deck.nbs));
  if (deck.nbs > kMaxSpheres)
    refuse(columns(64, 3) + " (nbs)", "at most 20 spheres, found " + std::to_string(deck.nbs));
  if (deck.nel / 2 > kMaxSpheres)
    refuse(columns(67, 3) + " (nel)", "at most 41 electrons (20 doubly occupied orbitals), found " +
                                          std::to_string(deck.nel));
}

void DeckReader::checkAtomPositions(const EngineData& data) const {
  for (int a = 1; a <= data.deck.nat; ++a)
    for (int b = a + 1; b <= data.deck.nat; ++b) {
      const Atom& p = data.atom(a);
      const Atom& q = data.atom(b);
      if (p.x == q.x && p.y == q.y && p.z == q.z)
        failAt(atomLines_[b - 1], columns(11, 30) + " (x, y, z): atom " + std::to_string(b) +
                                      " stands at the position of atom " + std::to_string(a) + " (line " +
                                      std::to_string(atomLines_[a - 1]) +
                                      "); two nuclei cannot coincide in a molecule (iop >= 2)");
    }
}

}  // namespace scf1s

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "field_format.h"

namespace scf1s {

class Layout;

// A layout's items flattened into one array for the report writer: a group
// is a step followed by the steps of its items, and records how many those
// are, so a write walks one array instead of nested vectors. The columns of
// nX items go with the text or value item that follows them (a Skip step is
// left only where none follows), and each value item carries the put
// function chosen for its field. The texts are kept together in one string
// that the steps point into.
struct LayoutStep {
  enum class Kind : std::uint8_t { Text, Skip, NewLine, Integer, Real, Chars, Group };
  Kind kind = Kind::Text;
  int repeat = 1;         // value items and groups
  int width = 0;          // w of Iw, Fw.d, Aw
  int decimals = 0;       // d of Fw.d
  std::size_t skip = 0;   // columns moved over before the step
  std::size_t first = 0;  // Text: its first character in the texts
  std::size_t size = 0;   // Text: its length; Group: how many steps its items take
  IntegerFields integerFields = nullptr;
  RealFields realFields = nullptr;
};

class LayoutSteps {
 public:
  LayoutSteps() = default;
  // From the parsed items of the layout.
  explicit LayoutSteps(const Layout& layout);

  const std::vector<LayoutStep>& steps() const { return steps_; }
  std::string_view textOf(const LayoutStep& s) const { return std::string_view(texts_).substr(s.first, s.size); }
  // The step of the layout's reversion point (0 when the layout is empty).
  std::size_t reversionStep() const { return reversionStep_; }

 private:
  std::vector<LayoutStep> steps_;
  std::string texts_;
  std::size_t reversionStep_ = 0;
};

}  // namespace scf1s

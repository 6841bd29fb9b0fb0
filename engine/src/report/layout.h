#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "layout_steps.h"

namespace scf1s {

// A record layout in edit-descriptor notation, for example
//   1X, "atom(", I2, ")   zn=", F4.1, 2(F10.6, ","), /
// Items: "text" (a doubled quote stands for one quote), nX, Iw, Fw.d, Aw, /,
// n( ... ); a repeat count may also stand before I, F and A (6F11.6).
// Commas separate items; next to a "/" they may be left out.
// The text is parsed once, when the layout is constructed; a malformed
// layout throws std::invalid_argument naming the fault and its column.
class Layout {
 public:
  struct Item {
    enum class Kind { Text, Skip, Integer, Real, Chars, NewLine, Group };
    Kind kind = Kind::Text;
    int repeat = 1;  // repeat count of a descriptor or a group
    int width = 0;   // w of Iw, Fw.d, Aw; n of nX
    int decimals = 0;  // d of Fw.d
    std::string text;  // Text
    std::vector<Item> items;  // Group
  };

  explicit Layout(std::string_view notation);

  const std::vector<Item>& items() const { return items_; }
  const std::string& notation() const { return notation_; }
  // Index of the last top-level group, where a write that still has values
  // at the end of the layout starts again; 0 when there is no group.
  std::size_t reversionPoint() const { return reversion_; }
  bool takesValues() const { return valuesPerPass_ > 0; }
  // How many values one pass through the whole layout takes (saturating).
  std::size_t valuesPerPass() const { return valuesPerPass_; }
  // Whether the part from the reversion point on takes any value; if not, a
  // write with more values than one pass takes could never finish.
  bool reversionTakesValues() const { return reversionTakesValues_; }
  // The items flattened for the report writer.
  const LayoutSteps& steps() const { return steps_; }

 private:
  std::string notation_;
  std::vector<Item> items_;
  std::size_t reversion_ = 0;
  std::size_t valuesPerPass_ = 0;
  bool reversionTakesValues_ = false;
  LayoutSteps steps_;
};

}  // namespace scf1s

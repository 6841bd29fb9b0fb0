#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scf1s {

// A record layout in edit-descriptor notation, for example
//   1X, "atom(", I2, ")   zn=", F4.1, 2(F10.6, ","), /
// Items: "text" (a doubled quote stands for one quote), nX, Iw, Fw.d, Aw, /,
// n( ... ); a repeat count may also stand before I, F and A (6F11.6).
// The text is parsed once, when the layout is constructed.
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
  // Index of the last top-level group, where a write that still has values
  // at the end of the layout starts again; 0 when there is no group.
  std::size_t reversionPoint() const { return reversion_; }
  bool takesValues() const { return takesValues_; }

 private:
  std::vector<Item> items_;
  std::size_t reversion_ = 0;
  bool takesValues_ = false;
};

}  // namespace scf1s

#pragma once

#include <string_view>
#include <variant>

namespace scf1s {

// One value of a write: an Iw, an Fw.d or an Aw item takes it.
using Value = std::variant<int, double, std::string_view>;

}  // namespace scf1s

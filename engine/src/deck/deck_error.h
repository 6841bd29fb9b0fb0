#pragma once

#include <stdexcept>
#include <string>

namespace scf1s {

// A failure that ends a run: the deck cannot be read, or it asks for what the
// engine cannot do. The message names the file, the line and the field.
class DeckError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace scf1s

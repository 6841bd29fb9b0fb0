#include "layout.h"

#include <cctype>
#include <stdexcept>

namespace scf1s {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  std::vector<Layout::Item> list(bool nested) {
    std::vector<Layout::Item> items;
    skipBlanks();
    if (atEnd() || (nested && peek() == ')')) return items;
    for (;;) {
      items.push_back(item());
      skipBlanks();
      if (atEnd()) {
        if (nested) fail("missing ')'");
        return items;
      }
      if (peek() == ')') {
        if (!nested) fail("unexpected ')'");
        return items;
      }
      if (peek() == ',') {
        ++pos_;
        continue;
      }
      // A slash needs no comma on either side.
      if (peek() == '/' || items.back().kind == Layout::Item::Kind::NewLine) continue;
      fail("expected ','");
    }
  }

  bool done() {
    skipBlanks();
    return atEnd();
  }

 private:
  Layout::Item item() {
    using Kind = Layout::Item::Kind;
    skipBlanks();
    Layout::Item it;
    if (atEnd()) fail("item expected");
    if (peek() == '"') {
      it.kind = Kind::Text;
      it.text = quoted();
      return it;
    }
    if (peek() == '/') {
      ++pos_;
      it.kind = Kind::NewLine;
      return it;
    }
    int count = std::isdigit(static_cast<unsigned char>(peek())) ? number() : 0;
    if (atEnd()) fail("descriptor expected");
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s_[pos_++])));
    switch (c) {
      case 'X':
        it.kind = Kind::Skip;
        it.width = count > 0 ? count : 1;
        return it;
      case '(':
        it.kind = Kind::Group;
        it.repeat = count > 0 ? count : 1;
        it.items = list(true);
        ++pos_;  // ')'
        return it;
      case 'I':
        it.kind = Kind::Integer;
        break;
      case 'F':
        it.kind = Kind::Real;
        break;
      case 'A':
        it.kind = Kind::Chars;
        break;
      default:
        fail("unknown descriptor");
    }
    it.repeat = count > 0 ? count : 1;
    it.width = number();
    if (it.kind == Kind::Real) {
      if (atEnd() || peek() != '.') fail("Fw.d needs '.d'");
      ++pos_;
      it.decimals = number();
    }
    if (it.width <= 0) fail("field width must be positive");
    return it;
  }

  std::string quoted() {
    std::string out;
    ++pos_;
    for (;;) {
      if (atEnd()) fail("unterminated text");
      char c = s_[pos_++];
      if (c == '"') {
        if (!atEnd() && peek() == '"') {
          out += '"';
          ++pos_;
          continue;
        }
        return out;
      }
      out += c;
    }
  }

  int number() {
    if (atEnd() || !std::isdigit(static_cast<unsigned char>(peek()))) fail("number expected");
    int n = 0;
    while (!atEnd() && std::isdigit(static_cast<unsigned char>(peek()))) {
      n = n * 10 + (s_[pos_++] - '0');
      if (n > 100000) fail("number too large");
    }
    return n;
  }

  void skipBlanks() {
    while (!atEnd() && (s_[pos_] == ' ' || s_[pos_] == '\n')) ++pos_;
  }
  bool atEnd() const { return pos_ >= s_.size(); }
  char peek() const { return s_[pos_]; }
  [[noreturn]] void fail(const char* what) const {
    throw std::invalid_argument("layout: " + std::string(what) + " at position " +
                                std::to_string(pos_) + " of: " + std::string(s_));
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

bool anyValueItem(const std::vector<Layout::Item>& items) {
  for (const auto& it : items) {
    using Kind = Layout::Item::Kind;
    if (it.kind == Kind::Integer || it.kind == Kind::Real || it.kind == Kind::Chars) return true;
    if (it.kind == Kind::Group && anyValueItem(it.items)) return true;
  }
  return false;
}

}  // namespace

Layout::Layout(std::string_view notation) {
  Parser p(notation);
  items_ = p.list(false);
  if (!p.done()) throw std::invalid_argument("layout: trailing characters in: " + std::string(notation));
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].kind == Item::Kind::Group) reversion_ = i;
  takesValues_ = anyValueItem(items_);
}

}  // namespace scf1s

#include "layout_steps.h"

#include "layout.h"

namespace scf1s {

namespace {

void addSteps(const Layout::Item& it, std::vector<LayoutStep>& steps, std::string& texts) {
  using Kind = Layout::Item::Kind;
  LayoutStep s;
  s.repeat = it.repeat;
  s.width = it.width;
  s.decimals = it.decimals;
  switch (it.kind) {
    case Kind::Text:
      s.kind = LayoutStep::Kind::Text;
      s.first = texts.size();
      s.size = it.text.size();
      texts += it.text;
      break;
    case Kind::Skip: s.kind = LayoutStep::Kind::Skip; break;
    case Kind::NewLine: s.kind = LayoutStep::Kind::NewLine; break;
    case Kind::Integer: s.kind = LayoutStep::Kind::Integer; break;
    case Kind::Real: s.kind = LayoutStep::Kind::Real; break;
    case Kind::Chars: s.kind = LayoutStep::Kind::Chars; break;
    case Kind::Group: s.kind = LayoutStep::Kind::Group; break;
  }
  const std::size_t at = steps.size();
  steps.push_back(s);
  if (it.kind == Kind::Group) {
    for (const Layout::Item& inner : it.items) addSteps(inner, steps, texts);
    steps[at].size = steps.size() - at - 1;
  }
}

}  // namespace

LayoutSteps::LayoutSteps(const Layout& layout) {
  const std::vector<Layout::Item>& items = layout.items();
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k == layout.reversionPoint()) reversionStep_ = steps_.size();
    addSteps(items[k], steps_, texts_);
  }
}

}  // namespace scf1s

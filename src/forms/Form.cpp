// The control table, the lookup and the entry cycle shared by every form.
#include "forms/Form.h"

namespace kolmira {

namespace {

// The caption without the '&' that marks its accelerator letter.
bool CaptionIs(std::string_view caption, std::string_view name) {
  std::size_t i = 0;
  for (char c : caption) {
    if (c == '&') continue;
    if (i >= name.size() || name[i] != c) return false;
    ++i;
  }
  return i == name.size();
}

bool HasAlias(std::string_view aliases, std::string_view name) {
  while (!aliases.empty()) {
    const std::size_t bar = aliases.find('|');
    if (aliases.substr(0, bar) == name) return true;
    if (bar == std::string_view::npos) break;
    aliases.remove_prefix(bar + 1);
  }
  return false;
}

// Controls the user can click are found by their caption as well.
bool NamedByCaption(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::Option ||
         kind == ControlKind::CheckBox || kind == ControlKind::Tab || kind == ControlKind::Group;
}

}  // namespace

Form::Form(GearPair& g, std::string_view name, std::span<const ControlInfo> controls)
    : g_(g), name_(name), infos_(controls), states_(controls.size()) {
  for (std::size_t i = 1; i < controls.size(); ++i) {
    if (controls[i].kind != ControlKind::Field) states_[i].text = controls[i].caption;
  }
}

std::optional<int> Form::Find(std::string_view name) const {
  if (name.empty()) return 0;
  const int count = ControlCount();
  for (int i = 1; i < count; ++i) {
    if (infos_[i].name == name) return i;
  }
  // A caption names its control unless another control shares it (the
  // same options of pinion and wheel).
  int byCaption = 0, captions = 0;
  for (int i = 1; i < count; ++i) {
    if (NamedByCaption(infos_[i].kind) && !infos_[i].caption.empty() &&
        CaptionIs(infos_[i].caption, name)) {
      byCaption = i;
      ++captions;
    }
  }
  if (captions == 1) return byCaption;
  for (int i = 1; i < count; ++i) {
    if (HasAlias(infos_[i].aliases, name)) return i;
  }
  return std::nullopt;
}

std::optional<ControlState> Form::control(std::string_view name) const {
  const auto i = Find(name);
  if (!i || *i == 0) return std::nullopt;
  return StateOf(*i);
}

std::vector<std::pair<std::string, ControlState>> Form::Controls() const {
  std::vector<std::pair<std::string, ControlState>> all;
  all.reserve(infos_.size());
  for (int i = 1; i < ControlCount(); ++i)
    all.emplace_back(std::string(infos_[i].name), StateOf(i));
  return all;
}

// ---------------------------------------------------------------------------
// Events

bool Form::Focus(std::string_view name) {
  lastEntryRefused_ = false;
  const auto i = Find(name);
  if (!i || (*i != 0 && !Focusable(*i))) return false;
  MoveFocus(*i);
  return true;
}

bool Form::Type(std::string_view name, std::string value) {
  lastEntryRefused_ = false;
  const auto i = Find(name);
  if (!i || *i == 0 || !IsField(*i) || !Typable(*i)) return false;
  MoveFocus(*i);
  if (focus_ != *i) return false;  // the field that had the focus refused its text
  SetText(*i, std::move(value));
  return true;
}

void Form::BeginPress(std::string_view name) {
  const auto i = Find(name);
  if (i && *i != 0) OnBeginPress(*i);
}

bool Form::Press(std::string_view name) {
  lastEntryRefused_ = false;
  const auto i = Find(name);
  if (!i || *i == 0 || !Pressable(*i)) return false;
  if (!Clickable(*i)) return true;
  if (TakesFocus(*i)) {
    MoveFocus(*i);
    if (lastEntryRefused_) return true;  // the refusal swallows the click
  }
  Click(*i);
  return true;
}

bool Form::PressFocus(std::string_view name) {
  lastEntryRefused_ = false;
  const auto i = Find(name);
  if (!i || *i == 0 || !Pressable(*i)) return false;
  if (Clickable(*i) && TakesFocus(*i)) MoveFocus(*i);
  return true;
}

bool Form::MoveFocus(int target) {
  if (target == focus_) return true;
  lastEntryRefused_ = false;
  const int from = focus_;
  if (IsField(from)) {
    LeaveField(from);
    // Refused, or the exit handler sent the focus elsewhere itself.
    if (lastEntryRefused_ || focus_ != from) return false;
  }
  focus_ = target;
  FocusMoved(from, target);
  if (focus_ != target) return false;
  if (IsField(target)) EnterField(target);
  return true;
}

// ---------------------------------------------------------------------------
// Defaults of the rules

bool Form::Focusable(int /*index*/) const {
  return true;
}

bool Form::Typable(int index) const {
  const ControlState s = StateOf(index);
  return visible() && s.visible && s.enabled && !s.readOnly;
}

bool Form::Pressable(int index) const {
  const ControlKind kind = infos_[index].kind;
  if (kind != ControlKind::Button && kind != ControlKind::Option && kind != ControlKind::CheckBox &&
      kind != ControlKind::Tab) {
    return false;
  }
  const ControlState s = StateOf(index);
  return s.visible && s.enabled;
}

void Form::RestorePair(const GearPair& before) {
  std::vector<Message> queued = std::move(g_.messages);
  g_ = before;
  g_.messages = std::move(queued);
}

void Form::Refuse(int field, std::string title, std::string message) {
  g_.Queue(std::move(title), std::move(message));
  lastEntryRefused_ = true;
  focus_ = field;  // the focus stays in the field
}

}  // namespace kolmira

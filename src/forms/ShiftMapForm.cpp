// The shift map window: when its map is computed anew, what the mouse reads
// from it, and what a click types.
#include "forms/ShiftMapForm.h"

#include <cmath>

#include "engine/InputBounds.h"
#include "files/InputFile.h"
#include "forms/MainForm.h"
#include "forms/ShiftMapJob.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

using C = ShiftMapForm::Item;

// clang-format off
constexpr ControlInfo kControls[] = {
    {"", ControlKind::Label},
    {"Plot", ControlKind::Picture, "", "mapa"},
    {"Status", ControlKind::Label, "", "stav"},
    {"OkBtn", ControlKind::Button, "&Zpět", "zpet"},
    {"HelpBtn", ControlKind::Button, "&Help", "help"},
    {"X1Min", ControlKind::Field, "x1 od", "x1-od"},
    {"X1Max", ControlKind::Field, "do", "x1-do"},
    {"X2Min", ControlKind::Field, "x2 od", "x2-od"},
    {"X2Max", ControlKind::Field, "do", "x2-do"},
    {"RangeBtn", ControlKind::Button, "&Rozsah", "rozsah"},
    {"DefaultRangeBtn", ControlKind::Button, "&Výchozí rozsah", "vychozi-rozsah"},
};
// clang-format on

// The shifts as the status line reads them, and as the shift fields show
// them (8 columns, 6 decimals).
std::string StatusNumber(double v) {
  return FormatFixed(v + 0.0, 1, 4);
}
std::string FieldNumber(double v) {
  return FormatFixed(v + 0.0, 8, 6);
}

double Rounded(double v) {
  // Steps per unit, a whole number: divided by it, 236 steps are the very
  // number the field reads back from "0.236000" (236 times the step is not).
  const double steps = std::round(1.0 / kMapClickStep);
  return std::round(v * steps) / steps + 0.0;
}

// A report line in the status line: its blank runs (left for symbols and
// for right-justified numbers) read as one blank.
std::string OneLine(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const bool blank = c == ' ' || c == '\r' || c == '\n';
    if (blank && (out.empty() || out.back() == ' ')) continue;
    out += blank ? ' ' : c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace

std::string ShiftMapKey(const GearPair& pair) {
  GearPair g = pair;
  const ShiftMapShape shape = ShapeOf(pair);
  // What typing x1 or x2 sets: the shifts (but for the rack's, which no
  // click types), the sum they make unless it is kept, the field typed
  // last, the working angle and centre distance that follow the sum
  // (unless the backlash is made by moving the gears apart, whose centre
  // distance stays as entered), the tip shortening, and the tip diameters
  // computed from the shifts (a bevel pair computes them always).
  g.x1 = 0.0;
  if (shape != ShiftMapShape::RackLine) g.x2 = 0.0;
  g.xSum = 0.0;
  g.geometryReady = 0;
  g.shiftNotDistributed = false;
  if (!g.jnByApart) {
    g.aw = 0.0;
    g.alphaWtDeg = 0.0;
  }
  g.kStar = 0.0;
  const bool bevel = g.gearType == GearType::Bevel;
  if (!g.da1Given || bevel) g.da1 = 0.0;
  if (!g.da2Given || bevel) g.da2 = 0.0;
  std::string key = CheckedInputsText(g);
  // A line keeps its shift sum: the map is the line of that sum. Six
  // decimals are what the shift fields show and type.
  if (shape == ShiftMapShape::SumLine) key += "sum " + FormatFixed(LineSum(pair), 1, 6);
  return key;
}

ShiftMapForm::ShiftMapForm(GearPair& g, ShiftMapJob& job) : Form(g, "Mapa", kControls), job_(job) {}

void ShiftMapForm::Show() {
  shown_ = true;
  focus_ = I(C::Plot);
  Follow();
}

void ShiftMapForm::Follow() {
  if (!shown_) return;
  // The same inputs keep their map; one left unfinished (the window was
  // hidden while it was computed) is computed again.
  const bool unfinished = !job_.finished() && (stopped_ || !job_.busy());
  if (ShiftMapKey(g_) != key_ || unfinished) StartMap();
}

// A hidden window needs no map: the one being computed stops.
void ShiftMapForm::Hide() {
  shown_ = false;
  if (job_.busy()) {
    job_.Stop();
    stopped_ = true;
  }
}

// The range is the pair's as it stood when its inputs were first mapped,
// and stays with the map: a click moves the shifts inside it, not the map
// under them.
void ShiftMapForm::StartMap() {
  const std::string key = ShiftMapKey(g_);
  if (key != key_) {
    key_ = key;
    mapPair_ = g_;
    mapPair_.messages.clear();
    scene_.reset();
  }
  stopped_ = false;
  ++started_;
  const ShiftMapRange range = userRange_ ? *userRange_ : DefaultShiftMapRange(mapPair_);
  job_.Start(mapPair_, range);
  if (!scene_) SetStatus(kMapComputingText);
  ShowRange(range);
}

// The range fields show the range mapped; a line map has no x2 range.
void ShiftMapForm::ShowRange(const ShiftMapRange& range) {
  const bool plane = ShapeOf(mapPair_) == ShiftMapShape::Plane;
  const std::pair<C, double> fields[] = {{C::X1Min, range.x1Min},
                                         {C::X1Max, range.x1Max},
                                         {C::X2Min, range.x2Min},
                                         {C::X2Max, range.x2Max}};
  for (const auto& [field, value] : fields) {
    text(I(field)) = FormatFixed(value + 0.0, 1, 4);
    if (field == C::X2Min || field == C::X2Max) state(I(field)).visible = plane;
  }
}

// "&Rozsah": the map over the range typed, kept for the inputs that follow
// until "&Výchozí rozsah". Each bound within the shift fields' own bounds,
// each minimum below its maximum.
void ShiftMapForm::ApplyRange() {
  const bool plane = ShapeOf(mapPair_) == ShiftMapShape::Plane;
  double v[4] = {};
  const C fields[] = {C::X1Min, C::X1Max, C::X2Min, C::X2Max};
  for (int i = 0; i < (plane ? 4 : 2); ++i) {
    const std::optional<double> number = ParseNumber(text(I(fields[i])));
    const bool below = i % 2 == 1 && number && *number <= v[i - 1];
    if (!number || *number < kMapRangeMin || *number > kMapRangeMax || below) {
      Refuse(I(fields[i]), kErrorTitle, kMapRangeRefused);
      return;
    }
    v[i] = *number;
  }
  // A line's range keeps the default x2 range, for a pair that becomes a
  // plane later.
  ShiftMapRange range = DefaultShiftMapRange(mapPair_);
  range.x1Min = v[0];
  range.x1Max = v[1];
  if (plane) {
    range.x2Min = v[2];
    range.x2Max = v[3];
  }
  userRange_ = range;
  scene_.reset();
  StartMap();
}

bool ShiftMapForm::Poll() {
  std::optional<ShiftMapScene> scene = job_.TakeScene();
  if (!scene) return false;
  const bool first = !scene_;
  scene_ = std::move(scene);
  if (first) SetStatus("");
  return true;
}

bool ShiftMapForm::computing() const {
  return job_.busy();
}

std::optional<MapXY> ShiftMapForm::CurrentMark() const {
  if (!scene_ || ShapeOf(g_) != scene_->shape) return std::nullopt;
  if (!std::isfinite(g_.x1) || !std::isfinite(g_.x2)) return std::nullopt;
  if (scene_->shape == ShiftMapShape::Plane) return MapXY{g_.x1, g_.x2};
  return MapXY{g_.x1, 0.0};
}

bool ShiftMapForm::InPlot(double x, double y) const {
  if (!scene_ || !std::isfinite(x) || !std::isfinite(y)) return false;
  return x >= scene_->xMin && x <= scene_->xMax && y >= scene_->yMin && y <= scene_->yMax;
}

std::optional<MapEntry> ShiftMapForm::EntryAt(double x, double y) const {
  if (!InPlot(x, y)) return std::nullopt;
  MapEntry e;
  e.x1 = Rounded(x);
  e.x1Text = FieldNumber(e.x1);
  switch (scene_->shape) {
    case ShiftMapShape::Plane:
      e.x2 = Rounded(y);
      e.x2Text = FieldNumber(e.x2);
      break;
    case ShiftMapShape::RackLine:
      // The rack keeps its own shift.
      e.x2 = mapPair_.x2;
      break;
    case ShiftMapShape::SumLine:
      e.x2 = LineSum(mapPair_) - e.x1 + 0.0;
      // A kept centre distance divides its sum by itself; a bevel pair's
      // wheel shift is typed to keep the sum as entered.
      if (!mapPair_.shiftDistributed) e.x2Text = FieldNumber(e.x2);
      break;
  }
  return e;
}

std::optional<std::string> ShiftMapForm::Refusal(const MapEntry& e) const {
  GearPair typed = g_;
  typed.x1 = e.x1;
  typed.x2 = e.x2;
  if (const auto refusal = FieldRefusal(typed, kPinionShiftField, e.x1)) return refusal;
  if (!e.x2Text.empty()) return FieldRefusal(typed, kWheelShiftField, e.x2);
  return std::nullopt;
}

bool ShiftMapForm::WheelShiftFirst(const MapEntry& e, std::string_view mainFocus) const {
  // Both shifts typed (a plane, a bevel pair's line): the order that
  // passes through shifts the main dialog takes.
  if (!scene_ || e.x2Text.empty()) return false;
  if (mainFocus == "Edit7" || mainFocus == "Edit8") return mainFocus == "Edit8";
  const auto checked = [&](double x1, double x2) {
    return ProbeShiftMap(mapPair_, ShiftMapShape::Plane, x1, x2).checked;
  };
  return !checked(e.x1, g_.x2) && checked(g_.x1, e.x2);
}

const std::string& ShiftMapForm::Hover(double x, double y) {
  const std::optional<MapEntry> e = EntryAt(x, y);
  if (!scene_) {
    SetStatus(kMapComputingText);
  } else if (!e) {
    SetStatus("");
  } else {
    // The check where a click would put the pair: at the rounded shifts.
    const double y2 = scene_->shape == ShiftMapShape::Plane ? e->x2 : y;
    const MapProbe probe = ProbeShiftMap(mapPair_, scene_->shape, e->x1, y2);
    std::string text = "x1 = " + StatusNumber(probe.x1) + "   x2 = " + StatusNumber(probe.x2);
    if (!probe.checked) {
      text += "   " + std::string(kMapUncheckedText);
    } else if (probe.findings.empty()) {
      text += "   " + std::string(kMapFaultlessText);
    } else {
      for (std::size_t i = 0; i < probe.findings.size(); ++i) {
        text += (i == 0 ? "   " : ";   ") + OneLine(probe.findings[i]);
      }
    }
    SetStatus(std::move(text));
  }
  return status();
}

void ShiftMapForm::HoverEnd() {
  SetStatus(scene_ ? "" : kMapComputingText);
}

void ShiftMapForm::SetStatus(std::string text) {
  state(C::Status).text = std::move(text);
}

void ShiftMapForm::Click(int index) {
  switch (static_cast<C>(index)) {
    case C::OkBtn:
      Hide();
      break;
    case C::HelpBtn:
      RequestHelp(kShiftMapHelpContext);
      break;
    case C::RangeBtn:
      ApplyRange();
      break;
    case C::DefaultRangeBtn:
      userRange_.reset();
      scene_.reset();
      StartMap();
      break;
    case C::None:
    case C::Plot:
    case C::Status:
    case C::X1Min:
    case C::X1Max:
    case C::X2Min:
    case C::X2Max:
      break;
  }
}

// Esc is "&Zpět"; F1 opens the map's help page.
void ShiftMapForm::OnKey(Key key) {
  if (key == Key::Escape) Hide();
  if (key == Key::F1) RequestHelp(kShiftMapHelpContext);
  // Enter in a range field applies the range.
  if (key == Key::Enter && IsField(focus_)) ApplyRange();
}

}  // namespace kolmira

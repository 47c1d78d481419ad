#include "forms/FieldMeaning.h"

#include <iterator>

#include "model/StateUnits.h"

namespace kolmira {

namespace {

struct Entry {
  std::string_view variable;
  std::string_view meaning;
};

// One line per variable; a field of the same variable in two dialogs (the
// backlash jn) means the same.
constexpr Entry kMeanings[] = {
    // The main dialog.
    {"mn", "normal module (bevel pair: outer transverse module)"},
    {"z1", "number of teeth of the pinion"},
    {"z2", "number of teeth of the wheel (negative: internal ring; 5000 and more: rack)"},
    {"betaDeg", "helix angle (bevel pair: mean spiral angle)"},
    {"b", "common face width"},
    {"xSum", "sum of the profile shift coefficients"},
    {"x1", "profile shift coefficient of the pinion"},
    {"x2", "profile shift coefficient of the wheel"},
    {"aw", "working centre distance"},
    {"alphaWtDeg", "working transverse pressure angle"},
    {"haP1Star", "addendum coefficient of the pinion's basic rack"},
    {"haP2Star", "addendum coefficient of the wheel's basic rack"},
    {"cP1Star", "bottom clearance coefficient of the pinion's basic rack"},
    {"cP2Star", "bottom clearance coefficient of the wheel's basic rack"},
    {"rhofP1Star", "root fillet radius coefficient of the pinion's basic rack"},
    {"rhofP2Star", "root fillet radius coefficient of the wheel's basic rack"},
    {"alphaPDeg", "profile angle of the basic rack"},
    {"da1", "tip diameter of the pinion"},
    {"da2", "tip diameter of the wheel"},
    {"SigmaDeg", "shaft angle of a bevel pair"},
    {"jn", "normal backlash (typed in the main dialog it opens the backlash dialog)"},
    // The backlash dialog.
    {"awJ", "centre distance with the backlash"},
    {"xSumBacklash", "sum of the profile shifts with the backlash"},
    // The rack tools.
    {"haP01Star", "addendum coefficient of the pinion's tool"},
    {"rhoaP01Star", "tip radius coefficient of the pinion's tool"},
    {"hFfP01Star", "height coefficient of the start of the pinion tool's chamfering edge"},
    {"alphaKP01Deg", "profile angle of the pinion tool's chamfering edge"},
    {"hFaP01Star", "height coefficient of the start of the pinion tool's protuberance"},
    {"prP01", "protuberance of the pinion's tool, normal to the flank"},
    {"haP02Star", "addendum coefficient of the wheel's tool"},
    {"rhoaP02Star", "tip radius coefficient of the wheel's tool"},
    {"hFfP02Star", "height coefficient of the start of the wheel tool's chamfering edge"},
    {"alphaKP02Deg", "profile angle of the wheel tool's chamfering edge"},
    {"hFaP02Star", "height coefficient of the start of the wheel tool's protuberance"},
    {"prP02", "protuberance of the wheel's tool, normal to the flank"},
    // The shaper cutter.
    {"z0", "number of teeth of the shaper cutter"},
    {"x0", "profile shift coefficient of the shaper cutter"},
    {"rhof0Star", "root radius coefficient of the shaper cutter"},
    {"rhoa0Star", "tip radius coefficient of the shaper cutter"},
    // The measurement tab.
    {"sc1", "chordal tooth thickness of the pinion"},
    {"hc1", "chordal height of the pinion"},
    {"sc2", "chordal tooth thickness of the wheel"},
    {"hc2", "chordal height of the wheel"},
    {"zw1", "number of teeth spanned on the pinion"},
    {"W1", "span over zw1 teeth of the pinion"},
    {"zw2", "number of teeth spanned on the wheel"},
    {"W2", "span over zw2 teeth of the wheel"},
    {"dt1", "ball diameter for the pinion"},
    {"M1", "dimension over balls of the pinion"},
    {"dt2", "ball diameter for the wheel"},
    {"M2", "dimension over (between) balls of the wheel"},
    {"dM1", "diameter where the ball touches the pinion's flank"},
    {"dM2", "diameter where the ball touches the wheel's flank"},
    // The identification tab: the measured wheel and the three methods'
    // parameters (0 chordal thickness, 1 span, 2 balls).
    {"scMeas", "measured chordal tooth thickness of the wheel"},
    {"hcMeas", "height under the tip at which the chord was measured"},
    {"zwMeas", "number of teeth spanned in the measured span"},
    {"WMeas", "measured span of the wheel"},
    {"DMeas", "diameter of the balls measured over"},
    {"MMeas", "measured dimension over (between) balls of the wheel"},
    {"mnId", "normal module of the method (estimate, or its result)"},
    {"alphaId", "normal profile angle of the method (estimate, or its result)"},
    {"betaId", "helix angle of the method (estimate, or its result)"},
    {"xId", "profile shift coefficient of the method (estimate, or its result)"},
};

// The identification fields name their method by a last digit.
std::string_view WithoutMethod(std::string_view variable) {
  if (variable.size() > 3 && variable.substr(variable.size() - 3, 2) == "Id") {
    return variable.substr(0, variable.size() - 1);
  }
  return variable;
}

}  // namespace

std::string_view FieldVariable(const ControlInfo& info) {
  return info.aliases.substr(0, info.aliases.find('|'));
}

std::optional<FieldMeaning> MeaningOfField(const Form& form, int index) {
  const ControlInfo& info = form.Info(index);
  if (info.kind != ControlKind::Field) return std::nullopt;
  const std::string_view variable = WithoutMethod(FieldVariable(info));
  for (const Entry& e : kMeanings) {
    if (e.variable != variable) continue;
    // A field shows its angle in degrees, whatever the state holds.
    const Unit unit = UnitOf(variable);
    return FieldMeaning{UnitName(unit == Unit::Radian ? Unit::Degree : unit), e.meaning};
  }
  return std::nullopt;
}

}  // namespace kolmira

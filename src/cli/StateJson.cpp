#include "cli/StateJson.h"

#include <algorithm>
#include <cmath>

#include "cli/HelpText.h"
#include "forms/IdentForm.h"
#include "model/StateUnits.h"
#include "report/Report.h"

namespace kolmira {

namespace {

using Json = nlohmann::ordered_json;

// The groups of the state's numbers and flags.
enum class Group { Inputs, Pinion, Wheel, Pair, Measurement, Identification, BySide };

constexpr const char* kGroupNames[] = {"inputs", "pinion",      "wheel",
                                       "pair",   "measurement", "identification"};

// A member of the computations belongs to the gear its last digit names
// (d1, haP01Star, saEff1t, c2); the others to the pair.
Group Side(std::string_view name) {
  if (name == "T1T2") return Group::Pair;
  const auto digit = name.find_last_of("0123456789");
  if (digit == std::string_view::npos) return Group::Pair;
  if (name[digit] == '1') return Group::Pinion;
  if (name[digit] == '2') return Group::Wheel;
  return Group::Pair;
}

class GroupedState {
 public:
  explicit GroupedState(const GearPair& g) {
#define KOLMIRA_NAME(name) names_.push_back(#name);
    KOLMIRA_STATE_ALL(KOLMIRA_NAME, KOLMIRA_NAME, KOLMIRA_NAME)
#undef KOLMIRA_NAME
    for (int i = 0; i < 6; ++i) {
      groups_[i] = Json::object();
      units_[i] = Json::object();
    }
    groups_[0]["gearType"] = g.gearType == GearType::External   ? "external"
                             : g.gearType == GearType::Internal ? "internal"
                                                                : "bevel";
#define KOLMIRA_R(name) Real(#name, g.name, group);
#define KOLMIRA_F(name) Flag(#name, g.name, group);
#define KOLMIRA_I(name) Real(#name, g.name, group);
    Group group = Group::Inputs;
    KOLMIRA_STATE_INPUTS(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    group = Group::BySide;
    KOLMIRA_STATE_GEOMETRY(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    KOLMIRA_STATE_BACKLASH(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    KOLMIRA_STATE_DIALOG(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    KOLMIRA_STATE_CHECK(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    KOLMIRA_STATE_TOOLS(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    KOLMIRA_STATE_CUTTER(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    group = Group::Measurement;
    KOLMIRA_STATE_MEASURE(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    group = Group::Identification;
    KOLMIRA_STATE_IDENT(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
    group = Group::Pair;
    KOLMIRA_STATE_TABLE(KOLMIRA_R, KOLMIRA_F, KOLMIRA_I)
#undef KOLMIRA_R
#undef KOLMIRA_F
#undef KOLMIRA_I
  }

  Json& group(Group g) {
    return groups_[static_cast<int>(g)];
  }
  Json& units(Group g) {
    return units_[static_cast<int>(g)];
  }
  bool Has(std::string_view name) const {
    return std::find(names_.begin(), names_.end(), name) != names_.end();
  }

  // A number under its name, an angle in radians in degrees under its
  // ...Deg name (skipped when the state has that twin already).
  void Real(std::string name, double value, Group g) {
    if (g == Group::BySide) g = Side(name);
    Unit unit = UnitOf(name);
    if (unit == Unit::Radian) {
      if (Has(name + "Deg")) return;
      name += "Deg";
      value *= kRadToDeg;
      unit = Unit::Degree;
    }
    group(g)[name] = value;
    units(g)[name] = UnitName(unit);
  }
  void Flag(const std::string& name, bool value, Group g) {
    group(g == Group::BySide ? Side(name) : g)[name] = value;
  }

 private:
  std::vector<std::string_view> names_;
  Json groups_[6];
  Json units_[6];
};

std::string_view MessageKind(const Message& m) {
  if (m.kind == Message::Kind::Beep) return "beep";
  if (m.title == kErrorTitle || m.title == kEnglishErrorTitle) return "error";
  if (m.title == kWarningTitle) return "warning";
  if (m.title == kInfoTitle) return "information";
  return "message";
}

std::string_view OutcomeName(IdentOutcome o) {
  switch (o) {
    case IdentOutcome::Solved:
      return "solved";
    case IdentOutcome::Blocked:
      return "blocked";
    case IdentOutcome::Unsolvable:
      return "unsolvable";
    case IdentOutcome::NoResult:
      return "noResult";
    case IdentOutcome::Failed:
      break;
  }
  return "failed";
}

Json Number(std::optional<double> v) {
  return v && std::isfinite(*v) ? Json(*v) : Json(nullptr);
}

}  // namespace

std::string_view MethodName(IdentMethod method) {
  return method == kMethodChordal ? "chordal" : method == kMethodSpan ? "span" : "balls";
}

std::string_view ParameterName(IdentParameter which) {
  switch (which) {
    case kIdentModule:
      return "module";
    case kIdentProfileAngle:
      return "profileAngle";
    case kIdentHelixAngle:
      return "helixAngle";
    case kIdentShift:
      break;
  }
  return "shift";
}

std::vector<IdentResult> IdentificationResults(const Workspace& ws) {
  std::vector<IdentResult> results;
  const GearPair& g = ws.pair();
  // Results of estimates renewed since are no results of this pair.
  if (g.identInputsChanged) return results;
  const IdentForm& tab = static_cast<const IdentForm&>(ws.form(Dialog::Ident));
  for (IdentMethod m : {kMethodChordal, kMethodSpan, kMethodBalls}) {
    const auto outcome = tab.lastRun(m);
    if (!outcome) continue;
    IdentResult r{m, tab.computed(m), *outcome, std::nullopt, std::nullopt, "1"};
    double value = 0.0, own = 0.0;
    switch (r.computed) {
      case kIdentModule:
        value = g.mnId[m], own = g.mn, r.unit = "mm";
        break;
      case kIdentProfileAngle:
        value = g.alphaId[m] * kRadToDeg, own = g.alphaPDeg, r.unit = "deg";
        break;
      case kIdentHelixAngle:
        value = g.betaId[m] * kRadToDeg, own = g.betaDeg, r.unit = "deg";
        break;
      case kIdentShift:
        value = g.xId[m], own = g.x2;
        break;
    }
    if (*outcome == IdentOutcome::Solved && std::isfinite(value)) {
      r.result = value;
      r.deviation = value - own;
    }
    results.push_back(r);
  }
  return results;
}

Json ControlsToJson(const Form& form, const std::string& prefix) {
  Json controls = Json::object();
  for (const auto& [name, s] : form.Controls()) {
    controls[prefix + name] = {{"text", s.text},
                               {"enabled", s.enabled},
                               {"visible", s.visible},
                               {"readOnly", s.readOnly},
                               {"checked", s.checked}};
  }
  return controls;
}

Json CheckDocument(const Workspace& ws, const DocumentParts& parts) {
  const GearPair& g = ws.pair();
  Json doc;
  doc["format"] = kCheckFormat;
  if (parts.file) doc["file"] = *parts.file;
  GroupedState state(g);
  auto put = [&](Group group) {
    Json& j = state.group(group);
    j["units"] = state.units(group);
    doc[kGroupNames[static_cast<int>(group)]] = j;
  };
  put(Group::Inputs);
  put(Group::Pinion);
  put(Group::Wheel);
  put(Group::Pair);

  if (parts.reportShown) {
    Json findings = Json::array();
    bool perfect = false;
    int line = 0;
    for (const ReportLine& l : ReportLines(g)) {
      ++line;
      if (l.kind == ReportLineKind::PerfectPair) {
        perfect = true;
        continue;
      }
      findings.push_back({{"line", line},
                          {"kind", l.kind == ReportLineKind::Error ? "error" : "warning"},
                          {"text", LineAsText(l)}});
    }
    doc["check"] = {{"findings", findings}, {"perfect", perfect}};
  } else {
    doc["check"] = nullptr;
  }
  put(Group::Measurement);

  // The identification: its scalars, then each method's estimates and, for
  // the methods that ran, what they computed.
  Json& ident = state.group(Group::Identification);
  Json& identUnits = state.units(Group::Identification);
  Json methods = Json::array();
  const auto results = IdentificationResults(ws);
  const IdentForm& tab = static_cast<const IdentForm&>(ws.form(Dialog::Ident));
  for (IdentMethod m : {kMethodChordal, kMethodSpan, kMethodBalls}) {
    Json method;
    method["method"] = MethodName(m);
    method["computes"] = ParameterName(tab.computed(m));
    method["mnId"] = g.mnId[m];
    method["alphaIdDeg"] = g.alphaId[m] * kRadToDeg;
    method["betaIdDeg"] = g.betaId[m] * kRadToDeg;
    method["xId"] = g.xId[m];
    method["alphaTIdDeg"] = g.alphaTId[m] * kRadToDeg;
    const auto r = std::find_if(results.begin(), results.end(),
                                [&](const IdentResult& x) { return x.method == m; });
    method["ran"] = r != results.end();
    method["outcome"] = r != results.end() ? Json(OutcomeName(r->outcome)) : Json(nullptr);
    method["result"] = r != results.end() ? Number(r->result) : Json(nullptr);
    method["deviation"] = r != results.end() ? Number(r->deviation) : Json(nullptr);
    method["resultUnit"] = UnitName(Unit::One);
    if (r != results.end()) method["resultUnit"] = r->unit;
    methods.push_back(method);
  }
  identUnits["mnId"] = "mm";
  identUnits["alphaIdDeg"] = "deg";
  identUnits["betaIdDeg"] = "deg";
  identUnits["xId"] = "1";
  identUnits["alphaTIdDeg"] = "deg";
  ident["used"] = !results.empty();
  ident["methods"] = methods;
  put(Group::Identification);

  Json messages = Json::array();
  if (parts.messages) {
    for (const Message& m : *parts.messages) {
      messages.push_back({{"title", m.title}, {"text", m.text}, {"kind", MessageKind(m)}});
    }
  }
  doc["messages"] = messages;
  if (parts.refused) {
    doc["refused"] = {{"control", parts.refused->control}, {"text", parts.refused->text}};
  }
  Json controls = ControlsToJson(ws.main(), "");
  for (Dialog d : kPrefixedDialogs) {
    const Form& form = ws.form(d);
    controls.update(ControlsToJson(form, std::string(form.Name()) + "."));
  }
  doc["controls"] = controls;
  return doc;
}

}  // namespace kolmira

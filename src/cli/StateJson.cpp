#include "cli/StateJson.h"

namespace kolmira {

nlohmann::ordered_json StateToJson(const GearPair& g) {
  nlohmann::ordered_json j;
  j["gearType"] = static_cast<int>(g.gearType);
#define KOLMIRA_JSON_REAL(name) j[#name] = g.name;
#define KOLMIRA_JSON_FLAG(name) j[#name] = g.name ? 1 : 0;
#define KOLMIRA_JSON_INT(name) j[#name] = g.name;
  KOLMIRA_STATE_ALL(KOLMIRA_JSON_REAL, KOLMIRA_JSON_FLAG, KOLMIRA_JSON_INT)
#undef KOLMIRA_JSON_REAL
#undef KOLMIRA_JSON_FLAG
#undef KOLMIRA_JSON_INT
  j["mnId"] = g.mnId;
  j["alphaId"] = g.alphaId;
  j["betaId"] = g.betaId;
  j["xId"] = g.xId;
  j["alphaTId"] = g.alphaTId;
  j["fieldTextOnEnter"] = g.fieldTextOnEnter;
  j["mainCaption"] = g.mainCaption;
  return j;
}

nlohmann::ordered_json MessagesToJson(const std::vector<Message>& messages) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Message& m : messages) {
    nlohmann::ordered_json item;
    if (m.kind == Message::Kind::Beep) {
      item["beep"] = true;
    } else {
      item["title"] = m.title;
      item["text"] = m.text;
    }
    list.push_back(item);
  }
  return list;
}

nlohmann::ordered_json ControlsToJson(const Form& form, const std::string& prefix) {
  nlohmann::ordered_json controls;
  for (const auto& [name, s] : form.Controls()) {
    controls[prefix + name] = {{"text", s.text},
                               {"enabled", s.enabled},
                               {"visible", s.visible},
                               {"readOnly", s.readOnly},
                               {"checked", s.checked}};
  }
  return controls;
}

nlohmann::ordered_json ReportToJson(const std::vector<ReportLine>& lines) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ReportLine& line : lines) {
    nlohmann::ordered_json symbols = nlohmann::ordered_json::array();
    for (const ReportSymbol& s : line.symbols) {
      symbols.push_back({{"symbol", s.text},
                         {"role", s.role == SymbolRole::GreekLetter      ? "greek"
                                  : s.role == SymbolRole::GreekSubscript ? "greekSubscript"
                                                                         : "subscript"},
                         {"x", s.x},
                         {"runBegin", s.runBegin},
                         {"runLength", s.runLength}});
    }
    list.push_back({{"kind", line.kind == ReportLineKind::PerfectPair ? "perfect"
                             : line.kind == ReportLineKind::Error     ? "error"
                                                                      : "warning"},
                    {"text", LineAsText(line)},
                    {"symbols", symbols}});
  }
  return list;
}

}  // namespace kolmira

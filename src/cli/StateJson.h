// The gear-pair state, the queued message boxes and the controls of a form
// as JSON, for kolmira-cli and its users.
#pragma once

#include <nlohmann/json.hpp>

#include "forms/Form.h"
#include "model/GearPair.h"
#include "report/Report.h"

namespace kolmira {

// Every number and flag of the state under its own name (flags as 0/1,
// angles as stored: radians with their ...Deg twins).
nlohmann::ordered_json StateToJson(const GearPair& g);
nlohmann::ordered_json MessagesToJson(const std::vector<Message>& messages);
// Every control of a form under its name, after a prefix ("Vule.").
nlohmann::ordered_json ControlsToJson(const Form& form, const std::string& prefix);
// The report lines: kind, text with its symbols placed, and the symbols.
nlohmann::ordered_json ReportToJson(const std::vector<ReportLine>& lines);

}  // namespace kolmira

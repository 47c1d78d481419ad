// The document kolmira-cli --json prints (format "kolmira-check/1", see
// docs/kolmira-check.schema.json), and the identification results that the
// text output shows too.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "engine/Identification.h"
#include "forms/Workspace.h"

namespace kolmira {

inline constexpr const char* kCheckFormat = "kolmira-check/1";

// An entry, press, load or check that stopped the script.
struct Refusal {
  std::string control;  // as the script named it ("mn", "Vule.jn", the file)
  std::string text;     // the message that refused it
};

// One method of the identification tab that ran since its estimates were
// last renewed.
struct IdentResult {
  IdentMethod method;
  IdentParameter computed;
  IdentOutcome outcome;
  std::optional<double> result;     // the computed parameter (angles in degrees)
  std::optional<double> deviation;  // result minus the pair's own value
  std::string_view unit;
};
std::vector<IdentResult> IdentificationResults(const Workspace& ws);
std::string_view MethodName(IdentMethod method);
std::string_view ParameterName(IdentParameter which);

struct DocumentParts {
  const std::vector<Message>* messages = nullptr;
  bool reportShown = false;  // the check's report is shown: its findings belong
  std::optional<Refusal> refused;
  std::optional<std::string> file;  // the input file, in a run over many
};
nlohmann::ordered_json CheckDocument(const Workspace& ws, const DocumentParts& parts);

// Every control of a form under its name, after a prefix ("Vule.").
nlohmann::ordered_json ControlsToJson(const Form& form, const std::string& prefix);

}  // namespace kolmira

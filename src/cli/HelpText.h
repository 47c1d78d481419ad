// The text of kolmira-cli --help, made from the forms' own control tables:
// every field with its names, unit and meaning, every button and option
// with its caption and alias, the dialog prefixes, the exit codes and
// examples. The man page is made from it (tools/help_to_man.py), so it keeps
// that tool's shape: headings at the left margin ending in ':', entries
// indented as "TERM  TEXT".
#pragma once

#include <string>
#include <string_view>

#include "forms/Workspace.h"

namespace kolmira {

// The dialogs and tabs reached with a prefix, in the order listed.
inline constexpr Dialog kPrefixedDialogs[] = {Dialog::Backlash, Dialog::RackTools,
                                              Dialog::ShaperCutter, Dialog::Measure, Dialog::Ident};

std::string HelpText(const Workspace& ws);

// A caption as the help lists it and a script presses it: without the '&'
// of its accelerator and without trailing blanks.
std::string CaptionAsListed(std::string_view caption);

}  // namespace kolmira

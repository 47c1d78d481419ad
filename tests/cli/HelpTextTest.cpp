// kolmira-cli --help lists every control a script can reach, from the
// forms' own tables, with a unit and a meaning for every typed field.
#include "cli/HelpText.h"

#include <gtest/gtest.h>

#include "forms/FieldMeaning.h"

namespace kolmira {
namespace {

bool Pressable(ControlKind k) {
  return k == ControlKind::Button || k == ControlKind::Option || k == ControlKind::CheckBox ||
         k == ControlKind::Tab;
}

TEST(HelpText, NamesEveryFieldAndButtonOfEveryForm) {
  const Workspace ws;
  const std::string help = HelpText(ws);
  int fields = 0, buttons = 0;
  for (Dialog d : {Dialog::Main, Dialog::Backlash, Dialog::RackTools, Dialog::ShaperCutter,
                   Dialog::Measure, Dialog::Ident}) {
    const Form& form = ws.form(d);
    const std::string prefix = d == Dialog::Main ? "" : std::string(form.Name()) + ".";
    if (d != Dialog::Main) {
      EXPECT_NE(help.find("\n  " + prefix + " "), std::string::npos) << prefix;
    }
    for (int i = 1; i < form.ControlCount(); ++i) {
      const ControlInfo& info = form.Info(i);
      const std::string name = prefix + std::string(info.name);
      if (info.kind == ControlKind::Field) {
        ++fields;
        EXPECT_NE(help.find(name), std::string::npos) << name;
        const std::string_view variable = FieldVariable(info);
        if (!variable.empty()) {
          EXPECT_NE(help.find(prefix + std::string(variable) + ","), std::string::npos) << variable;
          const auto meaning = MeaningOfField(form, i);
          ASSERT_TRUE(meaning) << name << " has no meaning";
          EXPECT_NE(
              help.find("[" + std::string(meaning->unit) + "] " + std::string(meaning->meaning)),
              std::string::npos)
              << name;
        }
      } else if (Pressable(info.kind)) {
        ++buttons;
        EXPECT_NE(help.find("control " + std::string(info.name)), std::string::npos) << name;
        const std::string caption = CaptionAsListed(info.caption);
        if (!caption.empty()) {
          EXPECT_NE(help.find("\"" + caption + "\""), std::string::npos) << caption;
        }
        const std::string_view alias = info.aliases.substr(0, info.aliases.find('|'));
        if (!alias.empty()) {
          EXPECT_NE(help.find("\n  " + prefix + std::string(alias) + " "), std::string::npos)
              << alias;
        }
      }
    }
  }
  // Every dialog took part: the six forms hold more than 70 fields and 60
  // buttons, options, check boxes and tabs between them.
  EXPECT_GT(fields, 70);
  EXPECT_GT(buttons, 60);
}

// The units of the fields: angles in degrees however the state holds them,
// lengths in millimetres, coefficients and counts plain.
TEST(HelpText, FieldUnits) {
  const Workspace ws;
  const struct {
    Dialog dialog;
    std::string_view field;
    std::string_view unit;
  } cases[] = {
      {Dialog::Main, "mn", "mm"},         {Dialog::Main, "z1", "1"},
      {Dialog::Main, "betaDeg", "deg"},   {Dialog::Main, "haP1Star", "1"},
      {Dialog::Main, "da2", "mm"},        {Dialog::Backlash, "xSumBacklash", "1"},
      {Dialog::RackTools, "prP02", "mm"}, {Dialog::RackTools, "alphaKP01Deg", "deg"},
      {Dialog::ShaperCutter, "z0", "1"},  {Dialog::Measure, "zw1", "1"},
      {Dialog::Measure, "W2", "mm"},      {Dialog::Ident, "alphaId1", "deg"},
      {Dialog::Ident, "mnId2", "mm"},     {Dialog::Ident, "xId0", "1"},
      {Dialog::Ident, "zwMeas", "1"},
  };
  for (const auto& c : cases) {
    const Form& form = ws.form(c.dialog);
    const auto index = form.Find(c.field);
    ASSERT_TRUE(index) << c.field;
    const auto meaning = MeaningOfField(form, *index);
    ASSERT_TRUE(meaning) << c.field;
    EXPECT_EQ(meaning->unit, c.unit) << c.field;
  }
}

}  // namespace
}  // namespace kolmira

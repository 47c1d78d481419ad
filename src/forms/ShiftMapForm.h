// Presentation model of the window "Mapa korekcí": the complete check of
// the current pair over the plane of the profile shifts (x1, x2), each
// finding line of the report a region (see report/ShiftMapScene.h), or
// along x1 alone for a pair with one free shift. The window opens from the
// report's "&Mapa korekcí" and stands beside the main dialog like the
// report; "&Zpět" and Esc hide it, "&Help" and F1 open its help page.
//
// The map is computed in the background (ShiftMapJob) from a copy of the
// pair, when the window shows and whenever an event changed an input the
// map depends on. Typing the shifts is no such change: a click on the map
// types them, the map stays and only its mark of the current shifts moves,
// which is drawn from the live pair. The front end polls (Poll) and
// repaints when a new map arrived.
//
// The mouse over the map reads the check at that point into the status
// line; a click types that point's shifts into the main dialog (the
// Workspace does the typing, see Workspace::ClickOnMap).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/ShiftMap.h"
#include "forms/Form.h"
#include "model/GearPair.h"
#include "report/ShiftMapScene.h"

namespace kolmira {

class ShiftMapJob;

inline constexpr const char* kShiftMapCaption = "Mapa korekcí";
// The report's button that opens the window.
inline constexpr const char* kShiftMapButton = "&Mapa korekcí";
inline constexpr int kShiftMapHelpContext = 16;
// The status line while no map has arrived yet.
inline constexpr const char* kMapComputingText = "Počítám…";
// A range typed for the map: within the bounds of the shift fields.
inline constexpr double kMapRangeMin = -15.0;
inline constexpr double kMapRangeMax = 8.0;
inline constexpr const char* kMapRangeRefused =
    "Meze mapy vol od -15 do 8, dolní mez menší než horní";

// The step a click rounds the shifts to: finer than any drawing of the map
// can be aimed, and what an engineer writes on a drawing.
inline constexpr double kMapClickStep = 0.001;

// The texts a click types into the main dialog: x1 into "Edit7", and x2
// into "Edit8" when the pair's wheel shift is typed too (empty when it
// follows x1 by itself or belongs to a rack).
struct MapEntry {
  double x1 = 0.0, x2 = 0.0;  // the rounded shifts of the point
  std::string x1Text;
  std::string x2Text;
};

// What identifies the map of a pair: the inputs of the check with the
// shifts, and what typing them moves, set aside. Two pairs with the same
// key have the same map; typing the shifts keeps it.
std::string ShiftMapKey(const GearPair& pair);

class ShiftMapForm : public Form {
 public:
  ShiftMapForm(GearPair& g, ShiftMapJob& job);

  // Names: "Plot", "Status", "OkBtn", "HelpBtn", the range fields "X1Min",
  // "X1Max", "X2Min", "X2Max" and buttons "RangeBtn", "DefaultRangeBtn",
  // the buttons' captions without '&', or "mapa", "stav", "zpet", "help",
  // "x1-od", "x1-do", "x2-od", "x2-do", "rozsah", "vychozi-rozsah".
  void Show() override;
  bool visible() const override { return shown_; }
  const char* caption() const { return kShiftMapCaption; }

  // After every event while the window shows: a new map when the inputs it
  // depends on changed.
  void Follow();
  // The front end's poll: takes a map that arrived. True when the window
  // has a new map to paint.
  bool Poll();
  // Whether a map is being computed, and the map shown (null while the
  // first one is computed).
  bool computing() const;
  const ShiftMapScene* scene() const { return scene_ ? &*scene_ : nullptr; }
  // The maps started since the form was made, and the key of the last.
  int started() const { return started_; }
  const std::string& key() const { return key_; }
  // The pair the map shown was computed from.
  const GearPair& mapPair() const { return mapPair_; }

  // The current shifts of the live pair where the map marks them: (x1, x2)
  // on a plane, x1 (y unused) on a line map. None without a map or when
  // the pair now has a map of another shape.
  std::optional<MapXY> CurrentMark() const;
  // Whether a point of the map's coordinates lies in its plot.
  bool InPlot(double x, double y) const;
  // The shifts a click at a point of the plot types; none outside the plot
  // or without a map.
  std::optional<MapEntry> EntryAt(double x, double y) const;
  // Whether x2 is typed before x1. A field that holds the main dialog's
  // focus (`mainFocus`: a refused shift keeps it) is typed over first, as
  // the user would, since leaving it any other way is refused again.
  // Otherwise: typed one after the other, the shifts pass through the pair
  // with one of them new, which the field leaving it takes only within the
  // shift sum's limits (and the report, where it is shown, checks): x2 goes
  // first when the pair with the new x1 and the old x2 is one the check
  // stops at and the pair with the old x1 and the new x2 is not.
  bool WheelShiftFirst(const MapEntry& entry, std::string_view mainFocus) const;
  // What the main dialog would answer to the point's shifts, typed into
  // the live pair: its refusal, if it refuses them.
  std::optional<std::string> Refusal(const MapEntry& entry) const;
  // The mouse over a point of the map: the status line reads the shifts a
  // click there types and what the check reports there. Returns it.
  const std::string& Hover(double x, double y);
  // The mouse left the plot.
  void HoverEnd();
  const std::string& status() const { return stored(I(Item::Status)).text; }

  // The range of the map: typed into the range fields and applied by
  // "&Rozsah" (or Enter in a field); "&Výchozí rozsah" returns to the
  // default range of each pair.
  const std::optional<ShiftMapRange>& userRange() const { return userRange_; }

  enum class Item : int {
    None, Plot, Status, OkBtn, HelpBtn,
    X1Min, X1Max, X2Min, X2Max, RangeBtn, DefaultRangeBtn
  };

 private:
  void LeaveField(int) override {}
  void Click(int index) override;
  void OnKey(Key key) override;
  void StartMap();
  void ShowRange(const ShiftMapRange& range);
  void ApplyRange();
  void Hide();
  void SetStatus(std::string text);

  ShiftMapJob& job_;
  bool shown_ = false;
  bool stopped_ = false;  // hidden while its map was computed
  int started_ = 0;
  std::string key_;
  GearPair mapPair_;
  std::optional<ShiftMapScene> scene_;
  std::optional<ShiftMapRange> userRange_;
};

}  // namespace kolmira

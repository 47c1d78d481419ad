// The backlash dialog's behaviour: the three ways of producing the
// backlash, the thinning and technology options, the exits of its three
// fields, and its write-back into the main dialog.
#include "forms/BacklashForm.h"

#include <cmath>

#include "engine/Backlash.h"
#include "engine/PairGeometry.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

using Item = BacklashForm::Item;

constexpr int kItemCount = static_cast<int>(Item::Count);

struct ItemInfo {
  const char* name;
  const char* caption;  // the caption without '&', or "" for a field or label
  const char* alias;    // ASCII alias, or the state variable of a field
};

constexpr ItemInfo kItems[kItemCount] = {
    {"None", "", ""},
    {"Edit1", "", "awJ"},
    {"Edit2", "", "xSumBacklash"},
    {"Edit3", "", "jn"},
    {"Label1", "", ""},
    {"Label2", "", ""},
    {"Label3", "", ""},
    {"Label5", "", ""},
    {"Label6", "", ""},
    {"RadioButton1", "Přímé zadání boční vůle", "prime"},
    {"RadioButton2", "Tvorba boční vůle korekcí (a   konst.)", "korekci"},
    {"RadioButton3", "Tvorba boční vůle odsunutím kol (x   konst.)", "odsunutim"},
    {"GroupBox1", "Přímé zadání", ""},
    {"RadioButton4", "Zeslabit obě kola stejně", "obe"},
    {"RadioButton5", "Zeslabit pouze pastorek", "pastorek"},
    {"RadioButton6", "Zeslabit pouze kolo", "kolo"},
    {"GroupBox2", "Technologie", ""},
    {"RadioButton7", "Zesílit frézu (včetně srážecí hrany a protuberance)", "frezu"},
    {"RadioButton8", "Zeslabit přebroušením evolventy", "prebrousenim"},
    {"Image1", "", ""},
    {"Image2", "", ""},
    {"OkButton", "Ok", "ok"},
    {"EscButton", "Esc", "esc"},
    {"HelpButton", "Help", "help"},
};

// Mode 2's caption: as designed, once the mode has been chosen outside
// rack mode, and for a rack (which has no centre distance to hold).
constexpr const char* kShiftCaptionDesigned = "Tvorba boční vůle korekcí (a   konst.)";
constexpr const char* kShiftCaptionChosen = "Tvorba boční vůle korekcí (a  konst.)";
constexpr const char* kShiftCaptionRack = "Tvorba boční vůle korekcí";

constexpr const char* kBacklashFormatError = "Chyba číselného formátu, opakuj zadání.";
constexpr const char* kShiftSumRange = "Součet korekcí vol v rozsahu od -15 do 10";
constexpr const char* kNoWorkingAngle =
    "Nemožná osová vzdálenost - neexistuje pracovní úhel záběru";

// The bounds of a shift sum, as in the main dialog's shift-sum field.
constexpr double kShiftSumMin = -15.0;
constexpr double kShiftSumMax = 10.0;

bool IsButton(Item c) {
  switch (c) {
    case Item::RadioButton1:
    case Item::RadioButton2:
    case Item::RadioButton3:
    case Item::RadioButton4:
    case Item::RadioButton5:
    case Item::RadioButton6:
    case Item::RadioButton7:
    case Item::RadioButton8:
    case Item::OkButton:
    case Item::EscButton:
    case Item::HelpButton:
      return true;
    default:
      return false;
  }
}

// The values a refused field exit must not leave behind.
struct Snapshot {
  double jn, awJ, alphaWtJ, alphaWt, alphaWtDeg, xSumBacklash, x1, x2, awNoBacklash,
      alphaWNoBacklash;
  bool shiftDistributed;

  static Snapshot Of(const GearPair& g) {
    return {g.jn, g.awJ, g.alphaWtJ,     g.alphaWt,          g.alphaWtDeg,      g.xSumBacklash,
            g.x1, g.x2,  g.awNoBacklash, g.alphaWNoBacklash, g.shiftDistributed};
  }
  void RestoreTo(GearPair& g) const {
    g.jn = jn;
    g.awJ = awJ;
    g.alphaWtJ = alphaWtJ;
    g.alphaWt = alphaWt;
    g.alphaWtDeg = alphaWtDeg;
    g.xSumBacklash = xSumBacklash;
    g.x1 = x1;
    g.x2 = x2;
    g.awNoBacklash = awNoBacklash;
    g.alphaWNoBacklash = alphaWNoBacklash;
    g.shiftDistributed = shiftDistributed;
  }
};

void DegenerateWorkingAngles(GearPair& g) {
  g.alphaWt = g.alphaWtJ = kPi / 2.0;
  g.alphaWtDeg = 90.0;
}

}  // namespace

std::string_view BacklashForm::ItemName(Item c) {
  const int i = static_cast<int>(c);
  if (i < 0 || i >= kItemCount) return "";
  return kItems[i].name;
}

std::optional<Item> BacklashForm::ItemByName(std::string_view name) {
  if (name.empty()) return std::nullopt;
  for (int i = 1; i < kItemCount; ++i) {
    const ItemInfo& info = kItems[i];
    if (name == info.name || name == info.caption || name == info.alias) {
      return static_cast<Item>(i);
    }
  }
  if (name == kShiftCaptionChosen || name == kShiftCaptionRack) return Item::RadioButton2;
  return std::nullopt;
}

BacklashForm::BacklashForm(GearPair& g, MainForm& main)
    : g_(g), main_(main), caption_(kBacklashCaption), shiftModeCaption_(kShiftCaptionDesigned) {
  for (int i = 1; i < kItemCount; ++i) controls_[i].text = kItems[i].caption;
  state(Item::Label1).text = "a";
  state(Item::Label2).text = "Σ";
  state(Item::Label3).text = "Σ";
  state(Item::Label5).text = "a   bez vůle =";
}

int BacklashForm::Mode() const {
  if (g_.backlashByShift) return 2;
  if (g_.jnByApart) return 3;
  return 1;
}

// ---------------------------------------------------------------------------
// Presentation

void BacklashForm::Present() {
  const int mode = Mode();
  const bool rack = g_.rackMode;
  state(Item::RadioButton1).checked = mode == 1;
  state(Item::RadioButton2).checked = mode == 2;
  state(Item::RadioButton3).checked = mode == 3;
  state(Item::RadioButton2).text = rack ? kShiftCaptionRack : shiftModeCaption_;
  state(Item::RadioButton4).checked = g_.thinBoth;
  state(Item::RadioButton5).checked = g_.thinPinion;
  state(Item::RadioButton6).checked = g_.thinWheel;
  state(Item::RadioButton7).checked = !g_.thinByGrinding;
  state(Item::RadioButton8).checked = g_.thinByGrinding;

  // The thinning options belong to direct entry only.
  const bool direct = mode == 1;
  for (Item c : {Item::GroupBox1, Item::RadioButton4, Item::RadioButton5, Item::RadioButton6,
                 Item::GroupBox2, Item::RadioButton7, Item::RadioButton8}) {
    state(c).visible = direct;
  }
  state(Item::Image1).visible = direct && !g_.thinByGrinding;
  state(Item::Image2).visible = direct && g_.thinByGrinding;

  // A rack has no centre distance: the first field is the rack's
  // displacement when the gears are moved apart, and hidden otherwise; the
  // shift sum is the pinion's shift x1.
  state(Item::Edit1).visible = state(Item::Label1).visible = !rack || mode == 3;
  state(Item::Label1).text = rack ? "Odsun" : "a";
  state(Item::Label5).visible = state(Item::Label6).visible = !rack;
  state(Item::Label2).text = state(Item::Label3).text = rack ? "1" : "Σ";

  // Each mode's own input; the backlash in every mode.
  state(Item::Edit1).enabled = mode == 3;
  state(Item::Edit2).enabled = mode == 2;
  state(Item::Edit3).enabled = true;
}

void BacklashForm::WriteFields() {
  const int mode = Mode();
  state(Item::Edit1).text = FormatFixed(mode == 3 ? g_.awJ : g_.aw, 8, 6);
  const double sum = mode == 2 ? g_.xSumBacklash : g_.rackMode ? g_.x1 : g_.xSum;
  state(Item::Edit2).text = FormatFixed(sum, 8, 6);
  state(Item::Edit3).text = FormatFixed(g_.jn, 4, 3);
  state(Item::Label6).text = g_.rackMode ? "" : FormatFixed(g_.awNoBacklash, 8, 6);
}

void BacklashForm::WriteMainFields() {
  const int mode = Mode();
  main_.WriteField(21);
  main_.WriteField(7);
  main_.WriteField(8);
  if (!g_.rackMode) {
    main_.mutableControl(Control::Edit6).text =
        FormatFixed(mode == 2 ? g_.xSumBacklash : g_.xSum, 8, 6);
    main_.mutableControl(Control::Edit9).text = FormatFixed(mode == 3 ? g_.awJ : g_.aw, 8, 6);
  }
  main_.ShowWorkingAngle();  // alphaWtJ while the gears are moved apart
}

void BacklashForm::Refresh() {
  Present();
  WriteFields();
  WriteMainFields();
  if (IsField(focused_)) textOnEnter_ = state(focused_).text;
}

std::vector<std::pair<std::string, ControlState>> BacklashForm::Controls() const {
  std::vector<std::pair<std::string, ControlState>> list;
  list.reserve(kItemCount - 1);
  for (int i = 1; i < kItemCount; ++i) list.emplace_back(kItems[i].name, controls_[i]);
  return list;
}

// ---------------------------------------------------------------------------
// Show and close

void BacklashForm::Show() {
  visible_ = true;
  cancelled_ = false;
  lastEntryRefused_ = false;
  result_ = Result::None;
  const std::size_t before = g_.messages.size();
  switch (Mode()) {
    case 1:
      AwNoBacklash(g_, g_.xSum);
      break;
    case 2: {
      // The backlash may have been typed anew in the main dialog since the
      // shift sum was made for it: the shift sum follows the backlash.
      ShiftSumFromBacklash(g_);
      if (auto refusal = ShiftSumRefusal(g_.xSumBacklash)) {
        g_.QueueError(*refusal);
      } else {
        ApplyShiftSumBacklash();
      }
      break;
    }
    case 3:
      if (!CentreDistanceFromBacklash(g_) && g_.messages.size() == before) {
        g_.QueueError(kNoWorkingAngle);
      }
      AwNoBacklash(g_, g_.xSum);
      break;
  }
  focused_ = Item::Edit3;
  Refresh();
  textOnEnter_ = state(Item::Edit3).text;
}

void BacklashForm::Close(Result result) {
  result_ = result;
  visible_ = false;
  focused_ = Item::None;
  main_.AfterBacklashDialog();
}

// ---------------------------------------------------------------------------
// Focus and the field exits

void BacklashForm::MoveFocus(Item c) {
  focused_ = c;
  if (IsField(c)) textOnEnter_ = state(c).text;
}

bool BacklashForm::Focus(std::string_view name) {
  Item target = Item::None;
  if (!name.empty()) {
    const auto item = ItemByName(name);
    if (!item || !(IsField(*item) || IsButton(*item))) return false;
    target = *item;
  }
  if (target == Item::EscButton) cancelled_ = true;
  if (target == focused_) return true;
  if (IsField(focused_)) {
    LeaveField(focused_);
    if (lastEntryRefused_) return true;
  }
  MoveFocus(target);
  return true;
}

bool BacklashForm::Type(std::string_view name, std::string text) {
  const auto item = ItemByName(name);
  if (!item || !IsField(*item)) return false;
  const ControlState& field = control(*item);
  if (!field.visible || !field.enabled) return false;
  Focus(ItemName(*item));
  if (focused_ != *item) return true;  // the field that had the focus refused its text
  state(*item).text = std::move(text);
  return true;
}

void BacklashForm::Refuse(Item field, const std::string& message) {
  g_.QueueError(message);
  lastEntryRefused_ = true;
  focused_ = field;  // the focus stays in the field
}

void BacklashForm::LeaveField(Item c) {
  lastEntryRefused_ = false;
  if (cancelled_ || !visible_) return;
  const std::string typed = state(c).text;
  if (typed == textOnEnter_) return;  // leaving an unchanged field does nothing
  const auto value = ParseNumber(typed);
  if (!value) {
    Refuse(c, c == Item::Edit3 ? kBacklashFormatError : kNumberFormatError);
    return;
  }
  bool accepted = false;
  switch (c) {
    case Item::Edit1:
      accepted = ExitCentreDistance(*value);
      break;
    case Item::Edit2:
      accepted = ExitShiftSum(*value);
      break;
    case Item::Edit3:
      accepted = ExitBacklash(*value);
      break;
    default:
      break;
  }
  if (!accepted) return;
  Refresh();  // also takes the rewritten text as the focused field's text on entry
}

bool BacklashForm::ExitCentreDistance(double value) {
  if (Mode() != 3) return true;
  const Snapshot before = Snapshot::Of(g_);
  const bool rack = g_.rackMode;
  const bool degenerate = IsDegeneratePair(g_);
  const auto refuse = [&](const char* message) {
    before.RestoreTo(g_);
    Refuse(Item::Edit1, message);
    return false;
  };
  g_.awJ = value;
  // A distance of the wrong sign is no position of the gears (the working
  // pressure angle would exceed 90 degrees).
  if (!rack && !degenerate && std::fabs(value) >= kCentreDistanceNotGiven) {
    if (g_.gearType == GearType::Internal && value > 0.0)
      return refuse("Pracovní osovou vzdálenost zadej zápornou");
    if (g_.gearType != GearType::Internal && value < 0.0) {
      return refuse("Pracovní osovou vzdálenost vol větší než 0");
    }
  }
  if (degenerate) DegenerateWorkingAngles(g_);
  if (!BacklashFromCentreDistance(g_)) return refuse(kNoWorkingAngle);
  // Moved together instead of apart: the teeth would jam.
  if (g_.jn < 0.0) return refuse(kBacklashNegative);
  // The bound of every backlash the program takes; it also keeps a distance
  // typed far off from yielding an endless backlash.
  if (!(g_.jn <= g_.mn)) return refuse(kBacklashAboveModule);
  if (!rack) AwNoBacklash(g_, g_.xSum);
  // The focus goes on to the next field, the backlash (a click elsewhere
  // takes it there instead).
  focused_ = Item::Edit3;
  return true;
}

std::optional<std::string> BacklashForm::ShiftSumRefusal(double xs) {
  const double xmez = BacklashShiftSumLimit(g_);
  const bool beyondLimit = g_.gearType == GearType::Internal ? xmez <= xs : xmez >= xs;
  if (beyondLimit) {
    return "Nemožný součet jednotkových korekcí x1+x2  (xmez= " + FormatFixed(xmez, 8, 6) + ")";
  }
  // A shift sum above the backlash-free one thickens the teeth: negative
  // backlash, for an internal pair as well as for an external one.
  if (xs > g_.xSum) {
    return "Nelze zadat součet jednotkových korekcí x1+x2 pro vytvoření záporné vůle  (xmin= " +
           FormatFixed(g_.xSum, 8, 5) + ")";
  }
  if (xs < kShiftSumMin || xs > kShiftSumMax) return std::string(kShiftSumRange);
  return std::nullopt;
}

// The shift sum with backlash is in place: for a rack it is the pinion's
// shift itself; otherwise x1 and x2 are to be divided from it.
void BacklashForm::ApplyShiftSumBacklash() {
  if (g_.rackMode) {
    g_.x1 = g_.xSumBacklash;
    g_.x2 = 0.0;
    g_.shiftDistributed = false;
    RackGeometry(g_);
    main_.ShowTipDiameters();
  } else {
    AwNoBacklash(g_, g_.xSumBacklash);
  }
}

bool BacklashForm::ExitShiftSum(double value) {
  if (Mode() != 2) return true;
  if (auto refusal = ShiftSumRefusal(value)) {
    Refuse(Item::Edit2, *refusal);
    return false;
  }
  g_.xSumBacklash = value;
  BacklashFromShiftSum(g_);
  ApplyShiftSumBacklash();
  if (!g_.rackMode) g_.shiftDistributed = true;
  return true;
}

bool BacklashForm::ExitBacklash(double value) {
  if (value < 0.0) {
    Refuse(Item::Edit3, kBacklashNegative);
    return false;
  }
  if (value > g_.mn) {
    Refuse(Item::Edit3, kBacklashAboveModule);
    return false;
  }
  const Snapshot before = Snapshot::Of(g_);
  g_.jn = value;
  if (IsDegeneratePair(g_)) DegenerateWorkingAngles(g_);
  const int mode = Mode();
  if (mode == 2) {
    ShiftSumFromBacklash(g_);
    // The backlash must leave a shift sum that the pair can have.
    if (auto refusal = ShiftSumRefusal(g_.xSumBacklash)) {
      before.RestoreTo(g_);
      Refuse(Item::Edit3, *refusal);
      return false;
    }
    ApplyShiftSumBacklash();
  } else if (mode == 3) {
    const std::size_t messages = g_.messages.size();
    if (!CentreDistanceFromBacklash(g_)) {
      before.RestoreTo(g_);
      if (g_.messages.size() == messages) {
        Refuse(Item::Edit3, kNoWorkingAngle);
      } else {
        lastEntryRefused_ = true;
        focused_ = Item::Edit3;
      }
      return false;
    }
    AwNoBacklash(g_, g_.xSum);
  }
  return true;
}

// ---------------------------------------------------------------------------
// Keys and buttons

void BacklashForm::PressEnter() {
  const Item at = focused_;
  if (!IsField(at)) return;
  LeaveField(at);
  if (lastEntryRefused_) return;
  if (focused_ != at) {  // the exit moved the focus on itself
    MoveFocus(focused_);
    return;
  }
  // The next field that takes text, then "Ok".
  Item next = Item::OkButton;
  for (Item c : {Item::Edit1, Item::Edit2, Item::Edit3}) {
    if (Index(c) > Index(at) && control(c).visible && control(c).enabled) {
      next = c;
      break;
    }
  }
  MoveFocus(next);
}

void BacklashForm::PressEscapeKey() {
  if (!visible_) return;
  main_.ZeroCommand();
  cancelled_ = true;
  Refresh();
  Close(Result::Cancel);
}

void BacklashForm::PressF1() {
  requests_.helpContext = kBacklashHelpContext;
}

bool BacklashForm::Press(std::string_view name) {
  const auto item = ItemByName(name);
  if (!item || !IsButton(*item)) return false;
  if (!control(*item).visible || !control(*item).enabled) return true;
  Focus(ItemName(*item));
  if (lastEntryRefused_) return true;
  switch (*item) {
    case Item::RadioButton1:
      ChooseMode(1);
      break;
    case Item::RadioButton2:
      ChooseMode(2);
      break;
    case Item::RadioButton3:
      ChooseMode(3);
      break;
    case Item::RadioButton4:
    case Item::RadioButton5:
    case Item::RadioButton6:
      ChooseThinning(*item);
      break;
    case Item::RadioButton7:
    case Item::RadioButton8:
      g_.thinByGrinding = *item == Item::RadioButton8;
      Present();
      break;
    case Item::OkButton:
      OkCommand();
      break;
    case Item::EscButton:
      cancelled_ = true;
      Close(Result::Cancel);
      break;
    case Item::HelpButton:
      requests_.helpContext = kBacklashHelpContext;
      break;
    default:
      break;
  }
  return true;
}

void BacklashForm::ChooseMode(int mode) {
  // Only a change of mode undoes what the previous one made; choosing the
  // current mode again keeps its backlash.
  const bool changed = mode != Mode();
  if (changed) {
    ResetToBacklashFree(g_);
    if (g_.rackMode) {
      RackGeometry(g_);
      main_.ShowTipDiameters();
    }
  }
  g_.backlashDirect = mode == 1;
  g_.backlashByShift = mode == 2;
  g_.jnByApart = mode == 3;
  const bool rack = g_.rackMode;
  switch (mode) {
    case 1:
      if (rack) g_.shiftDistributed = false;
      break;
    case 2:
      ShiftSumFromBacklash(g_);
      if (!rack) {
        AwNoBacklash(g_, g_.xSumBacklash);
        shiftModeCaption_ = kShiftCaptionChosen;
      }
      g_.shiftDistributed = !rack;
      break;
    case 3:
      BacklashFromCentreDistance(g_);
      if (!rack) AwNoBacklash(g_, g_.xSum);
      g_.shiftDistributed = !rack;
      break;
    default:
      break;
  }
  Refresh();
}

void BacklashForm::ChooseThinning(Item option) {
  g_.thinBoth = option == Item::RadioButton4;
  g_.thinPinion = option == Item::RadioButton5;
  g_.thinWheel = option == Item::RadioButton6;
  Present();
}

void BacklashForm::OkCommand() {
  // A pinion and rack has only x1, which the dialog has set itself: there
  // is no sum left to divide.
  const bool rack = g_.rackMode;
  switch (Mode()) {
    case 2:
      g_.geometryReady = 6;
      if (!rack) g_.shiftNotDistributed = true;
      break;
    case 3:
      g_.geometryReady = 7;
      if (!rack) {
        g_.shiftNotDistributed = true;
        g_.shiftDistributed = true;
      }
      break;
    default:
      break;
  }
  g_.inputsChanged = true;
  Close(Result::Ok);
}

}  // namespace kolmira

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

// clang-format off
constexpr ControlInfo kControls[] = {
    {"None", ControlKind::Label},
    {"Edit1", ControlKind::Field, "", "awJ"},
    {"Edit2", ControlKind::Field, "", "xSumBacklash"},
    {"Edit3", ControlKind::Field, "", "jn"},
    {"Label1", ControlKind::Label, "a"},
    {"Label2", ControlKind::Label, "Σ"},
    {"Label3", ControlKind::Label, "Σ"},
    {"Label5", ControlKind::Label, "a   bez vůle ="},
    {"Label6", ControlKind::Label},
    {"RadioButton1", ControlKind::Option, "Přímé zadání boční vůle", "prime"},
    // Mode 2's caption changes with the mode and the rack (see below).
    {"RadioButton2", ControlKind::Option, "Tvorba boční vůle korekcí (a   konst.)",
     "korekci|Tvorba boční vůle korekcí (a  konst.)|Tvorba boční vůle korekcí"},
    {"RadioButton3", ControlKind::Option, "Tvorba boční vůle odsunutím kol (x   konst.)", "odsunutim"},
    {"GroupBox1", ControlKind::Group, "Přímé zadání"},
    {"RadioButton4", ControlKind::Option, "Zeslabit obě kola stejně", "obe"},
    {"RadioButton5", ControlKind::Option, "Zeslabit pouze pastorek", "pastorek"},
    {"RadioButton6", ControlKind::Option, "Zeslabit pouze kolo", "kolo"},
    {"GroupBox2", ControlKind::Group, "Technologie"},
    {"RadioButton7", ControlKind::Option, "Zesílit frézu (včetně srážecí hrany a protuberance)", "frezu"},
    {"RadioButton8", ControlKind::Option, "Zeslabit přebroušením evolventy", "prebrousenim"},
    {"Image1", ControlKind::Picture},
    {"Image2", ControlKind::Picture},
    {"OkButton", ControlKind::Button, "Ok", "ok"},
    {"EscButton", ControlKind::Button, "Esc", "esc"},
    {"HelpButton", ControlKind::Button, "Help", "help"},
};
// clang-format on
static_assert(std::size(kControls) == static_cast<std::size_t>(Item::Count));

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

BacklashForm::BacklashForm(GearPair& g, MainForm& main)
    : Form(g, "Vule", kControls),
      main_(main),
      caption_(kBacklashCaption),
      shiftModeCaption_(kShiftCaptionDesigned) {}

bool BacklashForm::Focusable(int index) const {
  const ControlKind kind = Info(index).kind;
  return kind == ControlKind::Field || kind == ControlKind::Option || kind == ControlKind::Button;
}

// A field takes text while it is shown and enabled in the current mode.
bool BacklashForm::Typable(int index) const {
  return stored(index).visible && stored(index).enabled;
}

bool BacklashForm::Pressable(int index) const {
  const ControlKind kind = Info(index).kind;
  return kind == ControlKind::Option || kind == ControlKind::Button;
}

bool BacklashForm::Clickable(int index) const {
  return stored(index).visible && stored(index).enabled;
}

void BacklashForm::OnBeginPress(int index) {
  if (index == I(Item::EscButton)) cancelled_ = true;
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
    main_.ShowShiftSumAndCentreDistance(mode == 2 ? g_.xSumBacklash : g_.xSum,
                                        mode == 3 ? g_.awJ : g_.aw);
  }
  main_.ShowWorkingAngle();  // alphaWtJ while the gears are moved apart
}

void BacklashForm::Refresh() {
  Present();
  WriteFields();
  WriteMainFields();
  if (IsField(focus_)) textOnEntry_ = text(focus_);
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
  focus_ = I(Item::Edit3);
  Refresh();
  textOnEntry_ = text(Item::Edit3);
}

void BacklashForm::Close(Result result) {
  result_ = result;
  visible_ = false;
  focus_ = I(Item::None);
}

// ---------------------------------------------------------------------------
// Focus and the field exits

void BacklashForm::Refuse(Item field, const std::string& message) {
  Form::Refuse(I(field), kErrorTitle, message);
}

void BacklashForm::LeaveField(int field) {
  const auto c = static_cast<Item>(field);
  lastEntryRefused_ = false;
  if (cancelled_ || !visible_) return;
  const std::string typed = text(c);
  if (typed == textOnEntry_) return;  // leaving an unchanged field does nothing
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
        focus_ = I(Item::Edit3);
      }
      return false;
    }
    AwNoBacklash(g_, g_.xSum);
  }
  return true;
}

// ---------------------------------------------------------------------------
// Keys and buttons

void BacklashForm::OnKey(Key key) {
  switch (key) {
    case Key::Enter:
      PressEnter();
      break;
    case Key::Escape:
      PressEscapeKey();
      break;
    case Key::F1:
      RequestHelp(kBacklashHelpContext);
      break;
    case Key::Other:
      break;
  }
}

void BacklashForm::PressEnter() {
  const int at = focus_;
  if (!IsField(at)) return;
  LeaveField(at);
  if (lastEntryRefused_) return;
  // The next field that takes text, then "Ok".
  Item next = Item::OkButton;
  for (Item c : {Item::Edit1, Item::Edit2, Item::Edit3}) {
    if (I(c) > at && stored(c).visible && stored(c).enabled) {
      next = c;
      break;
    }
  }
  focus_ = I(next);
  if (IsField(focus_)) EnterField(focus_);
}

void BacklashForm::PressEscapeKey() {
  if (!visible_) return;
  main_.ZeroCommand();
  cancelled_ = true;
  Refresh();
  Close(Result::Cancel);
}

void BacklashForm::Click(int index) {
  switch (static_cast<Item>(index)) {
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
      ChooseThinning(static_cast<Item>(index));
      break;
    case Item::RadioButton7:
    case Item::RadioButton8:
      g_.thinByGrinding = index == I(Item::RadioButton8);
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
      RequestHelp(kBacklashHelpContext);
      break;
    default:
      break;
  }
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

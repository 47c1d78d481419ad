// Writing and reading the input file. One layout function lists the lines
// in their order with the conditions that make a line present; a writer and
// a reader walk it, so the two directions cannot drift apart: whatever the
// writer puts on line n is what the reader takes from line n.
#include "files/InputFile.h"

#include <climits>
#include <cmath>
#include <fstream>
#include <map>
#include <system_error>

#include "engine/InputBounds.h"
#include "engine/PairGeometry.h"
#include "model/NumberText.h"

namespace kolmira {

namespace fs = std::filesystem;

namespace {

constexpr const char* kRuleMarker = "---------------------------";
constexpr const char* kMeasureMarker = "Miry ozubeni-";
constexpr const char* kToolMarker = "Nastroj-";

// A pinion meshing with a rack is written as its own gear type; in the pair
// it is an external pair with rackMode set.
constexpr int kRackGearType = 4;

// Width and decimals of a real: 12 decimals keep every input to well below
// the last digit the dialogs show, and 14 columns hold the commonest values
// ("20.000000000000") without padding.
constexpr int kRealWidth = 14;
constexpr int kRealDecimals = 12;

// Counts and codes that the pair keeps as 16-bit values (span tooth counts,
// the number of the computational input accepted last).
constexpr long long kMaxCount = 65535;

// UTF-8 byte order mark that some editors put before the first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One direction of the file. The layout calls these for each line in order:
// a writer appends the value as its line, a reader replaces the value with
// the one its next line holds.
class LineIo {
 public:
  virtual ~LineIo() = default;
  virtual void Real(double& value) = 0;
  // An integer line; a value outside [lo, hi] cannot belong to a file of
  // this program and makes the file invalid.
  virtual void Int(int& value, long long lo, long long hi) = 0;
  virtual void Flag(bool& value) = 0;
  virtual void Marker(const char* text) = 0;
  // Whether the measuring choices and dimensions are passed: a reader
  // always takes them, a writer of the checked inputs leaves them out.
  virtual bool WithMeasurements() const { return true; }
};

class Writer final : public LineIo {
 public:
  explicit Writer(bool withMeasurements = true) : withMeasurements_(withMeasurements) {}
  bool WithMeasurements() const override { return withMeasurements_; }
  void Real(double& value) override { Line(FormatFixed(value, kRealWidth, kRealDecimals)); }
  void Int(int& value, long long, long long) override { Line(std::to_string(value)); }
  void Flag(bool& value) override { Line(value ? "1" : "0"); }
  void Marker(const char* text) override { Line(text); }
  std::string Take() { return std::move(text_); }

 private:
  void Line(std::string_view line) {
    text_ += line;
    text_ += "\r\n";
  }
  bool withMeasurements_;
  std::string text_;
};

// A line of the file: its number (the first line is 1) and its text.
struct FileLine {
  int number = 0;
  std::string text;
};

class Reader final : public LineIo {
 public:
  explicit Reader(std::string_view text) : rest_(text) {
    if (rest_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
      rest_.remove_prefix(kByteOrderMark.size());
    }
  }
  bool ok() const { return ok_; }
  // The line a value was read from, for the message that refuses it.
  FileLine LineOf(const void* value) const {
    const auto at = lines_.find(value);
    return at == lines_.end() ? FileLine{} : at->second;
  }

  void Real(double& value) override {
    std::string_view line;
    if (!NextLine(line)) return;
    const std::optional<double> parsed = ParseNumber(line);
    if (!parsed) {
      ok_ = false;
      return;
    }
    // The value as the file's twelve decimals hold it: a line with more
    // decimals is read as its writer would have written it, so the bounds
    // are tested on the value a save writes again. (A face width of
    // 0.0000000000004 would pass "greater than 0" and be saved as zero.)
    value = ParseNumber(FormatFixed(*parsed, kRealWidth, kRealDecimals)).value_or(*parsed);
    Remember(&value, line);
  }
  void Int(int& value, long long lo, long long hi) override {
    std::string_view line;
    if (!NextLine(line)) return;
    const std::optional<long long> parsed = ParseInteger(line);
    if (!parsed || *parsed < lo || *parsed > hi) {
      ok_ = false;
      return;
    }
    value = static_cast<int>(*parsed);
    Remember(&value, line);
  }
  void Flag(bool& value) override {
    std::string_view line;
    if (NextLine(line)) value = line == "1";
  }
  void Marker(const char*) override {
    std::string_view line;
    NextLine(line);
  }

 private:
  // The next line without its line end (CR LF or LF). Every line the program
  // writes ends with a line end, the last one too; a text after the last
  // line end is what remains of a file cut short -- a number cut there may
  // still parse, as another number -- so it is no line, and the file fails.
  // Once the file has failed, nothing more is read.
  bool NextLine(std::string_view& line) {
    if (!ok_) return false;
    const std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) {
      ok_ = false;
      return false;
    }
    line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNumber_;
    return true;
  }
  void Remember(const void* value, std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    lines_[value] = {lineNumber_, std::string(line.substr(first == line.npos ? 0 : first))};
  }

  std::string_view rest_;
  bool ok_ = true;
  int lineNumber_ = 0;
  std::map<const void*, FileLine> lines_;
};

// The measuring choices and dimensions of both gears.
void MeasurementLines(LineIo& io, GearPair& g) {
  io.Flag(g.scConst1);
  io.Flag(g.scConst2);
  io.Flag(g.scRef1);
  io.Flag(g.scRef2);
  io.Flag(g.scChosen1);
  io.Flag(g.scChosen2);
  for (double* value : {&g.sc1, &g.sc2, &g.sc1min, &g.sc2min, &g.sc1max, &g.sc2max, &g.hc1, &g.hc2,
                        &g.hc1min, &g.hc2min, &g.hc1max, &g.hc2max}) {
    io.Real(*value);
  }
  io.Int(g.zw1, 0, kMaxCount);
  io.Int(g.zw2, 0, kMaxCount);
  for (double* value : {&g.W1, &g.W2, &g.dt1, &g.dt2, &g.M1, &g.M2, &g.dM1, &g.dM2}) {
    io.Real(*value);
  }
}

// The lines of the file in their order. Conditions refer to values already
// passed in the same file, so reading takes the same road as writing did.
// Both directions work on a scratch copy of the pair: the writer's copy may
// take the values the layout sets along the way (gear type, angle twins)
// without touching the caller's pair.
void Layout(LineIo& io, GearPair& g) {
  // Gear type: 1 external, 2 internal, 3 bevel, 4 pinion with rack.
  int type = g.rackMode ? kRackGearType : static_cast<int>(g.gearType);
  io.Int(type, 1, kRackGearType);
  g.rackMode = type == kRackGearType;
  g.gearType = g.rackMode ? GearType::External : static_cast<GearType>(type);
  const bool internal = g.gearType == GearType::Internal;
  const bool bevel = g.gearType == GearType::Bevel;

  // How the backlash is produced.
  io.Flag(g.backlashByShift);
  io.Flag(g.jnByApart);
  io.Flag(g.backlashDirect);
  if (g.backlashDirect) {
    // Exactly one of the three thinning variants is set by the backlash
    // dialog; the line holds its code. A pair that has lost its variant is
    // written with the default one (both gears thinned), so that the file
    // keeps its one line here and stays readable.
    int variant = g.thinBoth ? 1 : g.thinPinion ? 2 : g.thinWheel ? 3 : 1;
    io.Int(variant, 1, 3);
    g.thinBoth = variant == 1;
    g.thinPinion = variant == 2;
    g.thinWheel = variant == 3;
  }

  // Mandatory and computational inputs. A bevel pair keeps the typed
  // numbers of teeth; its z1, z2 become the virtual ones only when the
  // geometry is recomputed.
  io.Real(g.mn);
  io.Real(bevel ? g.z1Bevel : g.z1);
  io.Real(bevel ? g.z2Bevel : g.z2);
  if (bevel) {
    g.z1 = g.z1Bevel;
    g.z2 = g.z2Bevel;
  }
  io.Real(g.betaDeg);
  g.beta = g.betaDeg * kDegToRad;
  io.Real(g.b);
  io.Real(g.xSum);
  io.Real(g.x1);
  io.Real(g.x2);
  io.Real(g.aw);
  if (g.jnByApart) {
    io.Real(g.awJ);
    double alphaWtJDeg = g.alphaWtJ * kRadToDeg;
    io.Real(alphaWtJDeg);
    g.alphaWtJ = alphaWtJDeg * kDegToRad;
  }
  if (g.backlashByShift) {
    io.Real(g.xSumBacklash);
    io.Real(g.xSumNoBacklash);
  }
  io.Real(g.alphaWtDeg);
  g.alphaWt = g.alphaWtDeg * kDegToRad;
  io.Real(g.jn);
  io.Real(g.kStar);

  // Basic rack profiles.
  io.Real(g.haP1Star);
  io.Real(g.haP2Star);
  io.Real(g.cP1Star);
  io.Real(g.cP2Star);
  io.Real(g.rhofP1Star);
  io.Real(g.rhofP2Star);
  io.Real(g.alphaPDeg);
  g.alphaP = g.alphaPDeg * kDegToRad;

  // Tip diameters; a rack has no tip diameter but an addendum.
  io.Real(g.da1);
  io.Real(g.rackMode ? g.ha2 : g.da2);

  // Shaper cutter of an internal wheel.
  if (internal) {
    io.Int(g.z0, INT_MIN, INT_MAX);
    io.Real(g.x0);
    io.Real(g.rhof0Star);
    io.Real(g.rhoa0Star);
    io.Flag(g.maxFunctional);
    io.Flag(g.fullyRounded);
  }

  io.Flag(g.da1Given);
  io.Flag(g.da2Given);
  io.Flag(g.shiftNotDistributed);
  io.Flag(g.shiftDistributed);
  io.Int(g.geometryReady, 0, kMaxCount);
  io.Flag(g.circularRoot);
  // Shaft angle: only a bevel pair has one; any other pair gets the right
  // angle that a bevel pair starts with.
  if (bevel) {
    io.Real(g.SigmaDeg);
  } else {
    g.SigmaDeg = 90.0;
  }
  g.Sigma = g.SigmaDeg * kDegToRad;

  // Measurement dimensions.
  io.Marker(kRuleMarker);
  io.Marker(kMeasureMarker);
  if (io.WithMeasurements()) MeasurementLines(io, g);

  // Rack tools; their angles stand in radians.
  io.Marker(kRuleMarker);
  io.Marker(kToolMarker);
  io.Flag(g.chamfer1);
  io.Flag(g.chamfer2);
  io.Flag(g.protuberance1);
  io.Flag(g.protuberance2);
  for (double* value : {&g.haP01Star, &g.haP02Star, &g.rhoaP01Star, &g.rhoaP02Star, &g.hFfP01Star,
                        &g.hFfP02Star, &g.alphaKP01, &g.alphaKP02, &g.alphaprP01, &g.alphaprP02,
                        &g.hFaP01Star, &g.hFaP02Star, &g.prP01, &g.prP02}) {
    io.Real(*value);
  }
  g.alphaKP01Deg = g.alphaKP01 * kRadToDeg;
  g.alphaKP02Deg = g.alphaKP02 * kRadToDeg;

  // Technology of the thinning: the line says "1" for the default, a tool
  // made thicker, and "0" for a reground involute.
  if (g.backlashDirect) {
    bool thickerTool = !g.thinByGrinding;
    io.Flag(thickerTool);
    g.thinByGrinding = !thickerTool;
  }
}

// The twins derived while reading must be numbers too: a chamfer angle of
// 1e307 radians is a valid real on its line, but not in degrees.
bool TwinsFinite(const GearPair& g) {
  for (double value :
       {g.beta, g.alphaWt, g.alphaP, g.Sigma, g.alphaWtJ, g.alphaKP01Deg, g.alphaKP02Deg}) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

// Every input of a file read into `loaded` against the bounds its field
// applies when the value is typed, in the order those bounds depend on each
// other: the numbers of teeth and the profile angle before the shifts and
// addenda whose limits follow from them, the shaper cutter before the ring's
// fillet that its tip rounds. Values that the file keeps only as results of
// others (a centre distance computed from the shifts, a backlash made by an
// extra shift) are not inputs and are left to the recomputation. The first
// value outside its bounds refuses the file: the message names its line.
std::optional<std::string> LoadedRefusal(const GearPair& loaded, const Reader& reader) {
  GearPair g = loaded;  // the tests read the bounds that depend on other inputs here
  const bool internal = g.gearType == GearType::Internal;
  const bool bevel = g.gearType == GearType::Bevel;
  std::string message;
  // True when the value read into `member` is refused.
  auto refused = [&](const auto& member, const Refusal& refusal) {
    if (!refusal) return false;
    const FileLine line = reader.LineOf(&member);
    message = std::string(kBadInputFile) + "\r" + "řádek " + std::to_string(line.number) + ": " +
              line.text + " — " + *refusal;
    return true;
  };
  auto field = [&](int n, const double& member) {
    return refused(member, FieldRefusal(g, n, member));
  };

  // Mandatory inputs; a bevel pair's shaft angle shapes its cones.
  const double& z1 = bevel ? loaded.z1Bevel : loaded.z1;
  const double& z2 = bevel ? loaded.z2Bevel : loaded.z2;
  if (field(1, loaded.mn) || field(2, z1) || field(3, z2)) return message;
  if ((internal || bevel) && std::fabs(z2) < z1 &&
      refused(z1, "Počet zubů pastorku vol menší nebo nejvýše roven počtu zubů kola")) {
    return message;
  }
  if (bevel && field(20, loaded.SigmaDeg)) return message;
  if (field(17, loaded.alphaPDeg)) return message;
  // A bevel pair's cone length and the spiral angle it allows follow the
  // module, the teeth and the shaft angle, which may be typed after the face
  // width and the spiral angle: the pair keeps no face width and no spiral
  // angle within them, and a file is tested against the fixed bounds alone.
  g.betaMax = 90.0;
  g.Le = kLengthMax;
  if (field(5, loaded.b) || field(4, loaded.betaDeg)) return message;
  // The angles the limits below are drawn with: the limiting shift sum, the
  // shaper cutter's largest tip radius.
  g.alphaT = bevel ? g.alphaP : std::atan(std::tan(g.alphaP) / std::cos(g.beta));
  if (bevel) {
    // The shifts of a bevel pair are those of its virtual spur pair.
    GearPair virtualPair = g;
    BasicGeometry(virtualPair);
    g.z1 = virtualPair.z1, g.z2 = virtualPair.z2;
  }
  g.invAlphaT = std::tan(g.alphaT) - g.alphaT;
  g.betaB = std::asin(std::cos(g.alphaP) * std::sin(g.beta));

  // The basic rack. The pinion's addendum and clearance make the depth of
  // the wheel's root, which a larger profile angle later may leave without
  // room for a full round root: the main dialog refuses that angle where the
  // root is cut by a rack, not in a ring, whose root the shaper cutter makes.
  // There only their sign is tested.
  for (int n = 11; n <= 14; ++n) {
    const double& member = n == 11   ? loaded.haP1Star
                           : n == 12 ? loaded.haP2Star
                           : n == 13 ? loaded.cP1Star
                                     : loaded.cP2Star;
    const bool ringRoot = internal && (n == 11 || n == 13);
    if ((!ringRoot || member < 0.0) && field(n, member)) return message;
  }
  if (internal) {
    // The cutter's radii are bounded by its full round root and tip, which
    // follow the helix and the basic rack typed after them: only their sign
    // is the cutter's own.
    if (refused(loaded.z0, CutterTeethRefusal(g, loaded.z0)) ||
        refused(loaded.x0, CutterShiftRefusal(loaded.x0)) ||
        (loaded.rhof0Star < 0.0 &&
         refused(loaded.rhof0Star, CutterRootRadiusRefusal(g, loaded.rhof0Star))) ||
        (!loaded.fullyRounded && loaded.rhoa0Star < 0.0 &&
         refused(loaded.rhoa0Star, CutterTipRadiusRefusal(g, loaded.rhoa0Star)))) {
      return message;
    }
  }
  // A ring's fillet is the tip radius of the cutter that made it; a new
  // cutter (or helix, or profile angle) does not cut it back, so only its
  // sign is the ring's own. A gear cut by a rack tool has the fillet its
  // field allows or the tip radius the tool dialog allows (bounded by the
  // tool's own addendum, which a clearance typed later no longer matches).
  // A protuberance that undercuts the root lets the field take any radius
  // not below 0.
  auto rackCut = [&](int tool, int field, const double& fillet) {
    const bool protuberance = tool == 2 ? loaded.protuberance2 : loaded.protuberance1;
    if (protuberance && fillet >= 0.0) return false;
    if (!ToolTipRadiusRefusal(g, tool, fillet)) return false;
    return refused(fillet, FilletRefusal(g, field, fillet));
  };
  if (rackCut(1, 15, loaded.rhofP1Star) || (!internal && rackCut(2, 16, loaded.rhofP2Star)) ||
      (internal && loaded.rhofP2Star < 0.0 &&
       refused(loaded.rhofP2Star, FilletRefusal(g, 16, loaded.rhofP2Star)))) {
    return message;
  }

  // The input that defines the pair: the shift sum, a shift, the centre
  // distance or the working pressure angle, as it was typed last.
  switch (g.geometryReady) {
    case 6:
      if (field(6, loaded.xSum)) return message;
      break;
    case 7:
      if (field(7, loaded.x1)) return message;
      break;
    case 8:
      if (!g.rackMode && field(8, loaded.x2)) return message;
      break;
    case 9:
      if (!g.rackMode && !bevel && field(9, loaded.aw)) return message;
      break;
    case 10:
      if (!bevel && field(10, loaded.alphaWtDeg)) return message;
      break;
    default:
      break;
  }
  // Typed tip diameters (a rack's addendum), and a backlash given directly.
  if ((loaded.da1Given && field(18, loaded.da1)) ||
      (loaded.da2Given && field(19, g.rackMode ? loaded.ha2 : loaded.da2)) ||
      (loaded.backlashDirect && field(21, loaded.jn))) {
    return message;
  }

  // The rack tools, and their chamfers and protuberances where chosen. The
  // tool dialog bounds them by the profile angle, the module and the
  // addenda of the main dialog, which may change after them without
  // touching the tools (a tool's tip radius follows the fillet of its gear
  // and is not cut back either): those bounds hold for the value as it was
  // typed, not for the pair as saved (an option checked later does not test
  // them either). A file is refused for what no later input moves -- a
  // length or a size not above 0, a chamfering edge not between 0 and a
  // right angle -- with the field's own message.
  for (int tool = 1; tool <= 2; ++tool) {
    const bool wheel = tool == 2;
    const double& haP0 = wheel ? loaded.haP02Star : loaded.haP01Star;
    const double& rhoaP0 = wheel ? loaded.rhoaP02Star : loaded.rhoaP01Star;
    // The addenda and clearances of the main dialog, each from 0, give a
    // tool of addendum 0; the tool dialog takes no less than that.
    if ((!(haP0 >= 0.0) && refused(haP0, ToolAddendumRefusal(g, tool, haP0))) ||
        (rhoaP0 < 0.0 && refused(rhoaP0, ToolTipRadiusRefusal(g, tool, rhoaP0)))) {
      return message;
    }
    if (wheel ? loaded.chamfer2 : loaded.chamfer1) {
      const double& hFf = wheel ? loaded.hFfP02Star : loaded.hFfP01Star;
      const double& alphaK = wheel ? loaded.alphaKP02 : loaded.alphaKP01;
      if ((!(hFf > 0.0) && refused(hFf, ChamferHeightRefusal(g, tool, hFf))) ||
          (!(alphaK > 0.0 && alphaK <= kChamferAngleMax) &&
           refused(alphaK, ChamferAngleRefusal(g, tool, alphaK * kRadToDeg)))) {
        return message;
      }
    }
    if (wheel ? loaded.protuberance2 : loaded.protuberance1) {
      const double& hFa = wheel ? loaded.hFaP02Star : loaded.hFaP01Star;
      const double& pr = wheel ? loaded.prP02 : loaded.prP01;
      if ((!(hFa > 0.0) && refused(hFa, ProtuberanceHeightRefusal(tool, haP0, hFa))) ||
          (!(pr > 0.0) && refused(pr, ProtuberanceSizeRefusal(g, tool, pr)))) {
        return message;
      }
    }
  }
  return std::nullopt;
}

InputFileResult Failure(std::string text) {
  return {false, Message{kErrorTitle, std::move(text), Message::Kind::Box}};
}

// The path as the user sees it in a message. Never throws: a name that
// cannot be converted is shown without it.
std::string PathText(const fs::path& path) {
  try {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  } catch (...) {
    return std::string();
  }
}

std::string FileNamed(const fs::path& path) {
  return "Soubor „" + PathText(path) + "“";
}

InputFileResult SaveFailure(const fs::path& path, const char* reason, bool keptPrevious) {
  std::string text = FileNamed(path) + " nelze uložit: " + reason;
  if (keptPrevious) text += " Dosavadní obsah souboru zůstal zachován.";
  return Failure(std::move(text));
}

}  // namespace

std::string WriteInputFile(const GearPair& g) {
  GearPair scratch = g;
  Writer writer;
  Layout(writer, scratch);
  return writer.Take();
}

std::string CheckedInputsText(const GearPair& g) {
  GearPair scratch = g;
  Writer writer(/*withMeasurements=*/false);
  Layout(writer, scratch);
  return writer.Take();
}

InputFileResult ReadInputFile(std::string_view text, GearPair& target) {
  // All or nothing. The file has no version and no keys: a value is known
  // only by its place, and a line that fails means every place after it is
  // uncertain -- and so are those before it, when the file belongs to
  // another program or version. Reading into a copy and committing it only
  // after the last line never leaves the pair half old, half loaded (new
  // gear type, old numbers of teeth, say), a mixture no one entered.
  GearPair scratch = target;
  Reader reader(text);
  Layout(reader, scratch);
  if (!reader.ok() || !TwinsFinite(scratch)) return Failure(kBadInputFile);
  if (auto refusal = LoadedRefusal(scratch, reader)) return Failure(std::move(*refusal));
  scratch.fileReadOk = true;
  target = std::move(scratch);
  return {true, {}};
}

bool CheckBeforeSave(GearPair& g) {
  if (g.shiftNotDistributed) {
    g.Queue(kEnglishErrorTitle, kShiftsNotDistributed);
    return false;
  }
  return true;
}

void SyncWrittenAngles(GearPair& g) {
  g.beta = g.betaDeg * kDegToRad;
  g.alphaWt = g.alphaWtDeg * kDegToRad;
  g.alphaP = g.alphaPDeg * kDegToRad;
  g.Sigma = g.SigmaDeg * kDegToRad;
}

InputFileResult SaveInputFile(const fs::path& path, const GearPair& g) {
  try {
    std::error_code ec;
    // A link is followed, so that the file it points at is replaced and the
    // link stays a link.
    fs::path target = path;
    if (fs::is_symlink(path, ec)) {
      fs::path resolved = fs::canonical(path, ec);
      if (!ec) target = resolved;
    }
    const fs::file_status status = fs::status(target, ec);
    const bool existed = fs::exists(status);
    if (target.filename().empty() || fs::is_directory(status)) {
      return SaveFailure(path, "není to jméno souboru.", false);
    }
    // A device, a pipe or a socket is no file to keep inputs in: the rename
    // below would put a plain file in its place, and merely opening a pipe
    // for writing waits for a reader.
    if (existed && !fs::is_regular_file(status)) {
      return SaveFailure(path, "není to obyčejný soubor, ale zařízení, roura nebo soket.", false);
    }

    // A file that would not load again is not written: it would only come to
    // light when the inputs are needed.
    const std::string text = WriteInputFile(g);
    {
      GearPair check = g;
      if (!ReadInputFile(text, check).ok) {
        return SaveFailure(path, "vstupy obsahují hodnotu, kterou nelze zapsat.", existed);
      }
    }

    // A file the user has made read-only is not replaced behind his back.
    if (existed) {
      std::ofstream probe(target, std::ios::binary | std::ios::app);
      if (!probe) return SaveFailure(path, "soubor je chráněn proti zápisu.", true);
    }

    fs::path temporary = target;
    temporary += ".kolmira.tmp";
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      if (!out) {
        return SaveFailure(path, "složka neexistuje nebo do ní nelze zapisovat.", existed);
      }
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      out.close();
      if (out.fail()) {
        fs::remove(temporary, ec);
        return SaveFailure(path, "zápis na disk se nezdařil.", existed);
      }
    }
    if (existed) fs::permissions(temporary, fs::status(target, ec).permissions(), ec);
    ec.clear();
    fs::rename(temporary, target, ec);
    if (ec) {
      fs::remove(temporary, ec);
      return SaveFailure(path, "původní soubor nelze nahradit.", existed);
    }
    return {true, {}};
  } catch (...) {
    return SaveFailure(path, "nedostatek paměti.", false);
  }
}

InputFileResult LoadInputFile(const fs::path& path, GearPair& target) {
  try {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
      return Failure(FileNamed(path) + " neexistuje.");
    }
    if (status.type() == fs::file_type::directory) {
      return Failure(FileNamed(path) + " nelze otevřít: je to složka.");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure(FileNamed(path) + " nelze otevřít.");
    std::string text(kMaxInputFileBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return Failure(FileNamed(path) + " nelze přečíst.");
    text.resize(static_cast<std::size_t>(in.gcount()));
    return ReadInputFile(text, target);
  } catch (...) {
    return Failure(FileNamed(path) + " nelze přečíst.");
  }
}

}  // namespace kolmira

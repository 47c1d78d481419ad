// Presentation model of the main dialog's tab "Míry ozubení   ": the
// chordal tooth thickness (group "Tloušťka zubu"), the span (group "Míra přes
// zuby") and the dimension over balls (group "Rozměr přes kuličky
// (válečky)") of pinion and wheel. It owns the text, enabled, visible,
// read-only, checked and colour state of the tab's controls, its focus and
// the handlers of its fields and options; it calls the measurement core and
// queues its message boxes on the gear-pair state. It follows the main
// dialog's show, gear type, rack mode, check and tab events.
#pragma once

#include <array>
#include <string>

#include "forms/Form.h"
#include "forms/MainForm.h"
#include "model/GearPair.h"

namespace kolmira {

// Controls of the tab. The fields keep the dialog's numbers: Edit22/23 sc1,
// hc1; Edit24/25 sc2, hc2; Edit26/27 zw1, W1; Edit28/29 zw2, W2; Edit30/31
// dt1, M1; Edit32/33 dt2, M2; Edit34/35 dM1, dM2. RadioButton6..8 are the
// pinion's thickness modes, 9..11 the wheel's.
// clang-format off
enum class MeasureControl : int {
  None,
  Edit22, Edit23, Edit24, Edit25, Edit26, Edit27, Edit28,
  Edit29, Edit30, Edit31, Edit32, Edit33, Edit34, Edit35,
  RadioButton6, RadioButton7, RadioButton8, RadioButton9, RadioButton10, RadioButton11,
  ThicknessGroup,                 // "Tloušťka zubu"
  SpanGroup,                      // "Míra přes zuby"
  SpanGroup2,                     // the wheel's part of it
  SpanRange1, SpanRange2,         // "Lze měřit přes ..."
  SpanContact1, SpanContact2,     // "kontaktu           = ..."
  MinWidthLabel1, MinWidthSubscript1, MinWidth1,  // "Minimální šířka  b        =", "1min", value
  MinWidthLabel2, MinWidthSubscript2, MinWidth2,
  BallGroup,                      // "Rozměr přes kuličky (válečky)"
  BallGroup2,                     // the wheel's part of it
  // Drawings of the gear; a picture's text names its drawing ("external"
  // or "internal").
  PictureThickness1, PictureSpan1, PictureBall1,
  PictureThickness2, PictureSpan2, PictureBall2,
  Count
};
// clang-format on

inline constexpr int kMeasureControlCount = static_cast<int>(MeasureControl::Count);

// Names: the control names above, the state variables of the fields
// ("zw1", "dM2" ...) and the options' aliases ("konst1", "roztec2",
// "zvol1" ...).

class MeasureForm : public Form, public MainEventListener {
 public:
  // Registers itself with the main dialog, which must outlive it.
  MeasureForm(GearPair& g, MainForm& main);
  ~MeasureForm() override;

  // The tab became the active page: after an input change the check is
  // run first, then every control is written from the state.
  void Show() override;
  bool visible() const override;
  // Enter accepts the focused field as leaving it would.
  void OnKey(Key key) override;

  void OnMainEvent(MainEvent event) override;

  // Writes every control from the state.
  void Refresh();

  using Form::control;
  const ControlState& control(MeasureControl c) const { return stored(c); }

 private:
  bool Typable(int index) const override;
  void LeaveField(int field) override;
  void Click(int index) override;

  void Refuse(MeasureControl field, const std::string& message);
  // A refused ball or contact diameter: the gear's M field shows "0".
  void RefuseBall(int gear, MeasureControl field, const std::string& message);
  void Accept();

  void ChordEntry(int gear, bool width, const std::string& typed);
  void SpanEntry(int gear, const std::string& typed);
  void BallEntry(int gear, const std::string& typed);
  void ContactEntry(int gear, const std::string& typed);
  void ChooseMode(MeasureControl option);

  void RefreshGear(int gear);
  void ApplyRackMode();
  void ApplyPictures();

  MainForm& main_;
  bool picturesShown_ = false;
  // "Zvol šířku nebo výšku" empties the gear's chord fields until a chord
  // is computed again.
  std::array<bool, 2> chordCleared_{};
};

}  // namespace kolmira

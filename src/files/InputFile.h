// The input file: every input and option of a gear pair as plain text, one
// value per line, with no header, no keys and no version number, so the
// order of the lines is the whole format. Some lines are present only when a
// flag or the gear type written earlier in the same file asks for them.
//
// Line encodings: a flag is "1" or "0" (on reading, "1" sets it and any other
// text clears it); an integer is plain decimal digits with an optional sign;
// a real is fixed-point with 12 decimals right-justified to 14 characters
// ("  1.000000000000", "-40.000000000000"); a marker is a literal text that
// reading skips. Lines end with CR LF; reading also takes LF alone.
//
// Reading is all-or-nothing: a file is parsed into a copy of the pair and
// committed only when every line of it was read (see ReadInputFile).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/GearPair.h"

namespace kolmira {

// Outcome of a file command: ok, or the message box to show.
struct InputFileResult {
  bool ok = false;
  Message message;  // title and text when !ok
};

// The complete file text of the pair, CR LF after every line. A pinion
// meshing with a rack is written as gear type 4; the pair itself is not
// changed (the type 4 exists only in the text).
std::string WriteInputFile(const GearPair& g);

// The file text of the inputs that the complete check takes: the whole file
// but for the measuring choices and dimensions, which the check and the
// measurement tab set themselves. Two states with the same text give the
// same check.
std::string CheckedInputsText(const GearPair& g);

// Reads a file text into the pair. The file is parsed into a copy of
// `target`; only a complete file in which every line is what it must be is
// committed (and leaves fileReadOk set). Anything else -- a line that is not
// the number it should be, a file cut short, an unknown gear type or
// thinning variant -- leaves `target` exactly as it was and returns the
// message "Chybný nebo nekompatibilní vstupní soubor". A leading UTF-8 byte
// order mark and LF-only line ends are accepted; lines after the last one
// the layout needs are ignored.
InputFileResult ReadInputFile(std::string_view text, GearPair& target);

// The save command's own check before anything is written: with the shift
// sum not yet divided into x1 and x2 ("Rozděl korekce" pending) the inputs
// are incomplete, so the save is refused with "Není provedeno rozdělení
// korekcí" queued on the pair. Returns whether the save may go on.
bool CheckBeforeSave(GearPair& g);

// The save command sets the radian values of the angles it writes in
// degrees (beta, alphaWt, alphaP, Sigma) from their degree twins, so that
// the pair in use is the one the file will restore.
void SyncWrittenAngles(GearPair& g);

// Writes the file of the pair to `path`: the text goes to a temporary file
// in the same folder, which then replaces `path` in one rename, so a save
// that fails part-way never destroys the previous file. A text that would
// not read back (a value that is not a number) is not written at all, and
// neither is a target that exists without being a regular file (a device, a
// pipe, a socket), which stays as it was; a link is followed to its target.
// Never throws; on failure the message names the file.
InputFileResult SaveInputFile(const std::filesystem::path& path, const GearPair& g);

// Reads the file at `path` and hands its text to ReadInputFile. Never
// throws; a file that cannot be opened or read gives a message naming it.
InputFileResult LoadInputFile(const std::filesystem::path& path, GearPair& target);

// Messages.
inline constexpr const char* kBadInputFile = "Chybný nebo nekompatibilní vstupní soubor";
inline constexpr const char* kShiftsNotDistributed = "Není provedeno rozdělení korekcí";

// Caption prefixes that the windows take from the path of a saved or loaded
// file (full path as the file dialog returns it).
inline constexpr const char* kResultsCaptionPrefix = "Výsledky geometrické kontroly soukolí - ";
inline constexpr const char* kMainCaptionPrefix = "Geometrický výpočet ozubení - ";
inline constexpr const char* kTableCaptionPrefix = "Tabulka rozměrů - ";

// The longest input file read from disk. A complete file is under 3 KiB;
// what lies beyond its last line is ignored anyway, so a larger file (a
// wrong file chosen by mistake) is read only this far.
inline constexpr std::size_t kMaxInputFileBytes = 1 << 20;

}  // namespace kolmira

#!/bin/sh
# kolmira-cli end to end: exit codes, the JSON document, refused entries.
# Usage: cli_test.sh PATH_TO_KOLMIRA_CLI
cli="$1"
failures=0
out=$(mktemp) err=$(mktemp) dat=$(mktemp --suffix=.dat)
trap 'rm -f "$out" "$err" "$dat"' EXIT

expect() {  # expect EXIT_CODE DESCRIPTION -- ARGS...
  code=$1 what=$2; shift 3
  "$cli" "$@" >"$out" 2>"$err"
  got=$?
  if [ "$got" -ne "$code" ]; then
    echo "FAIL: $what: exit $got, expected $code"; cat "$err"; failures=$((failures + 1))
  fi
}
contains() {  # contains FILE TEXT DESCRIPTION
  if ! grep -qF -- "$2" "$1"; then
    echo "FAIL: $3: '$2' not found"; cat "$1"; failures=$((failures + 1))
  fi
}

expect 0 "defaults" -- 
contains "$out" "mn = 1.0000" "default module"

expect 0 "published shifted pair" -- --field mn=3 --field z1=12 --field z2=24 --field x1=0.6 --field x2=0.36
contains "$out" "aw = 56.499870" "working centre distance"
contains "$out" "xSum = 0.960000" "shift sum"

expect 2 "unparsable module" -- --field mn=abc
contains "$err" "Chyba !: Chyba číselného formátu, opakuj zadání" "format message on stderr"

expect 2 "module out of bounds" -- --field mn=0
contains "$err" "Chyba !: Modul vol větší než 0" "bound message"

expect 0 "a caption with a dot of its own" -- --field z1=30 --field z2=60 --press Vyr.skluzy
expect 0 "a dialog's caption with a dot" -- --type internal --press "Fellow.Max. funkční výška zubu nástroje"
expect 2 "unknown field" -- --field nonsense=1
expect 2 "unknown button" -- --press nonsense
expect 2 "unknown gear type" -- --type spiral

expect 0 "warning does not stop" -- --field rhofP1Star=1
contains "$err" "Upozornění !: Poměrný rádius zaoblení paty pastorku" "fillet warning"

expect 0 "json" -- --type internal --field z2=80 --press kontrola --json
for key in '"format": "kolmira-check/1"' '"inputs"' '"messages"' '"controls"' '"z2": -80.0' '"alphaWtDeg"' '"rackMode": false' '"Edit3"' '"text": "-80.00"'; do
  contains "$out" "$key" "json key $key"
done

expect 0 "bevel pair" -- --type bevel --field z1=18 --field z2=36
contains "$out" "SigmaDeg = 90.0000" "shaft angle shown for a bevel pair"

expect 0 "check of a faultless pair" -- --field z1=30 --field z2=60 --press skluzy --check
contains "$out" "SOUKOLÍ JE NAPROSTO DOKONALÉ" "perfect-pair line"

expect 0 "check with faults still exits 0" -- --field z1=8 --check
contains "$out" "Pastorek je podřezán, mezní počet zubů z1min = 17.10,  mezní korekce x1min = 0.53209" "undercut line"

expect 0 "report in JSON" -- --field z1=30 --field z2=60 --press skluzy --press kontrola --json
contains "$out" '"findings": []' "no findings"
contains "$out" '"perfect": true' "a perfect pair"

expect 2 "blocking shift sum of the cutting pair" -- --type internal --field x2=1 --check
contains "$err" "Chyba !: Součet korekcí x0+x2 při výrobě kolečkem Fellow je větší než mezní (x0mez= 0.9214) - záporný výrobní úhel záběru." "blocking message"

expect 0 "DMS by alias and by caption" -- --press dms --field alphaPDeg=20.3 --press DEC
contains "$out" "alphaPDeg = 20.5000" "DMS entry read"

expect 0 "check refused while the shift sum is not divided" -- --field xSum=0.5 --press kontrola
contains "$err" "Error !: Není provedeno rozdělení korekcí" "undivided shift sum"

expect 0 "backlash by an extra shift through the backlash dialog" -- --field jn=0.1 --press Vule.korekci --field Vule.jn=0.1 --press Vule.ok --press rozdel --field x1=0.1 --json
contains "$out" '"backlashByShift": true' "backlash mode"
contains "$out" '"xSumBacklash": -0.14619022000815' "shift sum for jn 0.1: -jn / (2 sin 20°)"

expect 2 "rack tool addendum beyond its bound" -- --field Nastroj.Edit1=2.2
contains "$err" "Chyba !: Poměrnou výšku hlavy nástroje pro výrobu pastorku vol v rozsahu od 0 do 2.1579" "tool bound message"

expect 0 "protuberance tool through the rack tool dialog" -- --press Nastroj.protuberance1 --press Nastroj.ok --check
contains "$out" "Pastorek je protuberančně podřezán" "protuberance report line"

expect 2 "unknown dialog" -- --field Nope.x=1

expect 0 "measurement section after the check" -- --field z1=30 --field z2=60 --press skluzy --check --field Miry.zw1=5
contains "$out" "Míra přes zuby:      W1 = 13.8255 (zw1 = 5)" "span over five teeth"

expect 0 "identification of a shift from a span" -- --field mn=1 --field Ident.zwMeas=5 --field Ident.WMeas=13.8588 --press Ident.RadioGroup2=3 --json
contains "$out" '"Ident.Edit49"' "span method's shift field"

expect 2 "span count beyond its range" -- --check --field Miry.zw1=9
contains "$err" "Chyba !: Počet zubů pro měření vol nejvýše " "span count message"

expect 2 "shaper cutter as large as the ring" -- --type internal --field Fellow.z0=80
contains "$err" "Chyba !: Počet zubů nástroje Fellow vol alespoň o 1 méně než počet zubů kola" "cutter teeth message"

expect 0 "shaper cutter with a fully rounded tip" -- --type internal --press Fellow.plne-zaoblena --press Fellow.ok --json
contains "$out" '"fullyRounded": true' "fully rounded tip"
contains "$out" '"sa0": 0.0' "no tip land left"

# A file saved before any check holds no span counts: its check measures
# over the recommended ones.
expect 0 "saved before any check" -- --field mn=3 --field z1=20 --field z2=40 --field b=30 --save "$dat"
expect 0 "checked after loading" -- "$dat" --check
contains "$out" "W1 = 22.9813 (zw1 = 3)" "pinion's span over the recommended count"
contains "$out" "(zw2 = 5)" "wheel's recommended count"


# The table, the short print and the JSON document of a pair typed but not
# checked: the complete check runs first.
expect 0 "table before any check" -- --field mn=3 --field z1=20 --field z2=40 --field b=30 --table
contains "$out" "Počet zubů náhradního kola               z_n      [-]     20.000" "virtual teeth"
contains "$out" "Kontrolní rozměr přes zuby               W        [mm]    22.98132" "span in the table"
expect 0 "short print before any check" -- --field mn=3 --field z1=20 --field z2=40 --short
contains "$out" "Souc. trvani zaberu profilu	epsilonalfa			  1.6352" "contact ratio"
expect 0 "JSON before any check" -- --field z1=30 --field z2=60 --json
contains "$out" '"perfect": ' "the check's findings"
expect 2 "a check that cannot run prints no results" -- --field xSum=0.5 --table
contains "$err" "Není provedeno rozdělení korekcí" "shifts to divide first"


# Values no gear has are refused with the range of their field, and a file
# bringing one is refused with its line; nothing that is no number is ever
# printed.
expect 2 "a module of 1e308" -- --field mn=1e308 --check --table
contains "$err" "Chyba !: Modul vol v rozsahu od 0.01 do 1000" "module range"
expect 2 "a bevel module of 4.9e-324" -- --type bevel --field mn=4.9e-324 --check --json
expect 2 "a ring of -1e308 teeth" -- --type internal --field z2=-1e308 --check
contains "$err" "Počet zubů korunového kola vol v rozsahu od -10000 do -4" "ring teeth range"
expect 2 "a fractional number of teeth" -- --field z1=17.5 --check
contains "$err" "Chyba !: Počet zubů musí být celé číslo" "whole teeth"
expect 2 "a bevel pinion shifted out of its cone" -- --type bevel --press rozdel --field x1=8 --check
contains "$err" "Nemožné zadání - rozměry soukolí by nebyly konečná čísla" "no number"
expect 0 "a pair to spoil" -- --field mn=3 --save "$dat"
sed -i '6s/.*/-2.000000000000\r/' "$dat"
expect 2 "a file with a negative module" -- "$dat" --check
contains "$err" "řádek 6: -2.000000000000 — Modul vol větší než 0" "the line, its value and the field's message"


# A backlash typed and left by a click on a page: the backlash dialog opens
# and takes the click; confirmed, the backlash stays.
expect 0 "a backlash confirmed" -- --field jn=0.1 --press TabIdent --press Vule.ok --table
contains "$out" "Norm.boční vůle zeslab.obou kol          j_n      [mm]                  0.1000" "typed backlash"

# The version, the help made from the forms, and the identification results
# in the text output once the tab was used (and not before).
expect 0 "version" -- --version
contains "$out" "kolmira-cli 0.2.0" "version line"
expect 0 "help" -- --help
for text in "Exit status:" "Examples:" "Dialog prefixes:" "mn, Edit1" "[mm] normal module" \
    "Ident.xId2, Ident.Edit53" "Fellow.plne-zaoblena" '"Vyr.skluzy"'; do
  contains "$out" "$text" "help text"
done
expect 0 "identification in the text output" -- --field mn=1 --field Ident.zwMeas=5 --field Ident.WMeas=13.8588 --press Ident.RadioGroup2=3 --check
contains "$out" "Identifikace" "identification heading"
contains "$out" "míra přes zuby: korekce x = 0.0204  (odchylka 0.0204)" "span method's shift"
expect 0 "no identification without the tab" -- --field z1=30 --field z2=60 --check
if grep -q "Identifikace" "$out"; then echo "FAIL: identification printed unasked"; failures=$((failures + 1)); fi

# The shift map: the CSV rows carry the findings a direct check reports at
# their shifts, the SVG is XML with one boundary path per finding line.
map=$(mktemp --suffix=.csv) svg=$(mktemp --suffix=.svg)
pair="--field mn=3 --field z1=20 --field z2=40"
expect 0 "shift map csv" -- $pair --map "$map" --map-range 0:0.3,0:0.2 --map-size 2
contains "$map" "x1,x2," "map header"
for point in "0 0" "0.3 0.2" "0.3 0"; do
  set -- $point
  "$cli" $pair --field x1="$1" --field x2="$2" --check --json >"$out" 2>"$err"
  direct=$(grep -c '"kind": "\(error\|warning\)"' "$out")
  row=$(awk -F, -v a="$1" -v b="$2" 'NR > 1 && $1 + 0 == a && $2 + 0 == b {
    s = 0; for (i = 3; i < NF; i++) s += $i; print s "," $NF }' "$map")
  if [ "$row" != "$direct,1" ]; then
    echo "FAIL: map row at $1, $2: '$row' (findings, checked), the check has $direct"
    failures=$((failures + 1))
  fi
done
expect 0 "shift map svg" -- $pair --map "$svg" --map-size 15
if command -v python3 >/dev/null; then
  python3 -c "import sys, xml.dom.minidom as m; m.parse(sys.argv[1])" "$svg" ||
    { echo "FAIL: the map's SVG is not XML"; failures=$((failures + 1)); }
fi
if [ "$(grep -c 'class="boundary"' "$svg")" -ne "$(grep -c 'class="legend"' "$svg")" ] ||
   [ "$(grep -c 'class="boundary"' "$svg")" -eq 0 ]; then
  echo "FAIL: the map's SVG has not one boundary path per legend line"; failures=$((failures + 1))
fi
contains "$svg" ">x1</text>" "x1 axis label"
contains "$svg" ">x2</text>" "x2 axis label"
expect 0 "shift map with the sum divided" -- $pair --field xSum=0.5 --press rozdel --map "$svg" --map-size 5
contains "$svg" "x1 + x2 = 0.5000" "kept shift sum drawn as a line"
expect 2 "bad map range" -- $pair --map "$map" --map-range 1:0,0:1
# A bevel pair's map is the line x2 = sum - x1 (zero-sum shifts here).
expect 0 "map of a bevel pair" -- --type bevel --map "$map" --map-range -0.3:0.3 --map-size 7
if [ "$(awk -F, 'NR > 1 && $1 + $2 != 0 { bad++ } END { print bad + 0 }' "$map")" != 0 ]; then
  echo "FAIL: the bevel line leaves x1 + x2 = 0"; failures=$((failures + 1))
fi
expect 0 "shift line of a pinion with a rack" -- --field z1=12 --field z2=5000 --map "$map" --map-range -0.4:0.9 --map-size 14
contains "$map" "k15_warning" "rack line header with the undercut line"
col=$(head -1 "$map" | tr ',' '\n' | grep -n '^k15_warning$' | cut -d: -f1)
if [ "$(wc -l <"$map")" -ne 15 ]; then echo "FAIL: rack line has not 14 points"; failures=$((failures + 1)); fi
# Below the pinion's limit shift it is undercut, above it is not.
"$cli" --field z1=12 --field z2=5000 --field x1=-0.4 --check >"$out" 2>"$err"
contains "$out" "Pastorek je podřezán" "undercut at the line's start"
if [ "$(awk -F, -v c="${col:-0}" 'NR == 2 { print $c } END { print $c }' "$map" | tr '\n' ' ')" != "1 0 " ]; then
  echo "FAIL: the rack line's undercut column does not run from 1 to 0"; failures=$((failures + 1))
fi
expect 0 "rack line as SVG" -- --field z1=12 --field z2=5000 --map "$svg" --map-size 9
contains "$svg" 'class="current"' "rack line's current x1"
rm -f "$map" "$svg"

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all kolmira-cli checks passed"

#!/bin/sh
# Pictures of the window on the sample database: the main window in each display mode, the
# class-table dialog and the dialogs of other records, saved into docs/screenshots. Builds
# nothing: build ./build first (or set BUILD to another build directory). Needs xvfb-run.
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
OUT="$PWD/docs/screenshots"
for program in "$BUILD/tablon" "$BUILD/tablon-cli"; do
    [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed" >&2; exit 1; }

DB=$(mktemp -d /tmp/tablon-screenshots-XXXXXX)
trap 'rm -rf "$DB"' EXIT
"$BUILD/tablon-cli" sample "$DB" >/dev/null
mkdir -p "$OUT"

# shot NAME ARGS...: one run of the program that saves its topmost window and ends.
shot() {
    name=$1
    shift
    xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/tablon" "$DB" "$@" \
        --screenshot "$OUT/$name.png"
    echo "$OUT/$name.png"
}

shot main-large-icons --select "Vehicles" --mode large --row 2
shot main-small-icons --select "Vehicles" --mode small --row 2
shot main-list --select "Vehicles" --mode list --row 2
shot main-detail --select "Class Table" --mode detail --row 2
shot class-table-dialog --select "Class Table" --mode detail --row 2 --show-item
# The filter row and "N of M rows" in both themes, and the window at 200 % scaling.
shot find-light --select "Weapons" --mode detail --filter "Range=>10" --filter "Name=a" \
    --row 1 --theme light
shot find-dark --select "Weapons" --mode detail --filter "Range=>10" --filter "Name=a" \
    --row 1 --theme dark
export QT_SCALE_FACTOR=2
shot find-dark-200 --select "Weapons" --mode detail --filter "Range=>10" --theme dark
unset QT_SCALE_FACTOR
# Dialogs reached from a row (--open double-clicks it) and their buttons (--press).
shot objective-viewer --select "Objectives" --mode detail --row 2 --open --press View \
    --press Filled --press "PT Data" --press "PT label" --press Axis
shot fed-list --select "Objectives" --mode detail --row 2 --open --press "Fed Ptr" --press Filled
shot unit-dialog --select "Units/Land" --mode detail --row 1 --open
shot parent-dialog --select "Hdr Data/Parent" --mode detail --row 1 --open
shot radar-dialog --select "Radar Data" --mode detail --row 1 --open

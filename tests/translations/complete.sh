#!/usr/bin/env bash
# Fails when a text of the windows lacks a translation or a translation is unfinished.
set -euo pipefail
root=$1
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp "$root"/translations/*.ts "$copy"/
cd "$root"
/usr/lib/qt6/bin/lupdate -silent -no-obsolete -locations none apps/vorq/qt src/schematool/qt \
    -ts "$copy"/vorq_ja.ts "$copy"/vorq_ko.ts 2>"$copy"/lupdate.log || { cat "$copy"/lupdate.log >&2; exit 1; }
if grep -n 'type="unfinished"' "$copy"/*.ts; then
    echo "untranslated texts above: run scripts/update-translations and translate them" >&2
    exit 1
fi

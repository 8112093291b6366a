#!/usr/bin/env bash
# The include check on a small tree of its own: includes down the layers pass, and an upward
# include or Qt outside the Qt folders fails, naming the file and line.
set -euo pipefail
check="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-includes"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/host" "$tree/src/builder" "$tree/src/cobol" "$tree/src/toolkit/qt"
printf '#pragma once\n' > "$tree/src/host/Value.h"
printf '#include "host/Value.h"\n#include "builder/Walk.h"\n' > "$tree/src/builder/Walk.cpp"
printf '#include <QWidget>\n#include "host/Value.h"\n' > "$tree/src/toolkit/qt/Window.cpp"
"$check" "$tree" || { echo "FAIL: a tree that keeps the layers was refused"; exit 1; }

printf '#pragma once\n#include "builder/Walk.h"\n' > "$tree/src/host/Value.h"
printf '#include <QString>\n' > "$tree/src/cobol/Reader.cpp"
if out=$("$check" "$tree" 2>&1); then
    echo "FAIL: an upward include passed"
    exit 1
fi
for expected in "src/host/Value.h:2: src/host/ may not include builder/" \
                "src/cobol/Reader.cpp:1: only src/toolkit/qt/ src/schematool/qt/ include Qt"; do
    grep -qF "$expected" <<<"$out" || { echo "FAIL: missing '$expected' in: $out"; exit 1; }
done
echo "the include check keeps the layers and names what breaks them"

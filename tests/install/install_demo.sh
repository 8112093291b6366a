#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed demo from an unrelated folder:
# the program must find its plug-in and examples without the build tree, and leave the user's
# component registry alone.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/prefix" >/dev/null
mkdir "$root/elsewhere"
cd "$root/elsewhere"
XDG_CONFIG_HOME="$root/config" "$root/prefix/bin/vorq" demo -v >"$root/out" 2>"$root/err"
grep -q "^CREATE TABLE CUSTOMER_MASTER_ORDERS" "$root/out"
grep -q "FOREIGN KEY" "$root/out"
grep -q "using $root/prefix/lib/vorq/VorqImportCopybook.so" "$root/err"
test ! -e "$root/config/vorq/components.xml"
echo "1 passed, 0 failed"

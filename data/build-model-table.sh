#!/usr/bin/env bash
# Builds the model table database from its SQL script and refuses rows the program cannot use.
set -euo pipefail
sql=$1
check=$2
out=$3
tmp="$out.tmp"
rm -f "$tmp"
sqlite3 -bail "$tmp" < "$sql"
bad=$(sqlite3 "$tmp" < "$check")
if [ -n "$bad" ]; then
    echo "model table: $bad" >&2
    rm -f "$tmp"
    exit 1
fi
mv -f "$tmp" "$out"

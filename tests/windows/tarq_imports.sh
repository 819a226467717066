#!/usr/bin/env bash
# The DLLs tarq.exe imports are exactly the system DLLs that the README's
# "Building for Windows" names, so that a new import is a decision taken
# there, not an accident. Usage: tarq_imports.sh OBJDUMP TARQ_EXE README
set -euo pipefail
objdump=$1 exe=$2 readme=$3
# The list in "imports only system DLLs (A, B, ...)", across line ends.
named=$(sed -n '/^### Building for Windows/,/^#/p' "$readme" | tr '\n' ' ' |
  sed -n 's/.*imports only system DLLs (\([^)]*\)).*/\1/p' | tr ',' '\n' |
  sed 's/^ *//; s/ *$//; /^$/d; s/$/.dll/' | tr '[:upper:]' '[:lower:]' | sort)
if [ -z "$named" ]; then
  echo "tarq_imports: no \"imports only system DLLs (...)\" in the README's Building for Windows" >&2
  exit 1
fi
imported=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' |
  tr '[:upper:]' '[:lower:]' | sort)
if [ "$imported" != "$named" ]; then
  echo "tarq_imports: tarq.exe imports other DLLs than the README names" >&2
  diff <(echo "$named") <(echo "$imported") | sed -n 's/^</  named, not imported:/p; s/^>/  imported, not named:/p' >&2
  exit 1
fi
echo "tarq_imports: tarq.exe imports" $imported

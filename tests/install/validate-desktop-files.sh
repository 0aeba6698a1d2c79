#!/bin/sh
# The desktop entry and the document type validate, and the type database
# built from them gives both document patterns to Tessolo's type and names
# Tessolo in Japanese.
# Argument: the packaging folder.
set -eu
packaging=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tessolo-desktop.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "desktop files: $*" >&2; exit 1; }

# Hints are advice (two main categories are meant); errors and warnings fail.
report=$(desktop-file-validate "$packaging/tessolo.desktop") || fail "$report"
if echo "$report" | grep -E 'error:|warning:'; then fail "desktop-file-validate complained"; fi
grep -q '^Exec=tessolo %f$' "$packaging/tessolo.desktop" || fail "Exec does not take one file"

xmllint --noout "$packaging/tessolo.xml"
# Built where the search path looks, so that any output is a complaint.
mkdir -p "$work/mime/packages"
cp "$packaging/tessolo.xml" "$work/mime/packages/"
XDG_DATA_HOME="$work" XDG_DATA_DIRS="$work" update-mime-database "$work/mime" > "$work/said" 2>&1 ||
  fail "update-mime-database failed: $(cat "$work/said")"
[ ! -s "$work/said" ] || fail "update-mime-database: $(cat "$work/said")"
type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$packaging/tessolo.desktop")
for pattern in '*.tsl' '*.tpl'; do
  grep -qxF "50:$type:$pattern" "$work/mime/globs2" || fail "$pattern is not a $type"
done
xmllint --xpath "//*[local-name()='comment'][@xml:lang='ja']/text()" "$work/mime/$type.xml" | grep -q '名刺' ||
  fail "$type has no Japanese description"

#!/bin/sh
# The desktop entry, the document type, the software-centre metadata and the
# manual page validate; the type database built from them gives documents to
# Tessolo's type by name and by their first bytes, yet leaves other programs'
# ".tpl" files to them, and names Tessolo in Japanese.
# Arguments: the packaging folder, a program printing the type Qt's type
# database gives each file, and a document.
set -eu
packaging=$1
mime_of=$2
document=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/tessolo-desktop.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "desktop files: $*" >&2; exit 1; }

# Hints are advice (two main categories are meant); errors and warnings fail.
report=$(desktop-file-validate "$packaging/tessolo.desktop") || fail "$report"
if echo "$report" | grep -E 'error:|warning:'; then fail "desktop-file-validate complained"; fi
grep -q '^Exec=tessolo %f$' "$packaging/tessolo.desktop" || fail "Exec does not take one file"
main_categories=$(sed -n 's/^Categories=//p' "$packaging/tessolo.desktop" | tr ';' '\n' |
  grep -cxE 'AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility')
[ "$main_categories" -eq 1 ] || fail "$main_categories main categories, one wanted"

for metainfo in "$packaging"/*.metainfo.xml; do
  report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "$report"
  if echo "$report" | grep -E '^[EWIP]:'; then fail "appstreamcli complained about $metainfo"; fi
done
report=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$packaging/tessolo.1" 2>&1 >/dev/null)
[ -z "$report" ] || fail "tessolo.1: $report"

xmllint --noout "$packaging/tessolo.xml"
# Built where the search path looks, so that any output is a complaint.
mkdir -p "$work/mime/packages"
cp "$packaging/tessolo.xml" "$work/mime/packages/"
XDG_DATA_HOME="$work" XDG_DATA_DIRS="$work" update-mime-database "$work/mime" > "$work/said" 2>&1 ||
  fail "update-mime-database failed: $(cat "$work/said")"
[ ! -s "$work/said" ] || fail "update-mime-database: $(cat "$work/said")"
type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$packaging/tessolo.desktop")
grep -qxF "50:$type:*.tsl" "$work/mime/globs2" || fail "*.tsl is not a $type"
grep -qxF "10:$type:*.tpl" "$work/mime/globs2" || fail "*.tpl is not a $type of little weight"

# Documents by name and, renamed beyond recognition, by their first bytes; a
# program that also claims ".tpl" keeps its own files.
mkdir -p "$work/files" "$work/other/mime/packages"
cp "$document" "$work/files/card.tsl"
cp "$document" "$work/files/card.tpl"
cp "$document" "$work/files/card"
printf 'Dear {name},\n' > "$work/files/letter.tpl"
cat > "$work/other/mime/packages/other.xml" <<'OTHER'
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="text/x-other-template"><sub-class-of type="text/plain"/><glob pattern="*.tpl"/></mime-type>
</mime-info>
OTHER
cp "$packaging/tessolo.xml" "$work/other/mime/packages/"
XDG_DATA_HOME="$work/other" XDG_DATA_DIRS="$work/other" update-mime-database "$work/other/mime"
types() { XDG_DATA_HOME="$1" XDG_DATA_DIRS="$1" "$mime_of" "$work/files/card.tsl" "$work/files/card.tpl" "$work/files/card" "$work/files/letter.tpl" | tr '\n' ' '; }
alone=$(types "$work")
case "$alone" in
  "$type $type $type "*) ;;
  *) fail "types alone: $alone" ;;
esac
shared=$(types "$work/other")
case "$shared" in
  "$type "*" $type text/x-other-template ") ;;
  *) fail "types beside another program's templates: $shared" ;;
esac
xmllint --xpath "//*[local-name()='comment'][@xml:lang='ja']/text()" "$work/mime/$type.xml" | grep -q '名刺' ||
  fail "$type has no Japanese description"

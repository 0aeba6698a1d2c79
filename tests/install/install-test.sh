#!/bin/sh
# Installs the built program into a temporary prefix and runs it from there,
# away from the build tree: it must find the files delivered with it, in the
# prefix and again after the prefix was moved.
# Arguments: cmake, the build folder, the source folder.
set -eu
cmake=$1 build=$2 source=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/tessolo-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$work/prefix" > /dev/null
cd "$work"
export HOME="$work/home"
unset XDG_CONFIG_HOME

for file in bin/tessolo share/tessolo/msetpage.txt share/tessolo/tessolo.hlp \
    share/applications/tessolo.desktop share/mime/packages/tessolo.xml \
    share/icons/hicolor/scalable/apps/tessolo.svg share/icons/hicolor/48x48/apps/tessolo.png \
    share/icons/hicolor/256x256/apps/tessolo.png; do
  [ -f "prefix/$file" ] || fail "$file was not installed"
done
for folder in Template CPhrase bkimages; do
  [ "$(ls "$source/data/$folder" | wc -l)" -eq "$(ls "prefix/share/tessolo/$folder" | wc -l)" ] ||
    fail "share/tessolo/$folder does not hold what data/$folder holds"
done

# The folders the program itself says it reads and writes.
expect_folders() { # program prefix
  help=$("$1" --help) || fail "--help failed"
  echo "$help" | grep -qxF "Delivered files (templates, setups, pictures, help): $2/share/tessolo/" ||
    fail "the program at $1 does not read its files from $2/share/tessolo: $help"
  echo "$help" | grep -qxF "Settings and the user's page setups: $HOME/.config/tessolo/" ||
    fail "the program at $1 does not write the user's files to $HOME/.config/tessolo: $help"
}
expect_folders "$work/prefix/bin/tessolo" "$work/prefix"
"$work/prefix/bin/tessolo" --version | grep -q '^tessolo [0-9]' || fail "--version"

"$work/prefix/bin/tessolo" --info "$source/examples/business-card.tsl" > info.json || fail "--info failed"
grep -q '"objects"' info.json || fail "--info printed no objects"
"$work/prefix/bin/tessolo" --export-png card.png "$source/examples/photo-background.tsl" || fail "--export-png failed"
[ "$(head -c 8 card.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "card.png is no PNG image"

mv prefix moved
expect_folders "$work/moved/bin/tessolo" "$work/moved"
[ ! -e "$HOME" ] || fail "a headless command wrote into the home folder"

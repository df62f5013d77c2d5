#!/usr/bin/env bash
# Checks the catalogues of the windows' texts (translations/) against the sources: fails when
# a text of ui/, app/, ops/ (or a directory file's refusal, files/DirClass.cpp) is not in the
# catalogues (a tr() added without running --update), when a message has no translation yet,
# or when the catalogues keep a message the sources no longer have. hvadmin_de.ts holds every
# text, hvadmin_en.ts only the English plural forms of the texts that show a count.
# Usage: scripts/check-translations.sh [--update]
#   --update  brings the catalogues up to date with the sources (new texts come in
#             unfinished, texts gone from the sources go out); then fill in the new
#             translations (with Qt Linguist, or by editing the .ts) and run the check.
set -euo pipefail
cd "$(dirname "$0")/.."
# Qt 6's lupdate (a lupdate on the PATH may be Qt 5's).
lupdate="$(qtpaths6 --query QT_HOST_BINS 2>/dev/null || echo /usr/lib/qt6/bin)/lupdate"
sources=(ui app ops files/DirClass.cpp)
catalogues=(translations/hvadmin_de.ts translations/hvadmin_en.ts)
options() { # the lupdate options of a catalogue
  case "$1" in
    *_en.ts) echo "-pluralonly" ;;
  esac
}

if [ "${1:-}" = --update ]; then
  for ts in "${catalogues[@]}"; do
    # shellcheck disable=SC2046
    "$lupdate" -silent -I . -locations none -no-obsolete $(options "$ts") "${sources[@]}" -ts "$ts"
  done
  exec "$0"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for ts in "${catalogues[@]}"; do
  copy="$work/$(basename "$ts")"
  cp "$ts" "$copy"
  # shellcheck disable=SC2046
  "$lupdate" -silent -I . -locations none $(options "$ts") "${sources[@]}" -ts "$copy"
  # The messages (context, source, comment, plural), without their translations.
  if ! python3 - "$ts" "$copy" <<'PYEOF'; then
import sys
import xml.etree.ElementTree as ET

def messages(path):
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"), message.findtext("comment") or "",
                   message.get("numerus") == "yes")
            translation = message.find("translation")
            found[key] = translation.get("type") if translation is not None else None
    return found

committed, updated = messages(sys.argv[1]), messages(sys.argv[2])
problems = []
for key in sorted(set(updated) - set(committed)):
    problems.append("not in the catalogue: %s: %r" % (key[0], key[1]))
for key in sorted(set(committed) - set(updated)):
    problems.append("no longer in the sources: %s: %r" % (key[0], key[1]))
for key, kind in sorted(updated.items()):
    if kind == "unfinished" and key in committed:
        problems.append("no translation: %s: %r" % (key[0], key[1]))
    elif kind in ("vanished", "obsolete") and key in committed:
        problems.append("no longer in the sources: %s: %r" % (key[0], key[1]))
for problem in problems:
    print("%s: %s" % (sys.argv[1], problem), file=sys.stderr)
sys.exit(1 if problems else 0)
PYEOF
    failed=1
  fi
done
if [ $failed -ne 0 ]; then
  echo "The catalogues in translations/ do not match the sources: run" \
    "scripts/check-translations.sh --update, translate the new texts and commit the .ts files." >&2
  exit 1
fi

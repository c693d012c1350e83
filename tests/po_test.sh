#!/usr/bin/env bash
# The translations as a translator's tools see them: each PO file of po/LINGUAS passes
# msgfmt --check with every text translated and none fuzzy, and holds exactly the texts of
# po/velkora.pot; and the template holds exactly the texts the sources, the desktop entry and
# the metadata have now (tools/update_po.sh brings it up to date).
# Usage: po_test.sh SOURCE_DIR PROJECT_DESCRIPTION
set -euo pipefail
cd "$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
texts() { msgcat --no-wrap --sort-output "$1" | grep '^msgid ' || true; }

bash tools/update_po.sh --pot "$scratch/now.pot" 2>/dev/null
diff <(texts po/velkora.pot) <(texts "$scratch/now.pot") >&2 \
    || fail "po/velkora.pot is not what the sources say now: run tools/update_po.sh"
grep -qxF "msgid \"$2\"" po/velkora.pot || fail "the program's description is not a text of po/velkora.pot"
for code in $(grep -v '^#' po/LINGUAS); do
    report=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "po/$code.po" 2>&1) || fail "msgfmt --check po/$code.po: $report"
    case "$report" in
    *fuzzy* | *untranslated*) fail "po/$code.po: $report" ;;
    *) echo "po/$code.po: $report" ;;
    esac
    diff <(texts po/velkora.pot) <(texts "po/$code.po") >&2 || fail "po/$code.po does not hold the texts of po/velkora.pot"
done
exit $status

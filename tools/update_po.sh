#!/usr/bin/env bash
# Brings po/ up to date with the program's English texts: writes po/velkora.pot from the
# sources (every translatable("...")), the desktop entry and the AppStream metadata, then
# merges it into each PO file of po/LINGUAS. A new text arrives untranslated and a changed one
# fuzzy: translate it and drop the fuzzy mark, or the build says which text is missing.
# With --pot FILE it only writes the template to FILE.
#
# A new language: add its code to po/LINGUAS and run
#   msginit --no-translator -l CODE -i po/velkora.pot -o po/CODE.po
# then translate every entry of po/CODE.po.
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_packages gettext appstream
cd "$VELKORA_ROOT"

pot=po/velkora.pot
only_pot=0
if [ "${1:-}" = --pot ]; then
    pot=$2
    only_pot=1
fi

# The metadata's own rules (appstream's), which leave names marked translate="no" alone.
its=/usr/share/gettext/its/metainfo.its
common=(--from-code=UTF-8 --package-name=Velkora --package-version=1.0.0.0 --no-wrap --sort-by-file --add-location=file
    --msgid-bugs-address=https://www.velkora.example/ --copyright-holder=Velkora)
mapfile -t sources < <(git ls-files 'window/*.h' 'window/*.cpp' | sort)
xgettext "${common[@]}" --language=C++ --keyword= --keyword=translatable --add-comments=TRANSLATORS: \
    -o "$pot" "${sources[@]}"
xgettext "${common[@]}" --join-existing --language=Desktop --keyword= --keyword=GenericName \
    --keyword=Comment --keyword=Keywords -o "$pot" resources/velkora.desktop.in
xgettext "${common[@]}" --join-existing --its="$its" -o "$pot" resources/velkora.metainfo.xml.in
# Its header says what a translator must keep; its date is the last commit's, so that the
# file changes only with a text.
date=$(git log -1 --format=%cd --date=format:'%Y-%m-%d %H:%M+0000' 2>/dev/null || date -u '+%Y-%m-%d %H:%M+0000')
{
    echo "# Velkora's texts, for translation."
    echo '# In a caption, "&" marks the next letter as the access key (Alt with that letter): keep one'
    echo '# wherever the English has one, before a letter A to Z that no other caption of the window'
    echo '# uses. Tooltips begin and end with one blank: keep both.'
    sed -e '1,4d' -e "s/^\"POT-Creation-Date: .*\\\\n\"$/\"POT-Creation-Date: $date\\\\n\"/" \
        -e 's/^"Content-Type: text\/plain; charset=CHARSET/"Content-Type: text\/plain; charset=UTF-8/' "$pot"
} >"$pot.new"
mv "$pot.new" "$pot"

[ "$only_pot" = 1 ] && exit 0
for code in $(grep -v '^#' po/LINGUAS); do
    msgmerge --quiet --update --backup=none --no-wrap --no-fuzzy-matching "po/$code.po" "$pot"
done
say "po/ is up to date; translate whatever msgfmt --statistics reports as untranslated or fuzzy"

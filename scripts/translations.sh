#!/usr/bin/env bash
# Keeps the message catalogues in step with the sources.
#   translations.sh           remakes po/kinsight.pot from the sources and
#                             merges it into every po/LANG.po, for a translator
#   translations.sh --check   the same in a scratch folder, changing nothing;
#                             fails when a catalogue lacks a translation or
#                             keeps a fuzzy one (a message changed since)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
check=
case "${1:-}" in
"") ;;
--check) check=1 ;;
*)
    echo "usage: translations.sh [--check]" >&2
    exit 2
    ;;
esac

out=$root/po
if [ -n "$check" ]; then
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
fi

cd "$root"
# Every source the two programs are built from; the fixed texts of the
# windows are never marked, so they never reach a catalogue.
find engine checker cli ui pictures tiebreak frame textfit tools \
    -name '*.cpp' -o -name '*.h' | LC_ALL=C sort >"$out/sources"
version=$(sed -n 's/^project(Kinsight VERSION \([^ ]*\).*/\1/p' CMakeLists.txt)
xgettext --files-from="$out/sources" --output="$out/kinsight.pot" \
    --language=C++ --from-code=UTF-8 --keyword --keyword=i18n --keyword=i18np:1,2 \
    --keyword=I18N_NOOP --keyword=I18NP_NOOP:1,2 --add-comments=TRANSLATORS: --add-location=file \
    --package-name=Kinsight --package-version="$version" \
    --msgid-bugs-address=kinsight@users.noreply.github.com
# The launcher's and the metainfo's texts, by their own kinds of file.
xgettext --join-existing --output="$out/kinsight.pot" --from-code=UTF-8 --add-location=file \
    --package-name=Kinsight --package-version="$version" \
    --msgid-bugs-address=kinsight@users.noreply.github.com \
    packaging/kinsight.desktop.in packaging/kinsight.metainfo.xml.in
rm "$out/sources"

status=0
while read -r language; do
    case "$language" in "" | "#"*) continue ;; esac
    merged=$root/po/$language.po
    if [ -n "$check" ]; then
        msgmerge --quiet --no-wrap --previous --output-file="$out/$language.po" \
            "$merged" "$out/kinsight.pot"
        merged=$out/$language.po
    else
        msgmerge --quiet --no-wrap --previous --update --backup=off "$merged" "$out/kinsight.pot"
    fi
    counts=$(msgfmt --check --statistics -o /dev/null "$merged" 2>&1)
    echo "po/$language.po: $counts"
    if grep -qE 'fuzzy|untranslated' <<<"$counts"; then
        echo "po/$language.po: every message needs its translation (edit it, then run $0)" >&2
        status=1
    fi
done <"$root/po/LINGUAS"
exit $status

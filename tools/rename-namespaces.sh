#!/bin/sh
# Gives every internal namespace the one pattern <topic>_detail: one namespace per topic, named
# after the component or subject it serves (acge_detail, gpc_detail, containment_detail, ...),
# holding nothing callers may use. Exported namespaces (Orvel, AcGe, Adesk, gpc) and those of the
# tool (geoio, geotool), the Python module (geopy) and the tests keep their names.
#
#   acge_twins              -> acge_detail            (curve logic shared by the 2D and 3D twins)
#   acge_detail::offset     -> trimmed_offset_detail  (the trimmed offset engine's pieces and index)
#   geoio::detail           -> geoio::numbers_detail  (the tool's number-character table)
#
# Run from anywhere inside the checkout: tools/rename-namespaces.sh. It edits tracked files in
# place, re-formats the files it changed when clang-format is at hand, and ends by listing any
# namespace of the library that still breaks the pattern (exit status 1 then). Running it again
# changes nothing.
set -eu

cd "$(git rev-parse --show-toplevel)"

# Tracked C++ sources, under the given paths when there are any.
sources() {
    git ls-files -- "$@" | grep -E '\.(cpp|cc|h|hpp)$' || true
}

# Files among the tracked sources (restricted to the given paths) that match an extended regex.
matching() {
    pattern=$1
    shift
    sources "$@" | xargs -r grep -lE -- "$pattern" || true
}

changed=""
note() {
    changed="$changed $*"
}

# acge_twins -> acge_detail.
files=$(matching '\bacge_twins\b')
if [ -n "$files" ]; then
    # shellcheck disable=SC2086
    sed -i -E 's/\bacge_twins\b/acge_detail/g' $files
    note "$files"
fi

# acge_detail::offset -> trimmed_offset_detail. The engine's headers hold nothing but the nested
# namespace, so the outer one is renamed and the inner one dropped.
for f in $(matching '^namespace offset \{$' platform/acge); do
    opens=$(grep -cE '^namespace [A-Za-z_]' "$f")
    closes=$(grep -cE '^\}\s*//\s*namespace (offset|acge_detail)$' "$f")
    if [ "$opens" -ne 2 ] || [ "$closes" -ne 2 ] || ! grep -qE '^namespace acge_detail \{$' "$f"; then
        echo "rename-namespaces: $f holds more than acge_detail::offset; rename it by hand" >&2
        exit 2
    fi
    sed -i -E \
        -e '/^namespace offset \{$/d' \
        -e '/^\}\s*\/\/\s*namespace offset$/d' \
        -e 's/^namespace acge_detail \{$/namespace trimmed_offset_detail {/' \
        -e 's/^\}\s*\/\/\s*namespace acge_detail$/}  \/\/ namespace trimmed_offset_detail/' "$f"
    note "$f"
done
files=$(matching '\bacge_detail::offset::|using namespace offset;|(^|[^A-Za-z0-9_:])offset::[A-Za-z_]')
if [ -n "$files" ]; then
    # shellcheck disable=SC2086
    sed -i -E \
        -e 's/\bacge_detail::offset::/trimmed_offset_detail::/g' \
        -e 's/using namespace offset;/using namespace trimmed_offset_detail;/g' \
        -e 's/(^|[^A-Za-z0-9_:])offset::([A-Za-z_])/\1trimmed_offset_detail::\2/g' $files
    note "$files"
fi

# geoio::detail -> geoio::numbers_detail (only the tool's number table uses a bare detail).
holders=$(matching '^namespace detail \{$' tools/geo)
if [ -n "$holders" ]; then
    if [ "$holders" != "tools/geo/numbers.h" ]; then
        echo "rename-namespaces: a bare namespace detail outside tools/geo/numbers.h: $holders" >&2
        exit 2
    fi
    files=$(matching '(^|[^A-Za-z0-9_:])detail::|^namespace detail \{$' tools/geo)
    # shellcheck disable=SC2086
    sed -i -E \
        -e 's/^namespace detail \{$/namespace numbers_detail {/' \
        -e 's/^\}\s*\/\/\s*namespace detail$/}  \/\/ namespace numbers_detail/' \
        -e 's/(^|[^A-Za-z0-9_:])detail::/\1numbers_detail::/g' $files
    note "$files"
fi

# shellcheck disable=SC2086
changed=$(printf '%s\n' $changed | sort -u)
# The style file asks for braces, which clang-format inserts only from version 15 on.
formatter=$(command -v clang-format-16 || command -v clang-format || true)
if [ -n "$changed" ] && [ -n "$formatter" ]; then
    echo "$changed" | xargs "$formatter" -i
fi
if [ -n "$changed" ]; then
    echo "rename-namespaces: changed $(echo "$changed" | wc -l) files"
else
    echo "rename-namespaces: nothing to change"
fi

# Any named namespace of the library (not an alias) that is neither <topic>_detail nor exported.
stray=$(sources foundation entities curves toolkit analysis platform include |
    xargs grep -nE '^\s*namespace [A-Za-z_][A-Za-z0-9_]* \{' |
    grep -vE 'namespace ([A-Za-z0-9]+_)+detail \{|namespace (Orvel|AcGe|Adesk|gpc) \{' || true)
if [ -n "$stray" ]; then
    echo "rename-namespaces: namespaces off the <topic>_detail pattern:" >&2
    echo "$stray" >&2
    exit 1
fi

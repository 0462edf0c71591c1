#!/usr/bin/env bash
# Checks that every include between folders follows layers.txt and lists
# each one that does not, with its file and line.
# Usage: scripts/check-layers.sh           exit 1 when an include goes against the order
#        scripts/check-layers.sh --edges   count the includes between folders
set -euo pipefail
cd "$(dirname "$0")/.."

# Includes against the order that the rework of the main dialog and its pages
# removes: "<file prefix> <include prefix>". Reported as pending, not as
# failures. Empty this list once that work has landed.
PENDING=(
    "tuning/win/ app/"
    "reception/win/ app/win/"
    "database/win/ language/"
    "tuning/win/ reception/win/"
)

# "file:line:included/path" for every #include "folder/..." of the sources.
includes() {
    find . -path ./build -prune -o -path ./.git -prune -o -type f \
        \( -name '*.cpp' -o -name '*.h' -o -name '*.rc' \) -printf '%P\0' | sort -z |
        xargs -0 grep -n -H -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/' |
        sed -E 's|^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*|\1:\2:\3|'
}

if [ "${1:-}" = --edges ]; then
    includes | awk -F: '{ split($1, f, "/"); split($3, t, "/"); if (f[1] != t[1]) print f[1] " -> " t[1] }' |
        sort | uniq -c
    exit 0
fi

includes | awk -F: -v pending="$(printf '%s\n' "${PENDING[@]}")" '
    BEGIN {
        while ((getline line < "layers.txt") > 0) {
            sub(/#.*/, "", line)
            if (line ~ /:/) {
                split(line, parts, ":")
                folder = parts[1]; gsub(/[[:space:]]/, "", folder)
                restricted[folder] = 1
                n = split(parts[2], allowed, " ")
                for (i = 1; i <= n; ++i) may[folder, allowed[i]] = 1
            } else if (line ~ /[^[:space:]]/) {
                gsub(/[[:space:]]/, "", line)
                rank[line] = ++layers
            }
        }
        npending = split(pending, pendingLines, "\n")
    }
    function isPending(file, target,    i, p) {
        for (i = 1; i <= npending; ++i) {
            if (split(pendingLines[i], p, " ") == 2 && index(file, p[1]) == 1 && index(target, p[2]) == 1)
                return 1
        }
        return 0
    }
    {
        split($1, f, "/"); split($3, t, "/")
        from = f[1]; to = t[1]
        if (from == to) next
        if (from in rank)
            wrong = !(to in rank) || rank[to] > rank[from]
        else if (from in restricted)
            wrong = !((from, to) in may)
        else
            next
        if (!wrong) next
        message = $1 ":" $2 ": includes " $3 " (" from " may not include " to ")"
        if (isPending($1, $3)) { print "pending: " message; ++pendingCount }
        else { print message; ++failures }
    }
    END {
        if (pendingCount) print pendingCount " include(s) pending removal (PENDING in scripts/check-layers.sh)"
        if (failures) { print failures " include(s) against the order of layers.txt"; exit 1 }
        print "Includes follow layers.txt"
    }'

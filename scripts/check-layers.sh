#!/usr/bin/env bash
# Checks that every include between folders follows layers.txt and lists
# each one that does not, with its file and line.
# Usage: scripts/check-layers.sh           exit 1 when an include goes against the order
#        scripts/check-layers.sh --edges   count the includes between folders
set -euo pipefail
cd "$(dirname "$0")/.."

# "file:line:included/path" for every #include "folder/..." of the tracked sources.
includes() {
    git ls-files -z -- '*.cpp' '*.h' '*.rc' |
        xargs -0 grep -n -H -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/' |
        sed -E 's|^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*|\1:\2:\3|'
}

if [ "${1:-}" = --edges ]; then
    includes | awk -F: '{ split($1, f, "/"); split($3, t, "/"); if (f[1] != t[1]) print f[1] " -> " t[1] }' |
        sort | uniq -c
    exit 0
fi

includes | awk -F: '
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
        print $1 ":" $2 ": includes " $3 " (" from " may not include " to ")"
        ++failures
    }
    END {
        if (failures) { print failures " include(s) against the order of layers.txt"; exit 1 }
        print "Includes follow layers.txt"
    }'

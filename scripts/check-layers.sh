#!/usr/bin/env bash
# Checks that the code follows layers.txt and lists each place that does not,
# with its file and line: every include between folders, every class declared
# ahead of a folder that defines it later, every folder missing from the
# list, and include cycles among the main program's window files (app/win).
# Usage: scripts/check-layers.sh                 exit 1 when something goes against the order
#        scripts/check-layers.sh --edges         count the includes between folders
#        scripts/check-layers.sh --plant F:N:P   check as if file F had #include "P" at line N
set -euo pipefail
cd "$(dirname "$0")/.."

planted=""
if [ "${1:-}" = --plant ]; then
    planted="$2"
fi

# "file:line:included/path" for every #include "folder/..." of the tracked sources.
includes() {
    git ls-files -z -- '*.cpp' '*.h' '*.rc' |
        xargs -0 grep -n -H -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/' |
        sed -E 's|^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*|\1:\2:\3|'
    [ -z "$planted" ] || echo "$planted"
}

if [ "${1:-}" = --edges ]; then
    includes | awk -F: '{ split($1, f, "/"); split($3, t, "/"); if (f[1] != t[1]) print f[1] " -> " t[1] }' |
        sort | uniq -c
    exit 0
fi

# "I file:line:included" for the includes, "F file:line:Name" for the classes
# declared ahead, "D folder:Name" for the classes defined, "S file" for
# every source file.
{
    includes | sed 's/^/I /'
    git ls-files -z -- '*.cpp' '*.h' |
        xargs -0 grep -n -H -E '^(class|struct) [A-Za-z_0-9]+;' |
        sed -E 's/^([^:]+:[0-9]+):(class|struct) ([A-Za-z_0-9]+);.*/F \1:\3/' || true
    git ls-files -z -- '*.cpp' '*.h' |
        xargs -0 grep -H -E '^(class|struct) [A-Za-z_0-9]+( final)?([[:space:]]*[:{].*)?$' |
        sed -E 's#^([^/:]+)/[^:]*:(class|struct) ([A-Za-z_0-9]+).*#D \1:\3#' || true
    git ls-files -- '*.cpp' '*.h' '*.rc' | grep / | sed 's/^/S /'
} | awk '
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
    function top(path,    p) { split(path, p, "/"); return p[1] }
    function complain(text) { print text; ++failures }
    $1 == "S" {
        folder = top($2)
        if (!(folder in rank) && !(folder in restricted) && !(folder in reported)) {
            reported[folder] = 1
            complain($2 ": folder " folder " is not in layers.txt")
        }
        next
    }
    $1 == "D" { split($2, d, ":"); definedIn[d[2]] = definedIn[d[2]] " " d[1]; next }
    $1 == "F" { forward[++forwards] = $2; next }
    {
        split($2, inc, ":")
        from = top(inc[1]); to = top(inc[3])
        if (from == to) next
        if (from in rank)
            wrong = !(to in rank) || rank[to] > rank[from]
        else
            wrong = !((from, to) in may)
        if (wrong)
            complain(inc[1] ":" inc[2] ": includes " inc[3] " (" from " may not include " to ")")
    }
    END {
        # A class declared ahead names what its folder may not include.
        for (k = 1; k <= forwards; ++k) {
            split(forward[k], f, ":")
            from = top(f[1]); name = f[3]
            if (!(from in rank) || !(name in definedIn)) continue
            n = split(definedIn[name], folders, " ")
            lowest = 0
            for (j = 1; j <= n; ++j)
                if (folders[j] in rank && (lowest == 0 || rank[folders[j]] < lowest)) lowest = rank[folders[j]]
            if (lowest > rank[from])
                complain(f[1] ":" f[2] ": declares " name " of a later folder (" from " may not name it)")
        }
        if (failures) { print failures " place(s) against layers.txt"; exit 1 }
        print "Includes and declarations follow layers.txt"
    }'

# The main program's window files include one another one way only: a
# module (a header and its sources) never includes, through any chain, a
# module that includes it.
if ! includes | awk -F: '$1 ~ /^app\/win\// && $3 ~ /^app\/win\// {
        from = $1; to = $3
        sub(/\.(cpp|h)$/, "", from); sub(/\.(cpp|h)$/, "", to)
        if (from != to) print from, to
    }' | tsort >/dev/null 2>/tmp/lumisat-layers-$$; then
    grep -v "input contains a loop" /tmp/lumisat-layers-$$ | sed 's/^tsort: /include cycle: /'
    rm -f /tmp/lumisat-layers-$$
    exit 1
fi
rm -f /tmp/lumisat-layers-$$
echo "No include cycle among app/win files"

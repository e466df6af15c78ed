#!/usr/bin/env bash
# Checks that the layers of the code point one way:
#   app -> skin -> gfx -> base      app -> net -> text -> base
# Every #include "folder/..." in the product's folders is an arrow from the including file's
# folder to the included one (skin/controls and skin/window belong to skin). An arrow that
# is not on the way down (a layer reaching up, or across to the other branch) is reported
# with the file and line, and so is any cycle between folders; the exit code is then 1.
# Usage: bash scripts/check-layers.sh [source root]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"

# What each folder may include besides itself.
declare -A allowed=(
  [base]=""
  [text]="base"
  [net]="text base"
  [gfx]="base"
  [skin]="gfx base"
  [app]="skin gfx net text base"
  [resources]="base"
)

status=0
edges=""
for folder in "${!allowed[@]}"; do
  [ -d "$root/$folder" ] || continue
  while IFS=: read -r file line text; do
    target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$text")
    [ "$target" = "$folder" ] && continue
    edges+="$folder $target"$'\n'
    if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
      echo "layer violation: ${file#$root/}:$line: $folder -> $target ($text)"
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z_]+/' "$root/$folder" \
             --include='*.h' --include='*.cpp' --include='*.c' --include='*.rc' || true)
done

# Cycles between folders (a depth-first search over the arrows found).
cycles=$(sort -u <<<"$edges" | python3 -c '
import sys
graph = {}
for line in sys.stdin:
    parts = line.split()
    if len(parts) == 2:
        graph.setdefault(parts[0], set()).add(parts[1])
state, found = {}, []
def visit(node, path):
    state[node] = 1
    for nxt in sorted(graph.get(node, ())):
        if state.get(nxt) == 1:
            found.append(" -> ".join(path[path.index(nxt):] + [nxt]) if nxt in path else node + " -> " + nxt)
        elif not state.get(nxt):
            visit(nxt, path + [nxt])
    state[node] = 2
for node in sorted(graph):
    if not state.get(node):
        visit(node, [node])
print("\n".join(found))
')
if [ -n "$cycles" ]; then
  echo "include cycles between folders:"
  echo "$cycles"
  status=1
fi

if [ $status -eq 0 ]; then
  echo "layers: $(sort -u <<<"$edges" | grep -c . || true) arrows between folders, all pointing down, no cycle"
fi
exit $status

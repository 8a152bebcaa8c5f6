#!/usr/bin/env bash
# The ladder check against copies of the engine and its design document, each with one fault
# planted: every upward include, a folder off the ladder and a reordered table must fail it, naming
# the fault; the copy as it stands must pass.
#   check_engine_ladder_test.sh CHECK_SCRIPT ENGINE_DIR ARCHITECTURE_MD
set -euo pipefail
check=${1:?usage: check_engine_ladder_test.sh CHECK_SCRIPT ENGINE_DIR ARCHITECTURE_MD}
engine=${2:?}
docs=${3:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "name|file to append to (under the copy)|line appended|text the check must print"
cases=(
    "the world reaches for the turn's automatic frontend|engine/world/frontend.cpp|#include \"engine/turn/automatic_frontend.h\"|engine/world/frontend.cpp includes engine/turn/automatic_frontend.h: turn is above world"
    "one rung up, from a header|engine/forces/brigade_rules.h|#include \"engine/movement/path_search.h\"|engine/forces/brigade_rules.h includes engine/movement/path_search.h: movement is above forces"
    "indented and in angle brackets|engine/orders/new_corps.cpp|  #  include <engine/turn/turn_end.h>|engine/orders/new_corps.cpp includes engine/turn/turn_end.h: turn is above orders"
    "a folder off the ladder, included|engine/combat/battle_setup.cpp|#include \"engine/extra/tools.h\"|engine/combat/battle_setup.cpp includes engine/extra/tools.h: extra is above combat"
    "a file in a folder off the ladder|engine/extra/tools.h|#pragma once|engine/extra/tools.h: folder extra is not on the ladder"
)

faults=0
fresh_copy() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree/docs"
    cp -r "$engine" "$work/tree/engine"
    cp "$docs" "$work/tree/docs/architecture.md"
}

fresh_copy
if ! out=$(bash "$check" "$work/tree/engine" "$work/tree/docs/architecture.md" 2>&1); then
    echo "the unchanged copy fails the check: $out"
    faults=$((faults + 1))
fi

for c in "${cases[@]}"; do
    IFS='|' read -r name file line expected <<<"$c"
    fresh_copy
    mkdir -p "$(dirname "$work/tree/$file")"
    printf '%s\n' "$line" >>"$work/tree/$file"
    if out=$(bash "$check" "$work/tree/engine" "$work/tree/docs/architecture.md" 2>&1); then
        echo "$name: the check passed"
        faults=$((faults + 1))
    elif ! grep -qxF "$expected" <<<"$out"; then
        echo "$name: the check failed without naming the fault: $out"
        faults=$((faults + 1))
    fi
done

# The design document's table with two rungs swapped.
fresh_copy
sed -i 's/^| `movement\/` |/| `SWAP` |/; s/^| `forces\/` |/| `movement\/` |/; s/^| `SWAP` |/| `forces\/` |/' \
    "$work/tree/docs/architecture.md"
if out=$(bash "$check" "$work/tree/engine" "$work/tree/docs/architecture.md" 2>&1); then
    echo "swapped rungs in the design document: the check passed"
    faults=$((faults + 1))
elif ! grep -q "shows the ladder as: world movement forces combat" <<<"$out"; then
    echo "swapped rungs in the design document: the check failed without naming the fault: $out"
    faults=$((faults + 1))
fi

[ "$faults" -eq 0 ] || { echo "$faults case(s) wrong"; exit 1; }
echo "The ladder check fails every planted fault and passes the engine as it stands"

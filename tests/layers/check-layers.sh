#!/usr/bin/env bash
# The layers stay apart: nothing in src/core or src/cli includes a widget header or anything
# of the window (src/gui), and neither the core library nor kadrela-batch links Qt Widgets.
# Usage: check-layers.sh SOURCE_DIR WIDGETS_INCLUDE_DIRS CORE_LINK_LIBRARIES BATCH_BINARY
set -uo pipefail
source_dir=$1
widgets_includes=$2
core_links=$3
batch=$4
failed=0

fail() {
    echo "$1"
    failed=1
}

for layer in core cli; do
    while IFS=: read -r file line include; do
        header=$(sed -E 's/^#include *[<"]([^>"]+)[>"].*/\1/' <<<"$include")
        [[ $header == gui/* ]] && fail "$file:$line includes the window's $header"
        IFS=';' read -ra directories <<<"$widgets_includes"
        for directory in "${directories[@]}"; do
            [[ $directory == */QtWidgets && -e $directory/$header ]] &&
                fail "$file:$line includes the widget header $header"
        done
    done < <(grep -rnE '^#include' "$source_dir/src/$layer")
done

[[ $core_links == *Widgets* ]] && fail "kadrela_core links Qt Widgets: $core_links"
ldd "$batch" | grep -q 'libQt6Widgets' && fail "kadrela-batch links Qt Widgets"
# The check itself must see what it checks.
[[ -n $core_links && -x $batch ]] || fail "nothing to check: '$core_links' '$batch'"

[[ $failed -eq 0 ]] && echo "layers apart: core and cli use no widgets and nothing of the window"
exit $failed

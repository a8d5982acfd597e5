#!/usr/bin/env bash
# Updating an album of 200 real photos in place after one photo changed, against making the
# same album from scratch (both with one thread per core, classic and modern pages), in one
# run. The update takes over the copies and pictures of the 199 unchanged photos.
# Uses the shared yardsticks (runbench.py, make_corpus.sh's baseline corpus).
# Usage: bench/album-update.sh [BUILD_DIR [YARDSTICK_DIR]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
yardsticks=${2:-$here/../../shared/bench}
batch=$build/bin/kadrela-batch
rounds=${ROUNDS:-3}
work=/tmp/kadrela-bench-update
[[ -d /tmp/corpus200b ]] || sh "$yardsticks/make_corpus.sh"
rm -rf "$work"
mkdir -p "$work/fresh" "$work/updated"
cp -al /tmp/corpus200b "$work/photos"
changed=$work/photos/c000_Aqua.jpg
# Each round the photo gets the other of two pictures, so there is always one change.
swap="if cmp -s $changed /tmp/corpus200b/c000_Aqua.jpg; then
        cp --remove-destination /tmp/corpus200b/c007_Garden.jpg $changed;
      else cp --remove-destination /tmp/corpus200b/c000_Aqua.jpg $changed; fi; sync"
for mode in "" "--modern"; do
    echo "== ${mode:-classic} pages =="
    make="$batch -q --update $mode -t Bench"
    $make -o "$work/updated" "$work/photos" >/dev/null # the album to update
    python3 "$yardsticks/runbench.py" -n "$rounds" --warmup 0 --base fresh \
        --cmd fresh "$make -o $work/fresh $work/photos" --prep "rm -rf $work/fresh/*; sync" \
        --cmd "update, 1 of 200 changed" "$make -o $work/updated $work/photos" \
        --prep "$swap" | tail -n 4
done
rm -rf "$work"

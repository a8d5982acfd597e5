#!/usr/bin/env bash
# The album of 200 real photos against the naive exact pipeline (copy + full libjpeg decode +
# nearest-neighbour sampling + quality-90 encode, one thread) and against "cp -r", all in one
# run, on the baseline corpus and on the mostly progressive one; kadrela-batch with one
# thread and with one per core, the modern pages' album (display copies and two filtered
# thumbnails per photo) with one per core, and the program doing nothing for its idle memory.
# Uses the shared yardsticks (runbench.py, jpeglimits.c, make_corpus.sh's corpora).
# Usage: bench/album-vs-naive.sh [BUILD_DIR [YARDSTICK_DIR]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
yardsticks=${2:-$here/../../shared/bench}
batch=$build/bin/kadrela-batch
rounds=${ROUNDS:-3}
album=/tmp/kadrela-bench-album
naive=/tmp/kadrela-jpeglimits
[[ -x $naive ]] || gcc -O2 -o "$naive" "$yardsticks/jpeglimits.c" -ljpeg -lm
[[ -d /tmp/corpus200b ]] || sh "$yardsticks/make_corpus.sh"
cores=$(nproc)
prep="rm -rf $album; sync"
for corpus in /tmp/corpus200b /tmp/corpus200; do
    echo "== $corpus ($([[ $corpus == *b ]] && echo baseline || echo mostly progressive)) =="
    python3 "$yardsticks/runbench.py" -n "$rounds" --warmup 0 --base cp,naive \
        --cmd cp "cp -r $corpus $album" --prep "$prep" \
        --cmd naive "cp -r $corpus $album && cd $album && ls $corpus | xargs -n 10 $naive -T b -o ." \
        --prep "$prep" \
        --cmd idle "$batch --version" --prep "$prep" \
        --cmd "kadrela -j1" "mkdir -p $album && $batch -q -j 1 -t Bench -o $album $corpus" \
        --prep "$prep" \
        --cmd "kadrela -j$cores" "mkdir -p $album && $batch -q -j $cores -t Bench -o $album $corpus" \
        --prep "$prep" \
        --cmd "modern -j$cores" \
        "mkdir -p $album && $batch -q -j $cores --modern -t Bench -o $album $corpus" \
        --prep "$prep" | tail -n 8
done
rm -rf "$album"

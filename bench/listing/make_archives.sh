#!/usr/bin/env bash
# Makes the listing benchmark's archives with Info-ZIP's zip from real files
# on disk, once: an archive that is already there is kept.
#   make_archives.sh OUT_DIR
# OUT_DIR/tree250k.zip  250,000 files in 2,500 folders three levels deep
#                       (10 x 10 x 25 folders of 100 files), plus their
#                       2,610 folder entries and a few files at the top
# OUT_DIR/tree25k.zip   the same shape with one top folder: 25,000 files
#                       in 250 folders
# OUT_DIR/flat25k.zip   25,000 files in the one folder "big", plus a few
#                       other files and folders
# OUT_DIR/one.zip       one file: the start of the program without entries
set -euo pipefail
OUT=${1:?usage: make_archives.sh OUT_DIR}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)

EXTS=(txt c h jpg png dat md json zip exe)

# Writes COUNT small files named PREFIX_NNNNN.EXT into the current folder.
write_files() {
  local prefix=$1 count=$2 i
  for ((i = 0; i < count; i++)); do
    printf -v name '%s_%05d.%s' "$prefix" "$i" "${EXTS[i % 10]}"
    printf '%s %d\n' "$name" "$i" >"$name"
  done
}

# zip ARCHIVE from the contents of WORK, through a temporary name so that an
# interrupted run leaves nothing that looks finished.
make_zip() {
  local archive=$1 work=$2
  rm -f "$archive.part"
  (cd "$work" && zip -q -r -X "$archive.part" .)
  mv "$archive.part" "$archive"
}

# make_tree NAME TOP: TOP top folders of 10 x 25 folders with 100 files each.
make_tree() {
  local name=$1 top=$2
  local archive=$OUT/$name
  [ -f "$archive" ] && return 0
  local work a b c start
  work=$(mktemp -d)
  start=$(date +%s.%N)
  (
    cd "$work"
    printf 'top level\n' >README.md
    printf 'licence\n' >LICENSE.txt
    for ((a = 0; a < top; a++)); do
      for ((b = 0; b < 10; b++)); do
        for ((c = 0; c < 25; c++)); do
          printf -v dir 'src%02d/mod%02d/pkg%02d' "$a" "$b" "$c"
          mkdir -p "$dir"
          (cd "$dir" && write_files file 100)
        done
      done
    done
  )
  local files_done
  files_done=$(date +%s.%N)
  make_zip "$archive" "$work"
  rm -rf "$work"
  awk -v s="$start" -v f="$files_done" -v e="$(date +%s.%N)" \
    -v n="$name" 'BEGIN { printf "%s: files %.1f s, zip %.1f s\n", n, f - s, e - f }'
}

make_flat() {
  local archive=$OUT/flat25k.zip
  [ -f "$archive" ] && return 0
  local work start
  work=$(mktemp -d)
  start=$(date +%s.%N)
  (
    cd "$work"
    printf 'top level\n' >readme.txt
    mkdir -p big docs src/lib
    printf 'a\n' >docs/a.txt
    printf 'b\n' >docs/b.md
    printf 'int main() { return 0; }\n' >src/main.c
    printf 'int lib;\n' >src/lib/lib.c
    (cd big && write_files item 25000)
  )
  local files_done
  files_done=$(date +%s.%N)
  make_zip "$archive" "$work"
  rm -rf "$work"
  awk -v s="$start" -v f="$files_done" -v e="$(date +%s.%N)" \
    'BEGIN { printf "flat25k.zip: files %.1f s, zip %.1f s\n", f - s, e - f }'
}

make_one() {
  local archive=$OUT/one.zip
  [ -f "$archive" ] && return 0
  local work
  work=$(mktemp -d)
  printf 'one\n' >"$work/one.txt"
  make_zip "$archive" "$work"
  rm -rf "$work"
}

make_one
make_flat
make_tree tree25k.zip 1
make_tree tree250k.zip 10

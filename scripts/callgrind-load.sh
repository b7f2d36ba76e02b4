#!/usr/bin/env bash
# Instructions per input byte of one Create in a fresh process, whole load and per loader,
# counted with callgrind (counts hold on a shared machine, where times do not). Builds the
# release preset, generates the data set of the scale (10 unless given) under build/ once, runs
# create_bench's one-load probe under callgrind and prints the table against the targets:
# at most 10 instructions per byte for the whole load, at most 20 for any loader.
#
#   scripts/callgrind-load.sh          scale 10 (about 50 MB, under a minute)
#   scripts/callgrind-load.sh 1        scale 1
set -euo pipefail
cd "$(dirname "$0")/.."
SCALE="${1:-10}"
cmake --preset release > /dev/null
cmake --build --preset release -j2 --target create_bench generate_dataset > /dev/null
DATA="build/dataset-$SCALE"
if [ "$(cat "$DATA/dataset.txt" 2> /dev/null)" != "scale $SCALE" ]; then
  rm -rf "$DATA"
  build/release/bench/generate_dataset "$DATA" "$SCALE" > /dev/null
fi
OUT="build/callgrind-load-$SCALE.out"
valgrind --tool=callgrind --callgrind-out-file="$OUT" \
  build/release/bench/create_bench --memory-probe "$DATA" > /dev/null 2> "$OUT.log"

# Loader, then the files it reads (Create's order).
LOADERS=(
  "GameMap GameMap.dat" "Region region.ini" "SoundEvent SoundEvent.ini" "SoundRes SoundRes.ini"
  "TerrainNpc TerrainNpc.dat" "BattleMap BattleMap.ini" "CaptureCamera CaptureCamera.ini"
  "FighterPosOffset FighterPosOffset.ini" "CameraTrack CameraTrack.ini" "Npc Npc.ini NpcX.ini"
  "RolePartScale RolePartScale.ini" "2DRoleLook 2DRoleLook.ini" "RolePartHide RolePartHide.ini"
  "LookScale LookScale.ini" "MountScale MountScale.ini" "AppendentWeapon AppendentWeapon.ini"
  "WeaponAdjustByLook WeaponAdjustByLook.ini" "RoleWeapon3DEffect RoleWeapon3DEffect.ini"
  "Action3DEffect Action3DEffect.ini" "ActionSound ActionSound.ini"
  "SimpleObjInfo SimpleObjInfo.ini" "RoleTrace RoleTrace.ini" "RolePartReplace RolePartReplace.ini"
)
# The loader functions are named Create, the table and Info; two of them differ.
function_of() {
  case "$1" in
    ActionSound) echo CreateSoundInfo ;;
    SimpleObjInfo) echo CreateSimpleObjInfo ;;
    *) echo "Create${1}Info" ;;
  esac
}
ANNOTATED="$(callgrind_annotate --inclusive=yes --threshold=100 "$OUT")"
instructions_of() {
  grep -E "C3DRoleBaseData::$1\(\)" <<< "$ANNOTATED" | head -1 | awk '{gsub(",", "", $1); print $1}'
}

printf '\n## Instructions per input byte, one Create in a fresh process (scale %s)\n\n' "$SCALE"
printf '| Loader | MB | Instructions (M) | Per byte | Target | |\n|---|---|---|---|---|---|\n'
TOTAL_BYTES=0
for ENTRY in "${LOADERS[@]}"; do
  read -r NAME FILES <<< "$ENTRY"
  BYTES=0
  for FILE in $FILES; do BYTES=$((BYTES + $(stat -c %s "$DATA/ini/$FILE"))); done
  TOTAL_BYTES=$((TOTAL_BYTES + BYTES))
  COUNT="$(instructions_of "$(function_of "$NAME")")"
  # A loader the compiler folded into Create has no entry of its own.
  if [ -z "$COUNT" ]; then
    awk -v n="$NAME" -v b="$BYTES" 'BEGIN { printf "| %s | %.1f | inlined | | <= 20 | |\n", n, b / 1e6 }'
    continue
  fi
  awk -v n="$NAME" -v b="$BYTES" -v c="$COUNT" 'BEGIN {
    r = b > 0 ? c / b : 0
    printf "| %s | %.1f | %.1f | %.1f | <= 20 | %s |\n", n, b / 1e6, c / 1e6, r, r <= 20 ? "met" : "NOT MET" }'
done
TOTAL="$(instructions_of 'Create')"
awk -v b="$TOTAL_BYTES" -v c="$TOTAL" 'BEGIN {
  r = c / b
  printf "| Whole load (Create) | %.1f | %.1f | %.1f | <= 10 | %s |\n", b / 1e6, c / 1e6, r, r <= 10 ? "met" : "NOT MET" }'
echo
echo "callgrind output: $OUT (callgrind_annotate --inclusive=yes $OUT)"

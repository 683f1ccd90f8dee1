#!/usr/bin/env bash
# Fails when a translation is out of date with the sources (run the build target
# update_translations, translate, commit) or has unfinished entries.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp translations/kolt_*.ts "$work"/
scripts/update-translations.sh "$work"
status=0
for ts in translations/kolt_*.ts; do
  if ! cmp -s "$ts" "$work/$(basename "$ts")"; then
    echo "$ts is out of date with the sources: run 'cmake --build build --target update_translations'"
    diff -u "$ts" "$work/$(basename "$ts")" | head -40
    status=1
  fi
  unfinished=$(grep -c 'type="unfinished"' "$ts" || true)
  if [ "$unfinished" -gt 0 ]; then
    echo "$ts has $unfinished unfinished translations"
    status=1
  fi
done
[ $status -eq 0 ] && echo "translations: $(ls translations/kolt_*.ts | wc -l) files up to date and complete"
exit $status

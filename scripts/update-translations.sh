#!/usr/bin/env bash
# Brings translations/*.ts up to date with the texts marked in src/ (tr(), translate(),
# QT_TRANSLATE_NOOP and the .ui forms). New texts come in unfinished, for the translator;
# texts gone from the sources go. kolt_en.ts holds only the English plural forms.
# Usage: scripts/update-translations.sh [FOLDER]  (FOLDER: where the .ts files are)
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${KOLT_LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
folder=${1:-translations}
options=(-locations none -no-obsolete -silent -extensions cpp,h,ui)
for ts in "$folder"/kolt_*.ts; do
  if [ "$(basename "$ts")" = kolt_en.ts ]; then
    "$lupdate" "${options[@]}" -pluralonly src -ts "$ts"
  else
    "$lupdate" "${options[@]}" src -ts "$ts"
  fi
done

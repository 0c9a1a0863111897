#!/bin/sh
# Writes data/deutsch.lng and data/english.lng (Windows-1252, CR LF, 373 lines)
# from the two UTF-8 tables beside this script:
#   captions.tsv  line, target, German, English   (captions, memo texts, converter texts)
#   messages.tsv  index, role, German, English    (the 99 program messages)
# Fails without writing anything when a line is missing or twice, or when a text
# holds a character Windows-1252 does not have.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data="$here/../../data"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for lang in de en; do
  col=3
  [ "$lang" = en ] && col=4
  awk -F '\t' -v col="$col" '
    function messageLine(i) {
      if (i <= 66) return 143 + i
      if (i <= 69) return 273 + i - 67
      if (i <= 72) return 300 + i - 70
      if (i <= 89) return 309 + i - 73
      if (i <= 93) return 339 + i - 90
      return 360 + i - 94
    }
    NF != 4 { printf "%s:%d: %d columns instead of 4\n", FILENAME, FNR, NF > "/dev/stderr"; bad = 1; next }
    {
      line = (FILENAME ~ /messages\.tsv$/) ? messageLine($1 + 0) : $1 + 0
      if (line < 1 || line > 373) { printf "%s:%d: line %d out of range\n", FILENAME, FNR, line > "/dev/stderr"; bad = 1; next }
      if (line in text) { printf "%s:%d: line %d given twice\n", FILENAME, FNR, line > "/dev/stderr"; bad = 1; next }
      text[line] = $col
    }
    END {
      for (n = 1; n <= 373; n++) {
        if (!(n in text)) { printf "line %d is missing\n", n > "/dev/stderr"; bad = 1 }
        printf "%s\r\n", text[n]
      }
      exit bad
    }' "$here/captions.tsv" "$here/messages.tsv" > "$tmp/$lang.utf8"
  iconv -f UTF-8 -t WINDOWS-1252 "$tmp/$lang.utf8" > "$tmp/$lang.lng"
done
mv "$tmp/de.lng" "$data/deutsch.lng"
mv "$tmp/en.lng" "$data/english.lng"
echo "wrote $data/deutsch.lng and $data/english.lng"

#!/bin/sh
# Writes data/deutsch.lng and data/english.lng (Windows-1252, CR LF, 373 lines)
# from the two UTF-8 tables beside this script:
#   captions.tsv  line, target, German, English   (captions, memo texts, converter texts)
#   messages.tsv  index, role, German, English    (the 99 program messages)
# and their supplements data/deutsch.msg and data/english.msg (same encoding,
# one key=text line each) from
#   supplement.tsv  key, role, German, English    (the program's further texts)
# Fails without writing anything when a line or key is missing or twice, when a
# supplement text is empty, or when a text holds a character Windows-1252 does
# not have.
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

  awk -F '\t' -v col="$col" '
    NF != 4 { printf "%s:%d: %d columns instead of 4\n", FILENAME, FNR, NF > "/dev/stderr"; bad = 1; next }
    $1 !~ /^[A-Za-z][A-Za-z0-9]*$/ { printf "%s:%d: \"%s\" is no key\n", FILENAME, FNR, $1 > "/dev/stderr"; bad = 1; next }
    $1 in seen { printf "%s:%d: key %s given twice\n", FILENAME, FNR, $1 > "/dev/stderr"; bad = 1; next }
    $col == "" { printf "%s:%d: key %s has no text in column %d\n", FILENAME, FNR, $1, col > "/dev/stderr"; bad = 1; next }
    { seen[$1] = 1; printf "%s=%s\r\n", $1, $col }
    END { exit bad }' "$here/supplement.tsv" > "$tmp/$lang.msg.utf8"
  iconv -f UTF-8 -t WINDOWS-1252 "$tmp/$lang.msg.utf8" > "$tmp/$lang.msg"
done
mv "$tmp/de.lng" "$data/deutsch.lng"
mv "$tmp/en.lng" "$data/english.lng"
mv "$tmp/de.msg" "$data/deutsch.msg"
mv "$tmp/en.msg" "$data/english.msg"
echo "wrote $data/deutsch.lng, english.lng, deutsch.msg and english.msg"

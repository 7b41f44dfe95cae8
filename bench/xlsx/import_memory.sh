#!/usr/bin/env bash
# Memory of importing one sheet of a large workbook through `morvane-cli import`: a workbook of
# 12 sheets of dense cells (about 5 MB of XML each, 60 MB in all) is imported with --sheets
# naming one sheet, and, as the peer, with --all-sheets. Reports the peak resident memory of
# each (GNU time) and the bytes of memory per byte of sheet XML.
set -euo pipefail
cli="${1:-build/src/app/morvane-cli}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 - "$work/large.xlsx" <<'PY'
import sys, zipfile
main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
sheets = 12
def sheet(n):
    rows = ['<row r="2"><c r="B2" t="inlineStr"><is><t>TABLE%d</t></is></c></row>' % n]
    for r in range(4, 4 + 14000):
        cells = ''.join('<c r="%s%d"><v>%d</v></c>' % (col, r, r * 7 + i)
                        for i, col in enumerate("BCDEFGHIJKLM"))
        rows.append('<row r="%d"><c r="A%d" t="inlineStr"><is><t>COLUMN_%d</t></is></c>%s</row>'
                    % (r, r, r, cells))
    return '<worksheet xmlns="%s"><sheetData>%s</sheetData></worksheet>' % (main, ''.join(rows))
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/></Types>')
    z.writestr("_rels/.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="r1" Type="%s/officeDocument" Target="xl/workbook.xml"/></Relationships>' % rel)
    z.writestr("xl/workbook.xml", '<workbook xmlns="%s" xmlns:r="%s"><sheets>%s</sheets></workbook>' % (main, rel, ''.join('<sheet name="S%d" sheetId="%d" r:id="r%d"/>' % (i, i, i) for i in range(1, sheets + 1))))
    z.writestr("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">%s</Relationships>' % ''.join('<Relationship Id="r%d" Type="%s/worksheet" Target="worksheets/sheet%d.xml"/>' % (i, rel, i) for i in range(1, sheets + 1)))
    for i in range(1, sheets + 1):
        z.writestr("xl/worksheets/sheet%d.xml" % i, sheet(i))
    print("sheet XML: %d bytes each" % len(sheet(1)))
PY

peak() {  # peak resident kilobytes of the command
  rm -f "$work/p.vnk"
  "$cli" new oracle8 "$work/p.vnk" >/dev/null 2>&1
  /usr/bin/time -f %M "$@" --table-name-cell B2 --first-item-row 4 --name-column A \
    --type-column B --overwrite all >/dev/null 2>"$work/time.txt" || true
  tail -1 "$work/time.txt"
}
baseline=$(peak "$cli" import "$work/p.vnk" --workbook "$work/missing.xlsx" --sheets S1)
one=$(peak "$cli" import "$work/p.vnk" --workbook "$work/large.xlsx" --sheets S7)
all=$(peak "$cli" import "$work/p.vnk" --workbook "$work/large.xlsx" --all-sheets)
echo "workbook: $(stat -c %s "$work/large.xlsx") bytes on disk"
echo "peak RSS, no workbook read (start-up): ${baseline} KB"
echo "peak RSS, --sheets S7 (one sheet):     ${one} KB"
echo "peak RSS, --all-sheets (12 sheets):    ${all} KB"

#!/usr/bin/env python3
"""Writes the XML parts of the bundled template (data/templates/default), the workbook the
standard layout (標準レイアウト) writes into: テーブル定義, テーブル一覧, インデックス定義,
テーブル・インデックス, ER図 and 変更履歴 (the change history comparisons append to).
The cells named here are those of the product files in src/model/products.
Run it after changing the design; the build packs the parts into the program."""
import os
import sys
from xml.sax.saxutils import escape

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "templates", "default")
NS = ('xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
      'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"')
HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
LAST_ROW = 1048576

# Cell formats (cellXfs), in order.
TITLE, LABEL, VALUE, HEADING, TEXT, CENTER, NUMBER = 1, 2, 3, 4, 5, 6, 7

strings = []


def sst(text):
    if text not in strings:
        strings.append(text)
    return strings.index(text)


def cell(ref, style, text=None, formula=None):
    if formula is not None:
        return f'<c r="{ref}" s="{style}"><f>{escape(formula)}</f></c>'
    if text is None:
        return f'<c r="{ref}" s="{style}"/>'
    return f'<c r="{ref}" s="{style}" t="s"><v>{sst(text)}</v></c>'


def col_index(letters):
    n = 0
    for ch in letters:
        n = n * 26 + ord(ch) - 64
    return n


def split_ref(ref):
    i = next(i for i, ch in enumerate(ref) if ch.isdigit())
    return ref[:i], int(ref[i:])


class Sheet:
    def __init__(self, name, header, widths, orientation="landscape"):
        self.name, self.header, self.widths = name, header, widths
        self.rows = {}  # row -> {col: xml}
        self.heights = {}
        self.merges, self.formats = [], []
        self.print_area = self.print_titles = None
        self.orientation = orientation
        self.grid_lines = True
        self.selected = False

    def put(self, ref, style, text=None, formula=None):
        letters, row = split_ref(ref)
        self.rows.setdefault(row, {})[col_index(letters)] = cell(ref, style, text, formula)

    def label_value(self, label_ref, label, value_ref, value_end=None):
        self.put(label_ref, LABEL, label)
        self.put(value_ref, VALUE)
        if value_end:
            letters, row = split_ref(value_ref)
            for c in range(col_index(letters) + 1, col_index(value_end) + 1):
                self.put(f"{chr(64 + c)}{row}", VALUE)
            self.merges.append(f"{value_ref}:{value_end}{row}")

    def headings(self, row, names):
        for i, name in enumerate(names):
            self.put(f"{chr(65 + i)}{row}", HEADING, name)
        self.heights[row] = 20.25

    def grid_borders(self, first_row, last_col, key_col=None):
        """Borders on every row of the grid whose key column (else any column) holds something."""
        test = (f"${key_col}{first_row}<>\"\"" if key_col
                else f"COUNTA($A{first_row}:${last_col}{first_row})>0")
        self.formats.append((f"A{first_row}:{last_col}{LAST_ROW}", test))

    def xml(self, dxf_border):
        out = [HEAD, f"<worksheet {NS}>",
               '<sheetPr><pageSetUpPr fitToPage="1"/></sheetPr><dimension ref="A1"/>']
        view = ' tabSelected="1"' if self.selected else ""
        grid = "" if self.grid_lines else ' showGridLines="0"'
        out.append(f'<sheetViews><sheetView{view}{grid} workbookViewId="0">'
                   '<selection activeCell="A1" sqref="A1"/></sheetView></sheetViews>')
        out.append('<sheetFormatPr defaultRowHeight="16.5"/>')
        if self.widths:
            out.append("<cols>")
            for i, (width, style) in enumerate(self.widths):
                out.append(f'<col min="{i + 1}" max="{i + 1}" width="{width}" style="{style}" '
                           'customWidth="1"/>')
            out.append("</cols>")
        out.append("<sheetData>")
        for row in sorted(self.rows):
            height = self.heights.get(row)
            attrs = f' ht="{height}" customHeight="1"' if height else ""
            cells = "".join(self.rows[row][c] for c in sorted(self.rows[row]))
            out.append(f'<row r="{row}"{attrs}>{cells}</row>')
        out.append("</sheetData>")
        if self.merges:
            out.append(f'<mergeCells count="{len(self.merges)}">')
            out.extend(f'<mergeCell ref="{m}"/>' for m in self.merges)
            out.append("</mergeCells>")
        for priority, (sqref, formula) in enumerate(self.formats, 1):
            out.append(f'<conditionalFormatting sqref="{sqref}"><cfRule type="expression" '
                       f'dxfId="{dxf_border}" priority="{priority}"><formula>{escape(formula)}'
                       "</formula></cfRule></conditionalFormatting>")
        out.append('<printOptions horizontalCentered="1"/>')
        out.append('<pageMargins left="0.4" right="0.4" top="0.6" bottom="0.6" header="0.3" '
                   'footer="0.3"/>')
        out.append(f'<pageSetup paperSize="9" orientation="{self.orientation}" fitToWidth="1" '
                   'fitToHeight="0"/>')
        out.append(f"<headerFooter><oddHeader>&amp;R{escape(self.header)}</oddHeader>"
                   "<oddFooter>&amp;L&amp;A&amp;R&amp;P / &amp;N</oddFooter></headerFooter>")
        out.append("</worksheet>")
        return "".join(out)


def text_width(width):
    return (width, TEXT)


def table_sheet():
    s = Sheet("テーブル定義", "テーブル定義書",
              [(5.5, CENTER), text_width(26), text_width(24), text_width(14), (7, NUMBER),
               (7, NUMBER), (7, NUMBER), (10, CENTER), (7, CENTER), text_width(14),
               text_width(34)])
    s.put("A1", TITLE, "テーブル定義書")
    s.heights[1] = 24
    s.label_value("B2", "テーブル名", "C2")
    s.label_value("D2", "所有者", "E2", "F")
    s.label_value("G2", "種別", "H2", "I")
    s.label_value("J2", "件数", "K2")
    s.label_value("B3", "論理名", "C3", "K")
    s.headings(5, ["No", "論理名", "物理名", "データ型", "長さ", "精度", "位取り", "NOT NULL",
                   "主キー", "既定値", "備考"])
    s.grid_borders(6, "K", "C")
    s.print_area, s.print_titles = "$A$1:$K$5", "$5:$5"
    s.selected = True
    return s


def list_sheet():
    s = Sheet("テーブル一覧", "テーブル一覧",
              [(5.5, CENTER), text_width(36), text_width(28), text_width(14), (10, NUMBER),
               text_width(16)], orientation="portrait")
    s.put("A1", TITLE, "テーブル一覧")
    s.heights[1] = 24
    s.headings(3, ["No", "論理名", "物理名", "種別", "件数", "所有者"])
    for row in range(4, 1004):  # numbers the rows the output fills
        s.put(f"A{row}", CENTER, formula=f'IF(C{row}="","",ROW()-3)')
    s.grid_borders(4, "F", "C")
    s.print_area, s.print_titles = "$A$1:$F$3", "$3:$3"
    return s


def index_sheet():
    s = Sheet("インデックス定義", "インデックス定義書",
              [(5.5, CENTER), text_width(30), (12, NUMBER), text_width(12), text_width(40)],
              orientation="portrait")
    s.put("A1", TITLE, "インデックス定義書")
    s.heights[1] = 24
    s.label_value("B2", "インデックス名", "C2", "E")
    s.label_value("B3", "テーブル名", "C3", "E")
    s.label_value("B4", "所有者", "C4")
    s.label_value("D4", "種別", "E4")
    s.label_value("B5", "一意性", "C5")
    s.label_value("D5", "備考", "E5")
    s.headings(7, ["No", "列名", "長さ", "並び順", "備考"])
    s.grid_borders(8, "E", "B")
    s.print_area, s.print_titles = "$A$1:$E$7", "$7:$7"
    return s


def table_index_sheet():
    widths = [text_width(24), text_width(16)] + [text_width(12)] * 10
    s = Sheet("テーブル・インデックス", "テーブル・インデックス", widths)
    s.put("A1", TITLE, "テーブル・インデックス")
    s.heights[1] = 24
    s.label_value("B2", "テーブル名", "C2")
    s.label_value("D2", "所有者", "E2")
    s.label_value("F2", "種別", "G2")
    s.label_value("H2", "インデックス数", "I2")
    for col in range(12):  # the heading row the output writes the item names into
        s.put(f"{chr(65 + col)}4", HEADING)
    s.heights[4] = 20.25
    s.grid_borders(5, "Z")
    s.print_area, s.print_titles = "$A$1:$I$4", "$4:$4"
    return s


def er_sheet():
    s = Sheet("ER図", "ER図", [])
    s.put("A1", TITLE, "ER図")
    s.heights[1] = 24
    s.grid_lines = False
    return s


def history_sheet():
    s = Sheet("変更履歴", "変更履歴",
              [text_width(12), text_width(8), text_width(12), text_width(40), text_width(16),
               text_width(26), text_width(26)])
    s.headings(1, ["日付", "区分", "対象", "名前", "項目", "変更前", "変更後"])
    s.grid_borders(2, "G", "A")
    s.print_titles = "$1:$1"
    return s


STYLES = """<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<fonts count="3">
<font><sz val="10"/><name val="游ゴシック"/><family val="3"/><charset val="128"/></font>
<font><b/><sz val="10"/><name val="游ゴシック"/><family val="3"/><charset val="128"/></font>
<font><b/><sz val="14"/><name val="游ゴシック"/><family val="3"/><charset val="128"/></font>
</fonts>
<fills count="4">
<fill><patternFill patternType="none"/></fill>
<fill><patternFill patternType="gray125"/></fill>
<fill><patternFill patternType="solid"><fgColor rgb="FFDDEBF7"/><bgColor indexed="64"/></patternFill></fill>
<fill><patternFill patternType="solid"><fgColor rgb="FFD9E1F2"/><bgColor indexed="64"/></patternFill></fill>
</fills>
<borders count="2">
<border><left/><right/><top/><bottom/><diagonal/></border>
<border><left style="thin"><color rgb="FF000000"/></left><right style="thin"><color rgb="FF000000"/></right><top style="thin"><color rgb="FF000000"/></top><bottom style="thin"><color rgb="FF000000"/></bottom><diagonal/></border>
</borders>
<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"><alignment vertical="center"/></xf></cellStyleXfs>
<cellXfs count="8">
<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"><alignment vertical="center"/></xf>
<xf numFmtId="0" fontId="2" fillId="0" borderId="0" xfId="0" applyFont="1" applyAlignment="1"><alignment vertical="center"/></xf>
<xf numFmtId="0" fontId="1" fillId="2" borderId="1" xfId="0" applyFont="1" applyFill="1" applyBorder="1" applyAlignment="1"><alignment horizontal="center" vertical="center"/></xf>
<xf numFmtId="49" fontId="0" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyBorder="1" applyAlignment="1"><alignment vertical="center" wrapText="1"/></xf>
<xf numFmtId="0" fontId="1" fillId="3" borderId="1" xfId="0" applyFont="1" applyFill="1" applyBorder="1" applyAlignment="1"><alignment horizontal="center" vertical="center" wrapText="1"/></xf>
<xf numFmtId="49" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1" applyAlignment="1"><alignment vertical="top" wrapText="1"/></xf>
<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0" applyAlignment="1"><alignment horizontal="center" vertical="top"/></xf>
<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0" applyAlignment="1"><alignment horizontal="right" vertical="top"/></xf>
</cellXfs>
<cellStyles count="1"><cellStyle name="標準" xfId="0" builtinId="0"/></cellStyles>
<dxfs count="1"><dxf><border><left style="thin"><color rgb="FF000000"/></left><right style="thin"><color rgb="FF000000"/></right><top style="thin"><color rgb="FF000000"/></top><bottom style="thin"><color rgb="FF000000"/></bottom></border></dxf></dxfs>
<tableStyles count="0"/>
</styleSheet>"""


def quoted(name):
    return "'" + name.replace("'", "''") + "'"


def workbook(sheets):
    out = [HEAD, f"<workbook {NS}><workbookPr/>",
           '<bookViews><workbookView activeTab="0"/></bookViews><sheets>']
    for i, s in enumerate(sheets, 1):
        out.append(f'<sheet name="{escape(s.name)}" sheetId="{i}" r:id="rId{i}"/>')
    out.append("</sheets><definedNames>")
    for i, s in enumerate(sheets):
        if s.print_area:
            out.append(f'<definedName name="_xlnm.Print_Area" localSheetId="{i}">'
                       f"{escape(quoted(s.name))}!{s.print_area}</definedName>")
        if s.print_titles:
            out.append(f'<definedName name="_xlnm.Print_Titles" localSheetId="{i}">'
                       f"{escape(quoted(s.name))}!{s.print_titles}</definedName>")
    out.append('</definedNames><calcPr calcId="191029"/></workbook>')
    return "".join(out)


def write(path, text):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    sheets = [table_sheet(), list_sheet(), index_sheet(), table_index_sheet(), er_sheet(),
              history_sheet()]
    for old in os.listdir(os.path.join(ROOT, "xl", "worksheets")):
        os.remove(os.path.join(ROOT, "xl", "worksheets", old))
    for i, s in enumerate(sheets, 1):
        write(f"xl/worksheets/sheet{i}.xml", s.xml(dxf_border=0))
    write("xl/styles.xml", HEAD + STYLES)
    items = "".join(f"<si><t>{escape(t)}</t></si>" for t in strings)
    write("xl/sharedStrings.xml", f'{HEAD}<sst xmlns="http://schemas.openxmlformats.org/'
          f'spreadsheetml/2006/main" count="{len(strings)}" uniqueCount="{len(strings)}">'
          f"{items}</sst>")
    write("xl/workbook.xml", workbook(sheets))
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    rels = [f'<Relationship Id="rId{i}" Type="{rel}worksheet" Target="worksheets/sheet{i}.xml"/>'
            for i in range(1, len(sheets) + 1)]
    n = len(sheets)
    rels.append(f'<Relationship Id="rId{n + 1}" Type="{rel}styles" Target="styles.xml"/>')
    rels.append(f'<Relationship Id="rId{n + 2}" Type="{rel}sharedStrings" '
                'Target="sharedStrings.xml"/>')
    write("xl/_rels/workbook.xml.rels", HEAD + '<Relationships xmlns="http://schemas.openxml'
          'formats.org/package/2006/relationships">' + "".join(rels) + "</Relationships>")
    ct = "application/vnd.openxmlformats-officedocument.spreadsheetml."
    overrides = [f'<Override PartName="/xl/worksheets/sheet{i}.xml" ContentType="{ct}worksheet+xml"/>'
                 for i in range(1, n + 1)]
    write("[Content_Types].xml", HEAD + '<Types xmlns="http://schemas.openxmlformats.org/package/'
          '2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxml'
          'formats-package.relationships+xml"/><Default Extension="xml" ContentType="application/'
          f'xml"/><Override PartName="/xl/workbook.xml" ContentType="{ct}sheet.main+xml"/>'
          + "".join(overrides) +
          f'<Override PartName="/xl/styles.xml" ContentType="{ct}styles+xml"/>'
          f'<Override PartName="/xl/sharedStrings.xml" ContentType="{ct}sharedStrings+xml"/>'
          '<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-'
          'package.core-properties+xml"/><Override PartName="/docProps/app.xml" ContentType='
          '"application/vnd.openxmlformats-officedocument.extended-properties+xml"/></Types>')
    return 0


if __name__ == "__main__":
    sys.exit(main())

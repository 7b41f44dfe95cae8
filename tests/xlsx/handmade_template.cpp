#include "handmade_template.h"

#include "xlsx/zip_package.h"

namespace morvane::xlsx::testing {
namespace {

constexpr const char* kContentTypes = R"(<?xml version="1.0" encoding="UTF-8"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Default Extension="png" ContentType="image/png"/>
<Default Extension="bin" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.printerSettings"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>
<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
<Override PartName="/xl/drawings/drawing1.xml" ContentType="application/vnd.openxmlformats-officedocument.drawing+xml"/>
<Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/>
</Types>)";

constexpr const char* kRootRels = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>)";

constexpr const char* kWorkbook = R"(<?xml version="1.0" encoding="UTF-8"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<workbookPr/>
<bookViews><workbookView activeTab="0"/></bookViews>
<sheets>
<sheet name="Template" sheetId="1" r:id="rId1"/>
<sheet name="Lists" sheetId="2" r:id="rId2"/>
</sheets>
<definedNames>
<definedName name="_xlnm.Print_Area" localSheetId="0">Template!$A$1:$D$20</definedName>
<definedName name="_xlnm.Print_Titles" localSheetId="0">Template!$4:$4</definedName>
<definedName name="Kinds">Lists!$A$1:$A$3</definedName>
</definedNames>
<calcPr calcId="191029"/>
</workbook>)";

constexpr const char* kWorkbookRels = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet2.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
<Relationship Id="rId5" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target="calcChain.xml"/>
</Relationships>)";

constexpr const char* kStyles = R"(<?xml version="1.0" encoding="UTF-8"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="1"><numFmt numFmtId="164" formatCode="0.00"/></numFmts>
<fonts count="2">
<font><sz val="11"/><name val="ＭＳ Ｐゴシック"/><family val="3"/><charset val="128"/></font>
<font><b/><sz val="14"/><color rgb="FF1F4E79"/><name val="ＭＳ Ｐゴシック"/><family val="3"/><charset val="128"/></font>
</fonts>
<fills count="3">
<fill><patternFill patternType="none"/></fill>
<fill><patternFill patternType="gray125"/></fill>
<fill><patternFill patternType="solid"><fgColor rgb="FFFFF2CC"/><bgColor indexed="64"/></patternFill></fill>
</fills>
<borders count="2">
<border><left/><right/><top/><bottom/><diagonal/></border>
<border><left style="thin"><color auto="1"/></left><right style="thin"><color auto="1"/></right><top style="thin"><color auto="1"/></top><bottom style="thin"><color auto="1"/></bottom><diagonal/></border>
</borders>
<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>
<cellXfs count="6">
<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>
<xf numFmtId="0" fontId="1" fillId="2" borderId="0" xfId="0" applyFont="1" applyFill="1"><alignment horizontal="center"/></xf>
<xf numFmtId="0" fontId="0" fillId="0" borderId="1" xfId="0" applyBorder="1"/>
<xf numFmtId="14" fontId="0" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyBorder="1"/>
<xf numFmtId="49" fontId="0" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyBorder="1"/>
<xf numFmtId="164" fontId="0" fillId="2" borderId="1" xfId="0" applyNumberFormat="1" applyFill="1" applyBorder="1"/>
</cellXfs>
<cellStyles count="1"><cellStyle name="標準" xfId="0" builtinId="0"/></cellStyles>
<dxfs count="1"><dxf><font><color rgb="FF9C0006"/></font><fill><patternFill><bgColor rgb="FFFFC7CE"/></patternFill></fill></dxf></dxfs>
</styleSheet>)";

constexpr const char* kSharedStrings = R"(<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="4" uniqueCount="4">
<si><t>テーブル名</t></si>
<si><r><t>太字</t></r><r><rPr><b/></rPr><t>混在</t></r><rPh sb="0" eb="2"><t>フトジ</t></rPh></si>
<si><t>項目名</t></si>
<si><t>データ型</t></si>
</sst>)";

constexpr const char* kSheet1 = R"(<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheetPr codeName="Sheet1"><pageSetUpPr fitToPage="1"/></sheetPr>
<dimension ref="A1:D20"/>
<sheetViews><sheetView tabSelected="1" workbookViewId="0"/></sheetViews>
<sheetFormatPr defaultRowHeight="13.5"/>
<cols><col min="1" max="1" width="20.625" customWidth="1"/><col min="2" max="4" width="12.5" style="2" customWidth="1"/></cols>
<sheetData>
<row r="1" ht="24" customHeight="1"><c r="A1" s="1" t="s"><v>0</v></c><c r="B1" s="1"/><c r="C1" s="1"/><c r="D1" s="1"/></row>
<row r="2"><c r="A2" s="5"><v>1.5</v></c><c r="B2" s="2"><f>A2*2</f><v>3</v></c><c r="C2" s="2" t="str"><f>Lists!A1</f><v>x</v></c><c r="D2" s="4" t="s"><v>2</v></c></row>
<row r="3"><c r="A3" t="b"><v>1</v></c><c r="B3" t="e"><v>#N/A</v></c><c r="C3" s="3"><v>36526</v></c><c r="D3" t="s"><v>1</v></c></row>
<row r="4" s="2" customFormat="1"><c r="A4" s="1" t="s"><v>2</v></c><c r="B4" s="1" t="s"><v>3</v></c><c r="C4" s="1"/><c r="D4" s="1"/></row>
<row r="5"><c r="A5" s="2"/><c r="B5" s="2"/><c r="C5" s="2"/><c r="D5" s="4"/></row>
<row r="6"><c r="A6" s="2"/><c r="B6" s="2"/><c r="C6" s="2"/><c r="D6" s="4"/></row>
<row r="20"><c r="A20" s="2"/><c r="B20" s="2"/><c r="C20" s="2"/><c r="D20" s="4"/></row>
</sheetData>
<mergeCells count="1"><mergeCell ref="A1:D1"/></mergeCells>
<conditionalFormatting sqref="A5:A20"><cfRule type="cellIs" dxfId="0" priority="1" operator="equal"><formula>"NG"</formula></cfRule></conditionalFormatting>
<dataValidations count="2">
<dataValidation type="list" allowBlank="1" sqref="B5:B20"><formula1>Lists!$A$1:$A$3</formula1></dataValidation>
<dataValidation type="list" allowBlank="1" sqref="C5:C20"><formula1>"○,×"</formula1></dataValidation>
</dataValidations>
<hyperlinks><hyperlink ref="A2" r:id="rId3"/></hyperlinks>
<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>
<pageSetup paperSize="9" orientation="landscape" fitToHeight="0" r:id="rId2"/>
<headerFooter><oddHeader>&amp;Cテーブル定義書</oddHeader><oddFooter>&amp;P / &amp;N</oddFooter></headerFooter>
<drawing r:id="rId1"/>
</worksheet>)";

constexpr const char* kSheet1Rels = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing" Target="../drawings/drawing1.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/printerSettings" Target="../printerSettings/printerSettings1.bin"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink" Target="https://example.com/" TargetMode="External"/>
</Relationships>)";

constexpr const char* kDrawing = R"(<?xml version="1.0" encoding="UTF-8"?>
<xdr:wsDr xmlns:xdr="http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing" xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main">
<xdr:twoCellAnchor editAs="oneCell">
<xdr:from><xdr:col>4</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>0</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from>
<xdr:to><xdr:col>5</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>2</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>
<xdr:pic><xdr:nvPicPr><xdr:cNvPr id="2" name="Logo"/><xdr:cNvPicPr><a:picLocks noChangeAspect="1"/></xdr:cNvPicPr></xdr:nvPicPr>
<xdr:blipFill><a:blip xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" r:embed="rId1"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill>
<xdr:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="609600" cy="457200"/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic>
<xdr:clientData/>
</xdr:twoCellAnchor>
</xdr:wsDr>)";

constexpr const char* kDrawingRels = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="../media/image1.png"/>
</Relationships>)";

constexpr const char* kSheet2 = R"(<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<sheetData>
<row r="1"><c r="A1" t="inlineStr"><is><t>x</t></is></c></row>
<row r="2"><c r="A2" t="inlineStr"><is><t>y</t></is></c></row>
<row r="3"><c r="A3" t="inlineStr"><is><t>z</t></is></c></row>
</sheetData>
</worksheet>)";

constexpr const char* kCalcChain = R"(<?xml version="1.0" encoding="UTF-8"?>
<calcChain xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><c r="B2" i="1"/></calcChain>)";

constexpr unsigned char kPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x08, 0x08, 0x02, 0x00, 0x00, 0x00, 0x4b,
    0x6d, 0x29, 0xdc, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0x38,
    0xa3, 0xa4, 0x84, 0x15, 0x31, 0x0c, 0x2d, 0x09, 0x00, 0xbc, 0xce, 0x44, 0x01, 0x3e, 0xb2,
    0x93, 0xcb, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

}  // namespace

const std::string& TemplatePicture() {
  static const std::string picture(reinterpret_cast<const char*>(kPng), sizeof kPng);
  return picture;
}

void WriteHandmadeTemplate(const std::string& path) {
  ZipPackage package;
  package.Put("[Content_Types].xml", kContentTypes);
  package.Put("_rels/.rels", kRootRels);
  package.Put("xl/workbook.xml", kWorkbook);
  package.Put("xl/_rels/workbook.xml.rels", kWorkbookRels);
  package.Put("xl/styles.xml", kStyles);
  package.Put("xl/sharedStrings.xml", kSharedStrings);
  package.Put("xl/worksheets/sheet1.xml", kSheet1);
  package.Put("xl/worksheets/_rels/sheet1.xml.rels", kSheet1Rels);
  package.Put("xl/worksheets/sheet2.xml", kSheet2);
  package.Put("xl/drawings/drawing1.xml", kDrawing);
  package.Put("xl/drawings/_rels/drawing1.xml.rels", kDrawingRels);
  package.Put("xl/media/image1.png", TemplatePicture());
  package.Put("xl/printerSettings/printerSettings1.bin", std::string("\x01\x02printer", 9));
  package.Put("xl/calcChain.xml", kCalcChain);
  package.WriteFile(path);
}

}  // namespace morvane::xlsx::testing

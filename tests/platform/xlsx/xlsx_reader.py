#!/usr/bin/python3
"""Reads an .xlsx file back the way a spreadsheet program shows it.

    xlsx_reader.py FILE              prints the workbook's content as JSON
    xlsx_reader.py --compare A B     exits 0 when both files hold the same content

A file any of whose XML parts is not well-formed cannot be opened by a
spreadsheet program: the reader then fails, naming those parts. The content
is read with openpyxl. openpyxl accepts some things that
spreadsheet programs refuse or repair (overlapping column records, a defined
name given twice, sheet names the program would not allow), so those are
checked in the file's XML and listed under "problems". openpyxl decodes the
"_xHHHH_" escapes of texts only in part (it drops "x005F_" and nothing else),
so the texts are decoded here as a spreadsheet program decodes them.
"""
import json
import posixpath
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl
import openpyxl.reader.excel
from openpyxl.cell.text import Text
from openpyxl.utils import get_column_letter
from openpyxl.xml.functions import iterparse

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"
PKG_REL = "{http://schemas.openxmlformats.org/package/2006/relationships}"
ESCAPE = re.compile(r"_x([0-9A-Fa-f]{4})_")


def unescape(text):
    return ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), text)


def read_string_table(xml_source):
    strings = []
    for _, node in iterparse(xml_source):
        if node.tag == MAIN + "si":
            strings.append(unescape(Text.from_tree(node).content))
            node.clear()
    return strings


openpyxl.reader.excel.read_string_table = read_string_table


def sheet_name_problem(name, earlier):
    if not 1 <= len(name) <= 31:
        return "has %d characters" % len(name)
    if any(c in name for c in ':\\/?*[]'):
        return "holds a character sheet names cannot hold"
    if name.startswith("'") or name.endswith("'"):
        return "starts or ends with an apostrophe"
    if name.lower() == "history":
        return "is reserved"
    if name.lower() in earlier:
        return "is used twice"
    return None


def malformed_parts(path):
    found = []
    with zipfile.ZipFile(path) as z:
        for name in z.namelist():
            if name.endswith((".xml", ".rels")):
                try:
                    ET.fromstring(z.read(name))
                except ET.ParseError as e:
                    found.append("%s (%s)" % (name, e))
    return found


def xml_problems(path):
    problems = []
    with zipfile.ZipFile(path) as z:
        book = ET.fromstring(z.read("xl/workbook.xml"))
        rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
        targets = {r.get("Id"): r.get("Target") for r in rels.iter(PKG_REL + "Relationship")}
        sheets = list(book.iter(MAIN + "sheet"))
        earlier = set()
        for sheet in sheets:
            name = sheet.get("name")
            problem = sheet_name_problem(name, earlier)
            if problem:
                problems.append("sheet name %r %s" % (name, problem))
            earlier.add(name.lower())
        defined = set()
        for dn in book.iter(MAIN + "definedName"):
            key = (dn.get("name").lower(), dn.get("localSheetId"))
            if key in defined:
                problems.append("defined name %r is given twice" % dn.get("name"))
            defined.add(key)
        view = book.find(MAIN + "bookViews/" + MAIN + "workbookView")
        active = int(view.get("activeTab", "0")) if view is not None else 0
        selected = []
        for index, sheet in enumerate(sheets):
            part = posixpath.normpath(posixpath.join("xl", targets[sheet.get(REL + "id")]))
            root = ET.fromstring(z.read(part))
            spans = sorted((int(c.get("min")), int(c.get("max"))) for c in root.iter(MAIN + "col"))
            for (a_min, a_max), (b_min, _) in zip(spans, spans[1:]):
                if b_min <= a_max:
                    problems.append("sheet %r has overlapping column records" % sheet.get("name"))
                    break
            for sv in root.iter(MAIN + "sheetView"):
                if sv.get("tabSelected") == "1":
                    selected.append(index)
        if selected != [active]:
            problems.append("selected sheets %s differ from the active sheet %d" % (selected, active))
    return problems


def defined_names(path):
    names = {}
    with zipfile.ZipFile(path) as z:
        book = ET.fromstring(z.read("xl/workbook.xml"))
        for dn in book.iter(MAIN + "definedName"):
            names.setdefault(dn.get("localSheetId"), {})[dn.get("name")] = dn.text
    return names


def colour(c):
    if c is None or c.type != "rgb" or c.rgb is None:
        return None
    return str(c.rgb)[-6:].upper()


def characters(width):
    """The column width in characters that the file's width was made from."""
    return round((round(width * 7) - 5) / 7, 2)


def style(obj):
    f, al = obj.font, obj.alignment
    return {
        "font": {"name": f.name, "size": f.sz, "bold": bool(f.b), "strike": bool(f.strike),
                 "script": f.vertAlign, "outline": bool(f.outline), "shadow": bool(f.shadow),
                 "underline": f.u, "color": colour(f.color)},
        "fill": colour(obj.fill.fgColor) if obj.fill.fill_type == "solid" else None,
        "align": {"horizontal": al.horizontal, "vertical": al.vertical, "wrap": bool(al.wrap_text),
                  "rotation": al.textRotation or 0, "indent": al.indent or 0,
                  "shrink": bool(al.shrink_to_fit), "readingOrder": al.readingOrder or 0},
        "numberFormat": obj.number_format,
    }


def dump(path):
    malformed = malformed_parts(path)
    if malformed:
        sys.exit("not well-formed: " + "; ".join(malformed))
    problems = xml_problems(path)
    names = defined_names(path)
    book = openpyxl.load_workbook(path)
    default = style(openpyxl.Workbook().active["A1"])
    out = {"active": book.active.title, "problems": problems, "sheets": []}
    for index, ws in enumerate(book.worksheets):
        selection = ws.sheet_view.selection
        sheet = {"name": ws.title, "selection": selection[0].sqref if selection else "A1",
                 "columns": {}, "rows": {}, "cells": {}, "names": names.get(str(index), {})}
        for dim in ws.column_dimensions.values():
            if dim.min is None:
                continue
            entry = {}
            if dim.customWidth:
                entry["width"] = characters(dim.width)
            if dim.has_style:
                entry["style"] = style(dim)
            for c in range(dim.min, dim.max + 1):
                if entry:
                    sheet["columns"][get_column_letter(c)] = entry
        for r, dim in ws.row_dimensions.items():
            entry = {}
            if dim.customHeight:
                entry["height"] = dim.ht
            if dim.customFormat:
                entry["style"] = style(dim)
            if entry:
                sheet["rows"][str(r)] = entry
        for row in ws.iter_rows():
            for cell in row:
                s = style(cell)
                if cell.value is None and s == default:
                    continue
                sheet["cells"][cell.coordinate] = {"value": cell.value, "type": cell.data_type, **s}
        out["sheets"].append(sheet)
    return out


def differences(a, b, where=""):
    if isinstance(a, dict) and isinstance(b, dict):
        for key in sorted(set(a) | set(b)):
            if key not in a or key not in b:
                yield "%s/%s only in %s" % (where, key, "the first" if key in a else "the second")
            else:
                yield from differences(a[key], b[key], "%s/%s" % (where, key))
    elif isinstance(a, list) and isinstance(b, list):
        if len(a) != len(b):
            yield "%s: %d items != %d items" % (where, len(a), len(b))
        for i, (x, y) in enumerate(zip(a, b)):
            yield from differences(x, y, "%s[%d]" % (where, i))
    elif a != b:
        yield "%s: %.80r != %.80r" % (where, a, b)


def main(argv):
    if len(argv) == 4 and argv[1] == "--compare":
        found = list(differences(dump(argv[2]), dump(argv[3])))
        for line in found[:20]:
            print(line)
        print("%d differences" % len(found) if found else "same content")
        return 1 if found else 0
    if len(argv) == 2:
        json.dump(dump(argv[1]), sys.stdout, ensure_ascii=False)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))

"""Prints every cell of a workbook, read with openpyxl (a reader independent of the one
that wrote it), one line per cell: sheet index, row, column, number format, type and
value, tab-separated, the value with backslash, tab and line feed escaped."""

import sys

import openpyxl


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


workbook = openpyxl.load_workbook(sys.argv[1])
for index, sheet in enumerate(workbook.worksheets):
    print(f"sheet\t{index}\t{sheet.max_row}\t{sheet.max_column}")
    for row in sheet.iter_rows():
        for cell in row:
            kind = type(cell.value).__name__
            value = "" if cell.value is None else escape(str(cell.value))
            print(f"{index}\t{cell.row}\t{cell.column}\t{cell.number_format}\t{kind}\t{value}")

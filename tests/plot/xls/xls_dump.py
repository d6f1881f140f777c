#!/usr/bin/env python3
"""Prints what python3-olefile and python3-xlrd read from an .xls file, one item a line,
for the workbook writer's tests:

    stream <path> <size>                       each stream of the compound file
    sheet <name as UTF-8 hex> <rows> <columns>
    number <row> <column> <repr of the float>  each non-empty cell of the sheet before
    text <row> <column> <UTF-8 hex>
    error <row> <column> <error text, such as #NUM!>
    other <row> <column> <xlrd cell type>

Exit status 3 when a module is missing, 2 when the file cannot be read.
"""
import sys

try:
    import olefile
    import xlrd
except ImportError as missing:
    print(missing, file=sys.stderr)
    sys.exit(3)


def main(path):
    try:
        ole = olefile.OleFileIO(path)
        for entry in ole.listdir(streams=True, storages=False):
            name = "/".join(entry)
            print("stream", name, ole.get_size(name))
        ole.close()
        book = xlrd.open_workbook(path, formatting_info=True)
    except Exception as error:  # any failure to read is the finding
        print(type(error).__name__, error, file=sys.stderr)
        return 2
    out = []
    for sheet in book.sheets():
        out.append("sheet %s %d %d" % (sheet.name.encode("utf-8").hex(), sheet.nrows, sheet.ncols))
        for row in range(sheet.nrows):
            for column, cell in enumerate(sheet.row(row)):
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    out.append("number %d %d %r" % (row, column, cell.value))
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    out.append("text %d %d %s" % (row, column, cell.value.encode("utf-8").hex()))
                elif cell.ctype == xlrd.XL_CELL_ERROR:
                    text = xlrd.error_text_from_code.get(cell.value, "0x%02x" % cell.value)
                    out.append("error %d %d %s" % (row, column, text))
                else:
                    out.append("other %d %d %d" % (row, column, cell.ctype))
    sys.stdout.write("\n".join(out) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

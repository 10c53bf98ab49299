# Writes loft.xls, the old-format workbook the import tests read (run with Debian's python3-xlwt:
# /usr/bin/python3 make_loft_xls.py). Sheet "Hok": a German header, a band in lower case, a band
# stored as a number after an empty row, and an accented parent. Sheet "Zweite": English names.
import xlwt

book = xlwt.Workbook(encoding="utf-8")
loft = book.add_sheet("Hok")
for column, text in enumerate(["Ring", "Vater", "Mutter"]):
    loft.write(0, column, text)
for column, text in enumerate(["nl-2020-1", "NL-2019-7", "NL-2019-\u00c9"]):
    loft.write(1, column, text)
loft.write(3, 0, 2021)
loft.write(3, 1, "nl-2020-1")
second = book.add_sheet("Zweite")
for row, cells in enumerate([["Band", "Sire", "Dam"], ["B-1", "S-1", "D-1"]]):
    for column, text in enumerate(cells):
        second.write(row, column, text)
book.save("loft.xls")

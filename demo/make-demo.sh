#!/usr/bin/env bash
# Regenerates the demo project folder: templates, their dBase data tables, popups, directory
# files in the current and the old form, and the suite's security table for the demo
# configuration (demo/config/). The generated files are committed; run this after changing it.
set -euo pipefail
cd "$(dirname "$0")"
exec /usr/bin/python3 - <<'EOF'
import datetime
import os

import dbf

CRLF = "\r\n"


def write_text(name, lines, line_end=CRLF):
    with open(name, "w", encoding="cp1252", newline="") as f:
        f.write(line_end.join(lines) + line_end)


def template(name, title, keys):
    lines = ["[TEMPLATE]", "Title=" + title]
    for key in keys:
        lines += ["[ENTRY]", "Key=%d" % key]
    write_text(name, lines)


def table(name, spec, records):
    # The library names its files *.dbf: build under that name, then rename.
    scratch = name + ".tmp.dbf"
    for path in (name, scratch):
        if os.path.exists(path):
            os.remove(path)
    t = dbf.Table(scratch, spec, dbf_type="db3", codepage="cp1252")
    t.open(dbf.READ_WRITE)
    for record in records:
        t.append(record)
    t.close()
    os.replace(scratch, name)


def directory(name, caption, entries):
    # The current form, as the directory editor writes it: five leading spaces, "=" in
    # column 19, CR LF after every line.
    def key(k, v):
        return "     " + k.ljust(13) + "=" + (" " + v if v else "")
    lines = ["[DIRECTORY]", key("Caption", caption)]
    for title, filename, access in entries:
        lines += ["", "[FILE]", key("Title", title), key("Filename", filename), key("Access", access)]
    write_text(name, lines)


day = datetime.date(2026, 3, 2)

# Applications with their data tables.
template("PLANT1.HVT", "Plant Inspection", [1, 2, 3])
table("PLANT1.HVD", "INSPDATE D; INSPECTOR C(20); AREA C(20); RESULT C(10)",
      [(day + datetime.timedelta(days=i), name, area, result)
       for i, (name, area, result) in enumerate([
           ("M. Okafor", "Press shop", "PASS"), ("J. Lindqvist", "Paint line", "PASS"),
           ("M. Okafor", "Boiler room", "FAIL"), ("R. Duarte", "Press shop", "PASS"),
           ("J. Lindqvist", "Dock 2", "PASS"), ("R. Duarte", "Boiler room", "PASS")])])

template("LINE4.HVT", "Line 4 Safety Audit", [1, 2])
table("LINE4.HVD", "AUDITDATE D; AUDITOR C(20); GUARDS L; NOTES C(60)",
      [(day, "S. Brandt", True, "All guards in place"),
       (day + datetime.timedelta(days=7), "S. Brandt", False, "Guard 3 loose, fixed on site"),
       (day + datetime.timedelta(days=14), "K. Yamada", True, "")])

template("FORKLIFT.HVT", "Forklift Daily Check", [1])
table("FORKLIFT.HVD", "CHECKDATE D; TRUCK C(6); HOURS N(7,1); DRIVER C(20); OK L",
      [(day + datetime.timedelta(days=i), "FL-%02d" % (i % 3 + 1), 1200.5 + 8 * i, driver, i != 4)
       for i, driver in enumerate(["A. Novak", "B. Singh", "A. Novak", "C. Moreau", "B. Singh",
                                   "C. Moreau", "A. Novak", "B. Singh", "C. Moreau"])])

# An application whose data table has no records yet.
template("VISITORS.HVT", "Visitor Log", [1])
table("VISITORS.HVD", "VISITDATE D; VISITOR C(30); COMPANY C(30); HOST C(20)", [])

# A "$" application: a working copy that the list leaves out.
template("$SCRATCH.HVT", "Scratch Copy of Plant Inspection", [1])
table("$SCRATCH.HVD", "INSPDATE D; INSPECTOR C(20)", [(day, "M. Okafor")])

# Popups (lookup lists) with their data tables.
template("DEFECTS.HPT", "Defect Codes", [1])
table("DEFECTS.HPD", "CODE C(4); DESCR C(40)",
      [("D01", "Scratch"), ("D02", "Dent"), ("D03", "Paint run"), ("D04", "Missing part"),
       ("D05", "Wrong label")])
template("SHIFTS.HPT", "Shift Codes", [1])
table("SHIFTS.HPD", "CODE C(2); DESCR C(20)", [("E", "Early"), ("L", "Late"), ("N", "Night")])

# Directory files: the current form, one naming a template that is missing, and the old form.
directory("PLANT.DIR", "Plant Floor", [
    ("Plant Inspection", "PLANT1.HVT", "W"),
    ("Line 4 Safety Audit", "LINE4.HVT", "R"),
    ("Forklift Daily Check", "FORKLIFT.HVT", "W")])
directory("OFFICE.DIR", "Front Office", [
    ("Visitor Log", "VISITORS.HVT", "W"),
    ("Reception Checklist", "RECEPT.HVT", "W")])
write_text("legacy.dir", ["2", '"PLANT1","HVT","Plant Inspection (old menu)"',
                          "VISITORS\tHVT\tVisitor Log, front desk"])

# The suite's security table for the demo configuration: it names no administrator user
# (HVSETUP or HVADMIN), so the console starts without a login.
os.makedirs("config", exist_ok=True)
table("config/SECURITY.DBF", "USERNAME C(10); PASSWORD C(10)",
      [("OPERATOR", "op1234"), ("SUPERVISOR", "sup5678")])
EOF

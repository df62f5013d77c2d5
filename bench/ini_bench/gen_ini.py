#!/usr/bin/python3
"""Writes an INI file of about LINES lines (default 100,000) for the INI loading benchmark.

The file looks like the suite's own INI files: a directory section with a caption, many
[FILE] sections of title, file name and access right, template-like sections with keys,
settings sections with longer values, comment lines and empty lines between sections.
Keys start in column 1 (indented lines would be continuation lines to other parsers), line
ends are CR LF, text is Windows-1252. The output is the same for the same seed.

Usage: gen_ini.py OUTPUT [LINES] [SEED]
"""
import random
import sys

WORDS = ("Line", "Plant", "North", "South", "Pump", "Valve", "Tank", "Inspection", "Daily",
         "Weekly", "Check", "Boiler", "Caf\xe9", "R\xe9sum\xe9", "Stra\xdfe", "Unit", "Zone",
         "Filter", "Motor", "Belt", "Oven", "Cooler", "Press", "Mixer", "Station")
SETTING_KEYS = ("Server", "Database", "Timeout", "Retries", "ReportFolder", "Printer",
                "Language", "DateFormat", "LastUser", "Colour", "FontName", "FontSize")


def title(rng, words=3):
    return " ".join(rng.choice(WORDS) for _ in range(rng.randint(1, words)))


def file_section(rng, n):
    lines = ["", "[FILE]",
             f"Title = {title(rng)} {n}",
             f"Filename = {title(rng, 1).upper().replace(' ', '')}{n}.HVT",
             f"Access = {rng.choice('RW')}"]
    if rng.random() < 0.2:
        lines.append(f"Notes = {title(rng, 6)}")
    return lines


def template_section(rng, n):
    lines = ["", f"[ENTRY]", f"Key={n}", f"Caption={title(rng)}",
             f"Width={rng.randint(1, 80)}", f"Type={rng.choice(('C', 'N', 'D', 'L'))}"]
    if rng.random() < 0.3:
        lines.append(f"Default={rng.randint(0, 99999)}")
    return lines


def settings_section(rng, n):
    lines = ["", f"; settings group {n}", f"[Settings{n}]"]
    for key in rng.sample(SETTING_KEYS, rng.randint(4, 9)):
        value = f"//server{rng.randint(1, 9)}/share/{title(rng, 4).replace(' ', '/')}"
        lines.append(f"{key}\t= {value}")
    return lines


def main():
    out = sys.argv[1]
    target = int(sys.argv[2]) if len(sys.argv) > 2 else 100_000
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 4)
    lines = ["; generated for the INI loading benchmark", "[DIRECTORY]",
             f"Caption = {title(rng)}"]
    n = 0
    while len(lines) < target:
        n += 1
        kind = rng.random()
        if kind < 0.6:
            lines += file_section(rng, n)
        elif kind < 0.9:
            lines += template_section(rng, n)
        else:
            lines += settings_section(rng, n)
    with open(out, "wb") as f:
        f.write(("\r\n".join(lines[:target]) + "\r\n").encode("cp1252"))


if __name__ == "__main__":
    main()

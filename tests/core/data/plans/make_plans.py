#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the golden plan files of TestPlanFile from the line map of the plan file format, on its own
# and without the program's writer, so that the writer is checked against an independent source.
# The plans here must match the ones built in TestPlanFile.cpp. Run it in this folder.

CHILD_LABELS = ["長男", "次男", "三男", "四男", "五男", "長女", "次女", "三女", "四女", "五女"]


def couple(recorded, man_birth, man_retire, woman_birth, woman_retire, marriage, man_life, woman_life, flags):
    return [recorded, man_birth, man_retire, woman_birth, woman_retire, marriage, man_life, woman_life] + flags


def plan_lines(st1, st2, st3, mtx1, mtx2, st4, st5):
    lines = []
    lines += [str(v) for v in st1] + [f"YOBI_ST1({s})" for s in range(13, 31)]
    lines += [str(v) for v in st2] + [f"YOBI_ST2({s})" for s in range(20, 31)]
    lines += [str(v) for v in st3] + [f"YOBI_ST3({s})" for s in range(3, 31)]
    count = st3[1]
    for c in range(1, 11):
        for k in range(1, 14):
            lines.append(str(mtx1[c - 1][k - 1]) if c <= count else f"YOBI_ST3_MTX1({c},{k})")
    for c in range(1, 11):
        for k in range(1, 3):
            lines.append(mtx2[c - 1][k - 1] if c <= count else f"YOBI_ST3_MTX2({c},{k})")
    lines += [str(v) for v in st4] + [f"YOBI_ST4({s})" for s in range(20, 31)]
    lines += [str(v) for v in st5] + [f"YOBI_ST5({s})" for s in range(20, 31)]
    assert len(lines) == 300
    return lines


def write(name, lines):
    with open(name, "wb") as f:
        for line in lines:
            f.write(line.encode("cp932") + b"\r\n")


ALL_EVENTS = [1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1]

# Three children (two now, one planned), every section recorded, custom lifespans for the
# husband's parents.
write("three-children.HRZ", plan_lines(
    st1=[1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1],
    st2=couple(1, 1964, 60, 1967, 60, 1993, 78, 84, ALL_EVENTS),
    st3=[1, 3],
    mtx1=[[1994, 4, 6, 12, 15, 18, 20, 22, 28, 30, 32, 41, 60],
          [1996, 4, 6, 12, 15, 18, 20, 22, 26, 28, 30, 32, 60],
          [2030, 3, 6, 12, 15, 18, 20, 22, 28, 0, 0, 41, 65]],
    mtx2=[["長男", "普通"], ["長女", "早生"], ["\u3000次男", "普通"]],
    st4=couple(1, 1938, 60, 1940, 60, 1963, 80, 90, [0, 1, 0, 1, 1, 0, 1, 0, 1, 1, 0]),
    st5=couple(1, 1925, 60, 1938, 60, 1965, 78, 84, ALL_EVENTS)))

# Husband and wife only, with negative and extreme values; the other sections skipped.
write("no-children.HRZ", plan_lines(
    st1=[1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0],
    st2=couple(1, 1964, -5, 32767, 60, -32768, 78, 84, [1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1]),
    st3=[0, 0],
    mtx1=[], mtx2=[],
    st4=[0] * 19,
    st5=[0] * 19))

# Ten children; the last one carries a negative age.
ten_mtx1 = [[2000 + c, 4, 6, 12, 15, 18, 20, 22, 26 + c % 3, 28, 30, 41 if c <= 5 else 32, 60] for c in range(1, 11)]
ten_mtx1[9][9] = -3
write("ten-children.HRZ", plan_lines(
    st1=[1, 1, 1, 1, 0, 0, 7, 3, 0, 0, 0, 0],
    st2=couple(1, 1970, 65, 1972, 65, 1995, 81, 87, ALL_EVENTS),
    st3=[1, 10],
    mtx1=ten_mtx1,
    mtx2=[[CHILD_LABELS[c], "早生" if c % 2 else "普通"] for c in range(10)],
    st4=[0] * 19,
    st5=[0] * 19))

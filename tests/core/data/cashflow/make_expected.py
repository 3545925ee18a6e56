#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes expected.csv of every case folder here: the cash-flow table of the case's plan.HRZ for
# the year and data folder of its options, worked out on its own from the rules of the table and
# without the program's money code, so that harukaze-csv --cashflow is checked against an
# independent source. Growth is exact (fractions.Fraction); each row is rounded once to whole 万円,
# halves away from zero; totals, 年間収支 and 貯蓄残高 are computed from those shown figures. The year, member and event rows are taken from the life cycle table CSV that
# harukaze-csv writes for the same plan (that table has golden cases of its own).
#
# Usage, in this folder: python3 make_expected.py BUILD/bin
import csv, io, os, re, subprocess, sys
from fractions import Fraction

HEADER = "HARUKAZE_MONEY(1)"
AMT = re.compile(r'^-?[0-9]+(\.[0-9])?$')

def tenths(v, lo, hi):
    if not AMT.match(v): return None
    neg = v.startswith('-')
    body = v[1:] if neg else v
    if '.' in body:
        w, f = body.split('.')
        t = int(w) * 10 + int(f)
    else:
        t = int(body) * 10
    if neg: t = -t
    return t if lo <= t <= hi else None

def whole(v, lo, hi):
    if not re.match(r'^[0-9]+$', v): return None
    x = int(v)
    return x if lo <= x <= hi else None

SETTINGS = [
 ("SAVINGS_START","samt",0),("INVEST_RATE","rate",0),("HUSBAND_INCOME","amt",0),("HUSBAND_INCOME_RATE","rate",10),
 ("WIFE_INCOME","amt",0),("WIFE_INCOME_RATE","rate",10),("HUSBAND_SEVERANCE","amt",0),("WIFE_SEVERANCE","amt",0),
 ("HUSBAND_REEMPLOY_INCOME","amt",0),("HUSBAND_REEMPLOY_END_AGE","age",65),("WIFE_REEMPLOY_INCOME","amt",0),("WIFE_REEMPLOY_END_AGE","age",65),
 ("HUSBAND_PENSION","amt",0),("HUSBAND_PENSION_AGE","page",65),("WIFE_PENSION","amt",0),("WIFE_PENSION_AGE","page",65),
 ("PENSION_RATE","rate",0),("LIVING","amt",0),("LIVING_RATE","rate",10),("HOUSING","amt",0),("HOUSING_RATE","rate",0),
 ("HOUSING_END_YEAR","year",0),("INSURANCE","amt",0),("INSURANCE_END_YEAR","year",0),("OTHER","amt",0),("OTHER_RATE","rate",10),
 ("EDUCATION_RATE","rate",10),("CARE_HUSBAND_PARENTS","flag",0),("CARE_WIFE_PARENTS","flag",0),("CARE_MONTHLY","amt",90),("CARE_ONCE","amt",472)]
STAGES = ["KINDERGARTEN","ELEMENTARY","JUNIOR_HIGH","HIGH_SCHOOL","UNIVERSITY"]
SCHOOL = {"公立","私立","なし"}
UNIV = {"国立","公立","私立文系","私立理系","私立医歯","短大","なし"}

def parse_value(kind, v):
    if kind == "amt": return tenths(v, 0, 999999)
    if kind == "samt": return tenths(v, -999999, 999999)
    if kind == "rate": return tenths(v, -100, 100)
    if kind == "age": return whole(v, 0, 150)
    if kind == "page": return whole(v, 60, 75)
    if kind == "year": return whole(v, 0, 9999)
    if kind == "flag": return int(v) if v in ("0","1") else None

def parse_entry(v):
    parts = v.split(',', 2)
    if len(parts) < 3: return None
    y = whole(parts[0], 1, 9999); a = tenths(parts[1], 0, 999999)
    if y is None or a is None: return None
    return (y, a, parts[2])

def read_money(trailing):
    if not trailing or trailing[0] != HEADER: return None
    s = {k: d for k, _, d in SETTINGS}
    kinds = {k: t for k, t, _ in SETTINGS}
    ch = [["公立"]*4 + ["私立文系"] for _ in range(10)]
    inc = {}; exp = {}
    s["SAVINGS_BASIS"] = "年初"  # a section without a valid basis line is the first version's
    for line in trailing[1:]:
        if line == "END_MONEY": break
        if '=' not in line: continue
        k, v = line.split('=', 1)
        if k == "SAVINGS_BASIS":
            if v in ("年末", "年初"): s[k] = v
            continue
        if k in kinds:
            x = parse_value(kinds[k], v)
            if x is not None: s[k] = x
            continue
        m = re.match(r'^(INCOME|EXPENSE)([1-9][0-9]*)$', k)
        if m and 1 <= int(m.group(2)) <= 50:
            e = parse_entry(v)
            if e: (inc if m.group(1) == "INCOME" else exp)[int(m.group(2))] = e
            continue
        m = re.match(r'^CHILD([1-9][0-9]*)_(.*)$', k)
        if m and 1 <= int(m.group(1)) <= 10 and m.group(2) in STAGES:
            st = STAGES.index(m.group(2))
            if (st < 4 and v in SCHOOL) or (st == 4 and v in UNIV):
                ch[int(m.group(1))-1][st] = v
    s["children"] = ch; s["inc"] = inc; s["exp"] = exp
    return s

def default_money():
    s = {k: d for k, _, d in SETTINGS}
    s["children"] = [["公立"]*4 + ["私立文系"] for _ in range(10)]
    s["inc"] = {}; s["exp"] = {}
    s["SAVINGS_BASIS"] = "年末"
    return s

def i16(text):
    t = text.strip(' \t')
    if not re.match(r'^[+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)$', t): return None
    from decimal import Decimal, ROUND_HALF_EVEN
    v = int(Decimal(t).quantize(Decimal(1), rounding=ROUND_HALF_EVEN))
    return v if -32768 <= v <= 32767 else None

def read_plan(path):
    data = open(path, 'rb').read().decode('cp932', errors='replace')
    lines = re.split(r'\r\n|\r|\n', data)
    if data.endswith(('\r\n','\r','\n')): lines = lines[:-1]
    first = lines[:300] + [""] * (300 - min(300, len(lines)))
    trailing = []
    if len(lines) > 300 and lines[300] == HEADER:
        for l in lines[300:]:
            trailing.append(l)
            if l == "END_MONEY": break
    def num(n):
        v = i16(first[n-1]); return v if v is not None else 0
    P = {}
    st1 = [num(i) for i in range(1, 13)]
    P["husband"], P["wife"], P["children"] = st1[1], st1[2], st1[3]
    P["now"], P["future"] = st1[6], st1[7]
    P["pflags"] = st1[8:12]
    def couple(first_line):
        return [num(first_line + i) for i in range(19)]
    P["st2"] = couple(31); P["st4"] = couple(241); P["st5"] = couple(271)
    P["mtx1"] = [[num(91 + 13*c + k) for k in range(13)] for c in range(10)]
    return P, trailing

def grow(v, r, n):
    # v × ((1000 + r) / 1000)^n exactly; r in tenths of a percent
    return Fraction(v) * Fraction(1000 + r, 1000) ** n

def round_half_away(x):
    x = Fraction(x)
    q = (abs(x.numerator) * 2 + x.denominator) // (2 * x.denominator)
    return -q if x < 0 else q

EDU = {("k","公立"):(184646,0),("k","私立"):(347338,0),("e","公立"):(366599,0),("e","私立"):(1741516,0),
       ("j","公立"):(542450,0),("j","私立"):(1560359,0),("h","公立"):(596954,0),("h","私立"):(1179261,0),
       ("u","国立"):(535800,282000),("u","公立"):(536520,382806),("u","私立文系"):(970973,223867),
       ("u","私立理系"):(1295694,234756),("u","私立医歯"):(3744279,1077425),("u","短大"):(892905,237122)}
ULEN = {"国立":4,"公立":4,"私立文系":4,"私立理系":4,"私立医歯":6,"短大":2}

def yomei(datadir, fname, a0, consts):
    path = os.path.join(datadir, fname)
    if not os.path.isfile(path): return 0
    if a0 < 0:
        if consts: return 77 if fname.startswith("男") else 84
        return 0
    lines = re.split(r'\r\n|\r|\n', open(path,'rb').read().decode('cp932', errors='replace'))
    if a0 >= len(lines): return 0
    v = i16(lines[a0][3:])
    return v if v is not None else 0

def money_rows(P, s, y0, datadir):
    Y = [y0 + n for n in range(51)]
    rows = {k: [0]*51 for k in ["hi","wi","sev","pen","oti","liv","hou","ins","oth","edu","care","ote"]}
    st2 = P["st2"]
    for who, flag, by, R, key in (("HUSBAND", P["husband"], st2[1], st2[2], "hi"), ("WIFE", P["wife"], st2[3], st2[4], "wi")):
        if flag != 1: continue
        for n, y in enumerate(Y):
            a = y - by
            if R <= 0 or a < R: rows[key][n] = grow(s[who+"_INCOME"]*1000, s[who+"_INCOME_RATE"], n)
            elif a < s[who+"_REEMPLOY_END_AGE"]: rows[key][n] = s[who+"_REEMPLOY_INCOME"]*1000
            if R > 0 and a == R: rows["sev"][n] += s[who+"_SEVERANCE"]*1000
            if a >= s[who+"_PENSION_AGE"]: rows["pen"][n] += grow(s[who+"_PENSION"]*1000, s["PENSION_RATE"], n)
    for (y, a, _) in s["inc"].values():
        if y0 <= y <= y0 + 50: rows["oti"][y - y0] += a * 1000
    for (y, a, _) in s["exp"].values():
        if y0 <= y <= y0 + 50: rows["ote"][y - y0] += a * 1000
    for n, y in enumerate(Y):
        rows["liv"][n] = grow(s["LIVING"]*1000, s["LIVING_RATE"], n)
        rows["oth"][n] = grow(s["OTHER"]*1000, s["OTHER_RATE"], n)
        if s["HOUSING_END_YEAR"] == 0 or y <= s["HOUSING_END_YEAR"]: rows["hou"][n] = grow(s["HOUSING"]*1000, s["HOUSING_RATE"], n)
        if s["INSURANCE_END_YEAR"] == 0 or y <= s["INSURANCE_END_YEAR"]: rows["ins"][n] = s["INSURANCE"]*1000
    if P["children"] == 1:
        N = min(10, max(0, P["now"]) + max(0, P["future"]))
        for c in range(N):
            m = P["mtx1"][c]; B = m[0]; K, E, J, H, U = m[1:6]
            ch = s["children"][c]
            stages = [("k", K, E - K if E > K else 2, ch[0]), ("e", E, 6, ch[1]), ("j", J, 3, ch[2]), ("h", H, 3, ch[3]),
                      ("u", U, ULEN.get(ch[4], 0), ch[4])]
            for st, entry, length, choice in stages:
                if entry <= 0 or choice == "なし": continue
                py, once = EDU[(st, choice)]
                for n, y in enumerate(Y):
                    a = y - B
                    if entry <= a < entry + length:
                        rows["edu"][n] += grow(py + (once if a == entry else 0), s["EDUCATION_RATE"], n)
    for sex, flag, care in ((3, P["pflags"][0], s["CARE_HUSBAND_PARENTS"]), (4, P["pflags"][1], s["CARE_HUSBAND_PARENTS"]),
                            (5, P["pflags"][2], s["CARE_WIFE_PARENTS"]), (6, P["pflags"][3], s["CARE_WIFE_PARENTS"])):
        if flag != 1 or care != 1: continue
        sec = P["st4"] if sex in (3, 4) else P["st5"]
        father = sex in (3, 5)
        B = sec[1] if father else sec[3]
        stat = sec[15] if father else sec[18]
        if stat == 1: L = yomei(datadir, "男余命.dat" if father else "女余命.dat", y0 - B, False)
        else: L = sec[6] if father else sec[7]
        for n, y in enumerate(Y):
            a = y - B
            if a == L - 2: rows["care"][n] += s["CARE_MONTHLY"]*1000*12 + s["CARE_ONCE"]*1000
            elif a == L - 1: rows["care"][n] += s["CARE_MONTHLY"]*1000*12
    order = ["hi","wi","sev","pen","oti"]
    eorder = ["liv","hou","ins","oth","edu","care","ote"]
    shown = {k: [round_half_away(Fraction(rows[k][n]) / 10000) for n in range(51)] for k in rows}
    it = [sum(shown[k][n] for k in order) for n in range(51)]
    et = [sum(shown[k][n] for k in eorder) for n in range(51)]
    bal = [it[n] - et[n] for n in range(51)]
    f = Fraction(1000 + s["INVEST_RATE"], 1000)
    start = Fraction(s["SAVINGS_START"], 10)
    sav = []
    for n in range(51):
        if n > 0: b = round_half_away(sav[-1] * f) + bal[n]
        elif s["SAVINGS_BASIS"] == "年末": b = round_half_away(start)
        else: b = round_half_away(start * f) + bal[0]
        sav.append(b)
    return [shown[k] for k in order] + [it] + [shown[k] for k in eorder] + [et, bal, sav]

def man(q):
    return str(q)

def rate(t):
    return ("-" if t < 0 else "") + f"{abs(t)//10}.{abs(t)%10}%"

LABELS = ["夫の収入","妻の収入","退職金","年金","一時的収入","収入合計","基本生活費","住居費","保険料","その他支出","教育費","介護費","一時的支出","支出合計","年間収支","貯蓄残高"]
RATES = {0:"HUSBAND_INCOME_RATE",1:"WIFE_INCOME_RATE",3:"PENSION_RATE",6:"LIVING_RATE",7:"HOUSING_RATE",9:"OTHER_RATE",10:"EDUCATION_RATE",15:"INVEST_RATE"}

def field(t):
    if any(c in t for c in ',"\r\n'): return '"' + t.replace('"', '""') + '"'
    return t

def expected_csv(plan_path, y0, datadir, lifecycle_csv_bytes):
    P, trailing = read_plan(plan_path)
    s = read_money(trailing) or default_money()
    lc = list(csv.reader(io.StringIO(lifecycle_csv_bytes.decode('cp932'), newline='')))
    out = []
    out.append(["経過年数", ""] + [str(n) for n in range(51)])
    out.append(["西暦", ""] + [lc[2+n][0] for n in range(51)])
    out.append(["和暦", ""] + [lc[2+n][1] for n in range(51)])
    ev = [[] for _ in range(51)]
    for c in range(2, len(lc[0])):
        label = lc[0][c]
        cells = []
        for n in range(51):
            cell = lc[2+n][c]
            m = re.match(r'^-?[0-9]+', cell)
            cells.append(str(int(m.group(0))))
            rest = cell[m.end():]
            if rest: ev[n].append(label + rest)
        out.append([label, ""] + cells)
    out.append(["家族のイベント", ""] + ["／".join(e) for e in ev])
    for i, r in enumerate(money_rows(P, s, y0, datadir)):
        out.append([LABELS[i], rate(s[RATES[i]]) if i in RATES else ""] + [man(v) for v in r])
    return ("".join(",".join(field(x) for x in row) + "\r\n" for row in out)).encode('cp932')

def main():
    bin_dir = sys.argv[1]
    tool = os.path.join(bin_dir, "harukaze-csv")
    here = os.path.dirname(os.path.abspath(__file__))
    for case in sorted(os.listdir(here)):
        folder = os.path.join(here, case)
        if not os.path.isdir(folder):
            continue
        options = dict(line.split("=", 1) for line in open(os.path.join(folder, "options")).read().split())
        y0 = int(options["year"])
        datadir = bin_dir if options["data"] == "bin" else os.path.join(folder, "no-such-folder")
        plan = os.path.join(folder, "plan.HRZ")
        lc = subprocess.run([tool, "--year", str(y0), "--data-dir", datadir, plan, "-"], capture_output=True,
                            check=True).stdout
        open(os.path.join(folder, "expected.csv"), "wb").write(expected_csv(plan, y0, datadir, lc))


if __name__ == "__main__":
    main()

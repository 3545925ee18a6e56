# SPDX-License-Identifier: GPL-3.0-or-later
# 所得税, 住民税 and 社会保険料 of 額面 income, worked out on their own from the rules and the project's
# tables in data/tax (read here, not generated), for make_expected.py. Whole yen, integers only.
import os

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', '..', 'data', 'tax')


def read(name):
    rows, header = [], None
    with open(os.path.join(DATA, name), encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\r\n')
            if not line or line.startswith('#'):
                continue
            fields = line.split('\t')
            if header is None:
                header = fields
            else:
                rows.append(dict(zip(header, fields)))
    return rows


def of_year(rows, year):
    years = sorted({int(r['year']) for r in rows})
    chosen = max([y for y in years if y <= year], default=years[0])
    return [r for r in rows if int(r['year']) == chosen]


def num(v, open_value=None):
    return open_value if v == '' else int(v)


BIG = 10 ** 30
T = {n: read(n + '.tsv') for n in ['kyuyo_shotoku', 'basic_deduction', 'spouse_deduction', 'dependent_deduction',
                                    'income_tax_rates', 'public_pension_deduction', 'kyokai_kenpo_rates',
                                    'insurance_rates', 'standard_monthly_grades', 'resident_tax',
                                    'prefecture_surtax']}


def half50(num_, den):
    q, r = divmod(num_, den)
    return q + 1 if 2 * r > den else q


def floor_k(x, k):
    return x // k * k


def kyuyo(G, Y):
    for r in of_year(T['kyuyo_shotoku'], Y):
        lo, hi = int(r['lower']), num(r['upper'], BIG)
        if lo <= G < hi:
            a, b, kind = int(r['a']), int(r['b']), r['kind']
            return {'zero': 0, 'minus': G - a, 'fixed': a, 'step': (G // 4000) * b - a,
                    'ratio': (G * b) // 100 - a}[kind]
    raise ValueError(G)


def quick_tax(taxable, Y):
    for r in of_year(T['income_tax_rates'], Y):
        if taxable <= num(r['upper'], BIG):
            return taxable * int(r['rate_pct']) // 100 - int(r['subtract'])


def basic(total, tax, Y):
    for r in of_year(T['basic_deduction'], Y):
        if r['tax'] == tax and total <= num(r['upper'], BIG):
            return int(r['amount'])
    return 0


def spouse_ded(head_T, sp_T, sp_age, tax, Y):
    if head_T > 10000000:
        return 0
    col = 'c900' if head_T <= 9000000 else 'c950' if head_T <= 9500000 else 'c1000'
    rows = [r for r in of_year(T['spouse_deduction'], Y) if r['tax'] == tax]
    for r in rows:
        if r['kind'] == 'kojo' and int(r['elderly']) == (1 if sp_age >= 70 else 0) and sp_T <= int(r['spouse_upper']):
            return int(r[col])
    for r in sorted([r for r in rows if r['kind'] == 'tokubetsu'], key=lambda r: int(r['spouse_upper'])):
        if sp_T <= int(r['spouse_upper']):
            return int(r[col])
    return 0


def resident_params(Y):
    return {r['key']: int(r['value']) for r in of_year(T['resident_tax'], Y)}


def grade(M, Y, pension):
    rows = of_year(T['standard_monthly_grades'], Y)
    if pension:
        rows = [r for r in rows if r['pension_grade'] != '']
        if M < int(rows[0]['to']):
            return int(rows[0]['std'])
        if M >= int(rows[-1]['from']):
            return int(rows[-1]['std'])
    for r in rows:
        if num(r['from'], 0) <= M < num(r['to'], BIG):
            return int(r['std'])


def person_pre(p, Y, pref, children, ph_rate):
    """Steps 1-6 of one spouse: p has age, G, bm (tenths), count, flag, P, S, years."""
    a, G, P, S = p['age'], p['G'], p['P'], p['S']
    out = {}
    bm = p['bm']
    M = (G * 10) // (120 + bm)
    B = G - 12 * M
    bonuses = []
    if B > 0:
        c = p['count'] if p['count'] > 0 else 1
        bonuses = [B // c] * (c - 1) + [B - (c - 1) * (B // c)]
    si = 0
    if p['flag'] == 1 and G > 0:
        ins = of_year(T['insurance_rates'], Y)[0]
        health = [int(r['health_rate']) for r in of_year(T['kyokai_kenpo_rates'], Y) if r['prefecture'] == pref][0]
        rate = health + (int(ins['kaigo']) if 40 <= a <= 64 else 0)
        shien, months = int(ins['shien']), int(ins['shien_months'])
        kounen, koyou = int(ins['kounen']), int(ins['koyou_employee'])
        caph, capp = int(ins['bonus_cap_health_year']), int(ins['bonus_cap_pension_payment'])
        if a < 75:
            SH = grade(M, Y, False)
            si += half50(SH * rate, 200000) * 12 + half50(SH * shien, 200000) * months
        if a < 70:
            si += half50(grade(M, Y, True) * kounen, 200000) * 12
        si += half50(M * koyou, 100000) * 12
        used = 0
        for b in bonuses:
            s = floor_k(b, 1000)
            if a < 75:
                sh = max(0, min(s, caph - used))
                used += sh
                si += half50(sh * rate, 200000)
                if months > 0:
                    si += half50(sh * shien, 200000)
            if a < 70:
                si += half50(min(s, capp) * kounen, 200000)
            si += half50(b * koyou, 100000)
    K = kyuyo(G, Y)
    K1 = K
    if G > 8500000 and any(0 <= c < 23 for c in children):
        A1 = min(-((-(min(G, 10000000) - 8500000)) // 10), 150000)
        K1 = max(0, K - A1)
    R = TR = 0
    if S > 0:
        y = max(1, p['years'])
        D = max(400000 * y, 800000) if y <= 20 else 8000000 + 700000 * (y - 20)
        if S > D:
            x = S - D
            R = 1500000 + (x - 3000000) if (y <= 5 and x > 3000000) else x // 2
        TR = floor_k(R, 1000)
    Z = 0
    if P > 0:
        O = K1 + R
        band = 0 if O <= 10000000 else 1 if O <= 20000000 else 2
        for r in of_year(T['public_pension_deduction'], Y):
            if int(r['age65']) == (1 if a >= 65 else 0) and int(r['other_band']) == band \
                    and int(r['lower']) < P <= num(r['upper'], BIG):
                ded = -((-(P * int(r['pct']))) // 100) + int(r['add'])
                Z = max(0, P - ded)
                break
    K2 = K1
    if K1 > 0 and Z > 0:
        K2 = K1 - max(0, min(K1, 100000) + min(Z, 100000) - 100000)
    if P > 0 and (p['flag'] == 0 or G == 0 or a >= 75):
        si += (P * ph_rate) // 1000
    out.update(si=si, Ts=K2 + Z, T=K2 + Z + R, Tr=K2 + Z, R=R, TR=TR)
    return out


def tax_year(Y, pref, ph_rate, children, spouses):
    """spouses: [husband or None, wife or None]; returns [(income tax, resident tax, social insurance) or None]*2."""
    pre = [person_pre(p, Y, pref, children, ph_rate) if p else None for p in spouses]
    if pre[0] and (not pre[1] or pre[0]['T'] >= pre[1]['T']):
        head = 0
    elif pre[1]:
        head = 1
    else:
        head = None
    deps = [r for r in of_year(T['dependent_deduction'], Y)]
    rp = resident_params(Y)
    surtax = [r for r in of_year(T['prefecture_surtax'], Y) if r['prefecture'] == pref][0]
    resident_line = [int(r['spouse_upper']) for r in of_year(T['spouse_deduction'], Y)
                     if r['tax'] == 'resident' and r['kind'] == 'kojo'][0]
    results = [None, None]
    for s in (0, 1):
        if not pre[s]:
            continue
        me, other, o = pre[s], pre[1 - s], spouses[1 - s]
        is_head = s == head
        dep_i = dep_r = diff = 0
        kids = 0
        if is_head:
            for c in children:
                if 0 <= c <= 22:
                    kids += 1
                for r in deps:
                    if int(r['age_from']) <= c <= int(r['age_to']):
                        dep_i += int(r['income'])
                        dep_r += int(r['resident'])
                        diff += int(r['diff'])
        sp_i = spouse_ded(me['T'], other['T'], o['age'], 'income', Y) if (is_head and other) else 0
        taxable = floor_k(max(0, me['Ts'] - (me['si'] + basic(me['T'], 'income', Y) + sp_i + dep_i)), 1000)
        it = floor_k((quick_tax(taxable, Y) * 1021) // 1000, 100)
        # 住民税
        N = 1 + (1 if (other and other['Tr'] <= resident_line) else 0) + kids
        fam = rp['exempt_per_person'] * N + rp['exempt_add']
        kinto_lim = rp['exempt_single'] if N == 1 else fam + rp['exempt_kinto_family_add']
        shotoku_lim = rp['exempt_single'] if N == 1 else fam + rp['exempt_shotoku_family_add']
        sp_r = spouse_ded(me['Tr'], other['Tr'], o['age'], 'resident', Y) if (is_head and other) else 0
        TX = floor_k(max(0, me['Ts'] - (me['si'] + basic(me['Tr'], 'resident', Y) + sp_r + dep_r)), 1000)
        base = 0
        if me['Tr'] <= 25000000 and TX > 0:
            H = rp['basic_diff'] + ((max(0, sp_i - sp_r) + diff) if is_head else 0)
            base = min(H, TX) if TX <= 2000000 else max(H - (TX - 2000000), 50000)
        rt = 0
        if me['Ts'] > shotoku_lim:
            rt += floor_k(max(0, (TX * (rp['pref_rate_pct'] * 1000 + int(surtax['income_rate']))) // 100000
                              - (base * rp['adj_pref_pct']) // 100), 100)
            rt += floor_k(max(0, (TX * rp['muni_rate_pct']) // 100 - (base * rp['adj_muni_pct']) // 100), 100)
        if me['Tr'] > kinto_lim:
            rt += rp['kinto_pref'] + int(surtax['per_capita']) + rp['kinto_muni'] + rp['forest_tax']
        if spouses[s]['S'] > 0:
            it += (quick_tax(me['TR'], Y) * 1021) // 1000
            rt += floor_k((me['TR'] * 4) // 100, 100) + floor_k((me['TR'] * 6) // 100, 100)
        results[s] = (it, rt, me['si'])
    return results

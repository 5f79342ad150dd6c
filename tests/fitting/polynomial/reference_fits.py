#!/usr/bin/env python3
"""Reference values of three noisy polynomial fits, worked out apart from the
program: exact least squares in rational numbers (Python's fractions), then
standard errors sqrt(s^2 * (X'X)^-1_kk) and R2 = 1 - SSR/SST in floating point.

    python3 tests/fitting/polynomial/reference_fits.py

prints the data and the figures that polynomial_reference_test.cpp holds."""
from fractions import Fraction as F
import itertools, math

def lcg_noise(n, seed):
    out, s = [], seed
    for _ in range(n):
        s = (1103515245 * s + 12345) % 2**31
        out.append(F(round((s / 2**31 - 0.5) * 60), 100))  # -0.30 .. 0.30 in hundredths
    return out

# Terms of the models in the order of b0, b1, ... (powers of x, y, z).
TERMS = {
    3: [(0,0,0),(1,0,0),(2,0,0),(3,0,0)],
    5: [(0,0,0),(1,0,0),(0,1,0),(1,1,0),(2,0,0),(0,2,0)],
    8: [(0,0,0),(1,0,0),(0,1,0),(0,0,1),(1,1,0),(1,0,1),(0,1,1),(2,0,0),(0,2,0),(0,0,2)],
}

def solve(a, b):  # Gauss-Jordan in fractions
    n = len(a)
    m = [row[:] + [bb] for row, bb in zip(a, b)]
    for c in range(n):
        p = next(r for r in range(c, n) if m[r][c] != 0)
        m[c], m[p] = m[p], m[c]
        for r in range(n):
            if r != c and m[r][c] != 0:
                f = m[r][c] / m[c][c]
                m[r] = [x - f * y for x, y in zip(m[r], m[c])]
    return [m[i][n] / m[i][i] for i in range(n)]

def fit(model, points, values):
    terms = TERMS[model]
    X = [[F(x)**px * F(y)**py * F(z)**pz for px, py, pz in terms] for x, y, z in points]
    p, n = len(terms), len(points)
    xtx = [[sum(X[i][a] * X[i][b] for i in range(n)) for b in range(p)] for a in range(p)]
    xty = [sum(X[i][a] * values[i] for i in range(n)) for a in range(p)]
    beta = solve(xtx, xty)
    inv = [solve(xtx, [F(int(i == k)) for i in range(p)]) for k in range(p)]
    ssr = sum((values[i] - sum(X[i][k] * beta[k] for k in range(p)))**2 for i in range(n))
    mean = sum(values) / n
    sst = sum((v - mean)**2 for v in values)
    s2 = ssr / (n - p)
    se = [math.sqrt(s2 * inv[k][k]) for k in range(p)]
    return [float(b) for b in beta], se, float(1 - ssr / sst)

def show(name, model, points, truth):
    noise = lcg_noise(len(points), 20 + model)
    values = [truth(*pt) + e for pt, e in zip(points, noise)]
    beta, se, r2 = fit(model, points, values)
    print(name, "model", model)
    print(" points", [tuple(str(c) for c in pt) for pt in points])
    print(" values", [str(float(v)) for v in values])
    print(" b ", ", ".join(repr(b) for b in beta))
    print(" se", ", ".join(repr(s) for s in se))
    print(" R2", repr(r2))

show("unary cubic", 3, [(F(x), 0, 0) for x in range(12)],
     lambda x, y, z: 1 + F(1, 2) * x - F(3, 10) * x**2 + F(2, 100) * x**3)
show("binary quadratic", 5, [(F(x), F(y), 0) for x in range(5) for y in range(-1, 3)],
     lambda x, y, z: 2 - x + F(1, 2) * y + F(1, 4) * x * y + F(1, 10) * x**2 - F(3, 10) * y**2)
show("trinary quadratic", 8, [(F(x), F(y), F(z)) for x in range(3) for y in range(-1, 2) for z in range(1, 4)],
     lambda x, y, z: 1 + x - y + F(1, 2) * z + F(1, 5) * x * y - F(1, 10) * x * z + F(3, 10) * y * z
     + F(2, 5) * x**2 - F(1, 5) * y**2 + F(1, 10) * z**2)

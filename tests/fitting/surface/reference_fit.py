#!/usr/bin/env python3
"""Reference values of a noisy surface fit, worked out apart from the program:
Gauss-Newton in 40-digit arithmetic (mpmath) on z = a*exp(-b*x) + c*y^2 over a
5 x 5 set of points with noise of hundredths, then SSR, R2 = 1 - SSR/SST and
the standard errors sqrt(SSR/(m-n) * (J'J)^-1_kk) at the minimum.

    python3 tests/fitting/surface/reference_fit.py

prints the data and the figures that surface_fit_e2e_test.cpp holds."""
from mpmath import mp, mpf, exp, matrix, lu_solve, inverse, sqrt

mp.dps = 40

def noise(n, seed):
    out, s = [], seed
    for _ in range(n):
        s = (1103515245 * s + 12345) % 2**31
        out.append(round((s / 2**31 - 0.5) * 60))  # -30 .. 30 hundredths
    return out

xs, ys = [], []
for i in range(5):
    for j in range(5):
        xs.append(i)
        ys.append(j - 2)
e = noise(25, 7)
# The data as typed into the grid: exact decimal texts of two places.
zs = []
for x, y, k in zip(xs, ys, e):
    v = 3 * exp(mpf(-0.4) * x) + mpf(0.5) * y * y
    zs.append(mp.nstr(mp.mpf(int(mp.nint(v * 100)) + k) / 100, 10))
Z = [mpf(z) for z in zs]

def model(p, x, y):
    a, b, c = p
    return a * exp(-b * x) + c * y * y

def jac(p, x, y):
    a, b, c = p
    return [exp(-b * x), -a * x * exp(-b * x), y * y]

p = [mpf(1), mpf(0.1), mpf(1)]
for _ in range(100):
    J = matrix([jac(p, x, y) for x, y in zip(xs, ys)])
    r = matrix([z - model(p, x, y) for x, y, z in zip(xs, ys, Z)])
    step = lu_solve(J.T * J, J.T * r)
    p = [p[k] + step[k] for k in range(3)]
    if max(abs(step[k]) for k in range(3)) < mpf(10) ** -35:
        break

ssr = sum((z - model(p, x, y)) ** 2 for x, y, z in zip(xs, ys, Z))
mean = sum(Z) / len(Z)
sst = sum((z - mean) ** 2 for z in Z)
J = matrix([jac(p, x, y) for x, y in zip(xs, ys)])
cov = inverse(J.T * J) * (ssr / (len(Z) - 3))
print("z =", ", ".join(zs))
for name, v in zip("abc", p):
    print(name, mp.nstr(v, 17))
for k, name in enumerate("abc"):
    print("se(%s)" % name, mp.nstr(sqrt(cov[k, k]), 17))
print("SSR", mp.nstr(ssr, 17))
print("R2", mp.nstr(1 - ssr / sst, 17))
print("s", mp.nstr(sqrt(ssr / (len(Z) - 3)), 17))

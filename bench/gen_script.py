#!/usr/bin/env python3
"""Writes a large, ordinary C script that is also C.

The script holds global variables and functions only (C allows nothing else at file scope):
leaf helpers that compute with numbers and strings and call built-ins and host functions, and
workers that branch, loop, switch and call a few helpers each. Calls go only to functions
declared earlier, so that validation - which runs every body once at its declaration and again
at every call it meets - stays shallow and every body runs a few times.

  gen_script.py SIZE_BYTES OUT.c [--c-prelude OUT_C.c] [--seed N]

With --c-prelude the same text is also written behind a prelude that declares the built-ins
and the host's names, so that a C compiler (tcc -c, gcc -fsyntax-only) takes the same program.
"""
import argparse
import random

PRELUDE = """\
#include <math.h>
#include <stdlib.h>
#include <string.h>
typedef const char* string;
extern int SensorLevel;
extern double FlowRate;
int SetPump(int id, int on);
int LogLine(string text);
double ReadGauge(int id);
string strtrim(string text, int from, int to);
double DEG(double radians);
double RAD(double degrees);
"""

LEAF = """\
// Clamps and scales one reading of channel {n}.
int Scale{n}(int value, int low, int high)
{{
    int result = value * {a} + {b};
    if (result < low)
        result = low;
    else if (result > high)
        result = high;
    int steps = 0;
    while (steps < {c}) {{
        result = result + steps % 7;
        steps++;
    }}
    return result - {b};
}}

float Blend{n}(float x, float y)
{{
    float weight = {w};
    float mixed = x * weight + y * (1.0 - weight);
    mixed = mixed + sqrt(x * x + {c}.0) - pow(weight, 2.0);
    return mixed + sin(RAD(y)) * cos(RAD(x));
}}

int Label{n}(string name, int width)
{{
    string part = strtrim(name, 0, width);
    int length = strlen(part);
    if (length > width)
        length = width;
    LogLine(part);
    return length + {a};
}}

"""

WORKER = """\
int worker{n}Count = {c};
float worker{n}Total = 0.0;

// Runs pass {n} of the station: pumps, gauges and the operator's label.
int Worker{n}(int mode, float target)
{{
    int table[16];
    int k;
    for (k = 0; k < 16; k++)
        table[k] = k * {a};
    int state = Scale{l1}(mode, 0, {b});
    float level = Blend{l2}(target, FlowRate);
    switch (mode % 4) {{
    case 0:
        state = state + Scale{l2}(SensorLevel, -{b}, {b});
        break;
    case 1:
        state = state - table[mode % 16];
        break;
    case 2:
        level = level * 2.0;
        break;
    default:
        state = Label{l1}("operator", {c});
        break;
    }}
    if (level > target) {{
        SetPump({n}, 1);
        worker{n}Total = worker{n}Total + level - target;
    }} else {{
        SetPump({n}, 0);
        worker{n}Count = worker{n}Count + 1;
    }}
    int tries = 0;
    do {{
        state = state + tries * {c} - (state / {d});
        tries++;
    }} while (tries < 3);
    float gauge = ReadGauge({n}) + level / {d}.0;
    if (gauge < 0.0 && state >= 0 || mode == {c})
        state = -state;
    return state + Label{l3}("station {n}", {c});
}}

"""


def generate(size, rng):
    parts = []
    total = 0
    leaves = []
    n = 0
    while total < size:
        # One helper group for every few workers keeps every body's run count small.
        if not leaves or rng.random() < 0.25:
            text = LEAF.format(n=n, a=rng.randint(2, 9), b=rng.randint(10, 999),
                               c=rng.randint(1, 5), w=round(rng.uniform(0.1, 0.9), 2))
            leaves.append(n)
        else:
            recent = leaves[-6:]
            text = WORKER.format(n=n, a=rng.randint(2, 9), b=rng.randint(10, 999),
                                 c=rng.randint(1, 9), d=rng.randint(2, 9),
                                 l1=rng.choice(recent), l2=rng.choice(recent),
                                 l3=rng.choice(recent))
        parts.append(text)
        total += len(text)
        n += 1
    return "".join(parts)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("size", type=int, help="bytes of script to write at least")
    parser.add_argument("out")
    parser.add_argument("--c-prelude", dest="c_out")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    script = generate(args.size, random.Random(args.seed))
    with open(args.out, "w", newline="\r\n") as out:
        out.write(script)
    if args.c_out:
        with open(args.c_out, "w", newline="\r\n") as out:
            out.write(PRELUDE + script)


if __name__ == "__main__":
    main()

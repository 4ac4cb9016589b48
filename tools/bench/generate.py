#!/usr/bin/env python3
"""Writes a large synthetic simulator installation for the benchmark.

generate.py DEST [--folders N] [--consists M] [--entries K]
Each trainset folder holds one engine and two wagons; each consist names K
vehicles, about a third of them absent from disk (half of those in folders
that do not exist)."""
import argparse, os, random, shutil

p = argparse.ArgumentParser()
p.add_argument("dest")
p.add_argument("--folders", type=int, default=20000)
p.add_argument("--consists", type=int, default=10000)
p.add_argument("--entries", type=int, default=20)
a = p.parse_args()

shutil.rmtree(a.dest, ignore_errors=True)
trainset = os.path.join(a.dest, "TRAINS", "TRAINSET")
consists = os.path.join(a.dest, "TRAINS", "CONSISTS")
os.makedirs(consists)
rnd = random.Random(42)
for i in range(a.folders):
    d = os.path.join(trainset, "Stock%05d" % i)
    os.makedirs(d)
    for name in ("loco%05d.eng" % i, "car%05dA.wag" % i, "car%05dB.wag" % i):
        open(os.path.join(d, name), "wb").close()

for c in range(a.consists):
    lines = ["SIMISA@@@@@@@@@@JINX0D0t______", "", "Train (", "\tTrainCfg ( C%05d" % c]
    for e in range(a.entries):
        i = rnd.randrange(a.folders)
        r = rnd.random()
        if r < 1 / 6:
            folder, veh, kind = "Stock%05d" % i, "lost%05d" % i, "Engine"    # missing file
        elif r < 1 / 3:
            folder, veh, kind = "Gone%05d" % i, "car%05dA" % i, "Wagon"      # missing folder
        elif r < 2 / 3:
            folder, veh, kind = "Stock%05d" % i, "loco%05d" % i, "Engine"
        else:
            folder, veh, kind = "Stock%05d" % i, "car%05dA" % i, "Wagon"
        lines += ["\t\t%s (" % kind, "\t\t\tUiD ( %d )" % e, "\t\t\t%sData ( %s %s )" % (kind, veh, folder), "\t\t)"]
    lines += ["\t)", ")"]
    with open(os.path.join(consists, "C%05d.con" % c), "wb") as f:
        f.write(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))

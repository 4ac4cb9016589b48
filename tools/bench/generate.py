#!/usr/bin/env python3
"""Writes a large synthetic simulator installation for the benchmark.

generate.py DEST [--shape simple|real] [--folders N] [--consists M] [--entries K]

simple: each trainset folder holds one engine and two wagons and nothing else.
real:   shaped like a user's installation: each folder holds 1 to 3 engines or
        wagons among 5 to 15 shape, texture and other files, and a third of
        the folders have a Sound sub-folder with a few sound files.
Each consist names K vehicles, about a third of them absent from disk (half of
those in folders that do not exist)."""
import argparse, os, random, shutil

p = argparse.ArgumentParser()
p.add_argument("dest")
p.add_argument("--shape", choices=("simple", "real"), default="simple")
p.add_argument("--folders", type=int, default=20000)
p.add_argument("--consists", type=int, default=10000)
p.add_argument("--entries", type=int, default=20)
a = p.parse_args()

shutil.rmtree(a.dest, ignore_errors=True)
trainset = os.path.join(a.dest, "TRAINS", "TRAINSET")
consists = os.path.join(a.dest, "TRAINS", "CONSISTS")
os.makedirs(consists)
rnd = random.Random(42)


def touch(path):
    open(path, "wb").close()


# (folder, vehicle name without extension, "Engine" or "Wagon") of every stock file.
stock = []
for i in range(a.folders):
    folder = "Stock%05d" % i
    d = os.path.join(trainset, folder)
    os.makedirs(d)
    if a.shape == "simple":
        vehicles = [("loco%05d" % i, "Engine"), ("car%05dA" % i, "Wagon"), ("car%05dB" % i, "Wagon")]
    else:
        vehicles = [("%s_%d" % (folder, k), "Engine" if k == 0 and rnd.random() < 0.4 else "Wagon")
                    for k in range(rnd.randint(1, 3))]
    for veh, kind in vehicles:
        touch(os.path.join(d, veh + (".eng" if kind == "Engine" else ".wag")))
        stock.append((folder, veh, kind))
    if a.shape == "real":
        others = rnd.randint(5, 15) - len(vehicles)
        base = vehicles[0][0]
        names = [base + ".s", base + ".sd", base + ".ace", base + "_cab.s", base + "_body.ace", base + "_bogie.ace",
                 base + "_nm.ace", base + "_lod.s", base + ".cvf", "readme.txt", base + "_freight.s",
                 base + "_coupler.ace", base + "_night.ace", base + "_snow.ace", base + ".tga"]
        for n in names[:max(others, 2)]:
            touch(os.path.join(d, n))
        if i % 3 == 0:
            s = os.path.join(d, "Sound")
            os.makedirs(s)
            for n in ("%s.sms" % base, "horn.wav", "engine.wav", "brake.wav")[: rnd.randint(2, 4)]:
                touch(os.path.join(s, n))

for c in range(a.consists):
    lines = ["SIMISA@@@@@@@@@@JINX0D0t______", "", "Train (", "\tTrainCfg ( C%05d" % c]
    for e in range(a.entries):
        folder, veh, kind = stock[rnd.randrange(len(stock))]
        r = rnd.random()
        if r < 1 / 6:
            veh = "lost" + veh                                   # missing file
        elif r < 1 / 3:
            folder = "Gone" + folder                             # missing folder
        lines += ["\t\t%s (" % kind, "\t\t\tUiD ( %d )" % e, "\t\t\t%sData ( %s %s )" % (kind, veh, folder), "\t\t)"]
    lines += ["\t)", ")"]
    with open(os.path.join(consists, "C%05d.con" % c), "wb") as f:
        f.write(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))

#!/usr/bin/env python3
"""Writes a large synthetic simulator installation for the benchmark.

generate.py DEST [--shape simple|real] [--folders N] [--consists M] [--entries K]

simple: each trainset folder holds one engine and two wagons and nothing else.
real:   shaped like a user's installation: each folder holds 1 to 3 engines or
        wagons among 5 to 15 shape, texture and other files, and a third of
        the folders have a Sound sub-folder with a few sound files. Its stock
        files name what they need, as real ones do: their shape (a fifth of
        the wagons a repaint's, in another folder; one in ten absent), the
        cab of an engine (in a CABVIEW sub-folder half the time, absent
        otherwise), their sound (in their Sound sub-folder, or for engines
        without one, in one of the shared CommonNNN.sound folders).
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
bases = []  # each folder's first vehicle, whose shape is on disk
shared_sounds = max(1, a.folders // 200)
if a.shape == "real":
    for k in range(shared_sounds):
        d = os.path.join(trainset, "Common%03d.sound" % k)
        os.makedirs(d)
        for n in ("engine.sms", "horn.wav", "engine.wav"):
            touch(os.path.join(d, n))


def stock_text(i, veh, kind, has_sound):
    """A real-shaped stock file naming its shape, cab and sound."""
    base = bases[i]
    r = rnd.random()
    if kind == "Wagon" and r < 0.2 and i > 0:
        j = rnd.randrange(i)
        shape = '"..\\\\Stock%05d\\\\%s.s"' % (j, bases[j])   # a repaint
    elif r < 0.3:
        shape = "missing_%s.s" % veh
    else:
        shape = base + ".s"
    lines = ["SIMISA@@@@@@@@@@JINX0D0t______", "", "Wagon ( %s" % veh, "\tType ( Freight )",
             "\tWagonShape ( %s )" % shape, "\tSize ( 3m 4m 15m )"]
    if has_sound:
        lines.append('\tSound ( "%s.sms" )' % base)
    lines.append(")")
    if kind == "Engine":
        lines += ["Engine ( %s" % veh, "\tType ( Diesel )", "\tCabView ( %s.cvf )" % base]
        if not has_sound:
            lines.append('\tSound ( "..\\\\..\\\\Common%03d.sound\\\\engine.sms" )' % rnd.randrange(shared_sounds))
        lines.append(")")
    return b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le")


for i in range(a.folders):
    folder = "Stock%05d" % i
    d = os.path.join(trainset, folder)
    os.makedirs(d)
    if a.shape == "simple":
        vehicles = [("loco%05d" % i, "Engine"), ("car%05dA" % i, "Wagon"), ("car%05dB" % i, "Wagon")]
    else:
        vehicles = [("%s_%d" % (folder, k), "Engine" if k == 0 and rnd.random() < 0.4 else "Wagon")
                    for k in range(rnd.randint(1, 3))]
    bases.append(vehicles[0][0])
    for veh, kind in vehicles:
        path = os.path.join(d, veh + (".eng" if kind == "Engine" else ".wag"))
        if a.shape == "real":
            with open(path, "wb") as f:
                f.write(stock_text(i, veh, kind, i % 3 == 0))
            if kind == "Engine" and rnd.random() < 0.5:
                os.makedirs(os.path.join(d, "CABVIEW"), exist_ok=True)
                touch(os.path.join(d, "CABVIEW", bases[i] + ".cvf"))
        else:
            touch(path)
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

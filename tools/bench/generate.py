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
        without one, in one of the shared CommonNNN.sound folders). A third
        include one of the shared CommonNNN.inc files (which name a sound, a
        coupler shape and a script, and include a shared base file in turn);
        one folder in ten holds an OpenRails file for its first vehicle that
        includes the stock file and adds freight animations, a load, couplers
        and scripts (some absent).
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
shared_includes = max(1, a.folders // 100)
HEADER = "SIMISA@@@@@@@@@@JINX0D0t______"


def utf16(lines):
    return b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le")


if a.shape == "real":
    for k in range(shared_sounds):
        d = os.path.join(trainset, "Common%03d.sound" % k)
        os.makedirs(d)
        for n in ("engine.sms", "horn.wav", "engine.wav"):
            touch(os.path.join(d, n))
    # Includes shared by many stock files: each names what the stock takes
    # from a common folder, and includes the one base file all of them share.
    d = os.path.join(trainset, "Common.inc")
    os.makedirs(os.path.join(d, "Script"))
    for n in ("coupler.s", "hose.s"):
        touch(os.path.join(d, n))
    touch(os.path.join(d, "Script", "Tcs.cs"))
    with open(os.path.join(d, "base.inc"), "wb") as f:
        f.write(utf16([HEADER, "Comment ( WagonShape ( old.s ) )", "\tFrontCouplerAnim ( ..\\Common.inc\\coupler.s 0 0 0 )",
                       "\tRearAirHoseAnim ( ..\\Common.inc\\hose.s 0 0 0 )"]))
    for k in range(shared_includes):
        with open(os.path.join(d, "common%03d.inc" % k), "wb") as f:
            f.write(utf16([HEADER, "include ( base.inc )",
                           '\tSound ( "..\\..\\Common%03d.sound\\engine.sms" )' % (k % shared_sounds),
                           "\tORTSTrainControlSystem ( ..\\..\\Common.inc\\Script\\Tcs )",
                           "\t_ORTSPowerSupply ( Unused )"]))
    loads = os.path.join(trainset, "Loads")
    os.makedirs(loads)
    for n in ("Coal.load-or", "Gravel.loa"):
        touch(os.path.join(loads, n))


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
    lines = [HEADER, "", "Wagon ( %s" % veh, "\tType ( Freight )",
             "\tWagonShape ( %s )" % shape, "\tSize ( 3m 4m 15m )"]
    if rnd.random() < 1 / 3:
        lines.append('\tinclude ( "..\\Common.inc\\common%03d.inc" )' % rnd.randrange(shared_includes))
    if has_sound:
        lines.append('\tSound ( "%s.sms" )' % base)
    lines.append(")")
    if kind == "Engine":
        lines += ["Engine ( %s" % veh, "\tType ( Diesel )", "\tCabView ( %s.cvf )" % base]
        if not has_sound:
            lines.append('\tSound ( "..\\\\..\\\\Common%03d.sound\\\\engine.sms" )' % rnd.randrange(shared_sounds))
        lines.append(")")
    return utf16(lines)


def open_rails_text(i):
    """An OpenRails file: the stock file included, then what Open Rails adds."""
    base = bases[i]
    return utf16([HEADER, "include ( ../[[samename]] )", "Wagon (",
                  "\tORTSFreightAnims ( ORTSFreightAnimContinuous ( Shape ( %s_freight.s ) )" % base,
                  "\t\tLoadData ( %s Loads Empty ) )" % rnd.choice(("Coal", "Gravel", "Sand")),
                  "\tCoupling ( FrontCouplerAnim ( %s ) )" % rnd.choice(("coupler.s", base + "_cab.s")),
                  "\tORTSTrainBrakeController ( %s )" % rnd.choice(("Default", "Brake", "MSTS")),
                  ")"])


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
            if veh == vehicles[0][0] and i % 10 == 5:
                os.makedirs(os.path.join(d, "OpenRails"))
                with open(os.path.join(d, "OpenRails", os.path.basename(path)), "wb") as f:
                    f.write(open_rails_text(i))
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

#!/usr/bin/env python3
"""Adds routes with activities to an installation written by generate.py.

generate-activities.py DEST [--routes R] [--activities A] [--entries K] [--twin TWIN]
Spreads A activity files over R routes (ROUTES\\RouteNNN\\ACTIVITIES), each with
one loose consist of K vehicles drawn as generate.py draws a consist's, plus an
OpenRails sub-folder and a .act.bak beside each route's activities, which are
not read. With --twin, TWIN gets the same loose consists as A extra consist
files instead, so the cost of reading activities can be set against the cost
of reading as many consists."""
import argparse, os, random

p = argparse.ArgumentParser()
p.add_argument("dest")
p.add_argument("--routes", type=int, default=100)
p.add_argument("--activities", type=int, default=5000)
p.add_argument("--entries", type=int, default=20)
p.add_argument("--twin")
a = p.parse_args()

folders = len(os.listdir(os.path.join(a.dest, "TRAINS", "TRAINSET")))
rnd = random.Random(7)

def vehicle(e):
    i = rnd.randrange(folders)
    r = rnd.random()
    if r < 1 / 6:
        return "Stock%05d" % i, "lost%05d" % i, "Engine"
    if r < 1 / 3:
        return "Gone%05d" % i, "car%05dA" % i, "Wagon"
    if r < 2 / 3:
        return "Stock%05d" % i, "loco%05d" % i, "Engine"
    # The B wagons are used by no consist: only activities use them.
    return "Stock%05d" % i, "car%05dB" % i, "Wagon"

def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))

for n in range(a.activities):
    route = "Route%03d" % (n % a.routes)
    entries = [vehicle(e) for e in range(a.entries)]
    lines = ["SIMISA@@@@@@@@@@JINX0a0t______", "", "Tr_Activity (", "\tTr_Activity_Header (",
             '\t\tName ( "Activity %05d" )' % n, '\t\tDescription ( "Generated." )', "\t)",
             "\tTr_Activity_File (", "\t\tActivityObjects (", "\t\t\tActivityObject (",
             "\t\t\t\tObjectType ( WagonsList )", "\t\t\t\tTrain_Config (", '\t\t\t\t\tTrainCfg ( ""']
    for uid, (folder, veh, kind) in enumerate(entries):
        lines.append("\t\t\t\t\t\t%s ( UiD ( %d ) %sData ( %s %s ) )" % (kind, uid, kind, veh, folder))
    lines += ["\t\t\t\t\t)", "\t\t\t\t)", "\t\t\t)", "\t\t)", "\t)", ")"]
    acts = os.path.join(a.dest, "ROUTES", route, "ACTIVITIES")
    write(os.path.join(acts, "A%05d.act" % n), lines)
    if n < a.routes:
        write(os.path.join(acts, "OpenRails", "A%05d.act" % n), lines)
        write(os.path.join(acts, "A%05d.act.bak" % n), lines)
    if a.twin:
        write(os.path.join(a.twin, "TRAINS", "CONSISTS", "ACT%05d.con" % n), lines)

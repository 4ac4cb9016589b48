#!/usr/bin/env python3
"""Writes examples/sample-install: a tiny simulator folder for the demo and tools/run.

Consists are UTF-16LE with a byte-order mark, as the simulator writes them.
What it contains, on purpose:
  - orphans: FREIGHT\\boxcar_old.wag and LOCO\\SD40.eng are used by no consist;
  - a missing file: LOCO\\GP38.eng is named by a consist, folder LOCO exists;
  - a missing folder: PASSENGER\\coach.wag, no PASSENGER folder at all;
  - a DEFAULT folder, left out of the analysis (its Dash9 is reported missing).
"""
import os, shutil

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample-install")
shutil.rmtree(root, ignore_errors=True)

def consist(name, entries):
    lines = ["SIMISA@@@@@@@@@@JINX0D0t______", "", "Train (", "\tTrainCfg ( %s" % name,
             '\t\tName ( "%s" )' % name, "\t\tSerial ( 1 )", "\t\tMaxVelocity ( 40.00000 0.10000 )",
             "\t\tNextWagonUID ( %d )" % len(entries), "\t\tDurability ( 0.50000 )"]
    for uid, (kind, veh, folder) in enumerate(entries):
        tag = "Engine" if kind == "E" else "Wagon"
        lines += ["\t\t%s (" % tag, "\t\t\tUiD ( %d )" % uid,
                  "\t\t\t%sData ( %s %s )" % (tag, veh, folder), "\t\t)"]
    lines += ["\t)", ")"]
    path = os.path.join(root, "TRAINS", "CONSISTS", name + ".con")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))

def stock(rel):
    path = os.path.join(root, "TRAINS", "TRAINSET", *rel.split("\\"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\r\n") as f:
        f.write("SIMISA@@@@@@@@@@JINX0D0t______\n\n(placeholder stock file)\n")

for rel in ["LOCO\\Dash9.eng", "LOCO\\SD40.eng", "FREIGHT\\boxcar.wag", "FREIGHT\\boxcar_old.wag",
            '"Coal Hoppers"'.strip('"') + "\\Coal Car.wag", "DEFAULT\\Dash9.eng"]:
    stock(rel)

consist("Coal Drag", [("E", "Dash9", "LOCO"), ("W", '"Coal Car"', '"Coal Hoppers"'),
                      ("W", '"Coal Car"', '"Coal Hoppers"')])
consist("Mixed Freight", [("E", "GP38", "LOCO"), ("W", "boxcar", "FREIGHT"), ("W", "coach", "PASSENGER")])
consist("Default Run", [("E", "Dash9", "DEFAULT")])
print("wrote", root)

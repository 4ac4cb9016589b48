#!/usr/bin/env python3
"""Writes examples/sample-install: a tiny simulator folder for the demo and tools/run.

Consists are UTF-16LE with a byte-order mark, as the simulator writes them.
What it contains, on purpose:
  - orphans: FREIGHT\\boxcar_old.wag and LOCO\\SD40.eng are used by no consist;
  - a missing file: LOCO\\GP38.eng is named by a consist, folder LOCO exists;
  - a missing folder: PASSENGER\\coach.wag, no PASSENGER folder at all;
  - a DEFAULT folder, left out of the analysis (its Dash9 is reported missing);
  - a route with one activity whose loose consist uses the orphan
    FREIGHT\\boxcar_old.wag and an absent GP9\\GP9 Phase 2.eng: read with the
    option, it is no longer an orphan, and the engine is reported missing.
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

def activity(route, name, entries):
    """An activity file with one loose consist of the given entries."""
    lines = ["SIMISA@@@@@@@@@@JINX0a0t______", "", "Tr_Activity (", "\tSerial ( 1 )",
             "\tTr_Activity_Header (", '\t\tRouteID ( "%s" )' % route, '\t\tName ( "%s" )' % name,
             '\t\tDescription ( "Shunt the yard. The WagonData of the cars is in the work orders." )',
             "\t)", "\tTr_Activity_File (", '\t\tPlayer_Service_Definition ( "Coal Drag" )',
             "\t\tActivityObjects (", "\t\t\tActivityObject (", "\t\t\t\tObjectType ( WagonsList )",
             "\t\t\t\tTrain_Config (", '\t\t\t\t\tTrainCfg ( ""', '\t\t\t\t\t\tName ( "Loose consist." )']
    for uid, (kind, veh, folder) in enumerate(entries):
        if kind == "E":
            lines.append("\t\t\t\t\t\tEngine ( UiD ( %d ) EngineData ( %s %s ) )" % (uid, veh, folder))
        else:
            lines.append("\t\t\t\t\t\tWagon ( WagonData ( %s %s ) UiD ( %d ) )" % (veh, folder, uid))
    lines += ["\t\t\t\t\t)", "\t\t\t\t)", "\t\t\t\tDirection ( 1 ) ID ( 32769 ) Tile ( -6113 15145 111.9 582.2 )",
              "\t\t\t)", "\t\t)", "\t)", ")"]
    path = os.path.join(root, "ROUTES", route, "ACTIVITIES", name + ".act")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))

for rel in ["LOCO\\Dash9.eng", "LOCO\\SD40.eng", "FREIGHT\\boxcar.wag", "FREIGHT\\boxcar_old.wag",
            '"Coal Hoppers"'.strip('"') + "\\Coal Car.wag", "DEFAULT\\Dash9.eng"]:
    stock(rel)

consist("Coal Drag", [("E", "Dash9", "LOCO"), ("W", '"Coal Car"', '"Coal Hoppers"'),
                      ("W", '"Coal Car"', '"Coal Hoppers"')])
consist("Mixed Freight", [("E", "GP38", "LOCO"), ("W", "boxcar", "FREIGHT"), ("W", "coach", "PASSENGER")])
consist("Default Run", [("E", "Dash9", "DEFAULT")])
activity("Demo Yard", "Yard Switching", [("W", "boxcar_old", "FREIGHT"), ("E", '"GP9 Phase 2"', '"GP9"')])
print("wrote", root)

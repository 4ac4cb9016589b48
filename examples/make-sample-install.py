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
    option, it is no longer an orphan, and the engine is reported missing;
  - stock files naming what they need, as real ones do (one of them 8-bit
    text, the others UTF-16), for the stock check (--check): the used
    Coal Car names a shape that is absent; LOCO\\Dash9.eng takes its sound
    through ..\\..\\Common.sound\\, a folder without stock kept for it; the
    orphan boxcar_old takes its shape from BaseCars (kept too with activities);
    "Old Switcher" holds only an orphan and can go; "Spare Textures" holds
    no stock and nothing names it; the missing LOCO\\GP38.eng sits in
    "GP38 Pack", another folder.
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

def write(rel, data):
    path = os.path.join(root, "TRAINS", "TRAINSET", *rel.split("\\"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)

def stock(rel, wagon="", engine=None, eight_bit=False):
    """A stock file: a Wagon block holding the given entries, and an Engine block for an engine."""
    name = rel.split("\\")[-1].rsplit(".", 1)[0]
    lines = ["SIMISA@@@@@@@@@@JINX0D0t______", "", "Wagon ( %s" % name, "\tType ( Freight )"]
    lines += ["\t" + e for e in wagon.split("|") if e] + [")"]
    if engine is not None:
        lines += ["Engine ( %s" % name, "\tType ( Diesel )"] + ["\t" + e for e in engine.split("|") if e] + [")"]
    text = "\r\n".join(lines) + "\r\n"
    write(rel, text.encode("cp1252") if eight_bit else b"\xff\xfe" + text.encode("utf-16-le"))

def other(rel, size):
    """A shape, texture, cab or sound file: only its size matters here."""
    write(rel, b"SIMISA@@@@@@@@@@JINX0s1t______" + b"\0" * (size - 30))

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

stock("LOCO\\Dash9.eng", "WagonShape ( Dash9.s )", 'CabView ( dash9.cvf )|Sound ( "..\\\\..\\\\Common.sound\\\\Dash9\\\\dash9.sms" )')
stock("LOCO\\SD40.eng", "WagonShape ( SD40.s )", "CabView ( SD40.cvf )", eight_bit=True)
stock("FREIGHT\\boxcar.wag", "WagonShape ( boxcar.s )")
stock("FREIGHT\\boxcar_old.wag", "WagonShape ( ..\\\\BaseCars\\\\boxcar_old.s )")
stock("Coal Hoppers\\Coal Car.wag", 'WagonShape ( "Coal Car.s" )|FreightAnim ( coal_load.s 0 1.2 )')
stock("Old Switcher\\Switcher.eng", "WagonShape ( Switcher.s )", "Sound ( switcher.sms )")
stock("GP38 Pack\\GP38.eng", "WagonShape ( GP38.s )", "CabView ( GP38.cvf )")
stock("DEFAULT\\Dash9.eng", "WagonShape ( Dash9.s )")
for rel, size in [("LOCO\\Dash9.s", 180000), ("LOCO\\Dash9.ace", 65000), ("LOCO\\CABVIEW\\dash9.cvf", 4000),
                  ("LOCO\\SD40.s", 150000), ("LOCO\\CABVIEW\\SD40.cvf", 4000), ("FREIGHT\\boxcar.s", 40000),
                  ("BaseCars\\boxcar_old.s", 42000), ("BaseCars\\boxcar_old.ace", 22000),
                  ("Coal Hoppers\\coal_load.s", 9000), ("Common.sound\\Dash9\\dash9.sms", 2000),
                  ("Common.sound\\Dash9\\horn.wav", 300000), ("Old Switcher\\Switcher.s", 120000),
                  ("Old Switcher\\Switcher.ace", 65000), ("Old Switcher\\SOUND\\switcher.sms", 1500),
                  ("Old Switcher\\SOUND\\engine.wav", 500000), ("GP38 Pack\\GP38.s", 160000),
                  ("GP38 Pack\\CABVIEW\\GP38.cvf", 4000), ("Spare Textures\\grime.ace", 65000),
                  ("Spare Textures\\rust.ace", 65000)]:
    other(rel, size)

consist("Coal Drag", [("E", "Dash9", "LOCO"), ("W", '"Coal Car"', '"Coal Hoppers"'),
                      ("W", '"Coal Car"', '"Coal Hoppers"')])
consist("Mixed Freight", [("E", "GP38", "LOCO"), ("W", "boxcar", "FREIGHT"), ("W", "coach", "PASSENGER")])
consist("Default Run", [("E", "Dash9", "DEFAULT")])
activity("Demo Yard", "Yard Switching", [("W", "boxcar_old", "FREIGHT"), ("E", '"GP9 Phase 2"', '"GP9"')])
print("wrote", root)

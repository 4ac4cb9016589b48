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
    "GP38 Pack", another folder;
  - for the route check (--routes), in route "Demo Yard": "Yard Switching"
    starts, its loose consist's GP9 left out; "Night Freight" will not
    start (its player service's path "Main Line" and its traffic service
    "Local Goods" are absent; its consist "Mixed Freight" lacks two
    vehicles); the Open Rails timetable "Weekday" (8-bit, ";" separated, a
    "#comment" column, a continuing column) runs "Coal Drag+<Mixed Freight>"
    and a shuttle whose path "Branch Line" is absent; "Default Run" and
    "SD40 Light" are played by nothing, and LOCO\\SD40.eng is used only by
    the latter.
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

def route_file(route, rel, text, eight_bit=False):
    path = os.path.join(root, "ROUTES", route, *rel.split("\\"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("cp1252") if eight_bit else b"\xff\xfe" + text.encode("utf-16-le"))

def service(route, name, consist_name, path_name):
    lines = ["SIMISA@@@@@@@@@@JINX0v0t______", "", "Service_Definition (", "\tSerial ( 1 )",
             '\tName ( "%s" )' % name, '\tTrain_Config ( "%s" )' % consist_name, '\tPathID ( "%s" )' % path_name,
             "\tMaxWheelAcceleration ( 0.5 )", "\tEfficiency ( 0.9 )", ")"]
    route_file(route, "SERVICES\\%s.srv" % name, "\r\n".join(lines) + "\r\n")

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

consist("SD40 Light", [("E", "SD40", "LOCO")])
service("Demo Yard", "Coal Drag", "Coal Drag", "Yard Lead")
service("Demo Yard", "Night Freight", "Mixed Freight", "Main Line")
for rel in ["PATHS\\Yard Lead.pat", "TRAFFIC\\Night Traffic.trf"]:
    route_file("Demo Yard", rel, "SIMISA@@@@@@@@@@JINX0P0t______\r\n\r\n")
route_file("Demo Yard", "ACTIVITIES\\Night Freight.act", "\r\n".join([
    "SIMISA@@@@@@@@@@JINX0a0t______", "", "Tr_Activity (", "\tTr_Activity_Header (",
    '\t\tRouteID ( "Demo Yard" )', '\t\tName ( "Night Freight" )', "\t)", "\tTr_Activity_File (",
    '\t\tPlayer_Service_Definition ( "Night Freight"', "\t\t\tPlayer_Traffic_Definition ( 0 )", "\t\t)",
    '\t\tTraffic_Definition ( "Night Traffic"', '\t\t\tService_Definition ( "Local Goods" 3600', "\t\t\t)",
    '\t\t\tService_Definition ( "Coal Drag" 4200', "\t\t\t)", "\t\t)", "\t)", ")"]) + "\r\n")
route_file("Demo Yard", "ACTIVITIES\\OPENRAILS\\Weekday.timetable-or", "\r\n".join([
    ";Coal 1;;Shuttle;#Comment",
    "#comment;first coal train;;yard to branch;",
    "#consist;Coal Drag+<Mixed Freight>$reverse;;Coal Drag;",
    "#path;Yard Lead;;Branch Line $callon;",
    "#start;06:00;;07:30;",
    "#dispose;$forms Shuttle;;;",
    "Demo Yard/Station;06:05;06:10;07:35;"]) + "\r\n", eight_bit=True)
print("wrote", root)

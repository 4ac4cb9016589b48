#!/usr/bin/env python3
"""Adds routes for the route check to an installation written by generate.py.

generate-routes.py DEST [--routes R] [--activities A] [--services S] [--timetables T] [--trains N]
Each of R routes gets A activities (ROUTES\\RouteNN\\ACTIVITIES), each naming a
player service, a traffic file and S traffic services among the route's 2*S
services, with a small loose consist; every service names a consist of
TRAINS\\CONSISTS and a path. A few services, consists, paths and traffic files
named are absent, as on a user's disk. The first T routes also get an Open
Rails timetable of N trains whose consist cells join two consists with "+"."""
import argparse, os, random

p = argparse.ArgumentParser()
p.add_argument("dest")
p.add_argument("--routes", type=int, default=50)
p.add_argument("--activities", type=int, default=10)
p.add_argument("--services", type=int, default=20)
p.add_argument("--timetables", type=int, default=3)
p.add_argument("--trains", type=int, default=300)
a = p.parse_args()

consists = sorted(n[:-4] for n in os.listdir(os.path.join(a.dest, "TRAINS", "CONSISTS")) if n.lower().endswith(".con"))
rnd = random.Random(11)
header = "SIMISA@@@@@@@@@@JINX0a0t______"


def write(path, text, eight_bit=False):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("cp1252") if eight_bit else b"\xff\xfe" + text.encode("utf-16-le"))


def consist_name():
    return "Lost%04d" % rnd.randrange(10000) if rnd.random() < 0.02 else rnd.choice(consists)


def path_name(paths):
    return "GonePath%02d" % rnd.randrange(100) if rnd.random() < 0.05 else "Path%02d" % rnd.randrange(paths)


for r in range(a.routes):
    route = os.path.join(a.dest, "ROUTES", "Route%02d" % r)
    paths = 15
    for k in range(paths):
        write(os.path.join(route, "PATHS", "Path%02d.pat" % k), header + "\r\n\r\nSerial ( 1 )\r\n")
    services = 2 * a.services
    for k in range(services):
        write(os.path.join(route, "SERVICES", "Svc%03d.srv" % k), "\r\n".join([
            header, "", "Service_Definition (", "\tSerial ( 1 )", '\tName ( "Svc%03d" )' % k,
            '\tTrain_Config ( "%s" )' % consist_name(), '\tPathID ( "%s" )' % path_name(paths),
            "\tMaxWheelAcceleration ( 0.5 )", "\tEfficiency ( 0.9 )", ")"]))
    write(os.path.join(route, "TRAFFIC", "Traffic.trf"), header + "\r\n\r\nTraffic_Definition ( Traffic )\r\n")

    def service():
        return "GoneSvc%03d" % rnd.randrange(1000) if rnd.random() < 0.02 else "Svc%03d" % rnd.randrange(services)

    for k in range(a.activities):
        lines = [header, "", "Tr_Activity (", "\tTr_Activity_Header (", '\t\tName ( "Run %d" )' % k, "\t)",
                 "\tTr_Activity_File (", '\t\tPlayer_Service_Definition ( "%s"' % service(),
                 "\t\t\tPlayer_Traffic_Definition ( 0 )", "\t\t)",
                 '\t\tTraffic_Definition ( "%s"' % ("Traffic" if rnd.random() < 0.95 else "NoTraffic")]
        for s in range(a.services):
            lines += ['\t\t\tService_Definition ( "%s" %d' % (service(), 600 * s), "\t\t\t)"]
        lines += ["\t\t)", "\t\tActivityObjects (", "\t\t\tActivityObject (", "\t\t\t\tTrain_Config (",
                  '\t\t\t\t\tTrainCfg ( ""', "\t\t\t\t\t\tWagon ( WagonData ( car%05dA Stock%05d ) UiD ( 1 ) )"
                  % (rnd.randrange(100), rnd.randrange(100)), "\t\t\t\t\t)", "\t\t\t\t)", "\t\t\t)", "\t\t)", "\t)", ")"]
        write(os.path.join(route, "ACTIVITIES", "Activity%02d.act" % k), "\r\n".join(lines))
    if r < a.timetables:
        rows = [";" + ";".join("Train %03d" % t for t in range(a.trains)) + ";#comment"]
        rows.append("#consist;" + ";".join("%s+%s$reverse" % (consist_name(), consist_name()) if t % 3 == 0
                                           else "<%s>" % consist_name() for t in range(a.trains)) + ";")
        rows.append("#path;" + ";".join("%s $callon" % path_name(paths) for t in range(a.trains)) + ";")
        rows.append("#start;" + ";".join("%02d:%02d" % (6 + t // 60 % 12, t % 60) for t in range(a.trains)) + ";")
        for st in range(40):
            rows.append("Station %02d;" % st + ";".join("%02d:%02d" % (7 + st // 6, (t + st) % 60)
                                                         for t in range(a.trains)) + ";")
        write(os.path.join(route, "ACTIVITIES", "OPENRAILS", "Timetable.timetable-or"), "\r\n".join(rows), True)

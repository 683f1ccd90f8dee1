#!/usr/bin/env python3
"""Creates a demo home folder: synthetic installations of the three built-in games with
a few games in progress in every state, and a KOLT.INI that knows them.

    scripts/make-demo-home.py FOLDER

Every file is made here in the formats the adapters read; nothing comes from a real game.
"""
import os
import sys
import time


def write(path, data, mtime=None):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("cp1252"))
    if mtime is not None:
        os.utime(path, (mtime, mtime))


def stamp(t):
    return time.strftime("%Y-%m-%d %H:%M:%S", time.localtime(t))


def se4_save(turn, game_type, players):
    """First line of a Space Empires IV save file: fixed-width fields around
    "Different Machines", then one 129-character record per player."""
    head = "SE4GAM" + turn.ljust(5)[:5] + str(len(players)).rjust(3) + game_type.ljust(13)[:13]
    head += "Different Machines" + "   " + " 1"
    for number, empire, leader, email, state in players:
        head += (str(number).rjust(3) + empire.ljust(40) + leader.ljust(40) + email.ljust(40) + state.ljust(6))
    return head + "\r\n" + "\0" * 64


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-demo-home.py FOLDER")
    home = os.path.abspath(sys.argv[1])
    games = os.path.join(home, "games")
    now = time.time()
    hour = 3600
    ini = []

    # Steel Panthers: World at War
    sp = os.path.join(games, "SPWAW")
    write(os.path.join(sp, "mech.exe"), b"MZ demo stand-in for the game program\0", now - 400 * 24 * hour)
    # name, description, state, address, mode. The stamps in KOLT.INI are chosen so that
    # the status rule gives the state named.
    spwaw = [
        ("email001", "Kursk 1943: Prokhorovka \u2013 Gro\u00dfdeutschland vs. 5th Guards Tank\0junk\x01",
         "Send", "ivan@example.org", "KLT"),
        ("email002", "Normandy: Villers-Bocage\x01", "Play", "mike@example.net", "KLT"),
        ("email003", "Bulge: St. Vith crossroads", "Wait", "anna@example.com", "ZIP"),
        ("email004", "Winter War: Suomussalmi", "New", "", "KLT"),
        ("email005", "Kharkov counterstroke (played again after sending)", "Play/Send", "olga@example.org", "-"),
    ]
    ini.append("[SPWAW]")
    ini.append("Directory=" + sp)
    ini.append("SAVE=0")
    for number, (base, desc, state, address, mode) in enumerate(spwaw):
        folder = os.path.join(sp, "EMAIL")
        t_dat = int(now - (number + 1) * 5 * hour)
        write(os.path.join(folder, base + ".cmt"), desc, t_dat)
        write(os.path.join(folder, base + ".dat"), os.urandom(24000 + 1000 * number), t_dat)
        write(os.path.join(folder, base + ".aux"), os.urandom(3000), t_dat)
        write(os.path.join(folder, base + ".rec"), os.urandom(9000), t_dat)
        name = base + ".cmt"
        if address:
            ini.append(name + "=" + address)
        ini.append(name + "/M=" + mode)
        sent, received = {
            "Send": (stamp(t_dat - 30 * hour), stamp(t_dat - 10 * hour)),
            "Play": (stamp(t_dat - 30 * hour), stamp(t_dat)),
            "Wait": (stamp(t_dat), stamp(t_dat - 30 * hour)),
            "New": ("", ""),
            "Play/Send": (stamp(t_dat - 3 * hour), ""),
        }[state]
        if sent:
            ini.append(name + "/S=" + sent)
        if received:
            ini.append(name + "/R=" + received)
    ini.append("email001.cmt/P=Tiger1943")
    ini.append("")

    # Combat Mission: Beyond Overlord
    cm = os.path.join(games, "CMBO")
    write(os.path.join(cm, "Combat Mission.exe"), b"MZ demo stand-in\0", now - 500 * 24 * hour)
    for name, age in (("Bocage_001.txt", 60), ("Bocage_002.txt", 30), ("Bocage_003.txt", 3),
                      ("Carentan.txt", 10)):
        write(os.path.join(cm, "KOLT", name), os.urandom(40000), now - age * hour)
    ini += ["[CMBO]", "Directory=" + cm, "Bocage_=paul@example.org", "Bocage_/P=hedgerow", ""]

    # Space Empires IV
    se = os.path.join(games, "SE4")
    write(os.path.join(se, "se4.exe"), b"MZ demo stand-in\0", now - 300 * 24 * hour)
    write(os.path.join(se, "path.txt"), "Using Mod Directory := None\r\n")
    players = [(1, "Terran Alliance", "Admiral Demo", "me@example.org", "Alive"),
               (2, "Sergetti Empire", "Lord Serg", "serg@example.net", "Alive"),
               (3, "Abbidon Enclave", "Computer", "", "Alive")]
    write(os.path.join(se, "SAVEGAME", "Galaxy.gam"), se4_save("  12 ", "Simultaneous", players), now - 8 * hour)
    write(os.path.join(se, "SAVEGAME", "Galaxy_0002.plr"), os.urandom(5000), now - 2 * hour)
    ini += ["[SE4]", "Directory=" + se, "Galaxy=", "Galaxy/ME=1", "Galaxy/AI=3", ""]

    ini += ["[Settings]", "Taunt=1", "",
            "[E-Mail]", "Mode=SMTP", "From=me@example.org", "Address=me@example.org",
            "SMTP_Server=localhost", "SMTP_Port=587", "SMTP_Security=STARTTLS", "",
            "[Addresses]", "0=ivan@example.org", "1=mike@example.net", "2=anna@example.com",
            "3=paul@example.org", "4=serg@example.net", "5=olga@example.org", "",
            "[Text]", "0=Your move, commander.", "1=The artillery is zeroed in. Good luck.", ""]
    write(os.path.join(home, "KOLT.INI"), "\r\n".join(ini) + "\r\n")
    print(home)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Creates a demo home folder: synthetic installations of the three built-in games and of
one user-defined program (HEXWAR.INI: two file types and a description rule), with a few
games in progress in every state and waiting for different times, a KOLT.INI that knows
them, and a turn history (history.sqlite) with earlier turns kept in bak/history.

    scripts/make-demo-home.py FOLDER

Every file is made here in the formats the adapters read; nothing comes from a real game.
"""
import os
import sqlite3
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
    "Different Machines" (which the game writes at column 51), then one 129-character
    record per player."""
    head = "x" * 23 + "SE4GAM" + turn.ljust(5)[:5] + str(len(players)).rjust(3) + game_type.ljust(13)[:13]
    head += "Different Machines" + "   " + " 1"
    for number, empire, leader, email, state in players:
        head += (str(number).rjust(3) + empire.ljust(40)[:40] + leader.ljust(40)[:40] + email.ljust(40)[:40]
                 + state.ljust(6)[:6])
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
    # Hours since each game's file last changed: the Normandy game has waited for the
    # player's move for more than a week (shown as late), the others for less.
    ages = [5, 9 * 24 + 2, 2 * 24 + 3, 20, 0.5]
    for number, (base, desc, state, address, mode) in enumerate(spwaw):
        folder = os.path.join(sp, "EMAIL")
        t_dat = int(now - ages[number] * hour)
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

    # Space Empires IV: a hosted simultaneous game, a client game and a turn-based series.
    se = os.path.join(games, "SE4")
    saves = os.path.join(se, "SAVEGAME")
    write(os.path.join(se, "se4.exe"), b"MZ demo stand-in\0", now - 300 * 24 * hour)
    write(os.path.join(se, "path.txt"), "Using Mod Directory := None\r\n")
    ini += ["[SE4]", "Directory=" + se]
    # Hosted: the Sergetti orders are in, the user's own are missing ("Play"); the
    # Abbidon are played by the computer.
    players = [(1, "Terran Alliance", "Admiral Demo", "me@example.org", "Alive"),
               (2, "Sergetti Empire", "Lord Serg", "serg@example.net", "Alive"),
               (3, "Abbidon Enclave", "Computer", "", "Alive")]
    t_galaxy = int(now - 8 * hour)
    write(os.path.join(saves, "Galaxy.gam"), se4_save("  12 ", "Simultaneous", players), t_galaxy)
    write(os.path.join(saves, "Galaxy_0002.plr"), os.urandom(5000), now - 2 * hour)
    ini += ["Galaxy=", "Galaxy/S=" + stamp(t_galaxy - 24 * hour), "Galaxy/SN=Galaxy.gam", "Galaxy/ME=1",
            "Galaxy/AI=3", "Galaxy/P=warp9", "Galaxy/HP=master9"]
    # Client: the host sent turn 5, the user's orders are written and wait to go ("Send").
    players = [(1, "Eee Hive", "Queen Kate", "kate@example.com", "Alive"),
               (2, "Terran Alliance", "Admiral Demo", "me@example.org", "Alive"),
               (3, "Jraenar Union", "Overlord", "olga@example.org", "Dead")]
    t_nebula = int(now - 6 * hour)
    write(os.path.join(saves, "Nebula.gam"), se4_save("   5 ", "Simultaneous", players), t_nebula)
    write(os.path.join(saves, "Nebula_0002.plr"), os.urandom(4000), now - 1 * hour)
    ini += ["Nebula=kate@example.com", "Nebula/R=" + stamp(t_nebula)]
    # Turn-based: turn 3 of the series came in and is the user's to play ("Play"); the
    # older save of the series is not listed.
    players = [(1, "Terran Alliance", "Admiral Demo", "me@example.org", "Alive"),
               (2, "Drushocka Empire", "Warlord Ivan", "ivan@example.org", "Alive"),
               (3, "Amonkrie Empire", "Paul", "paul@example.org", "Alive")]
    t_duel2, t_duel3 = int(now - 50 * hour), int(now - 4 * hour)
    write(os.path.join(saves, "Duel_2.gam"), se4_save("   7 ", "Turn Based", players), t_duel2)
    write(os.path.join(saves, "Duel_3.gam"), se4_save("   8 ", "Turn Based", players), t_duel3)
    ini += ["Duel/S=" + stamp(t_duel2), "Duel/SN=Duel_2.gam", "Duel/R=" + stamp(t_duel3), ""]

    # A user-defined program: a scenario file (".hwg", the status file, described by its
    # first line) and an orders file (".hwo") per game in the PBEM folder.
    hw = os.path.join(games, "HexWar")
    write(os.path.join(hw, "HexWar.exe"), b"MZ demo stand-in\0", now - 200 * 24 * hour)
    write(os.path.join(home, "HEXWAR.INI"), "\r\n".join([
        "[Settings]", "LongName=Hex War (user-defined)", "EXE=HexWar.exe", "EMailSubDir=PBEM",
        "Uninstall=Hex War | HexWar", "KOLTFilePattern=*.hwg", "Description=LINE1",
        "CommandLine=/pbem \"%f\" \"%p\"", "Contact=Demo Author", "ContactEMail=author@example.org",
        "FileTypes=2",
        "[File0]", "Ext=hwg", "Primary=1", "Modified=1", "CheckSame=1", "Required=1",
        "[File1]", "Ext=hwo", "Required=1", ""]))
    ini += ["[HEXWAR]", "Directory=" + hw]
    for name, desc, state, address in (("Ardennes", "Ardennes 1944: the northern shoulder", "Play",
                                        "mike@example.net"),
                                       ("Sicily", "Operation Husky, day 3", "Send", "anna@example.com"),
                                       ("Crete", "Crete 1941: Maleme airfield", "New", "")):
        t_hwg = int(now - {"Play": 7, "Send": 2, "New": 20}[state] * hour)
        write(os.path.join(hw, "PBEM", name + ".hwg"), desc + "\r\n" + "\0" * 2000, t_hwg)
        write(os.path.join(hw, "PBEM", name + ".hwo"), os.urandom(6000), t_hwg)
        key = name + ".hwg"
        if address:
            ini.append(key + "=" + address)
        if state == "Play":
            ini += [key + "/S=" + stamp(t_hwg - 20 * hour), key + "/R=" + stamp(t_hwg), key + "/P=bastogne"]
        elif state == "Send":
            ini += [key + "/S=" + stamp(t_hwg - 30 * hour), key + "/R=" + stamp(t_hwg - 10 * hour)]
    write(os.path.join(hw, "PBEM", "notes.txt"), "not a game: does not match the file pattern\r\n")
    ini.append("")

    ini += ["[Settings]", "Taunt=1", "",
            "[E-Mail]", "Mode=SMTP", "From=me@example.org", "Address=me@example.org",
            "SMTP_Server=localhost", "SMTP_Port=587", "SMTP_Security=STARTTLS", "",
            "[Addresses]", "0=ivan@example.org", "1=mike@example.net", "2=anna@example.com",
            "3=paul@example.org", "4=serg@example.net", "5=olga@example.org", "6=kate@example.com", "",
            "[Text]", "0=Your move, commander.", "1=The artillery is zeroed in. Good luck.", ""]
    write(os.path.join(home, "KOLT.INI"), "\r\n".join(ini) + "\r\n")
    make_history(home, os.path.join(sp, "EMAIL"), now)
    print(home)


# The turn history as the program writes it (exchange/history/HistoryStore.cpp).
SCHEMA = [
    "CREATE TABLE turns (id INTEGER PRIMARY KEY, time TEXT NOT NULL, program TEXT NOT NULL,"
    " game TEXT NOT NULL, direction TEXT NOT NULL, opponent TEXT NOT NULL DEFAULT '',"
    " mode TEXT NOT NULL DEFAULT '', taunt TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX turns_by_game ON turns (program COLLATE NOCASE, game COLLATE NOCASE)",
    "CREATE TABLE files (turn INTEGER NOT NULL REFERENCES turns (id) ON DELETE CASCADE,"
    " name TEXT NOT NULL, folder TEXT NOT NULL, size INTEGER NOT NULL, stamp TEXT NOT NULL)",
    "CREATE INDEX files_by_turn ON files (turn)",
    "PRAGMA user_version = 1",
]


def make_history(home, folder, now):
    """A few turns of two Steel Panthers games; the Normandy game's last sent turn is kept
    in bak/history, so "Restore this turn" has something to put back."""
    day = 24 * 3600
    db = sqlite3.connect(os.path.join(home, "history.sqlite"))
    for statement in SCHEMA:
        db.execute(statement)

    def turn(game, direction, t, opponent, mode, taunt="", sizes=None):
        when = time.strftime("%Y-%m-%dT%H:%M:%S.000Z", time.gmtime(t))
        cur = db.execute("INSERT INTO turns (time, program, game, direction, opponent, mode, taunt)"
                         " VALUES (?, 'SPWAW', ?, ?, ?, ?, ?)", (when, game + ".cmt", direction, opponent, mode, taunt))
        for ext, size in (sizes or {"cmt": 26, "dat": 24000, "aux": 3000, "rec": 9000}).items():
            db.execute("INSERT INTO files (turn, name, folder, size, stamp) VALUES (?, ?, ?, ?, ?)",
                       (cur.lastrowid, game + "." + ext, folder, size, stamp(int(t))))

    sent_at = int(now - 10 * day)
    turn("email002", "Sent", now - 12 * day, "mike@example.net", "KLT", "Your move, commander.")
    turn("email002", "Received", now - 11 * day, "mike@example.net", "KLT")
    # Kept when the opponent's answer replaced it.
    kept = os.path.join(folder, "bak", "history", "email002.cmt", stamp(sent_at).replace(" ", "_").replace(":", "-"))
    sizes = {}
    for ext, data in (("cmt", "Normandy: Villers-Bocage\x01"), ("dat", os.urandom(23500)), ("aux", os.urandom(3000)),
                      ("rec", os.urandom(9000))):
        write(os.path.join(kept, "email002." + ext), data, sent_at)
        sizes[ext] = os.path.getsize(os.path.join(kept, "email002." + ext))
    turn("email002", "Sent", sent_at, "mike@example.net", "KLT", "The artillery is zeroed in. Good luck.", sizes)
    t_current = int(now - (9 * 24 + 2) * 3600)
    turn("email002", "Received", t_current, "mike@example.net", "KLT",
         sizes={ext: os.path.getsize(os.path.join(folder, "email002." + ext)) for ext in ("cmt", "dat", "aux", "rec")})
    turn("email003", "Received", now - 4 * day, "anna@example.com", "ZIP")
    turn("email003", "Sent", now - (2 * 24 + 3) * 3600, "anna@example.com", "ZIP", "Hold the crossroads if you can.")
    db.commit()
    db.close()


if __name__ == "__main__":
    main()

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ArchiveWrapper</name>
    <message>
        <source>Please Enter The Password!</source>
        <translation>Bitte geben Sie das Passwort ein!</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>Nicht genug Arbeitsspeicher</translation>
    </message>
    <message>
        <source>%1 %2 failed</source>
        <extracomment>%1: the archive library and its version, %2: the function that failed</extracomment>
        <translation>%1 %2 ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>the ZIP writer is not available</source>
        <translation>der ZIP-Schreiber ist nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>AutoHost</name>
    <message>
        <source>the game ended without an exit code (it crashed or was killed)</source>
        <translation>das Spiel endete ohne Rückgabewert (es ist abgestürzt oder wurde beendet)</translation>
    </message>
    <message>
        <source>Invalid Master Password.</source>
        <translation>Ungültiges Master-Passwort.</translation>
    </message>
    <message>
        <source>Invalid Player Password.</source>
        <translation>Ungültiges Spieler-Passwort.</translation>
    </message>
    <message>
        <source>Return code %1</source>
        <translation>Rückgabewert %1</translation>
    </message>
    <message>
        <source>Automatic hosting of %1 stopped: %2<byte value="xd"/><byte value="xd"/>Nothing was sent. The game is as it was before the host step; turn automatic hosting on again in the game&apos;s properties once the cause is fixed.</source>
        <translation>Automatisches Hosten von %1 angehalten: %2<byte value="xd"/><byte value="xd"/>Es wurde nichts gesendet. Die Partie ist wie vor dem Hosten; schalten Sie das automatische Hosten in den Eigenschaften der Partie wieder ein, sobald die Ursache behoben ist.</translation>
    </message>
    <message>
        <source>Undid the interrupted host step of %1</source>
        <translation>Unterbrochenes Hosten von %1 rückgängig gemacht</translation>
    </message>
    <message>
        <source>Not sent %1 to %2: the game changed since it was hosted</source>
        <translation>%1 nicht an %2 gesendet: die Partie wurde seit dem Hosten geändert</translation>
    </message>
    <message>
        <source>Can&apos;t create folder: %1</source>
        <translation>Ordner kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>the address %1 is not valid: %2</source>
        <translation>die Adresse %1 ist ungültig: %2</translation>
    </message>
    <message>
        <source>the game has no player to send the turn to</source>
        <translation>die Partie hat keinen Spieler, an den der Zug gesendet werden kann</translation>
    </message>
    <message>
        <source>the game&apos;s files were not found</source>
        <translation>die Dateien der Partie wurden nicht gefunden</translation>
    </message>
    <message>
        <source>the game could not be started</source>
        <translation>das Spiel konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>the game ended without processing the turn</source>
        <translation>das Spiel wurde beendet, ohne den Zug zu verarbeiten</translation>
    </message>
    <message>
        <source>Hosted %1</source>
        <translation>%1 gehostet</translation>
    </message>
    <message>
        <source>Sending %1 to %2 failed; the next check tries again</source>
        <translation>Senden von %1 an %2 fehlgeschlagen; die nächste Prüfung versucht es erneut</translation>
    </message>
    <message>
        <source>Sent %1 to %2</source>
        <translation>%1 an %2 gesendet</translation>
    </message>
    <message>
        <source>Done with %1: sent to %2 players</source>
        <translation>%1 erledigt: an %2 Spieler gesendet</translation>
    </message>
    <message>
        <source>Hosting %1 failed: %2; automatic hosting of it is off</source>
        <translation>Hosten von %1 fehlgeschlagen: %2; das automatische Hosten dieser Partie ist ausgeschaltet</translation>
    </message>
</context>
<context>
    <name>BuiltinProgram</name>
    <message>
        <source>Can&apos;t get directory: %1</source>
        <translation>Ordner kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Unknown file type: %1</source>
        <translation>Unbekannter Dateityp: %1</translation>
    </message>
    <message>
        <source>Can&apos;t delete: %1</source>
        <translation>Löschen nicht möglich: %1</translation>
    </message>
    <message>
        <source>%1 executable not found: %2</source>
        <extracomment>%1 is the program&apos;s short name (SPWAW), %2 the file looked for</extracomment>
        <translation>Programmdatei von %1 nicht gefunden: %2</translation>
    </message>
    <message>
        <source>Can&apos;t get folder: %1</source>
        <translation>Ordner nicht verfügbar: %1</translation>
    </message>
</context>
<context>
    <name>CMBO</name>
    <message>
        <source>%1 is already running... shut it down, then switch back to this application.</source>
        <translation>%1 läuft bereits... Beenden Sie es und wechseln Sie dann zurück zu diesem Programm.</translation>
    </message>
    <message>
        <source>Error finding file open window!</source>
        <translation>Fehler: Das Fenster zum Öffnen der Datei wurde nicht gefunden!</translation>
    </message>
    <message>
        <source>%1 was not started properly.  Aborting.</source>
        <translation>%1 wurde nicht richtig gestartet.  Abbruch.</translation>
    </message>
    <message>
        <source>The resolution you are running CM at (%1x%2) is not supported by KOLT.</source>
        <extracomment>%1 and %2 are the width and height of the game&apos;s window</extracomment>
        <translation>Die Auflösung, mit der CM läuft (%1x%2), wird von KOLT nicht unterstützt.</translation>
    </message>
    <message>
        <source>Error entering filename in dialog box!</source>
        <translation>Fehler beim Eingeben des Dateinamens im Dialogfenster!</translation>
    </message>
</context>
<context>
    <name>CMBO_Game</name>
    <message>
        <source>Can&apos;t get file: %1</source>
        <translation>Datei nicht verfügbar: %1</translation>
    </message>
</context>
<context>
    <name>CUSTOM</name>
    <message>
        <source>Not installed: EMailSubDir leads outside the installation folder</source>
        <translation>Nicht installiert: EMailSubDir führt aus dem Installationsordner hinaus</translation>
    </message>
    <message>
        <source>%1 is not used: its game folder (EMailSubDir=%2) leads outside the installation folder %3.<byte value="xd"/>Change EMailSubDir in %4 to a folder inside the installation folder.</source>
        <extracomment>%1 is the program, %2 its game folder, %3 its installation folder, %4 its definition file</extracomment>
        <translation>%1 wird nicht verwendet: Sein Ordner der Partien (EMailSubDir=%2) führt aus dem Installationsordner %3 hinaus.<byte value="xd"/>Ändern Sie EMailSubDir in %4 auf einen Ordner innerhalb des Installationsordners.</translation>
    </message>
    <message>
        <source>Not installed: the definition file is larger than 64 MB</source>
        <translation>Nicht installiert: Die Definitionsdatei ist größer als 64 MB</translation>
    </message>
    <message>
        <source>%1 is not read: it is larger than 64 MB, which no definition is.</source>
        <translation>%1 wird nicht gelesen: Die Datei ist größer als 64 MB, und so groß ist keine Definition.</translation>
    </message>
    <message>
        <source>Required file missing: %1</source>
        <translation>Erforderliche Datei fehlt: %1</translation>
    </message>
</context>
<context>
    <name>CUSTOM_Game</name>
    <message>
        <source>Invalid Description rule: %1</source>
        <translation>Ungültige Description-Regel: %1</translation>
    </message>
</context>
<context>
    <name>CliLoop</name>
    <message>
        <source>play takes one game (SHORT/NAME)</source>
        <translation>play erwartet eine Partie (SHORT/NAME)</translation>
    </message>
    <message>
        <source>--interval needs a number of seconds (1 to 604800)</source>
        <translation>--interval erwartet eine Anzahl Sekunden (1 bis 604800)</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>unerwartetes Argument: %1</translation>
    </message>
    <message>
        <source>no such game: %1 (&apos;kolt-cli list&apos; shows the games in progress)</source>
        <translation>keine solche Partie: %1 (&apos;kolt-cli list&apos; zeigt die laufenden Partien)</translation>
    </message>
    <message>
        <source>%1 is running already; finish it first</source>
        <translation>%1 läuft bereits; beenden Sie es zuerst</translation>
    </message>
    <message>
        <source>%1 was not played: the game could not be started</source>
        <translation>%1 wurde nicht gespielt: Das Spiel konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Waiting for %1 to end...</source>
        <translation>Warten, bis %1 beendet ist...</translation>
    </message>
    <message>
        <source>nothing to send: no new turn of %1 is ready (the game&apos;s files did not change)</source>
        <translation>nichts zu senden: Kein neuer Zug von %1 ist bereit (die Dateien der Partie haben sich nicht geändert)</translation>
    </message>
    <message>
        <source>%1 was not sent; send it with &apos;kolt-cli send&apos;</source>
        <translation>%1 wurde nicht gesendet; senden Sie die Partie mit &apos;kolt-cli send&apos;</translation>
    </message>
    <message>
        <source>Sending files...</source>
        <translation>Dateien werden gesendet...</translation>
    </message>
    <message>
        <source>Sent %1 to %2</source>
        <extracomment>%1 is the game (SHORT/NAME), %2 the opponent&apos;s address</extracomment>
        <translation>%1 an %2 gesendet</translation>
    </message>
    <message>
        <source>%1 was not sent, see the message above</source>
        <translation>%1 wurde nicht gesendet, siehe die Meldung oben</translation>
    </message>
    <message>
        <source>Received %1</source>
        <extracomment>%1 is the game (SHORT/NAME), %2 the address it came from</extracomment>
        <translation>%1 empfangen</translation>
    </message>
    <message>
        <source>Received %1 from %2</source>
        <translation>%1 von %2 empfangen</translation>
    </message>
    <message>
        <source>No mailbox to check: %1</source>
        <translation>Kein Postfach zu prüfen: %1</translation>
    </message>
    <message>
        <source>Mailbox: %1</source>
        <translation>Postfach: %1</translation>
    </message>
    <message>
        <source>Serving %1 every %2 s</source>
        <extracomment>%1 is the home folder, %2 the seconds between two rounds</extracomment>
        <translation>Bediene %1 alle %2 s</translation>
    </message>
    <message>
        <source>Stopped</source>
        <extracomment>the last line of kolt-cli serve: stopped by a signal, or one round done</extracomment>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>CliTurns</name>
    <message>
        <source>--taunt needs a text</source>
        <translation>--taunt erwartet einen Text</translation>
    </message>
    <message>
        <source>unexpected argument: %1 (put -- before a file name that starts with -)</source>
        <translation>unerwartetes Argument: %1 (setzen Sie -- vor einen Dateinamen, der mit - beginnt)</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>unerwartetes Argument: %1</translation>
    </message>
    <message>
        <source>receive takes one file</source>
        <translation>receive erwartet eine Datei</translation>
    </message>
    <message>
        <source>send takes at least one game (SHORT/NAME)</source>
        <translation>send erwartet mindestens eine Partie (SHORT/NAME)</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command: refresh, test-mail or fetch</extracomment>
        <translation>%1 erwartet keine Argumente</translation>
    </message>
    <message>
        <source>%1 was not taken in: %2</source>
        <translation>%1 wurde nicht übernommen: %2</translation>
    </message>
    <message>
        <source>no working folder is set (the window sets it: Options &gt; Set additional working folder...)</source>
        <translation>kein Arbeitsordner festgelegt (das Fenster legt ihn fest: Einstellungen &gt; Zusätzlichen Arbeitsordner festlegen...)</translation>
    </message>
    <message>
        <source>copying the received files stopped, see the message above</source>
        <translation>das Kopieren der empfangenen Dateien wurde abgebrochen, siehe die Meldung oben</translation>
    </message>
    <message>
        <source>some received files were not taken in: the older files were not confirmed</source>
        <translation>einige empfangene Dateien wurden nicht übernommen: Die älteren Dateien wurden nicht bestätigt</translation>
    </message>
    <message>
        <source>not everything in the working folder was taken in, see the messages above</source>
        <translation>nicht alles im Arbeitsordner wurde übernommen, siehe die Meldungen oben</translation>
    </message>
    <message>
        <source>no such game: %1 (&apos;kolt-cli list&apos; shows the games in progress)</source>
        <translation>keine solche Partie: %1 (&apos;kolt-cli list&apos; zeigt die laufenden Partien)</translation>
    </message>
    <message>
        <source>Sending messages...</source>
        <translation>Nachrichten werden gesendet...</translation>
    </message>
    <message>
        <source>Sending files...</source>
        <translation>Dateien werden gesendet...</translation>
    </message>
    <message>
        <source>Ready</source>
        <extracomment>the status line when nothing is under way</extracomment>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>nothing was sent, see the message above</source>
        <translation>nichts wurde gesendet, siehe die Meldung oben</translation>
    </message>
    <message>
        <source>nothing was sent: the confirmation was declined</source>
        <translation>nichts wurde gesendet: Die Bestätigung wurde abgelehnt</translation>
    </message>
    <message>
        <source>sending was interrupted (Ctrl+C); that message and the games after it were not sent</source>
        <translation>das Senden wurde unterbrochen (Strg+C); diese Nachricht und die Partien danach wurden nicht gesendet</translation>
    </message>
    <message>
        <source>sending stopped, see the message above; the games after it were not sent</source>
        <translation>das Senden wurde abgebrochen, siehe die Meldung oben; die Partien danach wurden nicht gesendet</translation>
    </message>
    <message>
        <source>%1 turn message(s) were already taken in</source>
        <translation>%1 Zug-Nachricht(en) waren bereits übernommen</translation>
    </message>
    <message>
        <source>the test message was not sent: interrupted (Ctrl+C)</source>
        <translation>die Testnachricht wurde nicht gesendet: unterbrochen (Strg+C)</translation>
    </message>
    <message>
        <source>the test message was not sent, see the message above</source>
        <translation>die Testnachricht wurde nicht gesendet, siehe die Meldung oben</translation>
    </message>
</context>
<context>
    <name>CurlSession</name>
    <message>
        <source>The certificate of the server %1 has changed since you trusted it, so nothing was sent. Someone may be listening in, or the server got a new certificate. If you expect the change, open Options &gt; Sending e-mail, press Test on the page of this server, compare the new certificate with what your provider publishes and choose &quot;Trust this certificate&quot;.</source>
        <translation>Das Zertifikat des Servers %1 hat sich geändert, seit Sie ihm vertraut haben; daher wurde nichts gesendet. Vielleicht hört jemand mit, oder der Server hat ein neues Zertifikat erhalten. Wenn Sie die Änderung erwarten, öffnen Sie Einstellungen &gt; E-Mail-Versand, klicken Sie auf der Seite dieses Servers auf Testen, vergleichen Sie das neue Zertifikat mit den Angaben Ihres Anbieters und wählen Sie „Diesem Zertifikat vertrauen“.</translation>
    </message>
</context>
<context>
    <name>DesktopMailClient</name>
    <message>
        <source>The mail client crashed</source>
        <translation>Das E-Mail-Programm ist abgestürzt</translation>
    </message>
    <message>
        <source>The mail client ended with code %1</source>
        <translation>Das E-Mail-Programm wurde mit Code %1 beendet</translation>
    </message>
</context>
<context>
    <name>EntryNames</name>
    <message>
        <source>it is an absolute path</source>
        <translation>es ist ein absoluter Pfad</translation>
    </message>
    <message>
        <source>it names a drive</source>
        <translation>es nennt ein Laufwerk</translation>
    </message>
    <message>
        <source>it leads out of the target folder</source>
        <translation>es führt aus dem Zielordner hinaus</translation>
    </message>
    <message>
        <source>a part of its name is too long</source>
        <translation>ein Teil seines Namens ist zu lang</translation>
    </message>
</context>
<context>
    <name>FileReplace</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>%1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine normale Datei</translation>
    </message>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 ist ein Ordner</translation>
    </message>
    <message>
        <source>cannot create a file in %1</source>
        <translation>in %1 kann keine Datei angelegt werden</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot set the time of %1</source>
        <translation>die Zeit von %1 kann nicht gesetzt werden</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>%1 kann nicht ersetzt werden</translation>
    </message>
</context>
<context>
    <name>GamesModel</name>
    <message>
        <source>In &quot;%1&quot; for %2</source>
        <extracomment>the tip of the Waiting column: %1 the game&apos;s status, %2 how long, such as &quot;3 days&quot;</extracomment>
        <translation>Seit %2 in &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>HeadlessDisplay</name>
    <message>
        <source>There is no display to run the game on (DISPLAY is not set), and neither Xvfb nor xvfb-run is installed. Install them (on Debian and Ubuntu: sudo apt-get install xvfb), or run this in a desktop session.</source>
        <translation>Es gibt keine Anzeige, auf der das Spiel laufen kann (DISPLAY ist nicht gesetzt), und weder Xvfb noch xvfb-run ist installiert. Installieren Sie sie (unter Debian und Ubuntu: sudo apt-get install xvfb) oder führen Sie dies in einer Desktop-Sitzung aus.</translation>
    </message>
    <message>
        <source>Xvfb (%1) did not start a display.</source>
        <translation>Xvfb (%1) hat keine Anzeige gestartet.</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>unknown database error</source>
        <translation>unbekannter Datenbankfehler</translation>
    </message>
    <message>
        <source>the SQLite driver of Qt SQL is not installed</source>
        <translation>der SQLite-Treiber von Qt SQL ist nicht installiert</translation>
    </message>
    <message>
        <source>no home folder</source>
        <translation>kein Basisordner</translation>
    </message>
</context>
<context>
    <name>HostJournal</name>
    <message>
        <source>Can&apos;t write the host journal %1</source>
        <translation>Das Host-Protokoll %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Can&apos;t create folder: %1</source>
        <translation>Ordner kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>Can&apos;t copy %1: %2</source>
        <translation>%1 kann nicht kopiert werden: %2</translation>
    </message>
    <message>
        <source>Can&apos;t delete file: %1</source>
        <translation>Datei kann nicht gelöscht werden: %1</translation>
    </message>
    <message>
        <source>Can&apos;t put back %1: %2</source>
        <translation>%1 kann nicht zurückgelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>ImapClient</name>
    <message>
        <source>libcurl could not be initialised</source>
        <translation>libcurl konnte nicht initialisiert werden</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>The message is larger than %1 bytes</source>
        <translation>Die Nachricht ist größer als %1 Byte</translation>
    </message>
    <message>
        <source>Can&apos;t write file: %1 (%2)</source>
        <translation>Datei kann nicht geschrieben werden: %1 (%2)</translation>
    </message>
    <message>
        <source>the server answered: %1</source>
        <translation>der Server antwortete: %1</translation>
    </message>
    <message>
        <source>The server gave no UIDVALIDITY for the folder %1</source>
        <translation>Der Server nannte keine UIDVALIDITY für den Ordner %1</translation>
    </message>
    <message>
        <source>Check the IMAP server name under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Prüfen Sie den Namen des IMAP-Servers unter Einstellungen &gt; E-Mail-Versand, Seite E-Mail-Empfang.</translation>
    </message>
    <message>
        <source>Check the IMAP server, the port and the security under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Prüfen Sie den IMAP-Server, den Port und die Sicherheit unter Einstellungen &gt; E-Mail-Versand, Seite E-Mail-Empfang.</translation>
    </message>
    <message>
        <source>The secure connection failed: check that the security matches the port (TLS: usually 993; STARTTLS: usually 143).</source>
        <translation>Die sichere Verbindung ist fehlgeschlagen: Prüfen Sie, ob die Sicherheit zum Port passt (TLS: meist 993; STARTTLS: meist 143).</translation>
    </message>
    <message>
        <source>The server&apos;s certificate could not be verified: it is not trusted on this computer, or it is for another name. If the server is your own, press Test under Options &gt; Sending e-mail, page Receiving e-mail, to see its certificate and trust it.</source>
        <translation>Das Zertifikat des Servers konnte nicht überprüft werden: Es wird auf diesem Computer nicht als vertrauenswürdig angesehen oder gilt für einen anderen Namen. Wenn der Server Ihr eigener ist, klicken Sie unter Einstellungen &gt; E-Mail-Versand, Seite E-Mail-Empfang auf Testen, um sein Zertifikat anzusehen und ihm zu vertrauen.</translation>
    </message>
    <message>
        <source>Check the user name and the password under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Prüfen Sie den Benutzernamen und das Passwort unter Einstellungen &gt; E-Mail-Versand, Seite E-Mail-Empfang.</translation>
    </message>
    <message>
        <source>Check the mailbox folder under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Prüfen Sie den Postfachordner unter Einstellungen &gt; E-Mail-Versand, Seite E-Mail-Empfang.</translation>
    </message>
</context>
<context>
    <name>KeptTurns</name>
    <message>
        <source>no name or time for %1</source>
        <translation>kein Name oder keine Zeit für %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot copy %1</source>
        <translation>%1 kann nicht kopiert werden</translation>
    </message>
    <message>
        <source>This turn has no files to restore.</source>
        <translation>Dieser Zug hat keine Dateien, die wiederhergestellt werden können.</translation>
    </message>
    <message>
        <source>These files of the turn are no longer kept: %1. Nothing was restored.</source>
        <translation>Diese Dateien des Zugs sind nicht mehr aufbewahrt: %1. Es wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <source>Error while making backup of file %1 to %2</source>
        <translation>Fehler beim Anlegen der Sicherung der Datei %1 in %2</translation>
    </message>
    <message>
        <source>Error while keeping file %1: %2</source>
        <translation>Fehler beim Aufbewahren der Datei %1: %2</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2</source>
        <translation>Datei %1 kann nicht nach %2 kopiert werden</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2: %3</source>
        <translation>Datei %1 kann nicht nach %2 kopiert werden: %3</translation>
    </message>
</context>
<context>
    <name>KeyringPasswordStore</name>
    <message>
        <source>the desktop keyring</source>
        <translation>Schlüsselbund des Desktops</translation>
    </message>
</context>
<context>
    <name>KoltCli</name>
    <message>
        <source>usage: kolt-cli [--yes|--no] list [--json]
       kolt-cli [--yes|--no] receive [--] FILE
       kolt-cli [--yes|--no] refresh
       kolt-cli [--yes|--no] send [--message] [--taunt TEXT] SHORT/NAME...
       kolt-cli [--yes|--no] test-mail
       kolt-cli [--yes|--no] fetch
       kolt-cli [--yes|--no] play SHORT/NAME
       kolt-cli [--yes|--no] serve [--interval SECONDS] [--once]
</source>
        <translation>Aufruf: kolt-cli [--yes|--no] list [--json]
        kolt-cli [--yes|--no] receive [--] FILE
        kolt-cli [--yes|--no] refresh
        kolt-cli [--yes|--no] send [--message] [--taunt TEXT] SHORT/NAME...
        kolt-cli [--yes|--no] test-mail
        kolt-cli [--yes|--no] fetch
        kolt-cli [--yes|--no] play SHORT/NAME
        kolt-cli [--yes|--no] serve [--interval SECONDS] [--once]
</translation>
    </message>
    <message>
        <source>
  list       the installed programs and the games in progress, as the main window
             shows them; --json prints one JSON object {&quot;programs&quot;: [...], &quot;games&quot;: [...]}
             (each game with &quot;waiting_seconds&quot;: how long it has been in its state)
  receive    take in a received KLT archive; FILE is taken from the current folder
  refresh    take in the files waiting in the working folder
  send       send the named games (program short name / file name, as listed) to
             their opponents, grouped by address; --message sends a message
             without files; --taunt gives the personal text of every message
  test-mail  mail the test message to your own address
  fetch      take in the turn messages waiting unread in the mailbox (IMAP), after
             the working folder; exit status 0 when a turn was taken in, 1 when the
             check or marking a message failed, a turn message stays unread or a
             message was refused, 3 when there was nothing new or another check
             (the window, another kolt-cli) was running on the same home (then
             &quot;The mailbox is being checked by another KOLT Helper&quot; is on the error
             output); Ctrl+C stops it, leaving what was not taken in unread
  play       start the named game as the window&apos;s Play does, wait for it to end,
             then send the finished turn (&quot;Send ... now?&quot;); exit status 1 when
             nothing was played or sent
  serve      check the working folder and the mailbox, host the games marked &quot;Host
             automatically&quot; and send the results, and remind late opponents when
             [Reminders] Auto=1, every interval (default 300
             seconds; --once: one round); one line per action on the standard
             output; SIGTERM or Ctrl+C finishes the step under way and ends it

  --yes      answer every question with OK or Yes
  --no       answer every question with Cancel or No
  -h, --help this text

Without --yes or --no, questions are asked on the terminal; without a terminal the
default button answers. Messages and questions go to the error output, lists to the
standard output. KOLT_HOME selects the home folder.

Exit status: 0 done; 1 not done (declined, refused, failed or not taken in; the
reason is on the error output); 2 bad arguments, or the start-up was stopped;
3 fetch found nothing new, or another check of the mailbox was running.
</source>
        <translation>
  list       die installierten Programme und die laufenden Partien, wie das Hauptfenster
             sie zeigt; --json gibt ein JSON-Objekt {&quot;programs&quot;: [...], &quot;games&quot;: [...]} aus
             (jede Partie mit &quot;waiting_seconds&quot;: wie lange sie schon in ihrem Zustand ist)
  receive    ein empfangenes KLT-Archiv übernehmen; FILE wird im aktuellen Ordner gesucht
  refresh    die Dateien übernehmen, die im Arbeitsordner warten
  send       die genannten Partien (Kurzname des Programms / Dateiname, wie aufgelistet)
             an ihre Gegner senden, nach Adresse gruppiert; --message sendet eine
             Nachricht ohne Dateien; --taunt gibt den persönlichen Text jeder Nachricht an
  test-mail  die Testnachricht an Ihre eigene Adresse schicken
  fetch      die Zug-Nachrichten übernehmen, die ungelesen im Postfach (IMAP) warten,
             nach dem Arbeitsordner; Rückgabewert 0, wenn ein Zug übernommen wurde, 1,
             wenn die Prüfung oder das Markieren einer Nachricht fehlschlug, eine
             Zug-Nachricht ungelesen bleibt oder eine Nachricht abgelehnt wurde, 3, wenn
             es nichts Neues gab oder eine andere Prüfung (das Fenster, ein anderes
             kolt-cli) im selben Home-Ordner lief (dann steht &quot;The mailbox is being
             checked by another KOLT Helper&quot; in der Fehlerausgabe); Strg+C hält es an,
             und was nicht übernommen wurde, bleibt ungelesen
  play       die genannte Partie starten, wie Spielen im Fenster es tut, warten, bis
             sie endet, und dann den fertigen Zug senden (&quot;Send ... now?&quot;); Rückgabewert
             1, wenn nichts gespielt oder gesendet wurde
  serve      den Arbeitsordner und das Postfach prüfen, die Partien mit &quot;Host
             automatically&quot; hosten und die Ergebnisse senden und überfällige Gegner
             erinnern, wenn [Reminders] Auto=1, in jedem Intervall (Vorgabe 300
             Sekunden; --once: eine Runde); eine Zeile je Aktion in der
             Standardausgabe; SIGTERM oder Strg+C beendet den laufenden Schritt und dann
             das Programm

  --yes      jede Frage mit OK oder Ja beantworten
  --no       jede Frage mit Abbrechen oder Nein beantworten
  -h, --help dieser Text

Ohne --yes oder --no werden Fragen im Terminal gestellt; ohne Terminal antwortet die
Standardschaltfläche. Meldungen und Fragen gehen in die Fehlerausgabe, Listen in die
Standardausgabe. KOLT_HOME wählt den Home-Ordner.

Rückgabewert: 0 erledigt; 1 nicht erledigt (abgelehnt, verweigert, fehlgeschlagen oder
nicht übernommen; der Grund steht in der Fehlerausgabe); 2 falsche Argumente, oder der
Start wurde abgebrochen; 3 fetch fand nichts Neues, oder eine andere Prüfung des
Postfachs lief.
</translation>
    </message>
    <message>
        <source>Try &apos;kolt-cli --help&apos; for more.
</source>
        <translation>Mehr mit &apos;kolt-cli --help&apos;.
</translation>
    </message>
    <message>
        <source>--yes and --no cannot be given together</source>
        <translation>--yes und --no können nicht zusammen angegeben werden</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>unerwartetes Argument: %1</translation>
    </message>
    <message>
        <source>--json is an option of list</source>
        <translation>--json ist eine Option von list</translation>
    </message>
    <message>
        <source>Installed programs</source>
        <translation>Installierte Programme</translation>
    </message>
    <message>
        <source>Games in progress</source>
        <translation>Laufende Partien</translation>
    </message>
</context>
<context>
    <name>LinuxWintools</name>
    <message>
        <source>Wine is setting up the folder %1 for its first use. This takes a minute...</source>
        <translation>Wine richtet den Ordner %1 für die erste Verwendung ein. Das dauert etwa eine Minute...</translation>
    </message>
    <message>
        <source>(the check program did not end within %1 seconds)</source>
        <translation>(das Prüfprogramm endete nicht innerhalb von %1 Sekunden)</translation>
    </message>
    <message>
        <source>(nothing; the check program ended with %1 instead of %2)</source>
        <translation>(nichts; das Prüfprogramm endete mit %1 statt %2)</translation>
    </message>
    <message>
        <source>The Wine folder %1 cannot load Wine&apos;s 32-bit system: it was most likely made before the 32-bit part of Wine was installed, and such a folder stays that way. Make a new Wine folder and install the game into it again, for example:<byte value="xd"/>WINEPREFIX=~/.wine-games WINEARCH=win32 wineboot -i<byte value="xd"/>WINEPREFIX=~/.wine-games wine SETUP.EXE<byte value="xd"/><byte value="xd"/>Or move this folder away (mv %1 %1.old) and let Wine make it anew with: wineboot -i</source>
        <extracomment>%1 is the Wine folder; the command lines stay as they are</extracomment>
        <translation>Der Wine-Ordner %1 kann das 32-Bit-System von Wine nicht laden: Er wurde höchstwahrscheinlich angelegt, bevor der 32-Bit-Teil von Wine installiert war, und ein solcher Ordner bleibt so. Legen Sie einen neuen Wine-Ordner an und installieren Sie das Spiel erneut darin, zum Beispiel:<byte value="xd"/>WINEPREFIX=~/.wine-games WINEARCH=win32 wineboot -i<byte value="xd"/>WINEPREFIX=~/.wine-games wine SETUP.EXE<byte value="xd"/><byte value="xd"/>Oder verschieben Sie diesen Ordner (mv %1 %1.old) und lassen Sie Wine ihn neu anlegen mit: wineboot -i</translation>
    </message>
    <message>
        <source>Install the 32-bit part of Wine. On Debian and Ubuntu:<byte value="xd"/>sudo dpkg --add-architecture i386<byte value="xd"/>sudo apt update<byte value="xd"/>sudo apt install wine32:i386</source>
        <extracomment>the command lines stay as they are</extracomment>
        <translation>Installieren Sie den 32-Bit-Teil von Wine. Unter Debian und Ubuntu:<byte value="xd"/>sudo dpkg --add-architecture i386<byte value="xd"/>sudo apt update<byte value="xd"/>sudo apt install wine32:i386</translation>
    </message>
    <message>
        <source>Can&apos;t start %1: it is a 32-bit Windows program, and the Wine command &quot;%2&quot; cannot run 32-bit programs on this computer.<byte value="xd"/><byte value="xd"/>Wine said:<byte value="xd"/>%3<byte value="xd"/><byte value="xd"/>%4<byte value="xd"/><byte value="xd"/>Then start %5 again.</source>
        <extracomment>%1 is the game&apos;s program, %2 the Wine command, %3 what Wine wrote, %4 the advice, %5 this program&apos;s name</extracomment>
        <translation>%1 kann nicht gestartet werden: Es ist ein 32-Bit-Windows-Programm, und der Wine-Befehl &quot;%2&quot; kann auf diesem Computer keine 32-Bit-Programme ausführen.<byte value="xd"/><byte value="xd"/>Wine meldete:<byte value="xd"/>%3<byte value="xd"/><byte value="xd"/>%4<byte value="xd"/><byte value="xd"/>Starten Sie %5 danach erneut.</translation>
    </message>
    <message>
        <source>The game ended at once. Wine said:<byte value="xd"/>%1</source>
        <translation>Das Spiel wurde sofort beendet. Wine meldete:<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Can&apos;t execute: %1</source>
        <translation>Ausführen nicht möglich: %1</translation>
    </message>
    <message>
        <source>Can&apos;t execute: %1<byte value="xd"/><byte value="xd"/>The Wine command &quot;%2&quot; was not found. Install Wine, or name the command under [Settings] Wine in KOLT.INI.</source>
        <extracomment>%1 is the program with its arguments, %2 the Wine command</extracomment>
        <translation>Ausführen nicht möglich: %1<byte value="xd"/><byte value="xd"/>Der Wine-Befehl &quot;%2&quot; wurde nicht gefunden. Installieren Sie Wine, oder geben Sie den Befehl unter [Settings] Wine in KOLT.INI an.</translation>
    </message>
    <message>
        <source>Can&apos;t open file: %1</source>
        <translation>Datei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Can&apos;t set file time: %1</source>
        <translation>Zeitstempel der Datei kann nicht gesetzt werden: %1</translation>
    </message>
</context>
<context>
    <name>ListRows</name>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>Game</source>
        <extracomment>column: the program&apos;s short name</extracomment>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>column: the program&apos;s long name</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>column: running or not</extracomment>
        <translation>Status</translation>
    </message>
    <message>
        <source>Directory</source>
        <extracomment>column: the installation folder</extracomment>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Info</source>
        <extracomment>column: the game&apos;s own description (scenario, turn, players)</extracomment>
        <translation>Info</translation>
    </message>
    <message>
        <source>Modified</source>
        <extracomment>column: when the game&apos;s file last changed</extracomment>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Mode</source>
        <extracomment>column: how the game is sent (KLT, ZIP or plain files)</extracomment>
        <translation>Modus</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-Mail</translation>
    </message>
</context>
<context>
    <name>MailText</name>
    <message>
        <source>The address list is %1 characters long; at most %2 fit. Send to fewer addresses at once.</source>
        <translation>Die Adressliste ist %1 Zeichen lang; höchstens %2 passen. Senden Sie an weniger Adressen auf einmal.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has an empty entry; separate the addresses by one &quot;;&quot;.</source>
        <translation>„%1“ enthält einen leeren Eintrag; trennen Sie die Adressen durch ein einzelnes „;“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address. Enter addresses such as name@example.com, several separated by &quot;;&quot;.</source>
        <translation>„%1“ ist keine E-Mail-Adresse. Geben Sie Adressen wie name@example.com ein, mehrere durch „;“ getrennt.</translation>
    </message>
</context>
<context>
    <name>MailboxFetch</name>
    <message>
        <source>The message &quot;%1&quot; (UID %2)</source>
        <translation>Die Nachricht „%1“ (UID %2)</translation>
    </message>
    <message>
        <source>The message &quot;%1&quot; from %2 (UID %3)</source>
        <translation>Die Nachricht „%1“ von %2 (UID %3)</translation>
    </message>
    <message>
        <source>Checking the mailbox failed: %1</source>
        <translation>Die Prüfung des Postfachs ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The folder %1 is &quot;%2&quot; on the server: turns are moved there (set IMAP_After to MOVE:%2 to say so).</source>
        <translation>Der Ordner %1 heißt auf dem Server „%2“: Züge werden dorthin verschoben (setzen Sie IMAP_After auf MOVE:%2, um das festzulegen).</translation>
    </message>
    <message>
        <source>the server has several folders named %1: %2 (name one of them in full)</source>
        <translation>der Server hat mehrere Ordner namens %1: %2 (nennen Sie einen davon vollständig)</translation>
    </message>
    <message>
        <source>the server has no folder %1</source>
        <translation>der Server hat keinen Ordner %1</translation>
    </message>
    <message>
        <source>the server has no folder %1 (its folders: %2)</source>
        <translation>der Server hat keinen Ordner %1 (seine Ordner: %2)</translation>
    </message>
    <message>
        <source>No IMAP server is set: enter one under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Es ist kein IMAP-Server eingestellt: Geben Sie einen unter Einstellungen &gt; E-Mail-Versand, Seite E-Mail-Empfang ein.</translation>
    </message>
    <message>
        <source>Can&apos;t create folder: %1</source>
        <translation>Ordner kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>The read marks of the messages fetched could not be taken back (%1): they are fetched again at the next check.</source>
        <translation>Die Gelesen-Markierungen der abgerufenen Nachrichten konnten nicht zurückgenommen werden (%1): Sie werden bei der nächsten Prüfung erneut abgerufen.</translation>
    </message>
    <message>
        <source>%1 turn message(s) taken in could not be moved to the folder %2: %3. They stay in %4; the move is tried again at the next check.</source>
        <translation>%1 übernommene Zugnachricht(en) konnte(n) nicht in den Ordner %2 verschoben werden: %3. Sie bleiben in %4; das Verschieben wird bei der nächsten Prüfung erneut versucht.</translation>
    </message>
    <message>
        <source>The turn message with UID %1 was taken in but could not be moved to the folder %2: %3 (tried again at the next check)</source>
        <translation>Die Zugnachricht mit UID %1 wurde übernommen, konnte aber nicht in den Ordner %2 verschoben werden: %3 (wird bei der nächsten Prüfung erneut versucht)</translation>
    </message>
    <message>
        <source>The turn message with UID %1 was taken in but could not be marked as read in %2: %3 (tried again at the next check)</source>
        <translation>Die Zugnachricht mit UID %1 wurde übernommen, konnte aber in %2 nicht als gelesen markiert werden: %3 (wird bei der nächsten Prüfung erneut versucht)</translation>
    </message>
    <message>
        <source>%1 was not taken in: %2<byte value="xd"/><byte value="xd"/>It stays unread in the mailbox and is not fetched again.</source>
        <translation>%1 wurde nicht übernommen: %2<byte value="xd"/><byte value="xd"/>Sie bleibt ungelesen im Postfach und wird nicht erneut abgerufen.</translation>
    </message>
    <message>
        <source>%1 has the subject of a turn but carries no turn: it is left unread in the mailbox and not fetched again.</source>
        <translation>%1 hat den Betreff eines Zugs, enthält aber keinen Zug: Sie bleibt ungelesen im Postfach und wird nicht erneut abgerufen.</translation>
    </message>
    <message>
        <source>it holds no files for an installed program (see the messages before).</source>
        <translation>sie enthält keine Dateien für ein installiertes Programm (siehe die Meldungen zuvor).</translation>
    </message>
    <message>
        <source>it has no attachment KOLT.KLT.</source>
        <translation>sie hat keinen Anhang KOLT.KLT.</translation>
    </message>
    <message>
        <source>Can&apos;t create file: %1</source>
        <translation>Datei kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>its archive could not be taken in (see the message before).</source>
        <translation>ihr Archiv konnte nicht übernommen werden (siehe die Meldung zuvor).</translation>
    </message>
    <message>
        <source>its sender address is missing or not valid.</source>
        <translation>ihre Absenderadresse fehlt oder ist ungültig.</translation>
    </message>
    <message>
        <source>it has no attachments.</source>
        <translation>sie hat keine Anhänge.</translation>
    </message>
    <message>
        <source>Receiving %1 files...</source>
        <translation>%1-Dateien werden empfangen...</translation>
    </message>
    <message>
        <source>Can&apos;t write file: %1</source>
        <translation>Datei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Checking the mailbox %1 on %2...</source>
        <translation>Postfach %1 auf %2 wird geprüft...</translation>
    </message>
    <message>
        <source>Can&apos;t create file: %1 (%2)</source>
        <translation>Datei kann nicht angelegt werden: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>MailboxLock</name>
    <message>
        <source>Can&apos;t open file: %1 (%2)</source>
        <translation>Datei kann nicht geöffnet werden: %1 (%2)</translation>
    </message>
    <message>
        <source>Can&apos;t lock file: %1 (%2)</source>
        <translation>Datei kann nicht gesperrt werden: %1 (%2)</translation>
    </message>
    <message>
        <source>The mailbox is being checked by another KOLT Helper (the window or kolt-cli) on this home: this check was skipped.</source>
        <translation>Das Postfach wird gerade von einem anderen KOLT Helper (dem Fenster oder kolt-cli) mit diesem Basisordner geprüft: Diese Prüfung wurde übersprungen.</translation>
    </message>
</context>
<context>
    <name>MailboxState</name>
    <message>
        <source>Can&apos;t write file: %1 (%2)</source>
        <translation>Datei kann nicht geschrieben werden: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>MailboxTally</name>
    <message>
        <source>%1 was not taken in: it stays unread in the mailbox and is fetched again at the next check.</source>
        <translation>%1 wurde nicht übernommen: Sie bleibt ungelesen im Postfach und wird bei der nächsten Prüfung erneut abgerufen.</translation>
    </message>
    <message>
        <source>The message with UID %1 is larger than %2 MB and was not fetched. It stays unread in the mailbox.</source>
        <translation>Die Nachricht mit UID %1 ist größer als %2 MB und wurde nicht abgerufen. Sie bleibt ungelesen im Postfach.</translation>
    </message>
    <message>
        <source>Mailbox check cancelled</source>
        <translation>Postfachprüfung abgebrochen</translation>
    </message>
    <message>
        <source>%1 taken in</source>
        <translation>%1 übernommen</translation>
    </message>
    <message>
        <source>%1 already taken in</source>
        <translation>%1 bereits übernommen</translation>
    </message>
    <message>
        <source>%1 left unread (%2, ...)</source>
        <translation>%1 ungelesen gelassen (%2, ...)</translation>
    </message>
    <message>
        <source>%1 left unread (%2)</source>
        <translation>%1 ungelesen gelassen (%2)</translation>
    </message>
    <message>
        <source>%1 refused</source>
        <translation>%1 abgelehnt</translation>
    </message>
    <message>
        <source>%1 not turns, left unread</source>
        <translation>%1 keine Züge, ungelesen gelassen</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>cancelled</source>
        <extracomment>a part of the mailbox check&apos;s status line</extracomment>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>Mailbox checked: no new turns</source>
        <translation>Postfach geprüft: keine neuen Züge</translation>
    </message>
    <message>
        <source>Mailbox checked: %1</source>
        <translation>Postfach geprüft: %1</translation>
    </message>
    <message>
        <source>The mailbox check was interrupted; the messages not taken in stay unread in the mailbox.</source>
        <translation>Die Postfachprüfung wurde unterbrochen; die nicht übernommenen Nachrichten bleiben ungelesen im Postfach.</translation>
    </message>
</context>
<context>
    <name>Mailer</name>
    <message>
        <source>Enter the SMTP server&apos;s name, optionally with a port (mail.example.com:587, [2001:db8::1]:587) under Options &gt; Sending e-mail.</source>
        <translation>Geben Sie den Namen des SMTP-Servers, wahlweise mit Port (mail.example.com:587, [2001:db8::1]:587), unter Einstellungen &gt; E-Mail-Versand ein.</translation>
    </message>
    <message>
        <source>No mail client is set up on this desktop. Choose one as the desktop&apos;s e-mail application, or send directly: under Options &gt; Sending e-mail choose &quot;Send directly through an SMTP server&quot; and enter your provider&apos;s SMTP server.</source>
        <translation>Auf diesem Desktop ist kein E-Mail-Programm eingerichtet. Wählen Sie eines als E-Mail-Anwendung des Desktops, oder senden Sie direkt: Wählen Sie unter Einstellungen &gt; E-Mail-Versand „Direkt über einen SMTP-Server senden“ und geben Sie den SMTP-Server Ihres Anbieters ein.</translation>
    </message>
    <message>
        <source>First define the e-mail mode</source>
        <translation>Legen Sie zuerst die E-Mail-Art fest</translation>
    </message>
    <message>
        <source>SMTP server setting missing</source>
        <translation>Einstellung des SMTP-Servers fehlt</translation>
    </message>
    <message>
        <source>Your own e-mail address setting missing</source>
        <translation>Einstellung Ihrer eigenen E-Mail-Adresse fehlt</translation>
    </message>
    <message>
        <source>The SMTP server setting &quot;%1&quot; is not a server name.</source>
        <translation>Die Einstellung des SMTP-Servers „%1“ ist kein Servername.</translation>
    </message>
    <message>
        <source>Can&apos;t load libcurl</source>
        <translation>libcurl kann nicht geladen werden</translation>
    </message>
    <message>
        <source>Your SMTP e-mail address &quot;%1&quot; is not an e-mail address. Correct it under Options &gt; Sending e-mail.</source>
        <translation>Ihre SMTP-E-Mail-Adresse „%1“ ist keine E-Mail-Adresse. Korrigieren Sie sie unter Einstellungen &gt; E-Mail-Versand.</translation>
    </message>
    <message>
        <source>Your e-mail address &quot;%1&quot; is not an e-mail address. Correct it under Options &gt; Sending e-mail.</source>
        <translation>Ihre E-Mail-Adresse „%1“ ist keine E-Mail-Adresse. Korrigieren Sie sie unter Einstellungen &gt; E-Mail-Versand.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Abgebrochen.</translation>
    </message>
    <message>
        <source>Sending e-mail via SMTP (libcurl) failed: %1</source>
        <translation>Das Senden der E-Mail über SMTP (libcurl) ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Can&apos;t find a desktop mail client (xdg-email or Thunderbird)</source>
        <translation>Kein E-Mail-Programm des Desktops gefunden (xdg-email oder Thunderbird)</translation>
    </message>
    <message>
        <source>Can&apos;t start the desktop mail client: %1</source>
        <translation>Das E-Mail-Programm des Desktops kann nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>Sending through the desktop mail client failed</source>
        <translation>Das Senden über das E-Mail-Programm des Desktops ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>(no recipient)</source>
        <translation>(kein Empfänger)</translation>
    </message>
    <message>
        <source>The message &quot;%1&quot; to %2 is open in your mail client.<byte value="xd"/><byte value="xd"/>Did you send it from there?</source>
        <translation>Die Nachricht „%1“ an %2 ist in Ihrem E-Mail-Programm geöffnet.<byte value="xd"/><byte value="xd"/>Haben Sie sie von dort gesendet?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address; nothing was sent.</source>
        <translation>„%1“ ist keine E-Mail-Adresse; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>Send this message by SMTP?<byte value="xd"/><byte value="xd"/>To: %1<byte value="xd"/>Subject: %2</source>
        <translation>Diese Nachricht über SMTP senden?<byte value="xd"/><byte value="xd"/>An: %1<byte value="xd"/>Betreff: %2</translation>
    </message>
    <message>
        <source>Attachments: %1</source>
        <translation>Anhänge: %1</translation>
    </message>
</context>
<context>
    <name>OptionsOverviewPage</name>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>Turn &amp;history and overview</source>
        <translation>Zug&amp;verlauf und Übersicht</translation>
    </message>
    <message>
        <source>&amp;Earlier turns kept per game:</source>
        <translation>&amp;Frühere Züge pro Partie aufbewahren:</translation>
    </message>
    <message>
        <source>Each turn file a received turn replaces is kept in the game folder&apos;s bak/history for this many turns; 0 keeps none.</source>
        <translation>Jede Zugdatei, die ein empfangener Zug ersetzt, wird so viele Züge lang in bak/history im Ordner der Partie aufbewahrt; 0 bewahrt keine auf.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>&amp;Mark a game in &quot;Play&quot; after (days):</source>
        <translation>Partie in &quot;Spielen&quot; &amp;markieren nach (Tagen):</translation>
    </message>
    <message>
        <source>A game in &quot;Play&quot; for longer than this is shown in another colour; 0 never marks one.</source>
        <translation>Eine Partie, die länger als diese Zeit in &quot;Spielen&quot; ist, wird in einer anderen Farbe angezeigt; 0 markiert nie eine.</translation>
    </message>
    <message>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>&amp;Keep running in the tray when the window is closed</source>
        <translation>Nach dem Schließen des Fensters im Infobereich weiterlaufen &amp;lassen</translation>
    </message>
</context>
<context>
    <name>PlayedTurn</name>
    <message>
        <source>Send %1 to %2 now?</source>
        <translation>%1 jetzt an %2 senden?</translation>
    </message>
    <message>
        <source>Don&apos;t ask again: send finished turns at once</source>
        <translation>Nicht mehr fragen: fertige Züge sofort senden</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Fertig!</translation>
    </message>
</context>
<context>
    <name>ProgramDefinition</name>
    <message>
        <source>At least one file type is required.</source>
        <translation>Mindestens ein Dateityp ist erforderlich.</translation>
    </message>
    <message>
        <source>Only one file type can have the Primary checked.</source>
        <translation>Nur ein Dateityp darf Primary angekreuzt haben.</translation>
    </message>
    <message>
        <source>Only one file type can have the Modified checked.</source>
        <translation>Nur ein Dateityp darf Modified angekreuzt haben.</translation>
    </message>
    <message>
        <source>One file type must have the Primary checked.</source>
        <translation>Ein Dateityp muss Primary angekreuzt haben.</translation>
    </message>
    <message>
        <source>One file type must have the Modified checked.</source>
        <translation>Ein Dateityp muss Modified angekreuzt haben.</translation>
    </message>
    <message>
        <source>At least one file type must have the Check Same checked.</source>
        <translation>Mindestens ein Dateityp muss Check Same angekreuzt haben.</translation>
    </message>
    <message>
        <source>At least one file type must have the Required checked.</source>
        <translation>Mindestens ein Dateityp muss Required angekreuzt haben.</translation>
    </message>
    <message>
        <source>Each extension should be different.</source>
        <translation>Jede Dateiendung sollte anders sein.</translation>
    </message>
</context>
<context>
    <name>ProgramRegistry</name>
    <message>
        <source>%1 is not used as a program definition: %2 is a name %3 uses itself. Give the file another name to use it.</source>
        <extracomment>%1 is the definition file, %2 its name, %3 this program&apos;s name</extracomment>
        <translation>%1 wird nicht als Programmdefinition verwendet: %2 ist ein Name, den %3 selbst verwendet. Geben Sie der Datei einen anderen Namen, um sie zu verwenden.</translation>
    </message>
    <message>
        <source>I don&apos;t know if %1 is installed. Please enter the installation directory (where &quot;%2&quot; is) below.</source>
        <extracomment>%1 is the program&apos;s name, %2 its executable</extracomment>
        <translation>Ich weiß nicht, ob %1 installiert ist. Bitte geben Sie unten den Installationsordner an (in dem &quot;%2&quot; liegt).</translation>
    </message>
</context>
<context>
    <name>ReceiveEngine</name>
    <message>
        <source>File &apos;%1&apos; modification date was in the future, fixed:<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>Das Änderungsdatum der Datei &apos;%1&apos; lag in der Zukunft und wurde korrigiert:<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; modification date is still in the future:<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>Das Änderungsdatum der Datei &apos;%1&apos; liegt noch immer in der Zukunft:<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>%1 is NEW</source>
        <translation>%1 ist NEU</translation>
    </message>
    <message>
        <source>%1 is OLDER than %2</source>
        <translation>%1 ist ÄLTER als %2</translation>
    </message>
    <message>
        <source>%1 is NEWER than %2</source>
        <translation>%1 ist NEUER als %2</translation>
    </message>
    <message>
        <source>%1 is THE SAME as %2</source>
        <translation>%1 ist DASSELBE wie %2</translation>
    </message>
    <message>
        <source>%1: The sender e-mail address %2 is THE SAME as %3</source>
        <translation>%1: Die Absender-E-Mail-Adresse %2 ist DIESELBE wie %3</translation>
    </message>
    <message>
        <source>%1: The sender e-mail address is NEW: %2</source>
        <translation>%1: Die Absender-E-Mail-Adresse ist NEU: %2</translation>
    </message>
    <message>
        <source>%1: The sender e-mail address %2 is DIFFERENT than %3</source>
        <translation>%1: Die Absender-E-Mail-Adresse %2 ist ANDERS als %3</translation>
    </message>
    <message>
        <source>%1: The sender e-mail address is MISSING, the address is currently %2</source>
        <translation>%1: Die Absender-E-Mail-Adresse FEHLT, die Adresse ist derzeit %2</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; is not a plain file name, refused</source>
        <translation>Datei &apos;%1&apos; ist kein einfacher Dateiname, abgelehnt</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; is not a regular file, refused</source>
        <translation>Datei &apos;%1&apos; ist keine normale Datei, abgelehnt</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; has the same name as another received file, refused</source>
        <translation>Datei &apos;%1&apos; hat denselben Namen wie eine andere empfangene Datei, abgelehnt</translation>
    </message>
    <message>
        <source>%1: The message came from %2, but %3 names %4</source>
        <translation>%1: Die Nachricht kam von %2, aber %3 nennt %4</translation>
    </message>
    <message>
        <source>no usable address</source>
        <translation>keiner brauchbaren Adresse</translation>
    </message>
    <message>
        <source>no sender</source>
        <translation>keinen Absender</translation>
    </message>
    <message>
        <source>Received old %1 files:</source>
        <translation>Alte %1-Dateien empfangen:</translation>
    </message>
    <message>
        <source>These files were OK:</source>
        <translation>Diese Dateien waren in Ordnung:</translation>
    </message>
    <message>
        <source>Do you still want to copy these files?</source>
        <translation>Möchten Sie diese Dateien trotzdem kopieren?</translation>
    </message>
    <message>
        <source>ARE YOU REALLY SURE??</source>
        <translation>SIND SIE WIRKLICH SICHER??</translation>
    </message>
    <message>
        <source>Receive journal not written in %1</source>
        <translation>Empfangsprotokoll in %1 nicht geschrieben</translation>
    </message>
    <message>
        <source>Error while making backup of file %1 to %2</source>
        <translation>Fehler beim Anlegen der Sicherung der Datei %1 in %2</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2: its folder is not a real folder</source>
        <translation>Datei %1 kann nicht nach %2 kopiert werden: ihr Ordner ist kein echter Ordner</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2: it is not a regular file</source>
        <translation>Datei %1 kann nicht nach %2 kopiert werden: es ist keine normale Datei</translation>
    </message>
    <message>
        <source>Error while deleting %1</source>
        <translation>Fehler beim Löschen von %1</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2</source>
        <translation>Datei %1 kann nicht nach %2 kopiert werden</translation>
    </message>
    <message>
        <source>Can&apos;t delete file %1</source>
        <translation>Datei %1 kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>%1 game %2 is not valid</source>
        <translation>%1-Partie %2 ist ungültig</translation>
    </message>
    <message>
        <source>Earlier turn not kept: cannot open %1</source>
        <translation>Früherer Zug nicht aufbewahrt: %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Earlier turn not kept: %1</source>
        <translation>Früherer Zug nicht aufbewahrt: %1</translation>
    </message>
</context>
<context>
    <name>ReceiveOutcome</name>
    <message>
        <source>see the message above</source>
        <translation>siehe die Meldung oben</translation>
    </message>
    <message>
        <source>copying the received files stopped, see the message above</source>
        <translation>das Kopieren der empfangenen Dateien wurde abgebrochen, siehe die Meldung oben</translation>
    </message>
    <message>
        <source>the older files were not confirmed</source>
        <translation>die älteren Dateien wurden nicht bestätigt</translation>
    </message>
    <message>
        <source>its folder %1 holds no files for the program</source>
        <translation>sein Ordner %1 enthält keine Dateien für das Programm</translation>
    </message>
    <message>
        <source>the archive holds no folder of an installed program (installed: %1; the archive holds: %2)</source>
        <extracomment>%1: the installed programs&apos; short names (or &quot;none&quot;), %2: the archive&apos;s entries (or &quot;nothing&quot;)</extracomment>
        <translation>das Archiv enthält keinen Ordner eines installierten Programms (installiert: %1; das Archiv enthält: %2)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
</context>
<context>
    <name>Reminders</name>
    <message>
        <source>%1 is not waiting for its opponent longer than %2 days: no reminder was sent.</source>
        <translation>%1 wartet nicht länger als %2 Tage auf den Gegner: Es wurde keine Erinnerung gesendet.</translation>
    </message>
    <message>
        <source>The last reminder for %1 went out %2 ago; the next one can go a day after it.</source>
        <translation>Die letzte Erinnerung für %1 ging vor %2 hinaus; die nächste kann einen Tag danach gesendet werden.</translation>
    </message>
    <message>
        <source>The e-mail address of this game is not valid; fix it in the game&apos;s properties:<byte value="xd"/><byte value="xd"/>%1</source>
        <translation>Die E-Mail-Adresse dieser Partie ist ungültig; korrigieren Sie sie in den Eigenschaften der Partie:<byte value="xd"/><byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Reminded %1 of %2</source>
        <translation>%1 an %2 erinnert</translation>
    </message>
</context>
<context>
    <name>SE4</name>
    <message>
        <source>Hosting...</source>
        <translation>Hosten...</translation>
    </message>
    <message>
        <source>Invalid Master Password.</source>
        <translation>Ungültiges Master-Passwort.</translation>
    </message>
    <message>
        <source>Invalid Player Password.</source>
        <translation>Ungültiges Spieler-Passwort.</translation>
    </message>
    <message>
        <source>Return code %1</source>
        <extracomment>the game&apos;s exit code</extracomment>
        <translation>Rückgabewert %1</translation>
    </message>
</context>
<context>
    <name>SE4_Game</name>
    <message>
        <source>%1: Change from host to client mode?</source>
        <translation>%1: Vom Host-Modus in den Client-Modus wechseln?</translation>
    </message>
    <message>
        <source>%1: Change from client to host mode?</source>
        <translation>%1: Vom Client-Modus in den Host-Modus wechseln?</translation>
    </message>
    <message>
        <source>Client mode (the server e-mail address defined), but still many .plr files! Delete unnecessary files. The first file (%1) used.</source>
        <translation>Client-Modus (die E-Mail-Adresse des Servers ist angegeben), aber trotzdem mehrere .plr-Dateien! Löschen Sie die unnötigen Dateien. Die erste Datei (%1) wird verwendet.</translation>
    </message>
    <message>
        <source>You have to press Refresh F5 in the main window in order to see the changes.</source>
        <translation>Drücken Sie im Hauptfenster Aktualisieren (F5), um die Änderungen zu sehen.</translation>
    </message>
</context>
<context>
    <name>SPWAW</name>
    <message>
        <source>Do you want to use the SAVE directory as well?</source>
        <translation>Möchten Sie auch den Ordner SAVE verwenden?</translation>
    </message>
</context>
<context>
    <name>SafeExtractor</name>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot open %1: it is a folder, not a file</source>
        <translation>%1 kann nicht geöffnet werden: es ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>Cannot open %1: it is not a regular file</source>
        <translation>%1 kann nicht geöffnet werden: es ist keine normale Datei</translation>
    </message>
    <message>
        <source>Refused &quot;%1&quot;: %2.</source>
        <translation>„%1“ abgelehnt: %2.</translation>
    </message>
    <message>
        <source>The archive is not safe to unpack; nothing was extracted.</source>
        <translation>Das Archiv kann nicht sicher entpackt werden; es wurde nichts entpackt.</translation>
    </message>
    <message>
        <source>%1 is not an archive that can be read: %2</source>
        <translation>%1 ist kein lesbares Archiv: %2</translation>
    </message>
    <message>
        <source>Damaged archive: %1</source>
        <translation>Beschädigtes Archiv: %1</translation>
    </message>
    <message>
        <source>the archive holds more than %1 entries</source>
        <translation>das Archiv enthält mehr als %1 Einträge</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>es ist eine Verknüpfung</translation>
    </message>
    <message>
        <source>it is a device, pipe or socket, not a file</source>
        <translation>es ist ein Gerät, eine Pipe oder ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>it has no name</source>
        <translation>es hat keinen Namen</translation>
    </message>
    <message>
        <source>the files would take more than %1 bytes</source>
        <translation>die Dateien würden mehr als %1 Byte belegen</translation>
    </message>
    <message>
        <source>%1 is not an archive that can be read.</source>
        <translation>%1 ist kein lesbares Archiv.</translation>
    </message>
    <message>
        <source>The archive changed while it was being read.</source>
        <translation>Das Archiv hat sich beim Lesen geändert.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>skipping: %1 (%2)</source>
        <translation>übersprungen: %1 (%2)</translation>
    </message>
    <message>
        <source>Error in %1: %2</source>
        <translation>Fehler in %1: %2</translation>
    </message>
    <message>
        <source>Cannot extract %1: %2 is not a folder.</source>
        <translation>%1 kann nicht entpackt werden: %2 ist kein Ordner.</translation>
    </message>
    <message>
        <source>Cannot extract %1: %2 is a folder.</source>
        <translation>%1 kann nicht entpackt werden: %2 ist ein Ordner.</translation>
    </message>
    <message>
        <source>Cannot create folder %1: %2</source>
        <translation>Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>No archive or no target folder given.</source>
        <translation>Kein Archiv oder kein Zielordner angegeben.</translation>
    </message>
    <message>
        <source>Cannot create folder %1</source>
        <translation>Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Cannot write into %1: %2</source>
        <translation>In %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Nothing was extracted.</source>
        <translation>Es wurde nichts entpackt.</translation>
    </message>
    <message>
        <source>The archive holds no files.</source>
        <translation>Das Archiv enthält keine Dateien.</translation>
    </message>
</context>
<context>
    <name>SendSelection</name>
    <message>
        <source>Missing e-mail address:<byte value="xd"/><byte value="xd"/>%1</source>
        <translation>E-Mail-Adresse fehlt:<byte value="xd"/><byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>The stored address list is longer than %1 characters and was cut.</source>
        <translation>Die gespeicherte Adressliste ist länger als %1 Zeichen und wurde abgeschnitten.</translation>
    </message>
    <message>
        <source>The e-mail address of this game is not valid; fix it in the game&apos;s properties:<byte value="xd"/><byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>%2</source>
        <translation>Die E-Mail-Adresse dieser Partie ist ungültig; korrigieren Sie sie in den Eigenschaften der Partie:<byte value="xd"/><byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>You have not selected any games.</source>
        <translation>Sie haben keine Partien ausgewählt.</translation>
    </message>
    <message>
        <source>Are you sure you want to send message to these players?</source>
        <translation>Möchten Sie wirklich eine Nachricht an diese Spieler senden?</translation>
    </message>
    <message>
        <source>Are you sure you want to send these games?</source>
        <translation>Möchten Sie diese Partien wirklich senden?</translation>
    </message>
    <message>
        <source>%1 players</source>
        <translation>%1 Spieler</translation>
    </message>
    <message>
        <source>Sent a message to %1</source>
        <translation>Eine Nachricht an %1 gesendet</translation>
    </message>
    <message>
        <source>Sent messages to %1</source>
        <translation>Nachrichten an %1 gesendet</translation>
    </message>
    <message numerus="yes">
        <source>Sent %n game to %1</source>
        <translation>
            <numerusform>%n Partie an %1 gesendet</numerusform>
            <numerusform>%n Partien an %1 gesendet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sent %n games to %1</source>
        <translation>
            <numerusform>%n Partie an %1 gesendet</numerusform>
            <numerusform>%n Partien an %1 gesendet</numerusform>
        </translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Fertig!</translation>
    </message>
</context>
<context>
    <name>ServerCertificate</name>
    <message>
        <source>The connection is not encrypted: there is no certificate.</source>
        <translation>Die Verbindung ist nicht verschlüsselt: Es gibt kein Zertifikat.</translation>
    </message>
    <message>
        <source>libcurl could not be initialised</source>
        <translation>libcurl konnte nicht initialisiert werden</translation>
    </message>
    <message>
        <source>The server sent no certificate.</source>
        <translation>Der Server hat kein Zertifikat gesendet.</translation>
    </message>
    <message>
        <source>The server&apos;s certificate could not be read.</source>
        <translation>Das Zertifikat des Servers konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>unknown</source>
        <comment>certificate expiry</comment>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>%1 (expired)</source>
        <translation>%1 (abgelaufen)</translation>
    </message>
    <message>
        <source>SHA-256 fingerprint: %1
Issued to: %2
Issued by: %3
Expires: %4</source>
        <translation>SHA-256-Fingerabdruck: %1
Ausgestellt für: %2
Ausgestellt von: %3
Läuft ab: %4</translation>
    </message>
</context>
<context>
    <name>SmtpSender</name>
    <message>
        <source> (the server answered &quot;%1&quot;)</source>
        <extracomment>inserted after &quot;refused the login&quot; and the like; %1: the server&apos;s reply</extracomment>
        <translation> (der Server antwortete „%1“)</translation>
    </message>
    <message>
        <source>address</source>
        <extracomment>the sender or recipient refused when the server named none</extracomment>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>The SMTP server&apos;s name was not found. Check the SMTP server name under Options &gt; Sending e-mail. If it is right, check that this computer is online.</source>
        <translation>Der Name des SMTP-Servers wurde nicht gefunden. Prüfen Sie den Namen des SMTP-Servers unter Einstellungen &gt; E-Mail-Versand. Wenn er stimmt, prüfen Sie, ob dieser Computer online ist.</translation>
    </message>
    <message>
        <source>Check the SMTP server name and port under Options &gt; Sending e-mail.</source>
        <translation>Prüfen Sie den Namen und den Port des SMTP-Servers unter Einstellungen &gt; E-Mail-Versand.</translation>
    </message>
    <message>
        <source>The SMTP server did not answer in time. Check the SMTP server name, port and security under Options &gt; Sending e-mail. Port 465 needs &quot;TLS from the start&quot;, port 587 STARTTLS.</source>
        <translation>Der SMTP-Server hat nicht rechtzeitig geantwortet. Prüfen Sie Namen, Port und Sicherheit des SMTP-Servers unter Einstellungen &gt; E-Mail-Versand. Port 465 braucht „TLS von Anfang an“, Port 587 STARTTLS.</translation>
    </message>
    <message>
        <source>The secure connection could not be set up. Check that the security choice fits the port under Options &gt; Sending e-mail. Port 465 needs &quot;TLS from the start&quot;, port 587 STARTTLS.</source>
        <translation>Die sichere Verbindung konnte nicht aufgebaut werden. Prüfen Sie unter Einstellungen &gt; E-Mail-Versand, ob die gewählte Sicherheit zum Port passt. Port 465 braucht „TLS von Anfang an“, Port 587 STARTTLS.</translation>
    </message>
    <message>
        <source>The SMTP server&apos;s certificate could not be verified. Check the SMTP server name under Options &gt; Sending e-mail. It must be the name your provider gives, not an alias or address. If the server is your own, press Test there to see its certificate and trust it.</source>
        <translation>Das Zertifikat des SMTP-Servers konnte nicht überprüft werden. Prüfen Sie den Namen des SMTP-Servers unter Einstellungen &gt; E-Mail-Versand. Es muss der Name sein, den Ihr Anbieter angibt, kein Alias und keine Adresse. Wenn der Server Ihr eigener ist, klicken Sie dort auf Testen, um sein Zertifikat anzusehen und ihm zu vertrauen.</translation>
    </message>
    <message>
        <source>The SMTP server does not offer STARTTLS on this port. Check the security choice and the port under Options &gt; Sending e-mail.</source>
        <translation>Der SMTP-Server bietet auf diesem Port kein STARTTLS an. Prüfen Sie die gewählte Sicherheit und den Port unter Einstellungen &gt; E-Mail-Versand.</translation>
    </message>
    <message>
        <source>The SMTP server refused the login%1. Check the SMTP user name and password under Options &gt; Sending e-mail.</source>
        <extracomment>%1: the server&apos;s answer in parentheses, or nothing</extracomment>
        <translation>Der SMTP-Server hat die Anmeldung abgelehnt%1. Prüfen Sie den SMTP-Benutzernamen und das Passwort unter Einstellungen &gt; E-Mail-Versand.</translation>
    </message>
    <message>
        <source>The SMTP server refused the sender %1%2. Check &quot;Your SMTP e-mail address&quot; and &quot;SMTP user name&quot; under Options &gt; Sending e-mail. Most servers take only the address of the account you log in with.</source>
        <extracomment>%1: the address, %2: the server&apos;s answer in parentheses, or nothing</extracomment>
        <translation>Der SMTP-Server hat den Absender %1 abgelehnt%2. Prüfen Sie „Ihre SMTP-E-Mail-Adresse“ und „SMTP-Benutzername“ unter Einstellungen &gt; E-Mail-Versand. Die meisten Server nehmen nur die Adresse des Kontos an, mit dem Sie sich anmelden.</translation>
    </message>
    <message>
        <source>The SMTP server refused the recipient %1%2. Check the recipient&apos;s address. A server that takes mail for other domains only from its logged-in users refuses recipients too: check the SMTP user name and password under Options &gt; Sending e-mail.</source>
        <extracomment>%1: the address, %2: the server&apos;s answer in parentheses, or nothing</extracomment>
        <translation>Der SMTP-Server hat den Empfänger %1 abgelehnt%2. Prüfen Sie die Adresse des Empfängers. Ein Server, der E-Mails für andere Domänen nur von angemeldeten Benutzern annimmt, lehnt auch Empfänger ab: Prüfen Sie den SMTP-Benutzernamen und das Passwort unter Einstellungen &gt; E-Mail-Versand.</translation>
    </message>
    <message>
        <source>The SMTP server refused the message%1. If it is too large, send fewer files at once; otherwise check &quot;Your SMTP e-mail address&quot; and the login under Options &gt; Sending e-mail.</source>
        <extracomment>%1: the server&apos;s answer in parentheses, or nothing</extracomment>
        <translation>Der SMTP-Server hat die Nachricht abgelehnt%1. Wenn sie zu groß ist, senden Sie weniger Dateien auf einmal; andernfalls prüfen Sie „Ihre SMTP-E-Mail-Adresse“ und die Anmeldung unter Einstellungen &gt; E-Mail-Versand.</translation>
    </message>
    <message>
        <source>No recipient</source>
        <translation>Kein Empfänger</translation>
    </message>
    <message>
        <source>Not an e-mail address: %1</source>
        <translation>Keine E-Mail-Adresse: %1</translation>
    </message>
    <message>
        <source>Can&apos;t read attachment: %1</source>
        <translation>Anhang kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>libcurl could not be initialised</source>
        <translation>libcurl konnte nicht initialisiert werden</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>RegSet failed: %1</source>
        <translation>RegSet fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>%1 is larger than 64 MB and is not read. No settings file is that large: move it away or put a backup in its place.</source>
        <translation>%1 ist größer als 64 MB und wird nicht gelesen. Keine Einstellungsdatei ist so groß: Verschieben Sie die Datei oder ersetzen Sie sie durch eine Sicherung.</translation>
    </message>
    <message>
        <source>Can&apos;t get file: %1</source>
        <translation>Datei nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>Invalid command line option: %1</source>
        <translation>Ungültige Befehlszeilenoption: %1</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>New</source>
        <comment>game status</comment>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Play</source>
        <comment>game status</comment>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>Send</source>
        <comment>game status</comment>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Wait</source>
        <comment>game status</comment>
        <translation>Warten</translation>
    </message>
    <message>
        <source>Play/Send</source>
        <comment>game status</comment>
        <translation>Spielen/Senden</translation>
    </message>
    <message>
        <source>Unknown</source>
        <comment>game status</comment>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Host</source>
        <comment>game status</comment>
        <translation>Hosten</translation>
    </message>
    <message>
        <source>Wait/Host</source>
        <comment>game status</comment>
        <translation>Warten/Hosten</translation>
    </message>
    <message>
        <source>Dead</source>
        <comment>game status</comment>
        <translation>Tot</translation>
    </message>
    <message>
        <source>Running</source>
        <comment>program state</comment>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Not running</source>
        <comment>program state</comment>
        <translation>Läuft nicht</translation>
    </message>
</context>
<context>
    <name>TerminalUi</name>
    <message>
        <source>Error</source>
        <extracomment>the kind of a message, after its title on the terminal</extracomment>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Frage</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>a button of a question asked on the terminal</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>default</source>
        <extracomment>how a question was answered when nobody could be asked</extracomment>
        <translation>Vorgabe</translation>
    </message>
    <message>
        <source>Answer %1 [%2]: </source>
        <extracomment>%1 lists the buttons (OK/Cancel), %2 is the one Enter gives</extracomment>
        <translation>Antwort %1 [%2]: </translation>
    </message>
    <message>
        <source>Value [%1] (end of input cancels): </source>
        <extracomment>%1 is what Enter gives</extracomment>
        <translation>Wert [%1] (Ende der Eingabe bricht ab): </translation>
    </message>
    <message>
        <source>Folder: %1</source>
        <translation>Ordner: %1</translation>
    </message>
    <message>
        <source>Folder &apos;%1&apos; does not exist</source>
        <translation>Ordner &apos;%1&apos; existiert nicht</translation>
    </message>
    <message>
        <source>Installation folder [%1] (Enter keeps it, - for none, end of input cancels): </source>
        <translation>Installationsordner [%1] (Eingabetaste behält ihn, - für keinen, Ende der Eingabe bricht ab): </translation>
    </message>
</context>
<context>
    <name>TestMessage</name>
    <message>
        <source>You have not defined your own e-mail address!<byte value="xd"/><byte value="xd"/>Enter it as &quot;From&quot; under Options &gt; Sending e-mail.</source>
        <translation>Sie haben Ihre eigene E-Mail-Adresse nicht festgelegt!<byte value="xd"/><byte value="xd"/>Geben Sie sie als „Von“ unter Einstellungen &gt; E-Mail-Versand ein.</translation>
    </message>
    <message>
        <source>Can&apos;t create test file: %1</source>
        <translation>Testdatei kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>The test message was sent to %1. When it arrives, open its attachment TEST.KLT with %2.</source>
        <translation>Die Testnachricht wurde an %1 gesendet. Wenn sie ankommt, öffnen Sie ihren Anhang TEST.KLT mit %2.</translation>
    </message>
    <message>
        <source>Congratulations! You have successfully sent a %1 test message.</source>
        <translation>Herzlichen Glückwunsch! Sie haben erfolgreich eine %1-Testnachricht gesendet.</translation>
    </message>
</context>
<context>
    <name>ToolUnpacker</name>
    <message>
        <source>cannot start %1</source>
        <translation>%1 kann nicht gestartet werden</translation>
    </message>
    <message>
        <source>the archive unpacks to more than 1 GB</source>
        <translation>das Archiv wird entpackt größer als 1 GB</translation>
    </message>
    <message>
        <source>%1 ended with code %2</source>
        <translation>%1 wurde mit Code %2 beendet</translation>
    </message>
    <message>
        <source>the archive holds more than 10,000 entries</source>
        <translation>das Archiv enthält mehr als 10.000 Einträge</translation>
    </message>
    <message>
        <source>the entry &quot;%1&quot; leaves the folder</source>
        <translation>der Eintrag „%1“ verlässt den Ordner</translation>
    </message>
    <message>
        <source>the entry &quot;%1&quot; is not a plain file</source>
        <translation>der Eintrag „%1“ ist keine einfache Datei</translation>
    </message>
    <message>
        <source>no unpacking tool</source>
        <translation>kein Entpackprogramm</translation>
    </message>
    <message>
        <source>cannot create a folder in %1</source>
        <translation>in %1 kann kein Ordner angelegt werden</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 ist ein Ordner</translation>
    </message>
    <message>
        <source>cannot move %1 into place</source>
        <translation>%1 kann nicht an seinen Platz verschoben werden</translation>
    </message>
</context>
<context>
    <name>TurnExchange</name>
    <message>
        <source>Can&apos;t get folder: %1</source>
        <translation>Ordner nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>(no instance folder)</source>
        <translation>(kein Instanzordner)</translation>
    </message>
    <message>
        <source>Can&apos;t delete folder: %1</source>
        <translation>Ordner kann nicht gelöscht werden: %1</translation>
    </message>
    <message>
        <source>Can&apos;t create folder: %1</source>
        <translation>Ordner kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>You have not defined your own e-mail address!</source>
        <translation>Sie haben Ihre eigene E-Mail-Adresse nicht festgelegt!</translation>
    </message>
    <message>
        <source>Can&apos;t create file: %1</source>
        <translation>Datei kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>Error while writing: %1</source>
        <translation>Fehler beim Schreiben: %1</translation>
    </message>
    <message>
        <source>Error while copying: %1</source>
        <translation>Fehler beim Kopieren: %1</translation>
    </message>
    <message>
        <source>Can&apos;t delete file: %1</source>
        <translation>Datei kann nicht gelöscht werden: %1</translation>
    </message>
    <message>
        <source>Compression failed</source>
        <translation>Komprimieren fehlgeschlagen</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Es ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>It is not a regular file (a device, pipe or socket).</source>
        <translation>Es ist keine normale Datei (ein Gerät, eine Pipe oder ein Socket).</translation>
    </message>
    <message>
        <source>The file is too large: %1 bytes, a received archive may have at most %2.</source>
        <translation>Die Datei ist zu groß: %1 Byte, ein empfangenes Archiv darf höchstens %2 haben.</translation>
    </message>
    <message>
        <source>Set the additional working folder to<byte value="xd"/><byte value="xd"/>%1 ?<byte value="xd"/><byte value="xd"/>If you receive game turn files which are not in .KLT or .ZIP format, then save them into correct subfolders under this folder, and %2 will process them automatically when it is started or when you click Refresh F5.<byte value="xd"/><byte value="xd"/>Also if you receive files in .ZIP format, then extract them into correct subfolder under this folder.<byte value="xd"/><byte value="xd"/>%2 will create the correct subfolders under this folder, one for each program.<byte value="xd"/><byte value="xd"/>WARNING: The files in these subfolders will be moved (deleted) when KOLT starts!</source>
        <translation>Den zusätzlichen Arbeitsordner festlegen auf<byte value="xd"/><byte value="xd"/>%1 ?<byte value="xd"/><byte value="xd"/>Wenn Sie Zugdateien empfangen, die nicht im Format .KLT oder .ZIP sind, speichern Sie sie in die passenden Unterordner dieses Ordners, und %2 verarbeitet sie automatisch beim Start oder wenn Sie auf Aktualisieren F5 klicken.<byte value="xd"/><byte value="xd"/>Auch Dateien im Format .ZIP entpacken Sie in den passenden Unterordner dieses Ordners.<byte value="xd"/><byte value="xd"/>%2 legt die passenden Unterordner in diesem Ordner an, einen für jedes Programm.<byte value="xd"/><byte value="xd"/>ACHTUNG: Die Dateien in diesen Unterordnern werden beim Start von KOLT verschoben (gelöscht)!</translation>
    </message>
    <message>
        <source>Can&apos;t delete: %1</source>
        <translation>Kann nicht gelöscht werden: %1</translation>
    </message>
    <message>
        <source>Your opponent %1 has a newer version of KOLT:<byte value="xd"/><byte value="xd"/>%2<byte value="xd"/><byte value="xd"/>Your version is: %3<byte value="xd"/><byte value="xd"/>You won&apos;t see this message again until somebody has a version greater than what your opponent has.</source>
        <translation>Ihr Gegner %1 hat eine neuere Version von KOLT:<byte value="xd"/><byte value="xd"/>%2<byte value="xd"/><byte value="xd"/>Ihre Version ist: %3<byte value="xd"/><byte value="xd"/>Sie sehen diese Meldung erst wieder, wenn jemand eine höhere Version hat als Ihr Gegner.</translation>
    </message>
    <message>
        <source>Can&apos;t get file: %1</source>
        <translation>Datei nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>Decompress failed</source>
        <translation>Entpacken fehlgeschlagen</translation>
    </message>
    <message>
        <source>Didn&apos;t receive %1. Do you want to continue?</source>
        <translation>%1 wurde nicht empfangen. Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>The sender e-mail address in %1 is not valid and was not taken: %2</source>
        <translation>Die Absender-E-Mail-Adresse in %1 ist ungültig und wurde nicht übernommen: %2</translation>
    </message>
    <message>
        <source>Receiving %1 files...</source>
        <translation>%1-Dateien werden empfangen...</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Fertig!</translation>
    </message>
    <message>
        <source>Decompress failed: %1</source>
        <translation>Entpacken fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>unar decompress failed: %1</source>
        <translation>Entpacken mit unar fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Can&apos;t delete decompressed file: %1</source>
        <translation>Entpackte Datei kann nicht gelöscht werden: %1</translation>
    </message>
    <message numerus="yes">
        <source>Received %n game from the working folder</source>
        <translation>
            <numerusform>%n Partie aus dem Arbeitsordner empfangen</numerusform>
            <numerusform>%n Partien aus dem Arbeitsordner empfangen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n games from the working folder</source>
        <translation>
            <numerusform>%n Partie aus dem Arbeitsordner empfangen</numerusform>
            <numerusform>%n Partien aus dem Arbeitsordner empfangen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n game from %1</source>
        <translation>
            <numerusform>%n Partie von %1 empfangen</numerusform>
            <numerusform>%n Partien von %1 empfangen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n games from %1</source>
        <translation>
            <numerusform>%n Partie von %1 empfangen</numerusform>
            <numerusform>%n Partien von %1 empfangen</numerusform>
        </translation>
    </message>
    <message>
        <source>Processing the working folder %1</source>
        <translation>Arbeitsordner %1 wird verarbeitet</translation>
    </message>
    <message>
        <source>Can&apos;t get folder %1</source>
        <translation>Ordner %1 nicht verfügbar</translation>
    </message>
    <message>
        <source>Can&apos;t get the Documents folder</source>
        <translation>Der Dokumente-Ordner ist nicht verfügbar</translation>
    </message>
    <message>
        <source>Can&apos;t create folder %1</source>
        <translation>Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Earlier turn not kept: %1</source>
        <translation>Früherer Zug nicht aufbewahrt: %1</translation>
    </message>
</context>
<context>
    <name>TurnHistory</name>
    <message>
        <source>Turn history not recorded: %1</source>
        <translation>Zugverlauf nicht aufgezeichnet: %1</translation>
    </message>
    <message>
        <source>Choose the sent or received turn to restore.</source>
        <translation>Wählen Sie den gesendeten oder empfangenen Zug, der wiederhergestellt werden soll.</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file %1</source>
        <translation>Die Einstellungsdatei %1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>TurnMail</name>
    <message>
        <source>The message has more than %1 parts.</source>
        <translation>Die Nachricht hat mehr als %1 Teile.</translation>
    </message>
    <message>
        <source>The message has more than %1 attachments.</source>
        <translation>Die Nachricht hat mehr als %1 Anhänge.</translation>
    </message>
    <message>
        <source>An attachment of the message is too large: %1</source>
        <translation>Ein Anhang der Nachricht ist zu groß: %1</translation>
    </message>
    <message>
        <source>It could not be read back from %1.</source>
        <translation>Sie konnte nicht aus %1 zurückgelesen werden.</translation>
    </message>
    <message>
        <source>It is not an e-mail message.</source>
        <translation>Es ist keine E-Mail-Nachricht.</translation>
    </message>
</context>
<context>
    <name>UiPort</name>
    <message>
        <source>Error %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>Last system error: %1 (%2)</source>
        <extracomment>%1 is the number of the error, %2 the system&apos;s text for it</extracomment>
        <translation>Letzter Systemfehler: %1 (%2)</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file %1</source>
        <translation>Die Einstellungsdatei %1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>UserGuide</name>
    <message>
        <source>The user guide is not installed. It was looked for in:</source>
        <translation>Das Benutzerhandbuch ist nicht installiert. Es wurde gesucht in:</translation>
    </message>
    <message>
        <source>The user guide %1 could not be opened: no program to show web pages was found.</source>
        <translation>Das Benutzerhandbuch %1 konnte nicht geöffnet werden: Es wurde kein Programm zum Anzeigen von Webseiten gefunden.</translation>
    </message>
</context>
<context>
    <name>Utilities</name>
    <message>
        <source>%1 B</source>
        <extracomment>a file size in bytes</extracomment>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <extracomment>a file size in kilobytes</extracomment>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <extracomment>a file size in megabytes</extracomment>
        <translation>%1 MB</translation>
    </message>
</context>
<context>
    <name>VBUnzFrm</name>
    <message>
        <source>Unzipping...</source>
        <translation>Entpacken...</translation>
    </message>
    <message>
        <source>Decompressing file:</source>
        <translation>Datei wird entpackt:</translation>
    </message>
    <message>
        <source>Into directory:</source>
        <translation>In den Ordner:</translation>
    </message>
</context>
<context>
    <name>Waiting</name>
    <message>
        <source>%1 min</source>
        <extracomment>minutes a game has waited, as the lists show it</extracomment>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>%1 h</source>
        <extracomment>hours a game has waited</extracomment>
        <translation>%1 Std.</translation>
    </message>
    <message>
        <source>%1 d</source>
        <extracomment>days a game has waited</extracomment>
        <translation>%1 T.</translation>
    </message>
</context>
<context>
    <name>WineCheck</name>
    <message>
        <source>(%1 more lines)</source>
        <translation>(%1 weitere Zeilen)</translation>
    </message>
</context>
<context>
    <name>X11HotKeys</name>
    <message>
        <source>%1 typed nothing: %2 has the keyboard focus. Click into the game&apos;s window, then press the key again.</source>
        <extracomment>%1 is the hot key (Ctrl+Shift+P), %2 this program&apos;s name</extracomment>
        <translation>%1 hat nichts eingegeben: %2 hat den Tastaturfokus. Klicken Sie in das Fenster des Spiels und drücken Sie die Taste dann erneut.</translation>
    </message>
</context>
<context>
    <name>ZipWriter</name>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message>
        <source>Bad name %1: %2</source>
        <translation>Ungültiger Name %1: %2</translation>
    </message>
    <message>
        <source>it names no file</source>
        <translation>er nennt keine Datei</translation>
    </message>
    <message>
        <source>No archive path given.</source>
        <translation>Kein Archivpfad angegeben.</translation>
    </message>
    <message>
        <source>Nothing to do: no file matched the names.</source>
        <translation>Nichts zu tun: Keine Datei passte zu den Namen.</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About KOLT Helper</source>
        <translation>Über KOLT Helper</translation>
    </message>
    <message>
        <source>&lt;b&gt;&lt;big&gt;KOLT Helper&lt;/big&gt;&lt;/b&gt;&lt;br&gt;Turn exchange for play-by-e-mail war and strategy games</source>
        <translation>&lt;b&gt;&lt;big&gt;KOLT Helper&lt;/big&gt;&lt;/b&gt;&lt;br&gt;Zugaustausch für Kriegs- und Strategiespiele per E-Mail</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Use this program to automatically send and receive KOLT files.</source>
        <translation>Mit diesem Programm senden und empfangen Sie KOLT-Dateien automatisch.</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblReadme&quot;&gt;View the Readme&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblReadme&quot;&gt;Liesmich anzeigen&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblCheckVersion&quot;&gt;Check the latest version&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblCheckVersion&quot;&gt;Neueste Version prüfen&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblZIP&quot;&gt;ZIP technology by libarchive&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblZIP&quot;&gt;ZIP-Technik von libarchive&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblBLAT&quot;&gt;SMTP sending by libcurl&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblBLAT&quot;&gt;SMTP-Versand durch libcurl&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblQt&quot;&gt;User interface by Qt&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblQt&quot;&gt;Benutzeroberfläche mit Qt&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblX11&quot;&gt;Hot keys and typing by X11 and XTest&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblX11&quot;&gt;Tastenkürzel und Tastatureingaben durch X11 und XTest&lt;/a&gt;</translation>
    </message>
    <message>
        <source>This program is provided as is, without warranty of any kind. It changes files in the folders of your games; keep backups of games that matter to you. You use it at your own risk.</source>
        <translation>Dieses Programm wird ohne Mängelgewähr und ohne jede Garantie bereitgestellt. Es ändert Dateien in den Ordnern Ihrer Spiele; legen Sie Sicherungen der Partien an, die Ihnen wichtig sind. Sie benutzen es auf eigenes Risiko.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminformationen...</translation>
    </message>
</context>
<context>
    <name>frmBlat</name>
    <message>
        <source>Sending message...</source>
        <translation>Nachricht wird gesendet...</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>An:</translation>
    </message>
    <message>
        <source>Attachment:</source>
        <translation>Anhang:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>frmGame</name>
    <message>
        <source>KOLT Game</source>
        <translation>KOLT-Partie</translation>
    </message>
    <message>
        <source>&amp;Game:</source>
        <translation>&amp;Spiel:</translation>
    </message>
    <message>
        <source>&amp;File Name:</source>
        <translation>&amp;Dateiname:</translation>
    </message>
    <message>
        <source>&amp;Info:</source>
        <translation>&amp;Info:</translation>
    </message>
    <message>
        <source>&amp;Status:</source>
        <translation>S&amp;tatus:</translation>
    </message>
    <message>
        <source>Mo&amp;dified:</source>
        <translation>&amp;Geändert:</translation>
    </message>
    <message>
        <source>&amp;E-Mail:</source>
        <translation>&amp;E-Mail:</translation>
    </message>
    <message>
        <source>Tip: If you don&apos;t want this game to be selected automatically, enter - into e-mail.</source>
        <translation>Tipp: Wenn diese Partie nicht automatisch ausgewählt werden soll, geben Sie - als E-Mail ein.</translation>
    </message>
    <message>
        <source>&amp;Last message:</source>
        <translation>&amp;Letzte Nachricht:</translation>
    </message>
    <message>
        <source>M&amp;ode:</source>
        <translation>&amp;Modus:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>Ge&amp;nerate</source>
        <translation>E&amp;rzeugen</translation>
    </message>
    <message>
        <source>The password will be copied to clipboard when Play F9 is executed. Most programs do not support entering the password from clipboard, though. Also KOLT has support for automatic entering of file names and passwords for some programs (CMBO, SE4). Clear the password field if you don&apos;t want to use it.</source>
        <translation>Das Passwort wird in die Zwischenablage kopiert, wenn Spielen F9 ausgeführt wird. Die meisten Programme erlauben jedoch nicht, das Passwort aus der Zwischenablage einzufügen. Außerdem kann KOLT bei einigen Programmen (CMBO, SE4) Dateinamen und Passwörter automatisch eingeben. Leeren Sie das Passwortfeld, wenn Sie es nicht verwenden möchten.</translation>
    </message>
    <message>
        <source>Host a&amp;utomatically when every player&apos;s orders are in</source>
        <translation>&amp;Automatisch hosten, sobald die Befehle aller Spieler vorliegen</translation>
    </message>
    <message>
        <source>Tip: Press F6 to copy any field to clipboard and display it in message box.</source>
        <translation>Tipp: Drücken Sie F6, um ein Feld in die Zwischenablage zu kopieren und in einem Meldungsfenster anzuzeigen.</translation>
    </message>
    <message>
        <source>&amp;Remind</source>
        <translation>Eri&amp;nnern</translation>
    </message>
    <message>
        <source>Mail the opponent a short reminder that this game waits for his turn</source>
        <translation>Dem Gegner eine kurze Erinnerung senden, dass diese Partie auf seinen Zug wartet</translation>
    </message>
    <message>
        <source>&amp;More...</source>
        <translation>Me&amp;hr...</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
    <message>
        <source>Dele&amp;te...</source>
        <translation>L&amp;öschen...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmHistory</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Opponent</source>
        <translation>Gegner</translation>
    </message>
    <message>
        <source>Mode</source>
        <comment>how the turn was sent: KLT, ZIP or as it is</comment>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Taunt</source>
        <translation>Spruch</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>&amp;Restore this turn...</source>
        <translation>Diesen Zug &amp;wiederherstellen...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Installed programs</source>
        <translation>Installierte Programme</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>Sta&amp;rten</translation>
    </message>
    <message>
        <source>Start the selected program (or double-click the program)</source>
        <translation>Das ausgewählte Programm starten (oder auf das Programm doppelklicken)</translation>
    </message>
    <message>
        <source>H&amp;ide</source>
        <translation>&amp;Verbergen</translation>
    </message>
    <message>
        <source>Hide the selected program</source>
        <translation>Das ausgewählte Programm verbergen</translation>
    </message>
    <message>
        <source>Games in progress</source>
        <translation>Laufende Partien</translation>
    </message>
    <message>
        <source>&amp;Edit... (F2)</source>
        <translation>&amp;Bearbeiten... (F2)</translation>
    </message>
    <message>
        <source>Set the Mode and E-Mail address for the selected game (or double-click the game)</source>
        <translation>Modus und E-Mail-Adresse der ausgewählten Partie festlegen (oder auf die Partie doppelklicken)</translation>
    </message>
    <message>
        <source>Se&amp;lect (F3)</source>
        <translation>A&amp;uswählen (F3)</translation>
    </message>
    <message>
        <source>Select games with Send or Play/Send status</source>
        <translation>Partien mit dem Status Senden oder Spielen/Senden auswählen</translation>
    </message>
    <message>
        <source>&amp;Send... (F4)</source>
        <translation>&amp;Senden... (F4)</translation>
    </message>
    <message>
        <source>Send all selected games</source>
        <translation>Alle ausgewählten Partien senden</translation>
    </message>
    <message>
        <source>&amp;Taunt your opponent</source>
        <translation>Spruch an den &amp;Gegner</translation>
    </message>
    <message>
        <source>Open an editor window before sending message to each opponent</source>
        <translation>Vor dem Senden an jeden Gegner ein Fenster zum Bearbeiten der Nachricht öffnen</translation>
    </message>
    <message>
        <source>Refresh (F5)</source>
        <translation>Aktualisieren (F5)</translation>
    </message>
    <message>
        <source>Refresh the program and game status</source>
        <translation>Status der Programme und Partien aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Play (F9)</source>
        <translation>S&amp;pielen (F9)</translation>
    </message>
    <message>
        <source>Play the selected game (or double-click the game when it has Play status)</source>
        <translation>Die ausgewählte Partie spielen (oder auf die Partie doppelklicken, wenn sie den Status Spielen hat)</translation>
    </message>
    <message>
        <source>&amp;Message (F12)</source>
        <translation>&amp;Nachricht (F12)</translation>
    </message>
    <message>
        <source>Send a message to opponent</source>
        <translation>Dem Gegner eine Nachricht senden</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
</context>
<context>
    <name>frmModify</name>
    <message>
        <source>Lon&amp;g name:</source>
        <translation>&amp;Langer Name:</translation>
    </message>
    <message>
        <source>&amp;Executable name:</source>
        <translation>&amp;Name der ausführbaren Datei:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>E-mail sub&amp;folder:</source>
        <translation>&amp;E-Mail-Unterordner:</translation>
    </message>
    <message>
        <source>Br&amp;owse...</source>
        <translation>D&amp;urchsuchen...</translation>
    </message>
    <message>
        <source>&amp;Uninstall string:</source>
        <translation>De&amp;installationseintrag:</translation>
    </message>
    <message>
        <source>File &amp;pattern:</source>
        <translation>Da&amp;teimuster:</translation>
    </message>
    <message>
        <source>Bro&amp;wse...</source>
        <translation>Du&amp;rchsuchen...</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
    <message>
        <source>&amp;Test...</source>
        <translation>Te&amp;sten...</translation>
    </message>
    <message>
        <source>&amp;Command line:</source>
        <translation>Befe&amp;hlszeile:</translation>
    </message>
    <message>
        <source>Co&amp;ntact</source>
        <translation>&amp;Kontakt</translation>
    </message>
    <message>
        <source>This program definition was created by:</source>
        <translation>Diese Programmdefinition wurde erstellt von:</translation>
    </message>
    <message>
        <source>Na&amp;me:</source>
        <translation>N&amp;ame:</translation>
    </message>
    <message>
        <source>E-mai&amp;l:</source>
        <translation>E-&amp;Mail:</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>Primary?</source>
        <translation>Hauptdatei?</translation>
    </message>
    <message>
        <source>Modified?</source>
        <translation>Geändert?</translation>
    </message>
    <message>
        <source>Check same date?</source>
        <translation>Gleiches Datum prüfen?</translation>
    </message>
    <message>
        <source>Required?</source>
        <translation>Erforderlich?</translation>
    </message>
    <message>
        <source>E&amp;xtension:</source>
        <translation>Endun&amp;g:</translation>
    </message>
    <message>
        <source>Brow&amp;se...</source>
        <translation>Dur&amp;chsuchen...</translation>
    </message>
    <message>
        <source>Primar&amp;y file</source>
        <translation>Hau&amp;ptdatei</translation>
    </message>
    <message>
        <source>Mod&amp;ified</source>
        <translation>Ge&amp;ändert</translation>
    </message>
    <message>
        <source>C&amp;heck same date</source>
        <translation>Gleiches Datum pr&amp;üfen</translation>
    </message>
    <message>
        <source>Re&amp;quired</source>
        <translation>Erf&amp;orderlich</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Hin&amp;zufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>Ent&amp;fernen</translation>
    </message>
    <message>
        <source>Press F1 for help.</source>
        <translation>Drücken Sie F1 für die Hilfe.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Sending e-mail</source>
        <translation>E-Mails senden</translation>
    </message>
    <message>
        <source>Se&amp;nding E-Mail</source>
        <translation>E-Mail-&amp;Versand</translation>
    </message>
    <message>
        <source>&amp;From (your e-mail address):</source>
        <translation>&amp;Absender (Ihre E-Mail-Adresse):</translation>
    </message>
    <message>
        <source>Send through the &amp;desktop mail client (Thunderbird or xdg-email)</source>
        <translation>Über das &amp;Mailprogramm des Desktops senden (Thunderbird oder xdg-email)</translation>
    </message>
    <message>
        <source>Show a message dialo&amp;g before sending the e-mail.</source>
        <translation>Vor dem Senden der E-Mail einen Nachrichten&amp;dialog anzeigen.</translation>
    </message>
    <message>
        <source>Send directly through an S&amp;MTP server (libcurl)</source>
        <translation>Direkt über einen &amp;SMTP-Server senden (libcurl)</translation>
    </message>
    <message>
        <source>SMTP &amp;server (outgoing mail):</source>
        <translation>SMTP-Se&amp;rver (ausgehende Mails):</translation>
    </message>
    <message>
        <source>Your SMTP &amp;e-mail address:</source>
        <translation>Ihre SMTP-&amp;E-Mail-Adresse:</translation>
    </message>
    <message>
        <source>Se&amp;curity:</source>
        <translation>Si&amp;cherheit:</translation>
    </message>
    <message>
        <source>STARTTLS (recommended)</source>
        <translation>STARTTLS (empfohlen)</translation>
    </message>
    <message>
        <source>TLS from the start (SSL)</source>
        <translation>TLS von Anfang an (SSL)</translation>
    </message>
    <message>
        <source>None (unencrypted)</source>
        <translation>Keine (unverschlüsselt)</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>SMTP &amp;user name:</source>
        <translation>SMTP-Ben&amp;utzername:</translation>
    </message>
    <message>
        <source>the SMTP e-mail address</source>
        <translation>die SMTP-E-Mail-Adresse</translation>
    </message>
    <message>
        <source>SMTP pass&amp;word:</source>
        <translation>SMTP-Pass&amp;wort:</translation>
    </message>
    <message>
        <source>none: send without logging in</source>
        <translation>keines: ohne Anmeldung senden</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Testen</translation>
    </message>
    <message>
        <source>T&amp;rust this certificate</source>
        <translation>Diesem &amp;Zertifikat vertrauen</translation>
    </message>
    <message>
        <source>Receiving e-mail</source>
        <translation>E-Mails empfangen</translation>
    </message>
    <message>
        <source>IMAP &amp;server:</source>
        <translation>IMAP-&amp;Server:</translation>
    </message>
    <message>
        <source>None (not encrypted)</source>
        <translation>Keine (nicht verschlüsselt)</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>Po&amp;rt:</translation>
    </message>
    <message>
        <source>&amp;User name (empty: your account address):</source>
        <translation>Ben&amp;utzername (leer: Ihre Kontoadresse):</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>Pass&amp;wort:</translation>
    </message>
    <message>
        <source>Mailbox &amp;folder:</source>
        <translation>Postfach&amp;ordner:</translation>
    </message>
    <message>
        <source>Check &amp;every (minutes, 0: only on request):</source>
        <translation>Prüf&amp;intervall (Minuten, 0: nur auf Anforderung):</translation>
    </message>
    <message>
        <source>Once a turn is taken in, &amp;mark its message as read</source>
        <translation>Nach Übernahme eines Zuges seine Nachricht als gelesen &amp;markieren</translation>
    </message>
    <message>
        <source>Once a turn is taken in, mo&amp;ve its message to:</source>
        <translation>Nach Übernahme eines Zuges seine Nachricht &amp;verschieben nach:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
</context>
<context>
    <name>frmProgram</name>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Ordner:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmPrograms</name>
    <message>
        <source>Programs</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>Remo&amp;ve...</source>
        <translation>&amp;Entfernen...</translation>
    </message>
    <message>
        <source>&amp;Disable...</source>
        <translation>&amp;Deaktivieren...</translation>
    </message>
    <message>
        <source>&amp;Enable</source>
        <translation>A&amp;ktivieren</translation>
    </message>
    <message>
        <source>Res&amp;tore...</source>
        <translation>&amp;Wiederherstellen...</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>Re&amp;fresh</source>
        <translation>Aktualisie&amp;ren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
</context>
<context>
    <name>frmSE4</name>
    <message>
        <source>Empire</source>
        <translation>Imperium</translation>
    </message>
    <message>
        <source>Leader</source>
        <translation>Anführer</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Status</source>
        <comment>a player&apos;s state in the game</comment>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>AI</source>
        <comment>computer-controlled player</comment>
        <translation>KI</translation>
    </message>
    <message>
        <source>&amp;Host password:</source>
        <translation>&amp;Host-Passwort:</translation>
    </message>
    <message>
        <source>Set &amp;me...</source>
        <translation>Als &amp;mich festlegen...</translation>
    </message>
    <message>
        <source>Set under &amp;AI</source>
        <translation>Der &amp;KI übergeben</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmTaunt</name>
    <message>
        <source>Taunt your opponent (press Ctrl+Enter to send)</source>
        <translation>Spruch an den Gegner (zum Senden Strg+Eingabe drücken)</translation>
    </message>
    <message>
        <source>&amp;E-Mail:</source>
        <translation>&amp;E-Mail:</translation>
    </message>
    <message>
        <source>&amp;Games:</source>
        <translation>&amp;Partien:</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Nachricht:</translation>
    </message>
    <message>
        <source>Enter &amp;text below and press enter, it will be added to the list, from where you can select it later</source>
        <translation>Geben Sie unten einen &amp;Text ein und drücken Sie die Eingabetaste: Er kommt in die Liste, aus der Sie ihn später wählen können</translation>
    </message>
    <message>
        <source>Sa&amp;ved:</source>
        <translation>&amp;Gespeichert:</translation>
    </message>
    <message>
        <source>&amp;Del</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Senden</translation>
    </message>
    <message>
        <source>&amp;Cancel sending...</source>
        <translation>Senden a&amp;bbrechen...</translation>
    </message>
</context>
<context>
    <name>kolt::DesktopNotifier</name>
    <message>
        <source>Show</source>
        <comment>notification action that shows the window</comment>
        <translation>Anzeigen</translation>
    </message>
</context>
<context>
    <name>kolt::GamesModel</name>
    <message>
        <source>Waiting</source>
        <comment>column</comment>
        <extracomment>the column that shows how long each game has been in its status</extracomment>
        <translation>Wartezeit</translation>
    </message>
</context>
<context>
    <name>kolt::MailboxChecker</name>
    <message>
        <source>Checking the mailbox %1 on %2...</source>
        <translation>Postfach %1 auf %2 wird geprüft...</translation>
    </message>
    <message>
        <source>%1 turn message(s) fetched</source>
        <translation>%1 Zugnachricht(en) abgerufen</translation>
    </message>
</context>
<context>
    <name>kolt::TrayIcon</name>
    <message>
        <source>&amp;Open</source>
        <extracomment>the tray menu&apos;s command that shows the window</extracomment>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Check mail now</source>
        <translation>&amp;Mails jetzt abrufen</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <extracomment>the tray menu&apos;s command that reads the programs and games again</extracomment>
        <translation>A&amp;ktualisieren</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>KOLT Helper: no game to play</source>
        <translation>KOLT Helper: keine Partie zu spielen</translation>
    </message>
    <message>
        <source>KOLT Helper: 1 game to play</source>
        <translation>KOLT Helper: 1 Partie zu spielen</translation>
    </message>
    <message numerus="yes">
        <source>KOLT Helper: %n games to play</source>
        <translation>
            <numerusform>KOLT Helper: %n Partie zu spielen</numerusform>
            <numerusform>KOLT Helper: %n Partien zu spielen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kolt::VBUnzFrm</name>
    <message>
        <source>Zipping...</source>
        <translation>Packen...</translation>
    </message>
    <message>
        <source>Unzipping...</source>
        <translation>Entpacken...</translation>
    </message>
    <message>
        <source>Compressing file:</source>
        <translation>Datei wird gepackt:</translation>
    </message>
    <message>
        <source>Decompressing file:</source>
        <translation>Datei wird entpackt:</translation>
    </message>
    <message>
        <source>Files:</source>
        <translation>Dateien:</translation>
    </message>
    <message>
        <source>Into directory:</source>
        <translation>In den Ordner:</translation>
    </message>
</context>
<context>
    <name>kolt::frmAbout</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>No program to open %1 was found.</source>
        <translation>Es wurde kein Programm zum Öffnen von %1 gefunden.</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>kolt::frmBlat</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>kolt::frmGame</name>
    <message>
        <source>Send as KLT (recommended)</source>
        <translation>Als KLT senden (empfohlen)</translation>
    </message>
    <message>
        <source>Send as ZIP (if your opponent does not have KOLT)</source>
        <translation>Als ZIP senden (wenn Ihr Gegner KOLT nicht hat)</translation>
    </message>
    <message>
        <source>Send the file as it is (Do not compress)</source>
        <translation>Datei unverändert senden (nicht komprimieren)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Are you sure that you want to delete this game?</source>
        <translation>Möchten Sie diese Partie wirklich löschen?</translation>
    </message>
    <message>
        <source>This program does not have more information.</source>
        <translation>Dieses Programm hat keine weiteren Informationen.</translation>
    </message>
</context>
<context>
    <name>kolt::frmHistory</name>
    <message>
        <source>Turn history - %1 %2</source>
        <translation>Zugverlauf - %1 %2</translation>
    </message>
    <message>
        <source>Turn history - %1</source>
        <translation>Zugverlauf - %1</translation>
    </message>
    <message>
        <source>The turn history cannot be read: %1</source>
        <translation>Der Zugverlauf kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>no game</source>
        <translation>keine Partie</translation>
    </message>
    <message>
        <source>No turns of this game have been sent or received yet.</source>
        <translation>Von dieser Partie wurden noch keine Züge gesendet oder empfangen.</translation>
    </message>
    <message>
        <source>The files in place are this turn&apos;s already.</source>
        <translation>Die vorhandenen Dateien sind bereits die dieses Zuges.</translation>
    </message>
    <message>
        <source>The files in place are this turn&apos;s already: there is nothing to restore.</source>
        <translation>Die vorhandenen Dateien sind bereits die dieses Zuges: Es gibt nichts wiederherzustellen.</translation>
    </message>
    <message>
        <source>Restore this turn</source>
        <translation>Diesen Zug wiederherstellen</translation>
    </message>
    <message>
        <source>Restored the turn of %1</source>
        <translation>Der Zug vom %1 wurde wiederhergestellt</translation>
    </message>
    <message>
        <source>Sent</source>
        <comment>a turn&apos;s direction</comment>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Received</source>
        <comment>a turn&apos;s direction</comment>
        <translation>Empfangen</translation>
    </message>
    <message>
        <source>Restored</source>
        <comment>a turn&apos;s direction</comment>
        <translation>Wiederhergestellt</translation>
    </message>
    <message>
        <source>Reminded</source>
        <comment>a turn&apos;s direction</comment>
        <translation>Erinnert</translation>
    </message>
    <message>
        <source>Restore the received turn of %1?<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
The files in place now are backed up first.</source>
        <translation>Den empfangenen Zug vom %1 wiederherstellen?<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Die jetzt vorhandenen Dateien werden zuerst gesichert.</translation>
    </message>
    <message>
        <source>Restore the sent turn of %1?<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
The files in place now are backed up first.</source>
        <translation>Den gesendeten Zug vom %1 wiederherstellen?<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Die jetzt vorhandenen Dateien werden zuerst gesichert.</translation>
    </message>
</context>
<context>
    <name>kolt::frmMain</name>
    <message>
        <source>Status</source>
        <extracomment>the status bar&apos;s first panel, before any status is shown</extracomment>
        <translation>Status</translation>
    </message>
    <message>
        <source>Hot key for file name</source>
        <translation>Tastenkürzel für den Dateinamen</translation>
    </message>
    <message>
        <source>Hot key for password</source>
        <translation>Tastenkürzel für das Passwort</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Zeitzone</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit selected game...</source>
        <translation>Ausgewählte Partie &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>Turn &amp;history...</source>
        <translation>Zug&amp;verlauf...</translation>
    </message>
    <message>
        <source>&amp;Automatically select games</source>
        <translation>Partien &amp;automatisch auswählen</translation>
    </message>
    <message>
        <source>&amp;Send selected games...</source>
        <translation>Ausgewählte Partien &amp;senden...</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <extracomment>the menu command that reads the programs and games again</extracomment>
        <translation>A&amp;ktualisieren</translation>
    </message>
    <message>
        <source>S&amp;top checking the mailbox</source>
        <translation>Postfachprüfung abbre&amp;chen</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <extracomment>the menu command that starts the selected game</extracomment>
        <translation>S&amp;pielen</translation>
    </message>
    <message>
        <source>&amp;Host...</source>
        <extracomment>the menu command that hosts the selected game (Space Empires IV)</extracomment>
        <translation>&amp;Hosten...</translation>
    </message>
    <message>
        <source>Send &amp;Message...</source>
        <translation>&amp;Nachricht senden...</translation>
    </message>
    <message>
        <source>Generate password...</source>
        <translation>Passwort erzeugen...</translation>
    </message>
    <message>
        <source>Copy the selected game password</source>
        <translation>Passwort der ausgewählten Partie kopieren</translation>
    </message>
    <message>
        <source>Open &amp;received file...</source>
        <translation>&amp;Empfangene Datei öffnen...</translation>
    </message>
    <message>
        <source>&amp;Open the received file in the archive viewer</source>
        <translation>Empfangene Datei im Archivbetrachter ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Show the last Zip operation...</source>
        <translation>Letzten ZIP-Vorgang anzeigen...</translation>
    </message>
    <message>
        <source>Show the last SMTP operation...</source>
        <translation>Letzten SMTP-Vorgang anzeigen...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Sending e-mail...</source>
        <translation>E-Mail-&amp;Versand...</translation>
    </message>
    <message>
        <source>The settings dialog is not available yet.</source>
        <translation>Der Einstellungsdialog ist noch nicht verfügbar.</translation>
    </message>
    <message>
        <source>&amp;Test e-mail sending</source>
        <translation>E-Mail-Versand &amp;testen</translation>
    </message>
    <message>
        <source>The test message is not available yet.</source>
        <translation>Die Testnachricht ist noch nicht verfügbar.</translation>
    </message>
    <message>
        <source>&amp;Modify installed programs...</source>
        <translation>Installierte Programme be&amp;arbeiten...</translation>
    </message>
    <message>
        <source>The programs dialog is not available yet.</source>
        <translation>Der Programmdialog ist noch nicht verfügbar.</translation>
    </message>
    <message>
        <source>&amp;Rescan installed programs</source>
        <translation>Installierte Programme &amp;neu suchen</translation>
    </message>
    <message>
        <source>Set &amp;additional working folder...</source>
        <translation>Zusätzlichen Arbeits&amp;ordner festlegen...</translation>
    </message>
    <message>
        <source>The working folder is not available yet.</source>
        <translation>Der Arbeitsordner ist noch nicht verfügbar.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;About KOLT Helper...</source>
        <translation>&amp;Info über KOLT Helper...</translation>
    </message>
    <message>
        <source>Checking %1</source>
        <translation>%1 wird geprüft</translation>
    </message>
    <message>
        <source>Turns arrived in the mailbox</source>
        <translation>Im Postfach sind Züge eingetroffen</translation>
    </message>
    <message>
        <source>They are taken in when you return to KOLT Helper.</source>
        <translation>Sie werden übernommen, wenn Sie zu KOLT Helper zurückkehren.</translation>
    </message>
    <message>
        <source>Press %1 in the game&apos;s file dialog to type the file name of the game started last with Play.</source>
        <translation>Drücken Sie %1 im Dateidialog des Spiels, um den Dateinamen der zuletzt mit Spielen gestarteten Partie einzugeben.</translation>
    </message>
    <message>
        <source>Press %1 in the game&apos;s password dialog to type the clipboard: Play copies the game&apos;s password there.</source>
        <translation>Drücken Sie %1 im Passwortdialog des Spiels, um den Inhalt der Zwischenablage einzugeben: Spielen kopiert das Passwort der Partie dorthin.</translation>
    </message>
    <message>
        <source>Your time zone, as it goes to your opponents with every turn you send.</source>
        <translation>Ihre Zeitzone, wie sie mit jedem gesendeten Zug an Ihre Gegner geht.</translation>
    </message>
    <message>
        <source>Turn files (%1)</source>
        <translation>Zugdateien (%1)</translation>
    </message>
    <message>
        <source>All files (%1)</source>
        <translation>Alle Dateien (%1)</translation>
    </message>
    <message>
        <source>Open received file</source>
        <translation>Empfangene Datei öffnen</translation>
    </message>
    <message>
        <source>Processing file %1 ...</source>
        <translation>Datei %1 wird verarbeitet ...</translation>
    </message>
    <message>
        <source>Ready</source>
        <extracomment>the status line when nothing is going on</extracomment>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Invalid file name: %1</source>
        <translation>Ungültiger Dateiname: %1</translation>
    </message>
    <message>
        <source>Can&apos;t open file: %1</source>
        <translation>Datei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Receiving turns is not available yet.</source>
        <translation>Das Empfangen von Zügen ist noch nicht verfügbar.</translation>
    </message>
    <message>
        <source>%1 was not taken in</source>
        <translation>%1 wurde nicht übernommen</translation>
    </message>
    <message>
        <source>%1 was not taken in: %2</source>
        <translation>%1 wurde nicht übernommen: %2</translation>
    </message>
    <message>
        <source>The turn is for %1, which is not set up here. Do you want to give its installation folder now?</source>
        <translation>Der Zug ist für %1, das hier nicht eingerichtet ist. Möchten Sie jetzt seinen Installationsordner angeben?</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>a received game in a notification: %1 the program&apos;s short name, %2 the file name</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2 (%3)</source>
        <translation>%1: %2 (%3)</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <extracomment>the last line of a notification that lists only the first games received</extracomment>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>No supported game program was found on this computer.

If one is installed, tell where: Options &gt; Modify installed programs...</source>
        <translation>Auf diesem Computer wurde kein unterstütztes Spielprogramm gefunden.

Wenn eines installiert ist, geben Sie an, wo: Einstellungen &gt; Installierte Programme bearbeiten...</translation>
    </message>
    <message>
        <source>No games in progress yet.

Start a game for e-mail play in one of the programs above (Run, or a double click on the program) and save its turn: it shows here.

A turn your opponent sent you comes in with File &gt; Open received file... (Ctrl+O), or drop the file onto this window.</source>
        <translation>Noch keine laufenden Partien.

Beginnen Sie in einem der Programme oben eine Partie für das Spiel per E-Mail (Starten oder ein Doppelklick auf das Programm) und speichern Sie ihren Zug: Sie erscheint dann hier.

Ein Zug, den Ihr Gegner Ihnen geschickt hat, kommt mit Datei &gt; Empfangene Datei öffnen... (Strg+O) herein, oder ziehen Sie die Datei auf dieses Fenster.</translation>
    </message>
    <message>
        <source>There is no game in the list yet.</source>
        <translation>Es ist noch keine Partie in der Liste.</translation>
    </message>
    <message>
        <source>Select a game in the list to %1.</source>
        <translation>Wählen Sie eine Partie in der Liste aus, um %1.</translation>
    </message>
    <message>
        <source>edit it</source>
        <extracomment>completes &quot;Select a game in the list to %1.&quot;</extracomment>
        <translation>sie zu bearbeiten</translation>
    </message>
    <message>
        <source>Sending files...</source>
        <translation>Dateien werden gesendet...</translation>
    </message>
    <message>
        <source>Sending messages...</source>
        <translation>Nachrichten werden gesendet...</translation>
    </message>
    <message>
        <source>Sending turns is not available yet.</source>
        <translation>Das Senden von Zügen ist noch nicht verfügbar.</translation>
    </message>
    <message>
        <source>host it</source>
        <extracomment>completes &quot;Select a game in the list to %1.&quot;</extracomment>
        <translation>sie zu hosten</translation>
    </message>
    <message>
        <source>play it</source>
        <translation>sie zu spielen</translation>
    </message>
    <message>
        <source>Host this game?</source>
        <translation>Diese Partie hosten?</translation>
    </message>
    <message>
        <source>This program does not support hosting.</source>
        <translation>Dieses Programm unterstützt das Hosten nicht.</translation>
    </message>
    <message>
        <source>Do you really want to hide %1?</source>
        <translation>Möchten Sie %1 wirklich verbergen?</translation>
    </message>
    <message>
        <source>The new password is: %1</source>
        <translation>Das neue Passwort lautet: %1</translation>
    </message>
    <message>
        <source>The password has been copied to clipboard.</source>
        <translation>Das Passwort wurde in die Zwischenablage kopiert.</translation>
    </message>
    <message>
        <source>No program is set up to open ZIP archives on this desktop.</source>
        <translation>Auf diesem Desktop ist kein Programm zum Öffnen von ZIP-Archiven eingerichtet.</translation>
    </message>
    <message>
        <source>see its turn history</source>
        <translation>seinen Zugverlauf anzusehen</translation>
    </message>
    <message>
        <source>&amp;Remind the opponent</source>
        <translation>Gegner &amp;erinnern</translation>
    </message>
    <message>
        <source>Reminded %1 of %2</source>
        <translation>%1 an %2 erinnert</translation>
    </message>
    <message>
        <source>The games are still being read; try again in a moment.</source>
        <translation>Die Spiele werden noch gelesen; bitte gleich noch einmal versuchen.</translation>
    </message>
</context>
<context>
    <name>kolt::frmModify</name>
    <message>
        <source>Modify %1 (%2)</source>
        <translation>%1 bearbeiten (%2)</translation>
    </message>
    <message>
        <source>Select the file.</source>
        <translation>Wählen Sie die Datei.</translation>
    </message>
    <message>
        <source>Select the executable.</source>
        <translation>Wählen Sie die ausführbare Datei.</translation>
    </message>
    <message>
        <source>Select some file in the e-mail subfolder (if any).</source>
        <translation>Wählen Sie eine Datei im E-Mail-Unterordner (falls vorhanden).</translation>
    </message>
    <message>
        <source>Select the primary file.</source>
        <translation>Wählen Sie die Hauptdatei.</translation>
    </message>
    <message>
        <source>Please define the description rule first.</source>
        <translation>Bitte legen Sie zuerst die Beschreibungsregel fest.</translation>
    </message>
    <message>
        <source>Select the file to test the description rule.</source>
        <translation>Wählen Sie die Datei, an der die Beschreibungsregel getestet wird.</translation>
    </message>
    <message>
        <source>The file description</source>
        <translation>Die Dateibeschreibung</translation>
    </message>
    <message>
        <source>Can&apos;t write the definition file %1</source>
        <translation>Die Definitionsdatei %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Long descriptive name (e.g. &apos;Steel Panthers: World At War&apos;).</source>
        <translation>Langer, beschreibender Name (z. B. &apos;Steel Panthers: World At War&apos;).</translation>
    </message>
    <message>
        <source>The executable name (e.g. &apos;GAME.EXE&apos;).</source>
        <translation>Der Name der ausführbaren Datei (z. B. &apos;GAME.EXE&apos;).</translation>
    </message>
    <message>
        <source>The KOLT subfolder (e.g. &apos;KOLT&apos; or &apos;EMAIL&apos; or nothing).</source>
        <translation>Der KOLT-Unterordner (z. B. &apos;KOLT&apos; oder &apos;EMAIL&apos; oder nichts).</translation>
    </message>
    <message>
        <source>The uninstall string from HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ (e.g. &apos;Steel_Panthers_World_At_War&apos; or nothing). %1 can possibly find the installed program by this information. You can have several strings here, if you separate them by the | character (vertical line). Use RegEdit to browse the registry, but do not change anything!</source>
        <translation>Der Deinstallationseintrag aus HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ (z. B. &apos;Steel_Panthers_World_At_War&apos; oder nichts). %1 kann mit dieser Angabe möglicherweise das installierte Programm finden. Sie können hier mehrere Einträge angeben, wenn Sie sie durch das Zeichen | (senkrechter Strich) trennen. Verwenden Sie RegEdit, um die Registry anzusehen, aber ändern Sie nichts!</translation>
    </message>
    <message>
        <source>The file pattern for KOLT files (e.g. &apos;SAVE?&apos; or &apos;*.TXT&apos; or &apos;EMAIL*.CMT&apos;). This pattern must match the Primary file type extension.</source>
        <translation>Das Dateimuster für KOLT-Dateien (z. B. &apos;SAVE?&apos; oder &apos;*.TXT&apos; oder &apos;EMAIL*.CMT&apos;). Dieses Muster muss zur Endung des Hauptdateityps passen.</translation>
    </message>
    <message>
        <source>LINE n: Use the n&apos;th line from the primary file as description. TRIM: Use the first null terminating string. MIDo,l: Skip o-1 characters, then read l characters, and then trim it.</source>
        <translation>LINE n: Die n-te Zeile der Hauptdatei als Beschreibung verwenden. TRIM: Die erste nullterminierte Zeichenkette verwenden. MIDo,l: o-1 Zeichen überspringen, dann l Zeichen lesen und Leerzeichen am Rand entfernen.</translation>
    </message>
    <message>
        <source>The command line option for starting the executable directly in the selected game when Play F9 is clicked (e.g.<byte value="xd"/>
&quot;%f&quot; &quot;%p&quot;<byte value="xd"/>
or nothing if the program does not support it). %f will be replaced by the file path and %p by the password.</source>
        <translation>Die Befehlszeilenoption, mit der die ausführbare Datei direkt in der gewählten Partie startet, wenn Spielen F9 angeklickt wird (z. B.<byte value="xd"/>
&quot;%f&quot; &quot;%p&quot;<byte value="xd"/>
oder nichts, wenn das Programm das nicht unterstützt). %f wird durch den Dateipfad und %p durch das Passwort ersetzt.</translation>
    </message>
    <message>
        <source>You must have at least one file type defined. Some programs have several files for one game. In that case the file base is always the same, only extension changes.</source>
        <translation>Sie müssen mindestens einen Dateityp festlegen. Manche Programme haben mehrere Dateien für eine Partie. Dann ist der Dateiname immer gleich, nur die Endung ändert sich.</translation>
    </message>
    <message>
        <source>The extension for the file (e.g. &apos;CMT&apos; or &apos;TXT&apos; or nothing).</source>
        <translation>Die Endung der Datei (z. B. &apos;CMT&apos; oder &apos;TXT&apos; oder nichts).</translation>
    </message>
    <message>
        <source>One of the files must be the primary file. The extension must match the file pattern defined above.</source>
        <translation>Eine der Dateien muss die Hauptdatei sein. Die Endung muss zum oben festgelegten Dateimuster passen.</translation>
    </message>
    <message>
        <source>The modification date is checked from one of the files.</source>
        <translation>Das Änderungsdatum wird an einer der Dateien geprüft.</translation>
    </message>
    <message>
        <source>Enable this if the file modification date must be newer each time.</source>
        <translation>Aktivieren Sie dies, wenn das Änderungsdatum der Datei jedes Mal neuer sein muss.</translation>
    </message>
    <message>
        <source>Enable this if the file must exist.</source>
        <translation>Aktivieren Sie dies, wenn die Datei vorhanden sein muss.</translation>
    </message>
    <message>
        <source>Set focus to some control and press F1 again.</source>
        <translation>Setzen Sie den Fokus auf ein Steuerelement und drücken Sie erneut F1.</translation>
    </message>
</context>
<context>
    <name>kolt::frmOptions</name>
    <message>
        <source>The password is kept in
%1,
never in the settings file.</source>
        <translation>Das Passwort wird gespeichert in
%1,
niemals in der Einstellungsdatei.</translation>
    </message>
    <message>
        <source>Enter the IMAP server first.</source>
        <translation>Geben Sie zuerst den IMAP-Server ein.</translation>
    </message>
    <message>
        <source>Logged in as %1: the folder %2 has %3 unread messages.</source>
        <translation>Angemeldet als %1: Der Ordner %2 enthält %3 ungelesene Nachrichten.</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Enter the SMTP server first.</source>
        <translation>Geben Sie zuerst den SMTP-Server ein.</translation>
    </message>
    <message>
        <source>Connected to %1 (no password: no login tried).</source>
        <translation>Verbunden mit %1 (kein Passwort: keine Anmeldung versucht).</translation>
    </message>
    <message>
        <source>Connected to %1 and logged in as %2. No message was sent.</source>
        <translation>Verbunden mit %1 und angemeldet als %2. Es wurde keine Nachricht gesendet.</translation>
    </message>
    <message>
        <source>The certificate of the server %1 is not trusted on this computer (%2).</source>
        <extracomment>%2 is the reason the connection failed</extracomment>
        <translation>Dem Zertifikat des Servers %1 wird auf diesem Computer nicht vertraut (%2).</translation>
    </message>
    <message>
        <source>Its certificate could not be read: %1</source>
        <translation>Sein Zertifikat konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Trust it only if the server is your own or the fingerprint is the one your provider publishes. Your password was not sent.</source>
        <translation>Vertrauen Sie ihm nur, wenn der Server Ihr eigener ist oder der Fingerabdruck der ist, den Ihr Anbieter veröffentlicht. Ihr Passwort wurde nicht gesendet.</translation>
    </message>
    <message>
        <source>Can&apos;t write the file %1</source>
        <translation>Die Datei %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Enter your e-mail address under &quot;%1&quot;. Your opponents&apos; copies know your turns by it, and the test message goes to it.</source>
        <translation>Geben Sie Ihre E-Mail-Adresse unter &quot;%1&quot; ein. Die Programme Ihrer Gegner erkennen Ihre Züge daran, und die Testnachricht geht an sie.</translation>
    </message>
    <message>
        <source>The address under &quot;%1&quot; is %2 characters long; at most %3 fit. Enter one address, such as name@example.com.</source>
        <translation>Die Adresse unter &quot;%1&quot; ist %2 Zeichen lang; höchstens %3 passen. Geben Sie eine einzige Adresse ein, etwa name@example.com.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address. Enter one address under &quot;%2&quot;, such as name@example.com.</source>
        <translation>&quot;%1&quot; ist keine E-Mail-Adresse. Geben Sie unter &quot;%2&quot; eine einzige Adresse ein, etwa name@example.com.</translation>
    </message>
    <message>
        <source>Enter the SMTP server for outgoing mail, such as mail.example.com.</source>
        <translation>Geben Sie den SMTP-Server für ausgehende Mails ein, etwa mail.example.com.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an SMTP server. Enter its name, optionally with a port: mail.example.com, mail.example.com:587 or [2001:db8::1]:587.</source>
        <translation>&quot;%1&quot; ist kein SMTP-Server. Geben Sie seinen Namen ein, wahlweise mit Port: mail.example.com, mail.example.com:587 oder [2001:db8::1]:587.</translation>
    </message>
    <message>
        <source>The address of your SMTP account under &quot;%1&quot; is %2 characters long; at most %3 fit.</source>
        <translation>Die Adresse Ihres SMTP-Kontos unter &quot;%1&quot; ist %2 Zeichen lang; höchstens %3 passen.</translation>
    </message>
    <message>
        <source>Enter the address of your SMTP account under &quot;%1&quot;, such as name@example.com.</source>
        <translation>Geben Sie die Adresse Ihres SMTP-Kontos unter &quot;%1&quot; ein, etwa name@example.com.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address. Enter the address of your SMTP account under &quot;%2&quot;, such as name@example.com.</source>
        <translation>&quot;%1&quot; ist keine E-Mail-Adresse. Geben Sie die Adresse Ihres SMTP-Kontos unter &quot;%2&quot; ein, etwa name@example.com.</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file %1</source>
        <translation>Die Einstellungsdatei %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Can&apos;t store the SMTP password in %1</source>
        <translation>Das SMTP-Passwort kann nicht in %1 gespeichert werden</translation>
    </message>
</context>
<context>
    <name>kolt::frmProgram</name>
    <message>
        <source>Folder &apos;%1&apos; does not exist</source>
        <translation>Der Ordner &apos;%1&apos; existiert nicht</translation>
    </message>
</context>
<context>
    <name>kolt::frmPrograms</name>
    <message>
        <source>Enter the short name for the new program. It should contain 2-8 characters, only A-Z and 0-9 are allowed.</source>
        <translation>Geben Sie den Kurznamen des neuen Programms ein. Er sollte 2 bis 8 Zeichen lang sein; nur A-Z und 0-9 sind erlaubt.</translation>
    </message>
    <message>
        <source>New program</source>
        <translation>Neues Programm</translation>
    </message>
    <message>
        <source>Invalid length: %1</source>
        <translation>Ungültige Länge: %1</translation>
    </message>
    <message>
        <source>Invalid character: %1</source>
        <translation>Ungültiges Zeichen: %1</translation>
    </message>
    <message>
        <source>Name is already in use!</source>
        <translation>Der Name ist bereits vergeben!</translation>
    </message>
    <message>
        <source>Can&apos;t write the definition file %1</source>
        <translation>Die Definitionsdatei %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 is hard coded and can&apos;t be modified.</source>
        <translation>%1 ist fest eingebaut und kann nicht geändert werden.</translation>
    </message>
    <message>
        <source>%1 is hard coded and can&apos;t be removed, but you can disable it if you want.</source>
        <translation>%1 ist fest eingebaut und kann nicht entfernt werden, aber Sie können es deaktivieren.</translation>
    </message>
    <message>
        <source>Do you want to remove %1? The program will just be removed from the list of installed games, the %2 file still remains.</source>
        <translation>Möchten Sie %1 entfernen? Das Programm wird nur aus der Liste der installierten Spiele entfernt, die Datei %2 bleibt erhalten.</translation>
    </message>
    <message>
        <source>Do you really want to disable %1?</source>
        <translation>Möchten Sie %1 wirklich deaktivieren?</translation>
    </message>
    <message>
        <source>Do you want to restore all removed programs?</source>
        <translation>Möchten Sie alle entfernten Programme wiederherstellen?</translation>
    </message>
    <message>
        <source>You have to restart %1 so that the changes take effect.</source>
        <translation>Sie müssen %1 neu starten, damit die Änderungen wirksam werden.</translation>
    </message>
</context>
<context>
    <name>kolt::frmSE4</name>
    <message>
        <source>Normally you are detected from your e-mail address that is defined in KOLT helper options. If for some reason it is different than your e-mail address in this game, you can define your own empire here. Click OK to set %1 (%2) as your empire.</source>
        <translation>Normalerweise werden Sie an Ihrer E-Mail-Adresse erkannt, die in den Einstellungen von KOLT Helper festgelegt ist. Wenn sie aus irgendeinem Grund von Ihrer E-Mail-Adresse in dieser Partie abweicht, können Sie Ihr eigenes Imperium hier festlegen. Klicken Sie auf OK, um %1 (%2) als Ihr Imperium festzulegen.</translation>
    </message>
</context>
<context>
    <name>kolt::frmTaunt</name>
    <message>
        <source>Are you sure you want to cancel the sending operation?</source>
        <translation>Möchten Sie das Senden wirklich abbrechen?</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ArchiveWrapper</name>
    <message>
        <source>Please Enter The Password!</source>
        <translation>Veuillez saisir le mot de passe !</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>%1 %2 failed</source>
        <extracomment>%1: the archive library and its version, %2: the function that failed</extracomment>
        <translation>%1 %2 a échoué</translation>
    </message>
    <message>
        <source>the ZIP writer is not available</source>
        <translation>l&apos;écriture ZIP n&apos;est pas disponible</translation>
    </message>
</context>
<context>
    <name>AutoHost</name>
    <message>
        <source>the game ended without an exit code (it crashed or was killed)</source>
        <translation>le jeu s&apos;est terminé sans code de retour (il a planté ou a été tué)</translation>
    </message>
    <message>
        <source>Invalid Master Password.</source>
        <translation>Mot de passe maître non valide.</translation>
    </message>
    <message>
        <source>Invalid Player Password.</source>
        <translation>Mot de passe du joueur non valide.</translation>
    </message>
    <message>
        <source>Return code %1</source>
        <translation>Code de retour %1</translation>
    </message>
    <message>
        <source>Automatic hosting of %1 stopped: %2<byte value="xd"/><byte value="xd"/>Nothing was sent. The game is as it was before the host step; turn automatic hosting on again in the game&apos;s properties once the cause is fixed.</source>
        <translation>Hébergement automatique de %1 arrêté : %2<byte value="xd"/><byte value="xd"/>Rien n&apos;a été envoyé. La partie est telle qu&apos;avant l&apos;étape d&apos;hébergement ; réactivez l&apos;hébergement automatique dans les propriétés de la partie une fois la cause corrigée.</translation>
    </message>
    <message>
        <source>Undid the interrupted host step of %1</source>
        <translation>Étape d&apos;hébergement interrompue de %1 annulée</translation>
    </message>
    <message>
        <source>Not sent %1 to %2: the game changed since it was hosted</source>
        <translation>%1 non envoyé à %2 : la partie a changé depuis son hébergement</translation>
    </message>
    <message>
        <source>Can&apos;t create folder: %1</source>
        <translation>Impossible de créer le dossier : %1</translation>
    </message>
    <message>
        <source>the address %1 is not valid: %2</source>
        <translation>l&apos;adresse %1 n&apos;est pas valide : %2</translation>
    </message>
    <message>
        <source>the game has no player to send the turn to</source>
        <translation>la partie n&apos;a aucun joueur à qui envoyer le tour</translation>
    </message>
    <message>
        <source>the game&apos;s files were not found</source>
        <translation>les fichiers de la partie sont introuvables</translation>
    </message>
    <message>
        <source>the game could not be started</source>
        <translation>le jeu n&apos;a pas pu être lancé</translation>
    </message>
    <message>
        <source>the game ended without processing the turn</source>
        <translation>le jeu s&apos;est terminé sans traiter le tour</translation>
    </message>
    <message>
        <source>Hosted %1</source>
        <translation>%1 hébergé</translation>
    </message>
    <message>
        <source>Sending %1 to %2 failed; the next check tries again</source>
        <translation>L&apos;envoi de %1 à %2 a échoué ; la prochaine vérification réessaiera</translation>
    </message>
    <message>
        <source>Sent %1 to %2</source>
        <translation>%1 envoyé à %2</translation>
    </message>
    <message>
        <source>Done with %1: sent to %2 players</source>
        <translation>%1 terminé : envoyé à %2 joueurs</translation>
    </message>
    <message>
        <source>Hosting %1 failed: %2; automatic hosting of it is off</source>
        <translation>L&apos;hébergement de %1 a échoué : %2 ; son hébergement automatique est désactivé</translation>
    </message>
</context>
<context>
    <name>BuiltinProgram</name>
    <message>
        <source>Can&apos;t get directory: %1</source>
        <translation>Impossible de lire le dossier : %1</translation>
    </message>
    <message>
        <source>Unknown file type: %1</source>
        <translation>Type de fichier inconnu : %1</translation>
    </message>
    <message>
        <source>Can&apos;t delete: %1</source>
        <translation>Impossible de supprimer : %1</translation>
    </message>
    <message>
        <source>%1 executable not found: %2</source>
        <extracomment>%1 is the program&apos;s short name (SPWAW), %2 the file looked for</extracomment>
        <translation>Exécutable de %1 introuvable : %2</translation>
    </message>
    <message>
        <source>Can&apos;t get folder: %1</source>
        <translation>Dossier inaccessible : %1</translation>
    </message>
</context>
<context>
    <name>CMBO</name>
    <message>
        <source>%1 is already running... shut it down, then switch back to this application.</source>
        <translation>%1 est déjà lancé... Fermez-le, puis revenez à cette application.</translation>
    </message>
    <message>
        <source>Error finding file open window!</source>
        <translation>Erreur : la fenêtre d&apos;ouverture de fichier est introuvable !</translation>
    </message>
    <message>
        <source>%1 was not started properly.  Aborting.</source>
        <translation>%1 n&apos;a pas démarré correctement.  Abandon.</translation>
    </message>
    <message>
        <source>The resolution you are running CM at (%1x%2) is not supported by KOLT.</source>
        <extracomment>%1 and %2 are the width and height of the game&apos;s window</extracomment>
        <translation>La résolution dans laquelle CM tourne (%1x%2) n&apos;est pas prise en charge par KOLT.</translation>
    </message>
    <message>
        <source>Error entering filename in dialog box!</source>
        <translation>Erreur lors de la saisie du nom de fichier dans la boîte de dialogue !</translation>
    </message>
</context>
<context>
    <name>CMBO_Game</name>
    <message>
        <source>Can&apos;t get file: %1</source>
        <translation>Fichier inaccessible : %1</translation>
    </message>
</context>
<context>
    <name>CUSTOM</name>
    <message>
        <source>Not installed: EMailSubDir leads outside the installation folder</source>
        <translation>Non installé : EMailSubDir mène hors du dossier d&apos;installation</translation>
    </message>
    <message>
        <source>%1 is not used: its game folder (EMailSubDir=%2) leads outside the installation folder %3.<byte value="xd"/>Change EMailSubDir in %4 to a folder inside the installation folder.</source>
        <extracomment>%1 is the program, %2 its game folder, %3 its installation folder, %4 its definition file</extracomment>
        <translation>%1 n&apos;est pas utilisé : son dossier des parties (EMailSubDir=%2) mène hors du dossier d&apos;installation %3.<byte value="xd"/>Dans %4, remplacez EMailSubDir par un dossier situé dans le dossier d&apos;installation.</translation>
    </message>
    <message>
        <source>Not installed: the definition file is larger than 64 MB</source>
        <translation>Non installé : le fichier de définition dépasse 64 Mo</translation>
    </message>
    <message>
        <source>%1 is not read: it is larger than 64 MB, which no definition is.</source>
        <translation>%1 n&apos;est pas lu : il dépasse 64 Mo, ce qu&apos;aucune définition ne fait.</translation>
    </message>
    <message>
        <source>Required file missing: %1</source>
        <translation>Fichier requis manquant : %1</translation>
    </message>
</context>
<context>
    <name>CUSTOM_Game</name>
    <message>
        <source>Invalid Description rule: %1</source>
        <translation>Règle Description non valide : %1</translation>
    </message>
</context>
<context>
    <name>CliLoop</name>
    <message>
        <source>play takes one game (SHORT/NAME)</source>
        <translation>play attend une partie (SHORT/NAME)</translation>
    </message>
    <message>
        <source>--interval needs a number of seconds (1 to 604800)</source>
        <translation>--interval attend un nombre de secondes (de 1 à 604800)</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>argument inattendu : %1</translation>
    </message>
    <message>
        <source>no such game: %1 (&apos;kolt-cli list&apos; shows the games in progress)</source>
        <translation>partie inconnue : %1 (&apos;kolt-cli list&apos; affiche les parties en cours)</translation>
    </message>
    <message>
        <source>%1 is running already; finish it first</source>
        <translation>%1 est déjà lancé ; fermez-le d&apos;abord</translation>
    </message>
    <message>
        <source>%1 was not played: the game could not be started</source>
        <translation>%1 n&apos;a pas été jouée : le jeu n&apos;a pas pu être lancé</translation>
    </message>
    <message>
        <source>Waiting for %1 to end...</source>
        <translation>Attente de la fin de %1...</translation>
    </message>
    <message>
        <source>nothing to send: no new turn of %1 is ready (the game&apos;s files did not change)</source>
        <translation>rien à envoyer : aucun nouveau tour de %1 n&apos;est prêt (les fichiers de la partie n&apos;ont pas changé)</translation>
    </message>
    <message>
        <source>%1 was not sent; send it with &apos;kolt-cli send&apos;</source>
        <translation>%1 n&apos;a pas été envoyée ; envoyez-la avec &apos;kolt-cli send&apos;</translation>
    </message>
    <message>
        <source>Sending files...</source>
        <translation>Envoi des fichiers...</translation>
    </message>
    <message>
        <source>Sent %1 to %2</source>
        <extracomment>%1 is the game (SHORT/NAME), %2 the opponent&apos;s address</extracomment>
        <translation>%1 envoyée à %2</translation>
    </message>
    <message>
        <source>%1 was not sent, see the message above</source>
        <translation>%1 n&apos;a pas été envoyée, voir le message ci-dessus</translation>
    </message>
    <message>
        <source>Received %1</source>
        <extracomment>%1 is the game (SHORT/NAME), %2 the address it came from</extracomment>
        <translation>%1 reçue</translation>
    </message>
    <message>
        <source>Received %1 from %2</source>
        <translation>%1 reçue de %2</translation>
    </message>
    <message>
        <source>No mailbox to check: %1</source>
        <translation>Aucune boîte aux lettres à consulter : %1</translation>
    </message>
    <message>
        <source>Mailbox: %1</source>
        <translation>Boîte aux lettres : %1</translation>
    </message>
    <message>
        <source>Serving %1 every %2 s</source>
        <extracomment>%1 is the home folder, %2 the seconds between two rounds</extracomment>
        <translation>Service de %1 toutes les %2 s</translation>
    </message>
    <message>
        <source>Stopped</source>
        <extracomment>the last line of kolt-cli serve: stopped by a signal, or one round done</extracomment>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>CliTurns</name>
    <message>
        <source>--taunt needs a text</source>
        <translation>--taunt attend un texte</translation>
    </message>
    <message>
        <source>unexpected argument: %1 (put -- before a file name that starts with -)</source>
        <translation>argument inattendu : %1 (mettez -- devant un nom de fichier qui commence par -)</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>argument inattendu : %1</translation>
    </message>
    <message>
        <source>receive takes one file</source>
        <translation>receive attend un fichier</translation>
    </message>
    <message>
        <source>send takes at least one game (SHORT/NAME)</source>
        <translation>send attend au moins une partie (SHORT/NAME)</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <extracomment>%1 is a command: refresh, test-mail or fetch</extracomment>
        <translation>%1 n&apos;accepte aucun argument</translation>
    </message>
    <message>
        <source>%1 was not taken in: %2</source>
        <translation>%1 n&apos;a pas été pris en compte : %2</translation>
    </message>
    <message>
        <source>no working folder is set (the window sets it: Options &gt; Set additional working folder...)</source>
        <translation>aucun dossier de travail n&apos;est défini (la fenêtre le définit : Options &gt; Définir un dossier de travail supplémentaire...)</translation>
    </message>
    <message>
        <source>copying the received files stopped, see the message above</source>
        <translation>la copie des fichiers reçus s&apos;est arrêtée, voir le message ci-dessus</translation>
    </message>
    <message>
        <source>some received files were not taken in: the older files were not confirmed</source>
        <translation>certains fichiers reçus n&apos;ont pas été pris en compte : les fichiers plus anciens n&apos;ont pas été confirmés</translation>
    </message>
    <message>
        <source>not everything in the working folder was taken in, see the messages above</source>
        <translation>le contenu du dossier de travail n&apos;a pas été entièrement pris en compte, voir les messages ci-dessus</translation>
    </message>
    <message>
        <source>no such game: %1 (&apos;kolt-cli list&apos; shows the games in progress)</source>
        <translation>partie inconnue : %1 (&apos;kolt-cli list&apos; affiche les parties en cours)</translation>
    </message>
    <message>
        <source>Sending messages...</source>
        <translation>Envoi des messages...</translation>
    </message>
    <message>
        <source>Sending files...</source>
        <translation>Envoi des fichiers...</translation>
    </message>
    <message>
        <source>Ready</source>
        <extracomment>the status line when nothing is under way</extracomment>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>nothing was sent, see the message above</source>
        <translation>rien n&apos;a été envoyé, voir le message ci-dessus</translation>
    </message>
    <message>
        <source>nothing was sent: the confirmation was declined</source>
        <translation>rien n&apos;a été envoyé : la confirmation a été refusée</translation>
    </message>
    <message>
        <source>sending was interrupted (Ctrl+C); that message and the games after it were not sent</source>
        <translation>l&apos;envoi a été interrompu (Ctrl+C) ; ce message et les parties suivantes n&apos;ont pas été envoyés</translation>
    </message>
    <message>
        <source>sending stopped, see the message above; the games after it were not sent</source>
        <translation>l&apos;envoi s&apos;est arrêté, voir le message ci-dessus ; les parties suivantes n&apos;ont pas été envoyées</translation>
    </message>
    <message>
        <source>%1 turn message(s) were already taken in</source>
        <translation>%1 message(s) de tour déjà pris en compte</translation>
    </message>
    <message>
        <source>the test message was not sent: interrupted (Ctrl+C)</source>
        <translation>le message de test n&apos;a pas été envoyé : interrompu (Ctrl+C)</translation>
    </message>
    <message>
        <source>the test message was not sent, see the message above</source>
        <translation>le message de test n&apos;a pas été envoyé, voir le message ci-dessus</translation>
    </message>
</context>
<context>
    <name>CurlSession</name>
    <message>
        <source>The certificate of the server %1 has changed since you trusted it, so nothing was sent. Someone may be listening in, or the server got a new certificate. If you expect the change, open Options &gt; Sending e-mail, press Test on the page of this server, compare the new certificate with what your provider publishes and choose &quot;Trust this certificate&quot;.</source>
        <translation>Le certificat du serveur %1 a changé depuis que vous lui avez fait confiance ; rien n&apos;a donc été envoyé. Quelqu&apos;un est peut-être à l&apos;écoute, ou le serveur a reçu un nouveau certificat. Si vous attendiez ce changement, ouvrez Options &gt; Envoi des e-mails, cliquez sur Tester sur la page de ce serveur, comparez le nouveau certificat avec ce que publie votre fournisseur et choisissez « Faire confiance à ce certificat ».</translation>
    </message>
</context>
<context>
    <name>DesktopMailClient</name>
    <message>
        <source>The mail client crashed</source>
        <translation>Le client de messagerie a planté</translation>
    </message>
    <message>
        <source>The mail client ended with code %1</source>
        <translation>Le client de messagerie s&apos;est terminé avec le code %1</translation>
    </message>
</context>
<context>
    <name>EntryNames</name>
    <message>
        <source>it is an absolute path</source>
        <translation>c&apos;est un chemin absolu</translation>
    </message>
    <message>
        <source>it names a drive</source>
        <translation>il désigne un lecteur</translation>
    </message>
    <message>
        <source>it leads out of the target folder</source>
        <translation>il sort du dossier cible</translation>
    </message>
    <message>
        <source>a part of its name is too long</source>
        <translation>une partie de son nom est trop longue</translation>
    </message>
</context>
<context>
    <name>FileReplace</name>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>impossible d&apos;ouvrir %1</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>impossible de lire %1</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 est un dossier</translation>
    </message>
    <message>
        <source>cannot create a file in %1</source>
        <translation>impossible de créer un fichier dans %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>cannot set the time of %1</source>
        <translation>impossible de régler l&apos;heure de %1</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>impossible de remplacer %1</translation>
    </message>
</context>
<context>
    <name>GamesModel</name>
    <message>
        <source>In &quot;%1&quot; for %2</source>
        <extracomment>the tip of the Waiting column: %1 the game&apos;s status, %2 how long, such as &quot;3 days&quot;</extracomment>
        <translation>En « %1 » depuis %2</translation>
    </message>
</context>
<context>
    <name>HeadlessDisplay</name>
    <message>
        <source>There is no display to run the game on (DISPLAY is not set), and neither Xvfb nor xvfb-run is installed. Install them (on Debian and Ubuntu: sudo apt-get install xvfb), or run this in a desktop session.</source>
        <translation>Il n&apos;y a aucun affichage pour lancer le jeu (DISPLAY n&apos;est pas défini), et ni Xvfb ni xvfb-run n&apos;est installé. Installez-les (sous Debian et Ubuntu : sudo apt-get install xvfb), ou lancez ceci dans une session de bureau.</translation>
    </message>
    <message>
        <source>Xvfb (%1) did not start a display.</source>
        <translation>Xvfb (%1) n&apos;a pas démarré d&apos;affichage.</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>unknown database error</source>
        <translation>erreur de base de données inconnue</translation>
    </message>
    <message>
        <source>the SQLite driver of Qt SQL is not installed</source>
        <translation>le pilote SQLite de Qt SQL n&apos;est pas installé</translation>
    </message>
    <message>
        <source>no home folder</source>
        <translation>aucun dossier de base</translation>
    </message>
</context>
<context>
    <name>HostJournal</name>
    <message>
        <source>Can&apos;t write the host journal %1</source>
        <translation>Impossible d&apos;écrire le journal d&apos;hébergement %1</translation>
    </message>
    <message>
        <source>Can&apos;t create folder: %1</source>
        <translation>Impossible de créer le dossier : %1</translation>
    </message>
    <message>
        <source>Can&apos;t copy %1: %2</source>
        <translation>Impossible de copier %1 : %2</translation>
    </message>
    <message>
        <source>Can&apos;t delete file: %1</source>
        <translation>Impossible de supprimer le fichier : %1</translation>
    </message>
    <message>
        <source>Can&apos;t put back %1: %2</source>
        <translation>Impossible de remettre %1 en place : %2</translation>
    </message>
</context>
<context>
    <name>ImapClient</name>
    <message>
        <source>libcurl could not be initialised</source>
        <translation>libcurl n&apos;a pas pu être initialisée</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>The message is larger than %1 bytes</source>
        <translation>Le message dépasse %1 octets</translation>
    </message>
    <message>
        <source>Can&apos;t write file: %1 (%2)</source>
        <translation>Impossible d&apos;écrire le fichier : %1 (%2)</translation>
    </message>
    <message>
        <source>the server answered: %1</source>
        <translation>le serveur a répondu : %1</translation>
    </message>
    <message>
        <source>The server gave no UIDVALIDITY for the folder %1</source>
        <translation>Le serveur n&apos;a donné aucune UIDVALIDITY pour le dossier %1</translation>
    </message>
    <message>
        <source>Check the IMAP server name under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Vérifiez le nom du serveur IMAP sous Options &gt; Envoi des e-mails, page Réception des e-mails.</translation>
    </message>
    <message>
        <source>Check the IMAP server, the port and the security under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Vérifiez le serveur IMAP, le port et la sécurité sous Options &gt; Envoi des e-mails, page Réception des e-mails.</translation>
    </message>
    <message>
        <source>The secure connection failed: check that the security matches the port (TLS: usually 993; STARTTLS: usually 143).</source>
        <translation>La connexion sécurisée a échoué : vérifiez que la sécurité correspond au port (TLS : généralement 993 ; STARTTLS : généralement 143).</translation>
    </message>
    <message>
        <source>The server&apos;s certificate could not be verified: it is not trusted on this computer, or it is for another name. If the server is your own, press Test under Options &gt; Sending e-mail, page Receiving e-mail, to see its certificate and trust it.</source>
        <translation>Le certificat du serveur n&apos;a pas pu être vérifié : il n&apos;est pas reconnu sur cet ordinateur, ou il est établi pour un autre nom. Si le serveur est le vôtre, cliquez sur Tester sous Options &gt; Envoi des e-mails, page Réception des e-mails, pour voir son certificat et lui faire confiance.</translation>
    </message>
    <message>
        <source>Check the user name and the password under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Vérifiez le nom d&apos;utilisateur et le mot de passe sous Options &gt; Envoi des e-mails, page Réception des e-mails.</translation>
    </message>
    <message>
        <source>Check the mailbox folder under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Vérifiez le dossier de la boîte aux lettres sous Options &gt; Envoi des e-mails, page Réception des e-mails.</translation>
    </message>
</context>
<context>
    <name>KeptTurns</name>
    <message>
        <source>no name or time for %1</source>
        <translation>aucun nom ni aucune heure pour %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>impossible de créer %1</translation>
    </message>
    <message>
        <source>cannot copy %1</source>
        <translation>impossible de copier %1</translation>
    </message>
    <message>
        <source>This turn has no files to restore.</source>
        <translation>Ce tour n&apos;a aucun fichier à restaurer.</translation>
    </message>
    <message>
        <source>These files of the turn are no longer kept: %1. Nothing was restored.</source>
        <translation>Ces fichiers du tour ne sont plus conservés : %1. Rien n&apos;a été restauré.</translation>
    </message>
    <message>
        <source>Error while making backup of file %1 to %2</source>
        <translation>Erreur lors de la sauvegarde du fichier %1 dans %2</translation>
    </message>
    <message>
        <source>Error while keeping file %1: %2</source>
        <translation>Erreur lors de la conservation du fichier %1 : %2</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2</source>
        <translation>Impossible de copier le fichier %1 vers %2</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2: %3</source>
        <translation>Impossible de copier le fichier %1 vers %2 : %3</translation>
    </message>
</context>
<context>
    <name>KeyringPasswordStore</name>
    <message>
        <source>the desktop keyring</source>
        <translation>le trousseau de clés du bureau</translation>
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
        <translation>usage : kolt-cli [--yes|--no] list [--json]
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
  list       les programmes installés et les parties en cours, comme la fenêtre principale
             les affiche ; --json écrit un objet JSON {&quot;programs&quot;: [...], &quot;games&quot;: [...]}
             (chaque partie avec &quot;waiting_seconds&quot; : depuis combien de temps elle est dans
             son état)
  receive    prendre en compte une archive KLT reçue ; FILE est pris dans le dossier courant
  refresh    prendre en compte les fichiers qui attendent dans le dossier de travail
  send       envoyer les parties nommées (nom court du programme / nom de fichier, comme
             listés) à leurs adversaires, groupées par adresse ; --message envoie un
             message sans fichiers ; --taunt donne le texte personnel de chaque message
  test-mail  envoyer le message de test à votre propre adresse
  fetch      prendre en compte les messages de tour non lus de la boîte aux lettres
             (IMAP), après le dossier de travail ; code de sortie 0 si un tour a été pris
             en compte, 1 si la vérification ou le marquage d&apos;un message a échoué, si un
             message de tour reste non lu ou si un message a été refusé, 3 s&apos;il n&apos;y avait
             rien de nouveau ou si une autre vérification (la fenêtre, un autre kolt-cli)
             tournait sur le même dossier personnel (alors &quot;The mailbox is being checked
             by another KOLT Helper&quot; figure sur la sortie d&apos;erreur) ; Ctrl+C l&apos;arrête, et
             ce qui n&apos;a pas été pris en compte reste non lu
  play       lancer la partie nommée comme le fait Jouer dans la fenêtre, attendre sa fin,
             puis envoyer le tour terminé (&quot;Send ... now?&quot;) ; code de sortie 1 si rien
             n&apos;a été joué ni envoyé
  serve      vérifier le dossier de travail et la boîte aux lettres, héberger les parties
             marquées &quot;Host automatically&quot; et envoyer les résultats, et relancer les
             adversaires en retard si [Reminders] Auto=1, à chaque intervalle (300
             secondes par défaut ; --once : un seul tour) ; une ligne par action sur la
             sortie standard ; SIGTERM ou Ctrl+C termine l&apos;étape en cours puis s&apos;arrête

  --yes      répondre OK ou Oui à chaque question
  --no       répondre Annuler ou Non à chaque question
  -h, --help ce texte

Sans --yes ni --no, les questions sont posées dans le terminal ; sans terminal, le bouton
par défaut répond. Les messages et les questions vont sur la sortie d&apos;erreur, les listes
sur la sortie standard. KOLT_HOME choisit le dossier personnel.

Code de sortie : 0 fait ; 1 non fait (refusé, rejeté, échoué ou non pris en compte ; la
raison figure sur la sortie d&apos;erreur) ; 2 arguments incorrects, ou le démarrage a été
arrêté ; 3 fetch n&apos;a rien trouvé de nouveau, ou une autre vérification de la boîte aux
lettres était en cours.
</translation>
    </message>
    <message>
        <source>Try &apos;kolt-cli --help&apos; for more.
</source>
        <translation>Plus d&apos;informations avec &apos;kolt-cli --help&apos;.
</translation>
    </message>
    <message>
        <source>--yes and --no cannot be given together</source>
        <translation>--yes et --no ne peuvent pas être donnés ensemble</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>argument inattendu : %1</translation>
    </message>
    <message>
        <source>--json is an option of list</source>
        <translation>--json est une option de list</translation>
    </message>
    <message>
        <source>Installed programs</source>
        <translation>Programmes installés</translation>
    </message>
    <message>
        <source>Games in progress</source>
        <translation>Parties en cours</translation>
    </message>
</context>
<context>
    <name>LinuxWintools</name>
    <message>
        <source>Wine is setting up the folder %1 for its first use. This takes a minute...</source>
        <translation>Wine prépare le dossier %1 pour sa première utilisation. Cela prend une minute...</translation>
    </message>
    <message>
        <source>(the check program did not end within %1 seconds)</source>
        <translation>(le programme de vérification ne s&apos;est pas terminé en %1 secondes)</translation>
    </message>
    <message>
        <source>(nothing; the check program ended with %1 instead of %2)</source>
        <translation>(rien ; le programme de vérification s&apos;est terminé avec %1 au lieu de %2)</translation>
    </message>
    <message>
        <source>The Wine folder %1 cannot load Wine&apos;s 32-bit system: it was most likely made before the 32-bit part of Wine was installed, and such a folder stays that way. Make a new Wine folder and install the game into it again, for example:<byte value="xd"/>WINEPREFIX=~/.wine-games WINEARCH=win32 wineboot -i<byte value="xd"/>WINEPREFIX=~/.wine-games wine SETUP.EXE<byte value="xd"/><byte value="xd"/>Or move this folder away (mv %1 %1.old) and let Wine make it anew with: wineboot -i</source>
        <extracomment>%1 is the Wine folder; the command lines stay as they are</extracomment>
        <translation>Le dossier Wine %1 ne peut pas charger le système 32 bits de Wine : il a très probablement été créé avant l&apos;installation de la partie 32 bits de Wine, et un tel dossier reste ainsi. Créez un nouveau dossier Wine et installez-y de nouveau le jeu, par exemple :<byte value="xd"/>WINEPREFIX=~/.wine-games WINEARCH=win32 wineboot -i<byte value="xd"/>WINEPREFIX=~/.wine-games wine SETUP.EXE<byte value="xd"/><byte value="xd"/>Ou déplacez ce dossier (mv %1 %1.old) et laissez Wine le recréer avec : wineboot -i</translation>
    </message>
    <message>
        <source>Install the 32-bit part of Wine. On Debian and Ubuntu:<byte value="xd"/>sudo dpkg --add-architecture i386<byte value="xd"/>sudo apt update<byte value="xd"/>sudo apt install wine32:i386</source>
        <extracomment>the command lines stay as they are</extracomment>
        <translation>Installez la partie 32 bits de Wine. Sous Debian et Ubuntu :<byte value="xd"/>sudo dpkg --add-architecture i386<byte value="xd"/>sudo apt update<byte value="xd"/>sudo apt install wine32:i386</translation>
    </message>
    <message>
        <source>Can&apos;t start %1: it is a 32-bit Windows program, and the Wine command &quot;%2&quot; cannot run 32-bit programs on this computer.<byte value="xd"/><byte value="xd"/>Wine said:<byte value="xd"/>%3<byte value="xd"/><byte value="xd"/>%4<byte value="xd"/><byte value="xd"/>Then start %5 again.</source>
        <extracomment>%1 is the game&apos;s program, %2 the Wine command, %3 what Wine wrote, %4 the advice, %5 this program&apos;s name</extracomment>
        <translation>Impossible de lancer %1 : c&apos;est un programme Windows 32 bits, et la commande Wine &quot;%2&quot; ne peut pas exécuter de programmes 32 bits sur cet ordinateur.<byte value="xd"/><byte value="xd"/>Wine a répondu :<byte value="xd"/>%3<byte value="xd"/><byte value="xd"/>%4<byte value="xd"/><byte value="xd"/>Relancez ensuite %5.</translation>
    </message>
    <message>
        <source>The game ended at once. Wine said:<byte value="xd"/>%1</source>
        <translation>Le jeu s&apos;est terminé aussitôt. Wine a répondu :<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Can&apos;t execute: %1</source>
        <translation>Impossible d&apos;exécuter : %1</translation>
    </message>
    <message>
        <source>Can&apos;t execute: %1<byte value="xd"/><byte value="xd"/>The Wine command &quot;%2&quot; was not found. Install Wine, or name the command under [Settings] Wine in KOLT.INI.</source>
        <extracomment>%1 is the program with its arguments, %2 the Wine command</extracomment>
        <translation>Impossible d&apos;exécuter : %1<byte value="xd"/><byte value="xd"/>La commande Wine &quot;%2&quot; est introuvable. Installez Wine, ou indiquez la commande sous [Settings] Wine dans KOLT.INI.</translation>
    </message>
    <message>
        <source>Can&apos;t open file: %1</source>
        <translation>Impossible d&apos;ouvrir le fichier : %1</translation>
    </message>
    <message>
        <source>Can&apos;t set file time: %1</source>
        <translation>Impossible de modifier la date du fichier : %1</translation>
    </message>
</context>
<context>
    <name>ListRows</name>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>Game</source>
        <extracomment>column: the program&apos;s short name</extracomment>
        <translation>Jeu</translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>column: the program&apos;s long name</extracomment>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>column: running or not</extracomment>
        <translation>État</translation>
    </message>
    <message>
        <source>Directory</source>
        <extracomment>column: the installation folder</extracomment>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nom de fichier</translation>
    </message>
    <message>
        <source>Info</source>
        <extracomment>column: the game&apos;s own description (scenario, turn, players)</extracomment>
        <translation>Infos</translation>
    </message>
    <message>
        <source>Modified</source>
        <extracomment>column: when the game&apos;s file last changed</extracomment>
        <translation>Modifié</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Mode</source>
        <extracomment>column: how the game is sent (KLT, ZIP or plain files)</extracomment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-mail</translation>
    </message>
</context>
<context>
    <name>MailText</name>
    <message>
        <source>The address list is %1 characters long; at most %2 fit. Send to fewer addresses at once.</source>
        <translation>La liste d&apos;adresses compte %1 caractères ; %2 au plus sont possibles. Envoyez à moins d&apos;adresses à la fois.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has an empty entry; separate the addresses by one &quot;;&quot;.</source>
        <translation>« %1 » contient une entrée vide ; séparez les adresses par un seul « ; ».</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address. Enter addresses such as name@example.com, several separated by &quot;;&quot;.</source>
        <translation>« %1 » n&apos;est pas une adresse e-mail. Saisissez des adresses comme name@example.com, plusieurs séparées par « ; ».</translation>
    </message>
</context>
<context>
    <name>MailboxFetch</name>
    <message>
        <source>The message &quot;%1&quot; (UID %2)</source>
        <translation>Le message « %1 » (UID %2)</translation>
    </message>
    <message>
        <source>The message &quot;%1&quot; from %2 (UID %3)</source>
        <translation>Le message « %1 » de %2 (UID %3)</translation>
    </message>
    <message>
        <source>Checking the mailbox failed: %1</source>
        <translation>La vérification de la boîte aux lettres a échoué : %1</translation>
    </message>
    <message>
        <source>The folder %1 is &quot;%2&quot; on the server: turns are moved there (set IMAP_After to MOVE:%2 to say so).</source>
        <translation>Le dossier %1 est « %2 » sur le serveur : les tours y sont déplacés (réglez IMAP_After sur MOVE:%2 pour l&apos;indiquer).</translation>
    </message>
    <message>
        <source>the server has several folders named %1: %2 (name one of them in full)</source>
        <translation>le serveur a plusieurs dossiers nommés %1 : %2 (indiquez le nom complet de l&apos;un d&apos;eux)</translation>
    </message>
    <message>
        <source>the server has no folder %1</source>
        <translation>le serveur n&apos;a pas de dossier %1</translation>
    </message>
    <message>
        <source>the server has no folder %1 (its folders: %2)</source>
        <translation>le serveur n&apos;a pas de dossier %1 (ses dossiers : %2)</translation>
    </message>
    <message>
        <source>No IMAP server is set: enter one under Options &gt; Sending e-mail, page Receiving e-mail.</source>
        <translation>Aucun serveur IMAP n&apos;est défini : saisissez-en un sous Options &gt; Envoi des e-mails, page Réception des e-mails.</translation>
    </message>
    <message>
        <source>Can&apos;t create folder: %1</source>
        <translation>Impossible de créer le dossier : %1</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>The read marks of the messages fetched could not be taken back (%1): they are fetched again at the next check.</source>
        <translation>Les marques de lecture des messages récupérés n&apos;ont pas pu être retirées (%1) : ils seront récupérés de nouveau à la prochaine vérification.</translation>
    </message>
    <message>
        <source>%1 turn message(s) taken in could not be moved to the folder %2: %3. They stay in %4; the move is tried again at the next check.</source>
        <translation>%1 message(s) de tour pris en compte n&apos;ont pas pu être déplacé(s) dans le dossier %2 : %3. Ils restent dans %4 ; le déplacement sera retenté à la prochaine vérification.</translation>
    </message>
    <message>
        <source>The turn message with UID %1 was taken in but could not be moved to the folder %2: %3 (tried again at the next check)</source>
        <translation>Le message de tour d&apos;UID %1 a été pris en compte mais n&apos;a pas pu être déplacé dans le dossier %2 : %3 (nouvel essai à la prochaine vérification)</translation>
    </message>
    <message>
        <source>The turn message with UID %1 was taken in but could not be marked as read in %2: %3 (tried again at the next check)</source>
        <translation>Le message de tour d&apos;UID %1 a été pris en compte mais n&apos;a pas pu être marqué comme lu dans %2 : %3 (nouvel essai à la prochaine vérification)</translation>
    </message>
    <message>
        <source>%1 was not taken in: %2<byte value="xd"/><byte value="xd"/>It stays unread in the mailbox and is not fetched again.</source>
        <translation>%1 n&apos;a pas été pris en compte : %2<byte value="xd"/><byte value="xd"/>Il reste non lu dans la boîte aux lettres et ne sera pas récupéré de nouveau.</translation>
    </message>
    <message>
        <source>%1 has the subject of a turn but carries no turn: it is left unread in the mailbox and not fetched again.</source>
        <translation>%1 a l&apos;objet d&apos;un tour mais ne contient aucun tour : il reste non lu dans la boîte aux lettres et ne sera pas récupéré de nouveau.</translation>
    </message>
    <message>
        <source>it holds no files for an installed program (see the messages before).</source>
        <translation>il ne contient aucun fichier pour un programme installé (voir les messages précédents).</translation>
    </message>
    <message>
        <source>it has no attachment KOLT.KLT.</source>
        <translation>il n&apos;a pas de pièce jointe KOLT.KLT.</translation>
    </message>
    <message>
        <source>Can&apos;t create file: %1</source>
        <translation>Impossible de créer le fichier : %1</translation>
    </message>
    <message>
        <source>its archive could not be taken in (see the message before).</source>
        <translation>son archive n&apos;a pas pu être prise en compte (voir le message précédent).</translation>
    </message>
    <message>
        <source>its sender address is missing or not valid.</source>
        <translation>son adresse d&apos;expéditeur manque ou n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>it has no attachments.</source>
        <translation>il n&apos;a aucune pièce jointe.</translation>
    </message>
    <message>
        <source>Receiving %1 files...</source>
        <translation>Réception des fichiers %1...</translation>
    </message>
    <message>
        <source>Can&apos;t write file: %1</source>
        <translation>Impossible d&apos;écrire le fichier : %1</translation>
    </message>
    <message>
        <source>Checking the mailbox %1 on %2...</source>
        <translation>Vérification de la boîte aux lettres %1 sur %2...</translation>
    </message>
    <message>
        <source>Can&apos;t create file: %1 (%2)</source>
        <translation>Impossible de créer le fichier : %1 (%2)</translation>
    </message>
</context>
<context>
    <name>MailboxLock</name>
    <message>
        <source>Can&apos;t open file: %1 (%2)</source>
        <translation>Impossible d&apos;ouvrir le fichier : %1 (%2)</translation>
    </message>
    <message>
        <source>Can&apos;t lock file: %1 (%2)</source>
        <translation>Impossible de verrouiller le fichier : %1 (%2)</translation>
    </message>
    <message>
        <source>The mailbox is being checked by another KOLT Helper (the window or kolt-cli) on this home: this check was skipped.</source>
        <translation>La boîte aux lettres est en cours de vérification par un autre KOLT Helper (la fenêtre ou kolt-cli) sur ce dossier de base : cette vérification a été ignorée.</translation>
    </message>
</context>
<context>
    <name>MailboxState</name>
    <message>
        <source>Can&apos;t write file: %1 (%2)</source>
        <translation>Impossible d&apos;écrire le fichier : %1 (%2)</translation>
    </message>
</context>
<context>
    <name>MailboxTally</name>
    <message>
        <source>%1 was not taken in: it stays unread in the mailbox and is fetched again at the next check.</source>
        <translation>%1 n&apos;a pas été pris en compte : il reste non lu dans la boîte aux lettres et sera récupéré de nouveau à la prochaine vérification.</translation>
    </message>
    <message>
        <source>The message with UID %1 is larger than %2 MB and was not fetched. It stays unread in the mailbox.</source>
        <translation>Le message d&apos;UID %1 dépasse %2 Mo et n&apos;a pas été récupéré. Il reste non lu dans la boîte aux lettres.</translation>
    </message>
    <message>
        <source>Mailbox check cancelled</source>
        <translation>Vérification de la boîte aux lettres annulée</translation>
    </message>
    <message>
        <source>%1 taken in</source>
        <translation>%1 pris en compte</translation>
    </message>
    <message>
        <source>%1 already taken in</source>
        <translation>%1 déjà pris en compte</translation>
    </message>
    <message>
        <source>%1 left unread (%2, ...)</source>
        <translation>%1 laissé(s) non lu(s) (%2, ...)</translation>
    </message>
    <message>
        <source>%1 left unread (%2)</source>
        <translation>%1 laissé(s) non lu(s) (%2)</translation>
    </message>
    <message>
        <source>%1 refused</source>
        <translation>%1 refusé(s)</translation>
    </message>
    <message>
        <source>%1 not turns, left unread</source>
        <translation>%1 sans tour, laissé(s) non lu(s)</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>échec : %1</translation>
    </message>
    <message>
        <source>cancelled</source>
        <extracomment>a part of the mailbox check&apos;s status line</extracomment>
        <translation>annulée</translation>
    </message>
    <message>
        <source>Mailbox checked: no new turns</source>
        <translation>Boîte aux lettres vérifiée : aucun nouveau tour</translation>
    </message>
    <message>
        <source>Mailbox checked: %1</source>
        <translation>Boîte aux lettres vérifiée : %1</translation>
    </message>
    <message>
        <source>The mailbox check was interrupted; the messages not taken in stay unread in the mailbox.</source>
        <translation>La vérification de la boîte aux lettres a été interrompue ; les messages non pris en compte restent non lus dans la boîte aux lettres.</translation>
    </message>
</context>
<context>
    <name>Mailer</name>
    <message>
        <source>Enter the SMTP server&apos;s name, optionally with a port (mail.example.com:587, [2001:db8::1]:587) under Options &gt; Sending e-mail.</source>
        <translation>Saisissez le nom du serveur SMTP, éventuellement avec un port (mail.example.com:587, [2001:db8::1]:587), sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>No mail client is set up on this desktop. Choose one as the desktop&apos;s e-mail application, or send directly: under Options &gt; Sending e-mail choose &quot;Send directly through an SMTP server&quot; and enter your provider&apos;s SMTP server.</source>
        <translation>Aucun client de messagerie n&apos;est configuré sur ce bureau. Choisissez-en un comme application de messagerie du bureau, ou envoyez directement : sous Options &gt; Envoi des e-mails, choisissez « Envoyer directement par un serveur SMTP » et saisissez le serveur SMTP de votre fournisseur.</translation>
    </message>
    <message>
        <source>First define the e-mail mode</source>
        <translation>Définissez d&apos;abord le mode d&apos;e-mail</translation>
    </message>
    <message>
        <source>SMTP server setting missing</source>
        <translation>Le réglage du serveur SMTP manque</translation>
    </message>
    <message>
        <source>Your own e-mail address setting missing</source>
        <translation>Le réglage de votre propre adresse e-mail manque</translation>
    </message>
    <message>
        <source>The SMTP server setting &quot;%1&quot; is not a server name.</source>
        <translation>Le réglage du serveur SMTP « %1 » n&apos;est pas un nom de serveur.</translation>
    </message>
    <message>
        <source>Can&apos;t load libcurl</source>
        <translation>Impossible de charger libcurl</translation>
    </message>
    <message>
        <source>Your SMTP e-mail address &quot;%1&quot; is not an e-mail address. Correct it under Options &gt; Sending e-mail.</source>
        <translation>Votre adresse e-mail SMTP « %1 » n&apos;est pas une adresse e-mail. Corrigez-la sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>Your e-mail address &quot;%1&quot; is not an e-mail address. Correct it under Options &gt; Sending e-mail.</source>
        <translation>Votre adresse e-mail « %1 » n&apos;est pas une adresse e-mail. Corrigez-la sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Annulé.</translation>
    </message>
    <message>
        <source>Sending e-mail via SMTP (libcurl) failed: %1</source>
        <translation>L&apos;envoi de l&apos;e-mail par SMTP (libcurl) a échoué : %1</translation>
    </message>
    <message>
        <source>Can&apos;t find a desktop mail client (xdg-email or Thunderbird)</source>
        <translation>Aucun client de messagerie du bureau trouvé (xdg-email ou Thunderbird)</translation>
    </message>
    <message>
        <source>Can&apos;t start the desktop mail client: %1</source>
        <translation>Impossible de lancer le client de messagerie du bureau : %1</translation>
    </message>
    <message>
        <source>Sending through the desktop mail client failed</source>
        <translation>L&apos;envoi par le client de messagerie du bureau a échoué</translation>
    </message>
    <message>
        <source>(no recipient)</source>
        <translation>(aucun destinataire)</translation>
    </message>
    <message>
        <source>The message &quot;%1&quot; to %2 is open in your mail client.<byte value="xd"/><byte value="xd"/>Did you send it from there?</source>
        <translation>Le message « %1 » à %2 est ouvert dans votre client de messagerie.<byte value="xd"/><byte value="xd"/>L&apos;avez-vous envoyé depuis celui-ci ?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address; nothing was sent.</source>
        <translation>« %1 » n&apos;est pas une adresse e-mail ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>Send this message by SMTP?<byte value="xd"/><byte value="xd"/>To: %1<byte value="xd"/>Subject: %2</source>
        <translation>Envoyer ce message par SMTP ?<byte value="xd"/><byte value="xd"/>À : %1<byte value="xd"/>Objet : %2</translation>
    </message>
    <message>
        <source>Attachments: %1</source>
        <translation>Pièces jointes : %1</translation>
    </message>
</context>
<context>
    <name>OptionsOverviewPage</name>
    <message>
        <source>Overview</source>
        <translation>Vue d&apos;ensemble</translation>
    </message>
    <message>
        <source>Turn &amp;history and overview</source>
        <translation>&amp;Historique des tours et vue d&apos;ensemble</translation>
    </message>
    <message>
        <source>&amp;Earlier turns kept per game:</source>
        <translation>&amp;Tours précédents conservés par partie :</translation>
    </message>
    <message>
        <source>Each turn file a received turn replaces is kept in the game folder&apos;s bak/history for this many turns; 0 keeps none.</source>
        <translation>Chaque fichier de tour remplacé par un tour reçu est conservé dans bak/history du dossier de la partie pendant ce nombre de tours ; 0 n&apos;en conserve aucun.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>&amp;Mark a game in &quot;Play&quot; after (days):</source>
        <translation>&amp;Marquer une partie à l&apos;état « Jouer » après (jours) :</translation>
    </message>
    <message>
        <source>A game in &quot;Play&quot; for longer than this is shown in another colour; 0 never marks one.</source>
        <translation>Une partie à l&apos;état « Jouer » depuis plus longtemps que cela est affichée dans une autre couleur ; 0 n&apos;en marque jamais aucune.</translation>
    </message>
    <message>
        <source>never</source>
        <translation>jamais</translation>
    </message>
    <message>
        <source>&amp;Keep running in the tray when the window is closed</source>
        <translation>&amp;Rester dans la zone de notification quand la fenêtre est fermée</translation>
    </message>
</context>
<context>
    <name>PlayedTurn</name>
    <message>
        <source>Send %1 to %2 now?</source>
        <translation>Envoyer %1 à %2 maintenant ?</translation>
    </message>
    <message>
        <source>Don&apos;t ask again: send finished turns at once</source>
        <translation>Ne plus demander : envoyer aussitôt les tours terminés</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Terminé !</translation>
    </message>
</context>
<context>
    <name>ProgramDefinition</name>
    <message>
        <source>At least one file type is required.</source>
        <translation>Au moins un type de fichier est requis.</translation>
    </message>
    <message>
        <source>Only one file type can have the Primary checked.</source>
        <translation>Un seul type de fichier peut avoir Primary coché.</translation>
    </message>
    <message>
        <source>Only one file type can have the Modified checked.</source>
        <translation>Un seul type de fichier peut avoir Modified coché.</translation>
    </message>
    <message>
        <source>One file type must have the Primary checked.</source>
        <translation>Un type de fichier doit avoir Primary coché.</translation>
    </message>
    <message>
        <source>One file type must have the Modified checked.</source>
        <translation>Un type de fichier doit avoir Modified coché.</translation>
    </message>
    <message>
        <source>At least one file type must have the Check Same checked.</source>
        <translation>Au moins un type de fichier doit avoir Check Same coché.</translation>
    </message>
    <message>
        <source>At least one file type must have the Required checked.</source>
        <translation>Au moins un type de fichier doit avoir Required coché.</translation>
    </message>
    <message>
        <source>Each extension should be different.</source>
        <translation>Chaque extension doit être différente.</translation>
    </message>
</context>
<context>
    <name>ProgramRegistry</name>
    <message>
        <source>%1 is not used as a program definition: %2 is a name %3 uses itself. Give the file another name to use it.</source>
        <extracomment>%1 is the definition file, %2 its name, %3 this program&apos;s name</extracomment>
        <translation>%1 n&apos;est pas utilisé comme définition de programme : %2 est un nom que %3 utilise lui-même. Donnez un autre nom au fichier pour l&apos;utiliser.</translation>
    </message>
    <message>
        <source>I don&apos;t know if %1 is installed. Please enter the installation directory (where &quot;%2&quot; is) below.</source>
        <extracomment>%1 is the program&apos;s name, %2 its executable</extracomment>
        <translation>Je ne sais pas si %1 est installé. Veuillez indiquer ci-dessous le dossier d&apos;installation (où se trouve &quot;%2&quot;).</translation>
    </message>
</context>
<context>
    <name>ReceiveEngine</name>
    <message>
        <source>File &apos;%1&apos; modification date was in the future, fixed:<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>La date de modification du fichier &apos;%1&apos; était dans le futur, elle a été corrigée :<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; modification date is still in the future:<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>La date de modification du fichier &apos;%1&apos; est toujours dans le futur :<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>%1 is NEW</source>
        <translation>%1 est NOUVEAU</translation>
    </message>
    <message>
        <source>%1 is OLDER than %2</source>
        <translation>%1 est PLUS ANCIEN que %2</translation>
    </message>
    <message>
        <source>%1 is NEWER than %2</source>
        <translation>%1 est PLUS RÉCENT que %2</translation>
    </message>
    <message>
        <source>%1 is THE SAME as %2</source>
        <translation>%1 est IDENTIQUE à %2</translation>
    </message>
    <message>
        <source>%1: The sender e-mail address %2 is THE SAME as %3</source>
        <translation>%1 : L&apos;adresse e-mail de l&apos;expéditeur %2 est IDENTIQUE à %3</translation>
    </message>
    <message>
        <source>%1: The sender e-mail address is NEW: %2</source>
        <translation>%1 : L&apos;adresse e-mail de l&apos;expéditeur est NOUVELLE : %2</translation>
    </message>
    <message>
        <source>%1: The sender e-mail address %2 is DIFFERENT than %3</source>
        <translation>%1 : L&apos;adresse e-mail de l&apos;expéditeur %2 est DIFFÉRENTE de %3</translation>
    </message>
    <message>
        <source>%1: The sender e-mail address is MISSING, the address is currently %2</source>
        <translation>%1 : L&apos;adresse e-mail de l&apos;expéditeur MANQUE, l&apos;adresse est actuellement %2</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; is not a plain file name, refused</source>
        <translation>Fichier &apos;%1&apos; : ce n&apos;est pas un simple nom de fichier, refusé</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; is not a regular file, refused</source>
        <translation>Fichier &apos;%1&apos; : ce n&apos;est pas un fichier ordinaire, refusé</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; has the same name as another received file, refused</source>
        <translation>Fichier &apos;%1&apos; : même nom qu&apos;un autre fichier reçu, refusé</translation>
    </message>
    <message>
        <source>%1: The message came from %2, but %3 names %4</source>
        <translation>%1 : Le message provient de : %2, mais %3 indique : %4</translation>
    </message>
    <message>
        <source>no usable address</source>
        <translation>aucune adresse utilisable</translation>
    </message>
    <message>
        <source>no sender</source>
        <translation>aucun expéditeur</translation>
    </message>
    <message>
        <source>Received old %1 files:</source>
        <translation>Anciens fichiers %1 reçus :</translation>
    </message>
    <message>
        <source>These files were OK:</source>
        <translation>Ces fichiers étaient corrects :</translation>
    </message>
    <message>
        <source>Do you still want to copy these files?</source>
        <translation>Voulez-vous quand même copier ces fichiers ?</translation>
    </message>
    <message>
        <source>ARE YOU REALLY SURE??</source>
        <translation>EN ÊTES-VOUS VRAIMENT SÛR ??</translation>
    </message>
    <message>
        <source>Receive journal not written in %1</source>
        <translation>Journal de réception non écrit dans %1</translation>
    </message>
    <message>
        <source>Error while making backup of file %1 to %2</source>
        <translation>Erreur lors de la sauvegarde du fichier %1 dans %2</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2: its folder is not a real folder</source>
        <translation>Impossible de copier le fichier %1 vers %2 : son dossier n&apos;est pas un vrai dossier</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2: it is not a regular file</source>
        <translation>Impossible de copier le fichier %1 vers %2 : ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Error while deleting %1</source>
        <translation>Erreur lors de la suppression de %1</translation>
    </message>
    <message>
        <source>Can&apos;t copy file %1 to %2</source>
        <translation>Impossible de copier le fichier %1 vers %2</translation>
    </message>
    <message>
        <source>Can&apos;t delete file %1</source>
        <translation>Impossible de supprimer le fichier %1</translation>
    </message>
    <message>
        <source>%1 game %2 is not valid</source>
        <translation>La partie %1 %2 n&apos;est pas valide</translation>
    </message>
    <message>
        <source>Earlier turn not kept: cannot open %1</source>
        <translation>Tour précédent non conservé : impossible d&apos;ouvrir %1</translation>
    </message>
    <message>
        <source>Earlier turn not kept: %1</source>
        <translation>Tour précédent non conservé : %1</translation>
    </message>
</context>
<context>
    <name>ReceiveOutcome</name>
    <message>
        <source>see the message above</source>
        <translation>voir le message ci-dessus</translation>
    </message>
    <message>
        <source>copying the received files stopped, see the message above</source>
        <translation>la copie des fichiers reçus s&apos;est arrêtée, voir le message ci-dessus</translation>
    </message>
    <message>
        <source>the older files were not confirmed</source>
        <translation>les fichiers plus anciens n&apos;ont pas été confirmés</translation>
    </message>
    <message>
        <source>its folder %1 holds no files for the program</source>
        <translation>son dossier %1 ne contient aucun fichier pour le programme</translation>
    </message>
    <message>
        <source>the archive holds no folder of an installed program (installed: %1; the archive holds: %2)</source>
        <extracomment>%1: the installed programs&apos; short names (or &quot;none&quot;), %2: the archive&apos;s entries (or &quot;nothing&quot;)</extracomment>
        <translation>l&apos;archive ne contient aucun dossier d&apos;un programme installé (installés : %1 ; l&apos;archive contient : %2)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>rien</translation>
    </message>
</context>
<context>
    <name>Reminders</name>
    <message>
        <source>%1 is not waiting for its opponent longer than %2 days: no reminder was sent.</source>
        <translation>%1 n&apos;attend pas son adversaire depuis plus de %2 jours : aucune relance n&apos;a été envoyée.</translation>
    </message>
    <message>
        <source>The last reminder for %1 went out %2 ago; the next one can go a day after it.</source>
        <translation>La dernière relance pour %1 est partie il y a %2 ; la suivante pourra partir un jour après.</translation>
    </message>
    <message>
        <source>The e-mail address of this game is not valid; fix it in the game&apos;s properties:<byte value="xd"/><byte value="xd"/>%1</source>
        <translation>L&apos;adresse e-mail de cette partie n&apos;est pas valide ; corrigez-la dans les propriétés de la partie :<byte value="xd"/><byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Reminded %1 of %2</source>
        <translation>%1 relancé pour %2</translation>
    </message>
</context>
<context>
    <name>SE4</name>
    <message>
        <source>Hosting...</source>
        <translation>Hébergement...</translation>
    </message>
    <message>
        <source>Invalid Master Password.</source>
        <translation>Mot de passe maître non valide.</translation>
    </message>
    <message>
        <source>Invalid Player Password.</source>
        <translation>Mot de passe du joueur non valide.</translation>
    </message>
    <message>
        <source>Return code %1</source>
        <extracomment>the game&apos;s exit code</extracomment>
        <translation>Code de retour %1</translation>
    </message>
</context>
<context>
    <name>SE4_Game</name>
    <message>
        <source>%1: Change from host to client mode?</source>
        <translation>%1 : passer du mode hôte au mode client ?</translation>
    </message>
    <message>
        <source>%1: Change from client to host mode?</source>
        <translation>%1 : passer du mode client au mode hôte ?</translation>
    </message>
    <message>
        <source>Client mode (the server e-mail address defined), but still many .plr files! Delete unnecessary files. The first file (%1) used.</source>
        <translation>Mode client (l&apos;adresse e-mail du serveur est définie), mais il reste plusieurs fichiers .plr ! Supprimez les fichiers inutiles. Le premier fichier (%1) est utilisé.</translation>
    </message>
    <message>
        <source>You have to press Refresh F5 in the main window in order to see the changes.</source>
        <translation>Appuyez sur Actualiser (F5) dans la fenêtre principale pour voir les modifications.</translation>
    </message>
</context>
<context>
    <name>SPWAW</name>
    <message>
        <source>Do you want to use the SAVE directory as well?</source>
        <translation>Voulez-vous aussi utiliser le dossier SAVE ?</translation>
    </message>
</context>
<context>
    <name>SafeExtractor</name>
    <message>
        <source>unknown error</source>
        <translation>erreur inconnue</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Impossible d&apos;ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>Cannot open %1: it is a folder, not a file</source>
        <translation>Impossible d&apos;ouvrir %1 : c&apos;est un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>Cannot open %1: it is not a regular file</source>
        <translation>Impossible d&apos;ouvrir %1 : ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Refused &quot;%1&quot;: %2.</source>
        <translation>« %1 » refusé : %2.</translation>
    </message>
    <message>
        <source>The archive is not safe to unpack; nothing was extracted.</source>
        <translation>L&apos;archive ne peut pas être décompressée sans risque ; rien n&apos;a été extrait.</translation>
    </message>
    <message>
        <source>%1 is not an archive that can be read: %2</source>
        <translation>%1 n&apos;est pas une archive lisible : %2</translation>
    </message>
    <message>
        <source>Damaged archive: %1</source>
        <translation>Archive endommagée : %1</translation>
    </message>
    <message>
        <source>the archive holds more than %1 entries</source>
        <translation>l&apos;archive contient plus de %1 entrées</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>c&apos;est un lien</translation>
    </message>
    <message>
        <source>it is a device, pipe or socket, not a file</source>
        <translation>c&apos;est un périphérique, un tube ou une socket, pas un fichier</translation>
    </message>
    <message>
        <source>it has no name</source>
        <translation>il n&apos;a pas de nom</translation>
    </message>
    <message>
        <source>the files would take more than %1 bytes</source>
        <translation>les fichiers occuperaient plus de %1 octets</translation>
    </message>
    <message>
        <source>%1 is not an archive that can be read.</source>
        <translation>%1 n&apos;est pas une archive lisible.</translation>
    </message>
    <message>
        <source>The archive changed while it was being read.</source>
        <translation>L&apos;archive a changé pendant sa lecture.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>skipping: %1 (%2)</source>
        <translation>ignoré : %1 (%2)</translation>
    </message>
    <message>
        <source>Error in %1: %2</source>
        <translation>Erreur dans %1 : %2</translation>
    </message>
    <message>
        <source>Cannot extract %1: %2 is not a folder.</source>
        <translation>Impossible d&apos;extraire %1 : %2 n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>Cannot extract %1: %2 is a folder.</source>
        <translation>Impossible d&apos;extraire %1 : %2 est un dossier.</translation>
    </message>
    <message>
        <source>Cannot create folder %1: %2</source>
        <translation>Impossible de créer le dossier %1 : %2</translation>
    </message>
    <message>
        <source>No archive or no target folder given.</source>
        <translation>Aucune archive ou aucun dossier cible indiqué.</translation>
    </message>
    <message>
        <source>Cannot create folder %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>Cannot write into %1: %2</source>
        <translation>Impossible d&apos;écrire dans %1 : %2</translation>
    </message>
    <message>
        <source>Nothing was extracted.</source>
        <translation>Rien n&apos;a été extrait.</translation>
    </message>
    <message>
        <source>The archive holds no files.</source>
        <translation>L&apos;archive ne contient aucun fichier.</translation>
    </message>
</context>
<context>
    <name>SendSelection</name>
    <message>
        <source>Missing e-mail address:<byte value="xd"/><byte value="xd"/>%1</source>
        <translation>Adresse e-mail manquante :<byte value="xd"/><byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>The stored address list is longer than %1 characters and was cut.</source>
        <translation>La liste d&apos;adresses enregistrée dépasse %1 caractères et a été tronquée.</translation>
    </message>
    <message>
        <source>The e-mail address of this game is not valid; fix it in the game&apos;s properties:<byte value="xd"/><byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>%2</source>
        <translation>L&apos;adresse e-mail de cette partie n&apos;est pas valide ; corrigez-la dans les propriétés de la partie :<byte value="xd"/><byte value="xd"/>%1<byte value="xd"/><byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>You have not selected any games.</source>
        <translation>Vous n&apos;avez sélectionné aucune partie.</translation>
    </message>
    <message>
        <source>Are you sure you want to send message to these players?</source>
        <translation>Voulez-vous vraiment envoyer un message à ces joueurs ?</translation>
    </message>
    <message>
        <source>Are you sure you want to send these games?</source>
        <translation>Voulez-vous vraiment envoyer ces parties ?</translation>
    </message>
    <message>
        <source>%1 players</source>
        <translation>%1 joueurs</translation>
    </message>
    <message>
        <source>Sent a message to %1</source>
        <translation>Message envoyé à %1</translation>
    </message>
    <message>
        <source>Sent messages to %1</source>
        <translation>Messages envoyés à %1</translation>
    </message>
    <message numerus="yes">
        <source>Sent %n game to %1</source>
        <translation>
            <numerusform>%n partie envoyée à %1</numerusform>
            <numerusform>%n parties envoyées à %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sent %n games to %1</source>
        <translation>
            <numerusform>%n partie envoyée à %1</numerusform>
            <numerusform>%n parties envoyées à %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Terminé !</translation>
    </message>
</context>
<context>
    <name>ServerCertificate</name>
    <message>
        <source>The connection is not encrypted: there is no certificate.</source>
        <translation>La connexion n&apos;est pas chiffrée : il n&apos;y a pas de certificat.</translation>
    </message>
    <message>
        <source>libcurl could not be initialised</source>
        <translation>libcurl n&apos;a pas pu être initialisée</translation>
    </message>
    <message>
        <source>The server sent no certificate.</source>
        <translation>Le serveur n&apos;a envoyé aucun certificat.</translation>
    </message>
    <message>
        <source>The server&apos;s certificate could not be read.</source>
        <translation>Le certificat du serveur n&apos;a pas pu être lu.</translation>
    </message>
    <message>
        <source>unknown</source>
        <comment>certificate expiry</comment>
        <translation>inconnue</translation>
    </message>
    <message>
        <source>%1 (expired)</source>
        <translation>%1 (expiré)</translation>
    </message>
    <message>
        <source>SHA-256 fingerprint: %1
Issued to: %2
Issued by: %3
Expires: %4</source>
        <translation>Empreinte SHA-256 : %1
Délivré à : %2
Délivré par : %3
Expiration : %4</translation>
    </message>
</context>
<context>
    <name>SmtpSender</name>
    <message>
        <source> (the server answered &quot;%1&quot;)</source>
        <extracomment>inserted after &quot;refused the login&quot; and the like; %1: the server&apos;s reply</extracomment>
        <translation> (le serveur a répondu « %1 »)</translation>
    </message>
    <message>
        <source>address</source>
        <extracomment>the sender or recipient refused when the server named none</extracomment>
        <translation>adresse</translation>
    </message>
    <message>
        <source>The SMTP server&apos;s name was not found. Check the SMTP server name under Options &gt; Sending e-mail. If it is right, check that this computer is online.</source>
        <translation>Le nom du serveur SMTP est introuvable. Vérifiez le nom du serveur SMTP sous Options &gt; Envoi des e-mails. S&apos;il est correct, vérifiez que cet ordinateur est connecté.</translation>
    </message>
    <message>
        <source>Check the SMTP server name and port under Options &gt; Sending e-mail.</source>
        <translation>Vérifiez le nom et le port du serveur SMTP sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>The SMTP server did not answer in time. Check the SMTP server name, port and security under Options &gt; Sending e-mail. Port 465 needs &quot;TLS from the start&quot;, port 587 STARTTLS.</source>
        <translation>Le serveur SMTP n&apos;a pas répondu à temps. Vérifiez le nom, le port et la sécurité du serveur SMTP sous Options &gt; Envoi des e-mails. Le port 465 nécessite « TLS dès le début », le port 587 STARTTLS.</translation>
    </message>
    <message>
        <source>The secure connection could not be set up. Check that the security choice fits the port under Options &gt; Sending e-mail. Port 465 needs &quot;TLS from the start&quot;, port 587 STARTTLS.</source>
        <translation>La connexion sécurisée n&apos;a pas pu être établie. Vérifiez sous Options &gt; Envoi des e-mails que la sécurité choisie correspond au port. Le port 465 nécessite « TLS dès le début », le port 587 STARTTLS.</translation>
    </message>
    <message>
        <source>The SMTP server&apos;s certificate could not be verified. Check the SMTP server name under Options &gt; Sending e-mail. It must be the name your provider gives, not an alias or address. If the server is your own, press Test there to see its certificate and trust it.</source>
        <translation>Le certificat du serveur SMTP n&apos;a pas pu être vérifié. Vérifiez le nom du serveur SMTP sous Options &gt; Envoi des e-mails. Ce doit être le nom indiqué par votre fournisseur, pas un alias ni une adresse. Si le serveur est le vôtre, cliquez sur Tester à cet endroit pour voir son certificat et lui faire confiance.</translation>
    </message>
    <message>
        <source>The SMTP server does not offer STARTTLS on this port. Check the security choice and the port under Options &gt; Sending e-mail.</source>
        <translation>Le serveur SMTP ne propose pas STARTTLS sur ce port. Vérifiez la sécurité choisie et le port sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>The SMTP server refused the login%1. Check the SMTP user name and password under Options &gt; Sending e-mail.</source>
        <extracomment>%1: the server&apos;s answer in parentheses, or nothing</extracomment>
        <translation>Le serveur SMTP a refusé la connexion%1. Vérifiez le nom d&apos;utilisateur SMTP et le mot de passe sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>The SMTP server refused the sender %1%2. Check &quot;Your SMTP e-mail address&quot; and &quot;SMTP user name&quot; under Options &gt; Sending e-mail. Most servers take only the address of the account you log in with.</source>
        <extracomment>%1: the address, %2: the server&apos;s answer in parentheses, or nothing</extracomment>
        <translation>Le serveur SMTP a refusé l&apos;expéditeur %1%2. Vérifiez « Votre adresse e-mail SMTP » et « Nom d&apos;utilisateur SMTP » sous Options &gt; Envoi des e-mails. La plupart des serveurs n&apos;acceptent que l&apos;adresse du compte avec lequel vous vous connectez.</translation>
    </message>
    <message>
        <source>The SMTP server refused the recipient %1%2. Check the recipient&apos;s address. A server that takes mail for other domains only from its logged-in users refuses recipients too: check the SMTP user name and password under Options &gt; Sending e-mail.</source>
        <extracomment>%1: the address, %2: the server&apos;s answer in parentheses, or nothing</extracomment>
        <translation>Le serveur SMTP a refusé le destinataire %1%2. Vérifiez l&apos;adresse du destinataire. Un serveur qui n&apos;accepte le courrier pour d&apos;autres domaines que de ses utilisateurs connectés refuse aussi des destinataires : vérifiez le nom d&apos;utilisateur SMTP et le mot de passe sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>The SMTP server refused the message%1. If it is too large, send fewer files at once; otherwise check &quot;Your SMTP e-mail address&quot; and the login under Options &gt; Sending e-mail.</source>
        <extracomment>%1: the server&apos;s answer in parentheses, or nothing</extracomment>
        <translation>Le serveur SMTP a refusé le message%1. S&apos;il est trop volumineux, envoyez moins de fichiers à la fois ; sinon, vérifiez « Votre adresse e-mail SMTP » et la connexion sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>No recipient</source>
        <translation>Aucun destinataire</translation>
    </message>
    <message>
        <source>Not an e-mail address: %1</source>
        <translation>Pas une adresse e-mail : %1</translation>
    </message>
    <message>
        <source>Can&apos;t read attachment: %1</source>
        <translation>Impossible de lire la pièce jointe : %1</translation>
    </message>
    <message>
        <source>libcurl could not be initialised</source>
        <translation>libcurl n&apos;a pas pu être initialisée</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>RegSet failed: %1</source>
        <translation>Échec de RegSet : %1</translation>
    </message>
    <message>
        <source>%1 is larger than 64 MB and is not read. No settings file is that large: move it away or put a backup in its place.</source>
        <translation>%1 dépasse 64 Mo et n&apos;est pas lu. Aucun fichier de réglages n&apos;est aussi gros : déplacez-le ou remplacez-le par une sauvegarde.</translation>
    </message>
    <message>
        <source>Can&apos;t get file: %1</source>
        <translation>Fichier inaccessible : %1</translation>
    </message>
    <message>
        <source>Invalid command line option: %1</source>
        <translation>Option de ligne de commande non valide : %1</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>New</source>
        <comment>game status</comment>
        <translation>Nouvelle</translation>
    </message>
    <message>
        <source>Play</source>
        <comment>game status</comment>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>Send</source>
        <comment>game status</comment>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Wait</source>
        <comment>game status</comment>
        <translation>Attente</translation>
    </message>
    <message>
        <source>Play/Send</source>
        <comment>game status</comment>
        <translation>Jouer/Envoyer</translation>
    </message>
    <message>
        <source>Unknown</source>
        <comment>game status</comment>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Host</source>
        <comment>game status</comment>
        <translation>Héberger</translation>
    </message>
    <message>
        <source>Wait/Host</source>
        <comment>game status</comment>
        <translation>Attente/Héberger</translation>
    </message>
    <message>
        <source>Dead</source>
        <comment>game status</comment>
        <translation>Mort</translation>
    </message>
    <message>
        <source>Running</source>
        <comment>program state</comment>
        <translation>En cours</translation>
    </message>
    <message>
        <source>Not running</source>
        <comment>program state</comment>
        <translation>Arrêté</translation>
    </message>
</context>
<context>
    <name>TerminalUi</name>
    <message>
        <source>Error</source>
        <extracomment>the kind of a message, after its title on the terminal</extracomment>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>default</source>
        <extracomment>how a question was answered when nobody could be asked</extracomment>
        <translation>par défaut</translation>
    </message>
    <message>
        <source>Answer %1 [%2]: </source>
        <extracomment>%1 lists the buttons (OK/Cancel), %2 is the one Enter gives</extracomment>
        <translation>Réponse %1 [%2] : </translation>
    </message>
    <message>
        <source>Value [%1] (end of input cancels): </source>
        <extracomment>%1 is what Enter gives</extracomment>
        <translation>Valeur [%1] (la fin de l&apos;entrée annule) : </translation>
    </message>
    <message>
        <source>Folder: %1</source>
        <translation>Dossier : %1</translation>
    </message>
    <message>
        <source>Folder &apos;%1&apos; does not exist</source>
        <translation>Le dossier &apos;%1&apos; n&apos;existe pas</translation>
    </message>
    <message>
        <source>Installation folder [%1] (Enter keeps it, - for none, end of input cancels): </source>
        <translation>Dossier d&apos;installation [%1] (Entrée le garde, - pour aucun, la fin de l&apos;entrée annule) : </translation>
    </message>
</context>
<context>
    <name>TestMessage</name>
    <message>
        <source>You have not defined your own e-mail address!<byte value="xd"/><byte value="xd"/>Enter it as &quot;From&quot; under Options &gt; Sending e-mail.</source>
        <translation>Vous n&apos;avez pas défini votre propre adresse e-mail !<byte value="xd"/><byte value="xd"/>Saisissez-la comme « De » sous Options &gt; Envoi des e-mails.</translation>
    </message>
    <message>
        <source>Can&apos;t create test file: %1</source>
        <translation>Impossible de créer le fichier de test : %1</translation>
    </message>
    <message>
        <source>The test message was sent to %1. When it arrives, open its attachment TEST.KLT with %2.</source>
        <translation>Le message de test a été envoyé à %1. Quand il arrive, ouvrez sa pièce jointe TEST.KLT avec %2.</translation>
    </message>
    <message>
        <source>Congratulations! You have successfully sent a %1 test message.</source>
        <translation>Félicitations ! Vous avez bien envoyé un message de test %1.</translation>
    </message>
</context>
<context>
    <name>ToolUnpacker</name>
    <message>
        <source>cannot start %1</source>
        <translation>impossible de lancer %1</translation>
    </message>
    <message>
        <source>the archive unpacks to more than 1 GB</source>
        <translation>l&apos;archive décompressée dépasse 1 Go</translation>
    </message>
    <message>
        <source>%1 ended with code %2</source>
        <translation>%1 s&apos;est terminé avec le code %2</translation>
    </message>
    <message>
        <source>the archive holds more than 10,000 entries</source>
        <translation>l&apos;archive contient plus de 10 000 entrées</translation>
    </message>
    <message>
        <source>the entry &quot;%1&quot; leaves the folder</source>
        <translation>l&apos;entrée « %1 » sort du dossier</translation>
    </message>
    <message>
        <source>the entry &quot;%1&quot; is not a plain file</source>
        <translation>l&apos;entrée « %1 » n&apos;est pas un simple fichier</translation>
    </message>
    <message>
        <source>no unpacking tool</source>
        <translation>aucun outil de décompression</translation>
    </message>
    <message>
        <source>cannot create a folder in %1</source>
        <translation>impossible de créer un dossier dans %1</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>impossible de lire %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>impossible de créer %1</translation>
    </message>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 est un dossier</translation>
    </message>
    <message>
        <source>cannot move %1 into place</source>
        <translation>impossible de mettre %1 en place</translation>
    </message>
</context>
<context>
    <name>TurnExchange</name>
    <message>
        <source>Can&apos;t get folder: %1</source>
        <translation>Dossier inaccessible : %1</translation>
    </message>
    <message>
        <source>(no instance folder)</source>
        <translation>(aucun dossier d&apos;instance)</translation>
    </message>
    <message>
        <source>Can&apos;t delete folder: %1</source>
        <translation>Impossible de supprimer le dossier : %1</translation>
    </message>
    <message>
        <source>Can&apos;t create folder: %1</source>
        <translation>Impossible de créer le dossier : %1</translation>
    </message>
    <message>
        <source>You have not defined your own e-mail address!</source>
        <translation>Vous n&apos;avez pas défini votre propre adresse e-mail !</translation>
    </message>
    <message>
        <source>Can&apos;t create file: %1</source>
        <translation>Impossible de créer le fichier : %1</translation>
    </message>
    <message>
        <source>Error while writing: %1</source>
        <translation>Erreur lors de l&apos;écriture : %1</translation>
    </message>
    <message>
        <source>Error while copying: %1</source>
        <translation>Erreur lors de la copie : %1</translation>
    </message>
    <message>
        <source>Can&apos;t delete file: %1</source>
        <translation>Impossible de supprimer le fichier : %1</translation>
    </message>
    <message>
        <source>Compression failed</source>
        <translation>La compression a échoué</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>C&apos;est un dossier, pas un fichier.</translation>
    </message>
    <message>
        <source>It is not a regular file (a device, pipe or socket).</source>
        <translation>Ce n&apos;est pas un fichier ordinaire (un périphérique, un tube ou une socket).</translation>
    </message>
    <message>
        <source>The file is too large: %1 bytes, a received archive may have at most %2.</source>
        <translation>Le fichier est trop volumineux : %1 octets, une archive reçue peut en avoir au plus %2.</translation>
    </message>
    <message>
        <source>Set the additional working folder to<byte value="xd"/><byte value="xd"/>%1 ?<byte value="xd"/><byte value="xd"/>If you receive game turn files which are not in .KLT or .ZIP format, then save them into correct subfolders under this folder, and %2 will process them automatically when it is started or when you click Refresh F5.<byte value="xd"/><byte value="xd"/>Also if you receive files in .ZIP format, then extract them into correct subfolder under this folder.<byte value="xd"/><byte value="xd"/>%2 will create the correct subfolders under this folder, one for each program.<byte value="xd"/><byte value="xd"/>WARNING: The files in these subfolders will be moved (deleted) when KOLT starts!</source>
        <translation>Définir le dossier de travail supplémentaire sur<byte value="xd"/><byte value="xd"/>%1 ?<byte value="xd"/><byte value="xd"/>Si vous recevez des fichiers de tour qui ne sont pas au format .KLT ou .ZIP, enregistrez-les dans les bons sous-dossiers de ce dossier, et %2 les traitera automatiquement au démarrage ou quand vous cliquez sur Actualiser F5.<byte value="xd"/><byte value="xd"/>De même, si vous recevez des fichiers au format .ZIP, extrayez-les dans le bon sous-dossier de ce dossier.<byte value="xd"/><byte value="xd"/>%2 créera les bons sous-dossiers dans ce dossier, un pour chaque programme.<byte value="xd"/><byte value="xd"/>ATTENTION : les fichiers de ces sous-dossiers seront déplacés (supprimés) au démarrage de KOLT !</translation>
    </message>
    <message>
        <source>Can&apos;t delete: %1</source>
        <translation>Impossible de supprimer : %1</translation>
    </message>
    <message>
        <source>Your opponent %1 has a newer version of KOLT:<byte value="xd"/><byte value="xd"/>%2<byte value="xd"/><byte value="xd"/>Your version is: %3<byte value="xd"/><byte value="xd"/>You won&apos;t see this message again until somebody has a version greater than what your opponent has.</source>
        <translation>Votre adversaire %1 a une version plus récente de KOLT :<byte value="xd"/><byte value="xd"/>%2<byte value="xd"/><byte value="xd"/>Votre version est : %3<byte value="xd"/><byte value="xd"/>Vous ne reverrez ce message que lorsque quelqu&apos;un aura une version supérieure à celle de votre adversaire.</translation>
    </message>
    <message>
        <source>Can&apos;t get file: %1</source>
        <translation>Fichier inaccessible : %1</translation>
    </message>
    <message>
        <source>Decompress failed</source>
        <translation>La décompression a échoué</translation>
    </message>
    <message>
        <source>Didn&apos;t receive %1. Do you want to continue?</source>
        <translation>%1 n&apos;a pas été reçu. Voulez-vous continuer ?</translation>
    </message>
    <message>
        <source>The sender e-mail address in %1 is not valid and was not taken: %2</source>
        <translation>L&apos;adresse e-mail de l&apos;expéditeur dans %1 n&apos;est pas valide et n&apos;a pas été retenue : %2</translation>
    </message>
    <message>
        <source>Receiving %1 files...</source>
        <translation>Réception des fichiers %1...</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Terminé !</translation>
    </message>
    <message>
        <source>Decompress failed: %1</source>
        <translation>La décompression a échoué : %1</translation>
    </message>
    <message>
        <source>unar decompress failed: %1</source>
        <translation>La décompression par unar a échoué : %1</translation>
    </message>
    <message>
        <source>Can&apos;t delete decompressed file: %1</source>
        <translation>Impossible de supprimer le fichier décompressé : %1</translation>
    </message>
    <message numerus="yes">
        <source>Received %n game from the working folder</source>
        <translation>
            <numerusform>%n partie reçue du dossier de travail</numerusform>
            <numerusform>%n parties reçues du dossier de travail</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n games from the working folder</source>
        <translation>
            <numerusform>%n partie reçue du dossier de travail</numerusform>
            <numerusform>%n parties reçues du dossier de travail</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n game from %1</source>
        <translation>
            <numerusform>%n partie reçue de %1</numerusform>
            <numerusform>%n parties reçues de %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n games from %1</source>
        <translation>
            <numerusform>%n partie reçue de %1</numerusform>
            <numerusform>%n parties reçues de %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Processing the working folder %1</source>
        <translation>Traitement du dossier de travail %1</translation>
    </message>
    <message>
        <source>Can&apos;t get folder %1</source>
        <translation>Dossier %1 inaccessible</translation>
    </message>
    <message>
        <source>Can&apos;t get the Documents folder</source>
        <translation>Le dossier Documents est inaccessible</translation>
    </message>
    <message>
        <source>Can&apos;t create folder %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>Earlier turn not kept: %1</source>
        <translation>Tour précédent non conservé : %1</translation>
    </message>
</context>
<context>
    <name>TurnHistory</name>
    <message>
        <source>Turn history not recorded: %1</source>
        <translation>Historique des tours non enregistré : %1</translation>
    </message>
    <message>
        <source>Choose the sent or received turn to restore.</source>
        <translation>Choisissez le tour envoyé ou reçu à restaurer.</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file %1</source>
        <translation>Impossible d&apos;écrire le fichier de réglages %1</translation>
    </message>
</context>
<context>
    <name>TurnMail</name>
    <message>
        <source>The message has more than %1 parts.</source>
        <translation>Le message comporte plus de %1 parties.</translation>
    </message>
    <message>
        <source>The message has more than %1 attachments.</source>
        <translation>Le message comporte plus de %1 pièces jointes.</translation>
    </message>
    <message>
        <source>An attachment of the message is too large: %1</source>
        <translation>Une pièce jointe du message est trop volumineuse : %1</translation>
    </message>
    <message>
        <source>It could not be read back from %1.</source>
        <translation>Il n&apos;a pas pu être relu depuis %1.</translation>
    </message>
    <message>
        <source>It is not an e-mail message.</source>
        <translation>Ce n&apos;est pas un message e-mail.</translation>
    </message>
</context>
<context>
    <name>UiPort</name>
    <message>
        <source>Error %1</source>
        <translation>Erreur %1</translation>
    </message>
    <message>
        <source>Last system error: %1 (%2)</source>
        <extracomment>%1 is the number of the error, %2 the system&apos;s text for it</extracomment>
        <translation>Dernière erreur système : %1 (%2)</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file %1</source>
        <translation>Impossible d&apos;écrire le fichier de réglages %1</translation>
    </message>
</context>
<context>
    <name>UserGuide</name>
    <message>
        <source>The user guide is not installed. It was looked for in:</source>
        <translation>Le guide de l&apos;utilisateur n&apos;est pas installé. Il a été cherché dans :</translation>
    </message>
    <message>
        <source>The user guide %1 could not be opened: no program to show web pages was found.</source>
        <translation>Le guide de l&apos;utilisateur %1 n&apos;a pas pu être ouvert : aucun programme pour afficher des pages web n&apos;a été trouvé.</translation>
    </message>
</context>
<context>
    <name>Utilities</name>
    <message>
        <source>%1 B</source>
        <extracomment>a file size in bytes</extracomment>
        <translation>%1 o</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <extracomment>a file size in kilobytes</extracomment>
        <translation>%1 Ko</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <extracomment>a file size in megabytes</extracomment>
        <translation>%1 Mo</translation>
    </message>
</context>
<context>
    <name>VBUnzFrm</name>
    <message>
        <source>Unzipping...</source>
        <translation>Décompression...</translation>
    </message>
    <message>
        <source>Decompressing file:</source>
        <translation>Décompression du fichier :</translation>
    </message>
    <message>
        <source>Into directory:</source>
        <translation>Dans le dossier :</translation>
    </message>
</context>
<context>
    <name>Waiting</name>
    <message>
        <source>%1 min</source>
        <extracomment>minutes a game has waited, as the lists show it</extracomment>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h</source>
        <extracomment>hours a game has waited</extracomment>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 d</source>
        <extracomment>days a game has waited</extracomment>
        <translation>%1 j</translation>
    </message>
</context>
<context>
    <name>WineCheck</name>
    <message>
        <source>(%1 more lines)</source>
        <translation>(%1 lignes de plus)</translation>
    </message>
</context>
<context>
    <name>X11HotKeys</name>
    <message>
        <source>%1 typed nothing: %2 has the keyboard focus. Click into the game&apos;s window, then press the key again.</source>
        <extracomment>%1 is the hot key (Ctrl+Shift+P), %2 this program&apos;s name</extracomment>
        <translation>%1 n&apos;a rien saisi : %2 a le focus du clavier. Cliquez dans la fenêtre du jeu, puis appuyez de nouveau sur la touche.</translation>
    </message>
</context>
<context>
    <name>ZipWriter</name>
    <message>
        <source>unknown error</source>
        <translation>erreur inconnue</translation>
    </message>
    <message>
        <source>Bad name %1: %2</source>
        <translation>Nom incorrect %1 : %2</translation>
    </message>
    <message>
        <source>it names no file</source>
        <translation>il ne désigne aucun fichier</translation>
    </message>
    <message>
        <source>No archive path given.</source>
        <translation>Aucun chemin d&apos;archive indiqué.</translation>
    </message>
    <message>
        <source>Nothing to do: no file matched the names.</source>
        <translation>Rien à faire : aucun fichier ne correspond aux noms.</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>About KOLT Helper</source>
        <translation>À propos de KOLT Helper</translation>
    </message>
    <message>
        <source>&lt;b&gt;&lt;big&gt;KOLT Helper&lt;/big&gt;&lt;/b&gt;&lt;br&gt;Turn exchange for play-by-e-mail war and strategy games</source>
        <translation>&lt;b&gt;&lt;big&gt;KOLT Helper&lt;/big&gt;&lt;/b&gt;&lt;br&gt;Échange des tours pour les jeux de guerre et de stratégie par e-mail</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Use this program to automatically send and receive KOLT files.</source>
        <translation>Utilisez ce programme pour envoyer et recevoir automatiquement les fichiers KOLT.</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblReadme&quot;&gt;View the Readme&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblReadme&quot;&gt;Afficher le Lisez-moi&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblCheckVersion&quot;&gt;Check the latest version&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblCheckVersion&quot;&gt;Vérifier la dernière version&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblZIP&quot;&gt;ZIP technology by libarchive&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblZIP&quot;&gt;Technologie ZIP par libarchive&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblBLAT&quot;&gt;SMTP sending by libcurl&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblBLAT&quot;&gt;Envoi SMTP par libcurl&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblQt&quot;&gt;User interface by Qt&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblQt&quot;&gt;Interface utilisateur par Qt&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;lblX11&quot;&gt;Hot keys and typing by X11 and XTest&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;lblX11&quot;&gt;Raccourcis clavier et saisie par X11 et XTest&lt;/a&gt;</translation>
    </message>
    <message>
        <source>This program is provided as is, without warranty of any kind. It changes files in the folders of your games; keep backups of games that matter to you. You use it at your own risk.</source>
        <translation>Ce programme est fourni tel quel, sans garantie d’aucune sorte. Il modifie des fichiers dans les dossiers de vos jeux&#xa0;; gardez des sauvegardes des parties qui comptent pour vous. Vous l’utilisez à vos propres risques.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Informations &amp;système...</translation>
    </message>
</context>
<context>
    <name>frmBlat</name>
    <message>
        <source>Sending message...</source>
        <translation>Envoi du message...</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>À&#xa0;:</translation>
    </message>
    <message>
        <source>Attachment:</source>
        <translation>Pièce jointe&#xa0;:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>frmGame</name>
    <message>
        <source>KOLT Game</source>
        <translation>Partie KOLT</translation>
    </message>
    <message>
        <source>&amp;Game:</source>
        <translation>&amp;Jeu&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;File Name:</source>
        <translation>&amp;Nom de fichier&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Info:</source>
        <translation>&amp;Info&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Status:</source>
        <translation>É&amp;tat&#xa0;:</translation>
    </message>
    <message>
        <source>Mo&amp;dified:</source>
        <translation>&amp;Modifié&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;E-Mail:</source>
        <translation>&amp;E-mail&#xa0;:</translation>
    </message>
    <message>
        <source>Tip: If you don&apos;t want this game to be selected automatically, enter - into e-mail.</source>
        <translation>Astuce&#xa0;: si vous ne voulez pas que cette partie soit sélectionnée automatiquement, saisissez - comme e-mail.</translation>
    </message>
    <message>
        <source>&amp;Last message:</source>
        <translation>&amp;Dernier message&#xa0;:</translation>
    </message>
    <message>
        <source>M&amp;ode:</source>
        <translation>M&amp;ode&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>Mot de &amp;passe&#xa0;:</translation>
    </message>
    <message>
        <source>Ge&amp;nerate</source>
        <translation>&amp;Générer</translation>
    </message>
    <message>
        <source>The password will be copied to clipboard when Play F9 is executed. Most programs do not support entering the password from clipboard, though. Also KOLT has support for automatic entering of file names and passwords for some programs (CMBO, SE4). Clear the password field if you don&apos;t want to use it.</source>
        <translation>Le mot de passe est copié dans le presse-papiers quand Jouer F9 est exécuté. La plupart des programmes ne permettent cependant pas de saisir le mot de passe depuis le presse-papiers. KOLT sait aussi saisir automatiquement les noms de fichiers et les mots de passe pour certains programmes (CMBO, SE4). Videz le champ du mot de passe si vous ne voulez pas l’utiliser.</translation>
    </message>
    <message>
        <source>Host a&amp;utomatically when every player&apos;s orders are in</source>
        <translation>&amp;Héberger automatiquement quand les ordres de tous les joueurs sont arrivés</translation>
    </message>
    <message>
        <source>Tip: Press F6 to copy any field to clipboard and display it in message box.</source>
        <translation>Astuce&#xa0;: appuyez sur F6 pour copier un champ dans le presse-papiers et l’afficher dans une boîte de message.</translation>
    </message>
    <message>
        <source>&amp;Remind</source>
        <translation>&amp;Relancer</translation>
    </message>
    <message>
        <source>Mail the opponent a short reminder that this game waits for his turn</source>
        <translation>Envoyer à l’adversaire un court rappel indiquant que cette partie attend son tour</translation>
    </message>
    <message>
        <source>&amp;More...</source>
        <translation>P&amp;lus...</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>Hi&amp;storique...</translation>
    </message>
    <message>
        <source>Dele&amp;te...</source>
        <translation>S&amp;upprimer...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmHistory</name>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>Opponent</source>
        <translation>Adversaire</translation>
    </message>
    <message>
        <source>Mode</source>
        <comment>how the turn was sent: KLT, ZIP or as it is</comment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Taunt</source>
        <translation>Provocation</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>&amp;Restore this turn...</source>
        <translation>&amp;Restaurer ce tour...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Installed programs</source>
        <translation>Programmes installés</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Lancer</translation>
    </message>
    <message>
        <source>Start the selected program (or double-click the program)</source>
        <translation>Lancer le programme sélectionné (ou double-cliquer sur le programme)</translation>
    </message>
    <message>
        <source>H&amp;ide</source>
        <translation>&amp;Masquer</translation>
    </message>
    <message>
        <source>Hide the selected program</source>
        <translation>Masquer le programme sélectionné</translation>
    </message>
    <message>
        <source>Games in progress</source>
        <translation>Parties en cours</translation>
    </message>
    <message>
        <source>&amp;Edit... (F2)</source>
        <translation>Mo&amp;difier... (F2)</translation>
    </message>
    <message>
        <source>Set the Mode and E-Mail address for the selected game (or double-click the game)</source>
        <translation>Définir le mode et l&apos;adresse e-mail de la partie sélectionnée (ou double-cliquer sur la partie)</translation>
    </message>
    <message>
        <source>Se&amp;lect (F3)</source>
        <translation>&amp;Sélectionner (F3)</translation>
    </message>
    <message>
        <source>Select games with Send or Play/Send status</source>
        <translation>Sélectionner les parties à l&apos;état Envoyer ou Jouer/Envoyer</translation>
    </message>
    <message>
        <source>&amp;Send... (F4)</source>
        <translation>&amp;Envoyer... (F4)</translation>
    </message>
    <message>
        <source>Send all selected games</source>
        <translation>Envoyer toutes les parties sélectionnées</translation>
    </message>
    <message>
        <source>&amp;Taunt your opponent</source>
        <translation>&amp;Provoquer l&apos;adversaire</translation>
    </message>
    <message>
        <source>Open an editor window before sending message to each opponent</source>
        <translation>Ouvrir une fenêtre d&apos;édition avant d&apos;envoyer le message à chaque adversaire</translation>
    </message>
    <message>
        <source>Refresh (F5)</source>
        <translation>Actualiser (F5)</translation>
    </message>
    <message>
        <source>Refresh the program and game status</source>
        <translation>Actualiser l&apos;état des programmes et des parties</translation>
    </message>
    <message>
        <source>&amp;Play (F9)</source>
        <translation>&amp;Jouer (F9)</translation>
    </message>
    <message>
        <source>Play the selected game (or double-click the game when it has Play status)</source>
        <translation>Jouer la partie sélectionnée (ou double-cliquer sur la partie lorsqu&apos;elle est à l&apos;état Jouer)</translation>
    </message>
    <message>
        <source>&amp;Message (F12)</source>
        <translation>Messa&amp;ge (F12)</translation>
    </message>
    <message>
        <source>Send a message to opponent</source>
        <translation>Envoyer un message à l&apos;adversaire</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Ferme&amp;r</translation>
    </message>
</context>
<context>
    <name>frmModify</name>
    <message>
        <source>Lon&amp;g name:</source>
        <translation>&amp;Nom long&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Executable name:</source>
        <translation>Nom &amp;de l’exécutable&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message>
        <source>E-mail sub&amp;folder:</source>
        <translation>&amp;Sous-dossier e-mail&#xa0;:</translation>
    </message>
    <message>
        <source>Br&amp;owse...</source>
        <translation>P&amp;arcourir...</translation>
    </message>
    <message>
        <source>&amp;Uninstall string:</source>
        <translation>&amp;Chaîne de désinstallation&#xa0;:</translation>
    </message>
    <message>
        <source>File &amp;pattern:</source>
        <translation>Modèle de &amp;fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Bro&amp;wse...</source>
        <translation>Pa&amp;rcourir...</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>D&amp;escription&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Test...</source>
        <translation>&amp;Tester...</translation>
    </message>
    <message>
        <source>&amp;Command line:</source>
        <translation>Li&amp;gne de commande&#xa0;:</translation>
    </message>
    <message>
        <source>Co&amp;ntact</source>
        <translation>C&amp;ontact</translation>
    </message>
    <message>
        <source>This program definition was created by:</source>
        <translation>Cette définition de programme a été créée par&#xa0;:</translation>
    </message>
    <message>
        <source>Na&amp;me:</source>
        <translation>No&amp;m&#xa0;:</translation>
    </message>
    <message>
        <source>E-mai&amp;l:</source>
        <translation>E-mai&amp;l&#xa0;:</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>Primary?</source>
        <translation>Principal&#xa0;?</translation>
    </message>
    <message>
        <source>Modified?</source>
        <translation>Modifié&#xa0;?</translation>
    </message>
    <message>
        <source>Check same date?</source>
        <translation>Vérifier même date&#xa0;?</translation>
    </message>
    <message>
        <source>Required?</source>
        <translation>Requis&#xa0;?</translation>
    </message>
    <message>
        <source>E&amp;xtension:</source>
        <translation>E&amp;xtension&#xa0;:</translation>
    </message>
    <message>
        <source>Brow&amp;se...</source>
        <translation>Parco&amp;urir...</translation>
    </message>
    <message>
        <source>Primar&amp;y file</source>
        <translation>Fic&amp;hier principal</translation>
    </message>
    <message>
        <source>Mod&amp;ified</source>
        <translation>Modifi&amp;é</translation>
    </message>
    <message>
        <source>C&amp;heck same date</source>
        <translation>&amp;Vérifier même date</translation>
    </message>
    <message>
        <source>Re&amp;quired</source>
        <translation>Re&amp;quis</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>A&amp;jouter</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>Ret&amp;irer</translation>
    </message>
    <message>
        <source>Press F1 for help.</source>
        <translation>Appuyez sur F1 pour l’aide.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Sending e-mail</source>
        <translation>Envoi des e-mails</translation>
    </message>
    <message>
        <source>Se&amp;nding E-Mail</source>
        <translation>E&amp;nvoi des e-mails</translation>
    </message>
    <message>
        <source>&amp;From (your e-mail address):</source>
        <translation>&amp;Expéditeur (votre adresse e-mail) :</translation>
    </message>
    <message>
        <source>Send through the &amp;desktop mail client (Thunderbird or xdg-email)</source>
        <translation>Envoyer via le client de messagerie du &amp;bureau (Thunderbird ou xdg-email)</translation>
    </message>
    <message>
        <source>Show a message dialo&amp;g before sending the e-mail.</source>
        <translation>Afficher une boîte de dialo&amp;gue avant d&apos;envoyer l&apos;e-mail.</translation>
    </message>
    <message>
        <source>Send directly through an S&amp;MTP server (libcurl)</source>
        <translation>Envoyer directement via un serveur S&amp;MTP (libcurl)</translation>
    </message>
    <message>
        <source>SMTP &amp;server (outgoing mail):</source>
        <translation>&amp;Serveur SMTP (courrier sortant) :</translation>
    </message>
    <message>
        <source>Your SMTP &amp;e-mail address:</source>
        <translation>&amp;Votre adresse e-mail SMTP :</translation>
    </message>
    <message>
        <source>Se&amp;curity:</source>
        <translation>Séc&amp;urité :</translation>
    </message>
    <message>
        <source>STARTTLS (recommended)</source>
        <translation>STARTTLS (recommandé)</translation>
    </message>
    <message>
        <source>TLS from the start (SSL)</source>
        <translation>TLS dès le début (SSL)</translation>
    </message>
    <message>
        <source>None (unencrypted)</source>
        <translation>Aucune (non chiffré)</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>P&amp;ort :</translation>
    </message>
    <message>
        <source>SMTP &amp;user name:</source>
        <translation>Nom d&apos;ut&amp;ilisateur SMTP :</translation>
    </message>
    <message>
        <source>the SMTP e-mail address</source>
        <translation>l&apos;adresse e-mail SMTP</translation>
    </message>
    <message>
        <source>SMTP pass&amp;word:</source>
        <translation>Mot &amp;de passe SMTP :</translation>
    </message>
    <message>
        <source>none: send without logging in</source>
        <translation>aucun : envoyer sans connexion</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Tester</translation>
    </message>
    <message>
        <source>T&amp;rust this certificate</source>
        <translation>Faire confiance à ce &amp;certificat</translation>
    </message>
    <message>
        <source>Receiving e-mail</source>
        <translation>Réception des e-mails</translation>
    </message>
    <message>
        <source>IMAP &amp;server:</source>
        <translation>&amp;Serveur IMAP :</translation>
    </message>
    <message>
        <source>None (not encrypted)</source>
        <translation>Aucune (non chiffré)</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>P&amp;ort :</translation>
    </message>
    <message>
        <source>&amp;User name (empty: your account address):</source>
        <translation>Nom d&apos;ut&amp;ilisateur (vide : l&apos;adresse de votre compte) :</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>Mot &amp;de passe :</translation>
    </message>
    <message>
        <source>Mailbox &amp;folder:</source>
        <translation>Dossier de la &amp;boîte aux lettres :</translation>
    </message>
    <message>
        <source>Check &amp;every (minutes, 0: only on request):</source>
        <translation>&amp;Vérifier toutes les (minutes, 0 : seulement sur demande) :</translation>
    </message>
    <message>
        <source>Once a turn is taken in, &amp;mark its message as read</source>
        <translation>Une fois un tour pris en compte, &amp;marquer son message comme lu</translation>
    </message>
    <message>
        <source>Once a turn is taken in, mo&amp;ve its message to:</source>
        <translation>Une fois un tour pris en compte, dép&amp;lacer son message vers :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>A&amp;ppliquer</translation>
    </message>
</context>
<context>
    <name>frmProgram</name>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Dossier :</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmPrograms</name>
    <message>
        <source>Programs</source>
        <translation>Programmes</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Ajouter...</translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation>&amp;Modifier...</translation>
    </message>
    <message>
        <source>Remo&amp;ve...</source>
        <translation>&amp;Supprimer...</translation>
    </message>
    <message>
        <source>&amp;Disable...</source>
        <translation>&amp;Désactiver...</translation>
    </message>
    <message>
        <source>&amp;Enable</source>
        <translation>A&amp;ctiver</translation>
    </message>
    <message>
        <source>Res&amp;tore...</source>
        <translation>&amp;Restaurer...</translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation>&amp;Lancer</translation>
    </message>
    <message>
        <source>Re&amp;fresh</source>
        <translation>Ac&amp;tualiser</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
</context>
<context>
    <name>frmSE4</name>
    <message>
        <source>Empire</source>
        <translation>Empire</translation>
    </message>
    <message>
        <source>Leader</source>
        <translation>Dirigeant</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Status</source>
        <comment>a player&apos;s state in the game</comment>
        <translation>État</translation>
    </message>
    <message>
        <source>AI</source>
        <comment>computer-controlled player</comment>
        <translation>IA</translation>
    </message>
    <message>
        <source>&amp;Host password:</source>
        <translation>Mot de passe d’&amp;hôte&#xa0;:</translation>
    </message>
    <message>
        <source>Set &amp;me...</source>
        <translation>Définir co&amp;mme moi...</translation>
    </message>
    <message>
        <source>Set under &amp;AI</source>
        <translation>Confier à l’&amp;IA</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmTaunt</name>
    <message>
        <source>Taunt your opponent (press Ctrl+Enter to send)</source>
        <translation>Provoquer votre adversaire (Ctrl+Entrée pour envoyer)</translation>
    </message>
    <message>
        <source>&amp;E-Mail:</source>
        <translation>&amp;E-mail :</translation>
    </message>
    <message>
        <source>&amp;Games:</source>
        <translation>&amp;Parties :</translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation>&amp;Message :</translation>
    </message>
    <message>
        <source>Enter &amp;text below and press enter, it will be added to the list, from where you can select it later</source>
        <translation>Saisissez un &amp;texte ci-dessous et appuyez sur Entrée : il est ajouté à la liste, où vous pourrez le choisir plus tard</translation>
    </message>
    <message>
        <source>Sa&amp;ved:</source>
        <translation>Enre&amp;gistrés :</translation>
    </message>
    <message>
        <source>&amp;Del</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>En&amp;voyer</translation>
    </message>
    <message>
        <source>&amp;Cancel sending...</source>
        <translation>&amp;Annuler l&apos;envoi...</translation>
    </message>
</context>
<context>
    <name>kolt::DesktopNotifier</name>
    <message>
        <source>Show</source>
        <comment>notification action that shows the window</comment>
        <translation>Afficher</translation>
    </message>
</context>
<context>
    <name>kolt::GamesModel</name>
    <message>
        <source>Waiting</source>
        <comment>column</comment>
        <extracomment>the column that shows how long each game has been in its status</extracomment>
        <translation>Attente</translation>
    </message>
</context>
<context>
    <name>kolt::MailboxChecker</name>
    <message>
        <source>Checking the mailbox %1 on %2...</source>
        <translation>Vérification de la boîte aux lettres %1 sur %2...</translation>
    </message>
    <message>
        <source>%1 turn message(s) fetched</source>
        <translation>%1 message(s) de tour récupéré(s)</translation>
    </message>
</context>
<context>
    <name>kolt::TrayIcon</name>
    <message>
        <source>&amp;Open</source>
        <extracomment>the tray menu&apos;s command that shows the window</extracomment>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Check mail now</source>
        <translation>&amp;Relever le courrier maintenant</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <extracomment>the tray menu&apos;s command that reads the programs and games again</extracomment>
        <translation>Actualise&amp;r</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>KOLT Helper: no game to play</source>
        <translation>KOLT Helper : aucune partie à jouer</translation>
    </message>
    <message>
        <source>KOLT Helper: 1 game to play</source>
        <translation>KOLT Helper : 1 partie à jouer</translation>
    </message>
    <message numerus="yes">
        <source>KOLT Helper: %n games to play</source>
        <translation>
            <numerusform>KOLT Helper : %n partie à jouer</numerusform>
            <numerusform>KOLT Helper : %n parties à jouer</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kolt::VBUnzFrm</name>
    <message>
        <source>Zipping...</source>
        <translation>Compression...</translation>
    </message>
    <message>
        <source>Unzipping...</source>
        <translation>Décompression...</translation>
    </message>
    <message>
        <source>Compressing file:</source>
        <translation>Compression du fichier :</translation>
    </message>
    <message>
        <source>Decompressing file:</source>
        <translation>Décompression du fichier :</translation>
    </message>
    <message>
        <source>Files:</source>
        <translation>Fichiers :</translation>
    </message>
    <message>
        <source>Into directory:</source>
        <translation>Dans le dossier :</translation>
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
        <translation>Aucun programme pour ouvrir %1 n’a été trouvé.</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Les informations système ne sont pas disponibles pour le moment</translation>
    </message>
</context>
<context>
    <name>kolt::frmBlat</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>kolt::frmGame</name>
    <message>
        <source>Send as KLT (recommended)</source>
        <translation>Envoyer en KLT (recommandé)</translation>
    </message>
    <message>
        <source>Send as ZIP (if your opponent does not have KOLT)</source>
        <translation>Envoyer en ZIP (si votre adversaire n’a pas KOLT)</translation>
    </message>
    <message>
        <source>Send the file as it is (Do not compress)</source>
        <translation>Envoyer le fichier tel quel (ne pas compresser)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Are you sure that you want to delete this game?</source>
        <translation>Voulez-vous vraiment supprimer cette partie&#xa0;?</translation>
    </message>
    <message>
        <source>This program does not have more information.</source>
        <translation>Ce programme n’a pas d’autres informations.</translation>
    </message>
</context>
<context>
    <name>kolt::frmHistory</name>
    <message>
        <source>Turn history - %1 %2</source>
        <translation>Historique des tours - %1 %2</translation>
    </message>
    <message>
        <source>Turn history - %1</source>
        <translation>Historique des tours - %1</translation>
    </message>
    <message>
        <source>The turn history cannot be read: %1</source>
        <translation>L’historique des tours ne peut pas être lu&#xa0;: %1</translation>
    </message>
    <message>
        <source>no game</source>
        <translation>aucune partie</translation>
    </message>
    <message>
        <source>No turns of this game have been sent or received yet.</source>
        <translation>Aucun tour de cette partie n’a encore été envoyé ni reçu.</translation>
    </message>
    <message>
        <source>The files in place are this turn&apos;s already.</source>
        <translation>Les fichiers en place sont déjà ceux de ce tour.</translation>
    </message>
    <message>
        <source>The files in place are this turn&apos;s already: there is nothing to restore.</source>
        <translation>Les fichiers en place sont déjà ceux de ce tour&#xa0;: il n’y a rien à restaurer.</translation>
    </message>
    <message>
        <source>Restore this turn</source>
        <translation>Restaurer ce tour</translation>
    </message>
    <message>
        <source>Restored the turn of %1</source>
        <translation>Le tour du %1 a été restauré</translation>
    </message>
    <message>
        <source>Sent</source>
        <comment>a turn&apos;s direction</comment>
        <translation>Envoyé</translation>
    </message>
    <message>
        <source>Received</source>
        <comment>a turn&apos;s direction</comment>
        <translation>Reçu</translation>
    </message>
    <message>
        <source>Restored</source>
        <comment>a turn&apos;s direction</comment>
        <translation>Restauré</translation>
    </message>
    <message>
        <source>Reminded</source>
        <comment>a turn&apos;s direction</comment>
        <translation>Relancé</translation>
    </message>
    <message>
        <source>Restore the received turn of %1?<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
The files in place now are backed up first.</source>
        <translation>Restaurer le tour reçu du %1 ?<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Les fichiers en place sont d&apos;abord sauvegardés.</translation>
    </message>
    <message>
        <source>Restore the sent turn of %1?<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
The files in place now are backed up first.</source>
        <translation>Restaurer le tour envoyé du %1 ?<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Les fichiers en place sont d&apos;abord sauvegardés.</translation>
    </message>
</context>
<context>
    <name>kolt::frmMain</name>
    <message>
        <source>Status</source>
        <extracomment>the status bar&apos;s first panel, before any status is shown</extracomment>
        <translation>État</translation>
    </message>
    <message>
        <source>Hot key for file name</source>
        <translation>Raccourci clavier pour le nom de fichier</translation>
    </message>
    <message>
        <source>Hot key for password</source>
        <translation>Raccourci clavier pour le mot de passe</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Fuseau horaire</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit selected game...</source>
        <translation>&amp;Modifier la partie sélectionnée...</translation>
    </message>
    <message>
        <source>Turn &amp;history...</source>
        <translation>&amp;Historique des tours...</translation>
    </message>
    <message>
        <source>&amp;Automatically select games</source>
        <translation>Sélectionner les parties &amp;automatiquement</translation>
    </message>
    <message>
        <source>&amp;Send selected games...</source>
        <translation>&amp;Envoyer les parties sélectionnées...</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <extracomment>the menu command that reads the programs and games again</extracomment>
        <translation>Actualise&amp;r</translation>
    </message>
    <message>
        <source>S&amp;top checking the mailbox</source>
        <translation>Arrê&amp;ter la vérification de la boîte aux lettres</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <extracomment>the menu command that starts the selected game</extracomment>
        <translation>&amp;Jouer</translation>
    </message>
    <message>
        <source>&amp;Host...</source>
        <extracomment>the menu command that hosts the selected game (Space Empires IV)</extracomment>
        <translation>Héber&amp;ger...</translation>
    </message>
    <message>
        <source>Send &amp;Message...</source>
        <translation>Envo&amp;yer un message...</translation>
    </message>
    <message>
        <source>Generate password...</source>
        <translation>Générer un mot de passe...</translation>
    </message>
    <message>
        <source>Copy the selected game password</source>
        <translation>Copier le mot de passe de la partie sélectionnée</translation>
    </message>
    <message>
        <source>Open &amp;received file...</source>
        <translation>&amp;Ouvrir un fichier reçu...</translation>
    </message>
    <message>
        <source>&amp;Open the received file in the archive viewer</source>
        <translation>Ouvrir le fichier reçu dans la &amp;visionneuse d&apos;archives</translation>
    </message>
    <message>
        <source>Show the last Zip operation...</source>
        <translation>Afficher la dernière opération ZIP...</translation>
    </message>
    <message>
        <source>Show the last SMTP operation...</source>
        <translation>Afficher la dernière opération SMTP...</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Sending e-mail...</source>
        <translation>&amp;Envoi des e-mails...</translation>
    </message>
    <message>
        <source>The settings dialog is not available yet.</source>
        <translation>La boîte de dialogue des options n&apos;est pas encore disponible.</translation>
    </message>
    <message>
        <source>&amp;Test e-mail sending</source>
        <translation>&amp;Tester l&apos;envoi des e-mails</translation>
    </message>
    <message>
        <source>The test message is not available yet.</source>
        <translation>Le message de test n&apos;est pas encore disponible.</translation>
    </message>
    <message>
        <source>&amp;Modify installed programs...</source>
        <translation>&amp;Modifier les programmes installés...</translation>
    </message>
    <message>
        <source>The programs dialog is not available yet.</source>
        <translation>La boîte de dialogue des programmes n&apos;est pas encore disponible.</translation>
    </message>
    <message>
        <source>&amp;Rescan installed programs</source>
        <translation>&amp;Rechercher à nouveau les programmes installés</translation>
    </message>
    <message>
        <source>Set &amp;additional working folder...</source>
        <translation>Définir un dossier de travail &amp;supplémentaire...</translation>
    </message>
    <message>
        <source>The working folder is not available yet.</source>
        <translation>Le dossier de travail n&apos;est pas encore disponible.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;User guide</source>
        <translation>&amp;Guide de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>&amp;About KOLT Helper...</source>
        <translation>À &amp;propos de KOLT Helper...</translation>
    </message>
    <message>
        <source>Checking %1</source>
        <translation>Vérification de %1</translation>
    </message>
    <message>
        <source>Turns arrived in the mailbox</source>
        <translation>Des tours sont arrivés dans la boîte aux lettres</translation>
    </message>
    <message>
        <source>They are taken in when you return to KOLT Helper.</source>
        <translation>Ils seront pris en compte à votre retour dans KOLT Helper.</translation>
    </message>
    <message>
        <source>Press %1 in the game&apos;s file dialog to type the file name of the game started last with Play.</source>
        <translation>Appuyez sur %1 dans la boîte de dialogue de fichier du jeu pour saisir le nom de fichier de la dernière partie lancée avec Jouer.</translation>
    </message>
    <message>
        <source>Press %1 in the game&apos;s password dialog to type the clipboard: Play copies the game&apos;s password there.</source>
        <translation>Appuyez sur %1 dans la boîte de dialogue du mot de passe du jeu pour saisir le contenu du presse-papiers : Jouer y copie le mot de passe de la partie.</translation>
    </message>
    <message>
        <source>Your time zone, as it goes to your opponents with every turn you send.</source>
        <translation>Votre fuseau horaire, tel qu&apos;il est transmis à vos adversaires avec chaque tour envoyé.</translation>
    </message>
    <message>
        <source>Turn files (%1)</source>
        <translation>Fichiers de tour (%1)</translation>
    </message>
    <message>
        <source>All files (%1)</source>
        <translation>Tous les fichiers (%1)</translation>
    </message>
    <message>
        <source>Open received file</source>
        <translation>Ouvrir un fichier reçu</translation>
    </message>
    <message>
        <source>Processing file %1 ...</source>
        <translation>Traitement du fichier %1 ...</translation>
    </message>
    <message>
        <source>Ready</source>
        <extracomment>the status line when nothing is going on</extracomment>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Invalid file name: %1</source>
        <translation>Nom de fichier non valide : %1</translation>
    </message>
    <message>
        <source>Can&apos;t open file: %1</source>
        <translation>Impossible d&apos;ouvrir le fichier : %1</translation>
    </message>
    <message>
        <source>Receiving turns is not available yet.</source>
        <translation>La réception des tours n&apos;est pas encore disponible.</translation>
    </message>
    <message>
        <source>%1 was not taken in</source>
        <translation>%1 n&apos;a pas été pris en compte</translation>
    </message>
    <message>
        <source>%1 was not taken in: %2</source>
        <translation>%1 n&apos;a pas été pris en compte : %2</translation>
    </message>
    <message>
        <source>The turn is for %1, which is not set up here. Do you want to give its installation folder now?</source>
        <translation>Le tour est destiné à %1, qui n&apos;est pas configuré ici. Voulez-vous indiquer maintenant son dossier d&apos;installation ?</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>a received game in a notification: %1 the program&apos;s short name, %2 the file name</extracomment>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>%1: %2 (%3)</source>
        <translation>%1 : %2 (%3)</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <extracomment>the last line of a notification that lists only the first games received</extracomment>
        <translation>et %1 de plus</translation>
    </message>
    <message>
        <source>No supported game program was found on this computer.

If one is installed, tell where: Options &gt; Modify installed programs...</source>
        <translation>Aucun programme de jeu pris en charge n&apos;a été trouvé sur cet ordinateur.

Si l&apos;un d&apos;eux est installé, indiquez où : Options &gt; Modifier les programmes installés...</translation>
    </message>
    <message>
        <source>No games in progress yet.

Start a game for e-mail play in one of the programs above (Run, or a double click on the program) and save its turn: it shows here.

A turn your opponent sent you comes in with File &gt; Open received file... (Ctrl+O), or drop the file onto this window.</source>
        <translation>Aucune partie en cours pour l&apos;instant.

Commencez une partie par e-mail dans l&apos;un des programmes ci-dessus (Lancer, ou un double-clic sur le programme) et enregistrez son tour : elle apparaît ici.

Un tour envoyé par votre adversaire est pris en compte avec Fichier &gt; Ouvrir un fichier reçu... (Ctrl+O), ou en déposant le fichier sur cette fenêtre.</translation>
    </message>
    <message>
        <source>There is no game in the list yet.</source>
        <translation>Il n&apos;y a encore aucune partie dans la liste.</translation>
    </message>
    <message>
        <source>Select a game in the list to %1.</source>
        <translation>Sélectionnez une partie dans la liste pour %1.</translation>
    </message>
    <message>
        <source>edit it</source>
        <extracomment>completes &quot;Select a game in the list to %1.&quot;</extracomment>
        <translation>la modifier</translation>
    </message>
    <message>
        <source>Sending files...</source>
        <translation>Envoi des fichiers...</translation>
    </message>
    <message>
        <source>Sending messages...</source>
        <translation>Envoi des messages...</translation>
    </message>
    <message>
        <source>Sending turns is not available yet.</source>
        <translation>L&apos;envoi des tours n&apos;est pas encore disponible.</translation>
    </message>
    <message>
        <source>host it</source>
        <extracomment>completes &quot;Select a game in the list to %1.&quot;</extracomment>
        <translation>l&apos;héberger</translation>
    </message>
    <message>
        <source>play it</source>
        <translation>la jouer</translation>
    </message>
    <message>
        <source>Host this game?</source>
        <translation>Héberger cette partie ?</translation>
    </message>
    <message>
        <source>This program does not support hosting.</source>
        <translation>Ce programme ne permet pas d&apos;héberger.</translation>
    </message>
    <message>
        <source>Do you really want to hide %1?</source>
        <translation>Voulez-vous vraiment masquer %1 ?</translation>
    </message>
    <message>
        <source>The new password is: %1</source>
        <translation>Le nouveau mot de passe est : %1</translation>
    </message>
    <message>
        <source>The password has been copied to clipboard.</source>
        <translation>Le mot de passe a été copié dans le presse-papiers.</translation>
    </message>
    <message>
        <source>No program is set up to open ZIP archives on this desktop.</source>
        <translation>Aucun programme n&apos;est configuré pour ouvrir les archives ZIP sur ce bureau.</translation>
    </message>
    <message>
        <source>see its turn history</source>
        <translation>voir son historique des tours</translation>
    </message>
    <message>
        <source>&amp;Remind the opponent</source>
        <translation>&amp;Relancer l’adversaire</translation>
    </message>
    <message>
        <source>Reminded %1 of %2</source>
        <translation>%1 relancé pour %2</translation>
    </message>
    <message>
        <source>The games are still being read; try again in a moment.</source>
        <translation>Les parties sont encore en cours de lecture ; réessayez dans un instant.</translation>
    </message>
</context>
<context>
    <name>kolt::frmModify</name>
    <message>
        <source>Modify %1 (%2)</source>
        <translation>Modifier %1 (%2)</translation>
    </message>
    <message>
        <source>Select the file.</source>
        <translation>Sélectionnez le fichier.</translation>
    </message>
    <message>
        <source>Select the executable.</source>
        <translation>Sélectionnez l’exécutable.</translation>
    </message>
    <message>
        <source>Select some file in the e-mail subfolder (if any).</source>
        <translation>Sélectionnez un fichier du sous-dossier e-mail (s’il y en a un).</translation>
    </message>
    <message>
        <source>Select the primary file.</source>
        <translation>Sélectionnez le fichier principal.</translation>
    </message>
    <message>
        <source>Please define the description rule first.</source>
        <translation>Veuillez d’abord définir la règle de description.</translation>
    </message>
    <message>
        <source>Select the file to test the description rule.</source>
        <translation>Sélectionnez le fichier sur lequel tester la règle de description.</translation>
    </message>
    <message>
        <source>The file description</source>
        <translation>La description du fichier</translation>
    </message>
    <message>
        <source>Can&apos;t write the definition file %1</source>
        <translation>Impossible d’écrire le fichier de définition %1</translation>
    </message>
    <message>
        <source>Long descriptive name (e.g. &apos;Steel Panthers: World At War&apos;).</source>
        <translation>Nom descriptif long (par ex. &apos;Steel Panthers: World At War&apos;).</translation>
    </message>
    <message>
        <source>The executable name (e.g. &apos;GAME.EXE&apos;).</source>
        <translation>Le nom de l’exécutable (par ex. &apos;GAME.EXE&apos;).</translation>
    </message>
    <message>
        <source>The KOLT subfolder (e.g. &apos;KOLT&apos; or &apos;EMAIL&apos; or nothing).</source>
        <translation>Le sous-dossier KOLT (par ex. &apos;KOLT&apos; ou &apos;EMAIL&apos; ou rien).</translation>
    </message>
    <message>
        <source>The uninstall string from HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ (e.g. &apos;Steel_Panthers_World_At_War&apos; or nothing). %1 can possibly find the installed program by this information. You can have several strings here, if you separate them by the | character (vertical line). Use RegEdit to browse the registry, but do not change anything!</source>
        <translation>La chaîne de désinstallation de HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ (par ex. &apos;Steel_Panthers_World_At_War&apos; ou rien). %1 peut éventuellement trouver le programme installé grâce à cette information. Vous pouvez indiquer plusieurs chaînes ici en les séparant par le caractère | (barre verticale). Utilisez RegEdit pour parcourir le registre, mais ne modifiez rien&#xa0;!</translation>
    </message>
    <message>
        <source>The file pattern for KOLT files (e.g. &apos;SAVE?&apos; or &apos;*.TXT&apos; or &apos;EMAIL*.CMT&apos;). This pattern must match the Primary file type extension.</source>
        <translation>Le modèle de fichier des fichiers KOLT (par ex. &apos;SAVE?&apos; ou &apos;*.TXT&apos; ou &apos;EMAIL*.CMT&apos;). Ce modèle doit correspondre à l’extension du type de fichier principal.</translation>
    </message>
    <message>
        <source>LINE n: Use the n&apos;th line from the primary file as description. TRIM: Use the first null terminating string. MIDo,l: Skip o-1 characters, then read l characters, and then trim it.</source>
        <translation>LINE n&#xa0;: utiliser la n-ième ligne du fichier principal comme description. TRIM&#xa0;: utiliser la première chaîne terminée par un caractère nul. MIDo,l&#xa0;: sauter o-1 caractères, puis lire l caractères et supprimer les espaces autour.</translation>
    </message>
    <message>
        <source>The command line option for starting the executable directly in the selected game when Play F9 is clicked (e.g.<byte value="xd"/>
&quot;%f&quot; &quot;%p&quot;<byte value="xd"/>
or nothing if the program does not support it). %f will be replaced by the file path and %p by the password.</source>
        <translation>L’option de ligne de commande qui démarre l’exécutable directement dans la partie sélectionnée quand Jouer F9 est cliqué (par ex.<byte value="xd"/>
&quot;%f&quot; &quot;%p&quot;<byte value="xd"/>
ou rien si le programme ne le permet pas). %f sera remplacé par le chemin du fichier et %p par le mot de passe.</translation>
    </message>
    <message>
        <source>You must have at least one file type defined. Some programs have several files for one game. In that case the file base is always the same, only extension changes.</source>
        <translation>Vous devez définir au moins un type de fichier. Certains programmes ont plusieurs fichiers pour une partie. Dans ce cas, la base du nom de fichier est toujours la même, seule l’extension change.</translation>
    </message>
    <message>
        <source>The extension for the file (e.g. &apos;CMT&apos; or &apos;TXT&apos; or nothing).</source>
        <translation>L’extension du fichier (par ex. &apos;CMT&apos; ou &apos;TXT&apos; ou rien).</translation>
    </message>
    <message>
        <source>One of the files must be the primary file. The extension must match the file pattern defined above.</source>
        <translation>L’un des fichiers doit être le fichier principal. L’extension doit correspondre au modèle de fichier défini plus haut.</translation>
    </message>
    <message>
        <source>The modification date is checked from one of the files.</source>
        <translation>La date de modification est vérifiée sur l’un des fichiers.</translation>
    </message>
    <message>
        <source>Enable this if the file modification date must be newer each time.</source>
        <translation>Activez ceci si la date de modification du fichier doit être plus récente à chaque fois.</translation>
    </message>
    <message>
        <source>Enable this if the file must exist.</source>
        <translation>Activez ceci si le fichier doit exister.</translation>
    </message>
    <message>
        <source>Set focus to some control and press F1 again.</source>
        <translation>Placez le focus sur un contrôle et appuyez de nouveau sur F1.</translation>
    </message>
</context>
<context>
    <name>kolt::frmOptions</name>
    <message>
        <source>The password is kept in
%1,
never in the settings file.</source>
        <translation>Le mot de passe est conservé dans
%1,
jamais dans le fichier des réglages.</translation>
    </message>
    <message>
        <source>Enter the IMAP server first.</source>
        <translation>Saisissez d&apos;abord le serveur IMAP.</translation>
    </message>
    <message>
        <source>Logged in as %1: the folder %2 has %3 unread messages.</source>
        <translation>Connecté en tant que %1 : le dossier %2 contient %3 messages non lus.</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Échec : %1</translation>
    </message>
    <message>
        <source>Enter the SMTP server first.</source>
        <translation>Saisissez d&apos;abord le serveur SMTP.</translation>
    </message>
    <message>
        <source>Connected to %1 (no password: no login tried).</source>
        <translation>Connecté à %1 (pas de mot de passe : aucune connexion tentée).</translation>
    </message>
    <message>
        <source>Connected to %1 and logged in as %2. No message was sent.</source>
        <translation>Connecté à %1 et identifié en tant que %2. Aucun message n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The certificate of the server %1 is not trusted on this computer (%2).</source>
        <extracomment>%2 is the reason the connection failed</extracomment>
        <translation>Le certificat du serveur %1 n&apos;est pas approuvé sur cet ordinateur (%2).</translation>
    </message>
    <message>
        <source>Its certificate could not be read: %1</source>
        <translation>Son certificat n&apos;a pas pu être lu : %1</translation>
    </message>
    <message>
        <source>Trust it only if the server is your own or the fingerprint is the one your provider publishes. Your password was not sent.</source>
        <translation>Ne lui faites confiance que si le serveur est le vôtre ou si l&apos;empreinte est celle que publie votre fournisseur. Votre mot de passe n&apos;a pas été envoyé.</translation>
    </message>
    <message>
        <source>Can&apos;t write the file %1</source>
        <translation>Impossible d&apos;écrire le fichier %1</translation>
    </message>
    <message>
        <source>Enter your e-mail address under &quot;%1&quot;. Your opponents&apos; copies know your turns by it, and the test message goes to it.</source>
        <translation>Saisissez votre adresse e-mail sous « %1 ». Les copies de vos adversaires reconnaissent vos tours grâce à elle, et le message de test lui est envoyé.</translation>
    </message>
    <message>
        <source>The address under &quot;%1&quot; is %2 characters long; at most %3 fit. Enter one address, such as name@example.com.</source>
        <translation>L&apos;adresse sous « %1 » compte %2 caractères ; %3 au plus sont possibles. Saisissez une seule adresse, par exemple name@example.com.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address. Enter one address under &quot;%2&quot;, such as name@example.com.</source>
        <translation>« %1 » n&apos;est pas une adresse e-mail. Saisissez une seule adresse sous « %2 », par exemple name@example.com.</translation>
    </message>
    <message>
        <source>Enter the SMTP server for outgoing mail, such as mail.example.com.</source>
        <translation>Saisissez le serveur SMTP du courrier sortant, par exemple mail.example.com.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an SMTP server. Enter its name, optionally with a port: mail.example.com, mail.example.com:587 or [2001:db8::1]:587.</source>
        <translation>« %1 » n&apos;est pas un serveur SMTP. Saisissez son nom, éventuellement avec un port : mail.example.com, mail.example.com:587 ou [2001:db8::1]:587.</translation>
    </message>
    <message>
        <source>The address of your SMTP account under &quot;%1&quot; is %2 characters long; at most %3 fit.</source>
        <translation>L&apos;adresse de votre compte SMTP sous « %1 » compte %2 caractères ; %3 au plus sont possibles.</translation>
    </message>
    <message>
        <source>Enter the address of your SMTP account under &quot;%1&quot;, such as name@example.com.</source>
        <translation>Saisissez l&apos;adresse de votre compte SMTP sous « %1 », par exemple name@example.com.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address. Enter the address of your SMTP account under &quot;%2&quot;, such as name@example.com.</source>
        <translation>« %1 » n&apos;est pas une adresse e-mail. Saisissez l&apos;adresse de votre compte SMTP sous « %2 », par exemple name@example.com.</translation>
    </message>
    <message>
        <source>Can&apos;t write the settings file %1</source>
        <translation>Impossible d&apos;écrire le fichier de réglages %1</translation>
    </message>
    <message>
        <source>Can&apos;t store the SMTP password in %1</source>
        <translation>Impossible d&apos;enregistrer le mot de passe SMTP dans %1</translation>
    </message>
</context>
<context>
    <name>kolt::frmProgram</name>
    <message>
        <source>Folder &apos;%1&apos; does not exist</source>
        <translation>Le dossier &apos;%1&apos; n’existe pas</translation>
    </message>
</context>
<context>
    <name>kolt::frmPrograms</name>
    <message>
        <source>Enter the short name for the new program. It should contain 2-8 characters, only A-Z and 0-9 are allowed.</source>
        <translation>Saisissez le nom court du nouveau programme. Il doit comporter de 2 à 8 caractères ; seuls A-Z et 0-9 sont autorisés.</translation>
    </message>
    <message>
        <source>New program</source>
        <translation>Nouveau programme</translation>
    </message>
    <message>
        <source>Invalid length: %1</source>
        <translation>Longueur non valide : %1</translation>
    </message>
    <message>
        <source>Invalid character: %1</source>
        <translation>Caractère non valide : %1</translation>
    </message>
    <message>
        <source>Name is already in use!</source>
        <translation>Ce nom est déjà utilisé !</translation>
    </message>
    <message>
        <source>Can&apos;t write the definition file %1</source>
        <translation>Impossible d’écrire le fichier de définition %1</translation>
    </message>
    <message>
        <source>%1 is hard coded and can&apos;t be modified.</source>
        <translation>%1 est intégré et ne peut pas être modifié.</translation>
    </message>
    <message>
        <source>%1 is hard coded and can&apos;t be removed, but you can disable it if you want.</source>
        <translation>%1 est intégré et ne peut pas être supprimé, mais vous pouvez le désactiver si vous le souhaitez.</translation>
    </message>
    <message>
        <source>Do you want to remove %1? The program will just be removed from the list of installed games, the %2 file still remains.</source>
        <translation>Voulez-vous supprimer %1 ? Le programme sera seulement retiré de la liste des jeux installés, le fichier %2 est conservé.</translation>
    </message>
    <message>
        <source>Do you really want to disable %1?</source>
        <translation>Voulez-vous vraiment désactiver %1 ?</translation>
    </message>
    <message>
        <source>Do you want to restore all removed programs?</source>
        <translation>Voulez-vous restaurer tous les programmes supprimés ?</translation>
    </message>
    <message>
        <source>You have to restart %1 so that the changes take effect.</source>
        <translation>Vous devez redémarrer %1 pour que les modifications prennent effet.</translation>
    </message>
</context>
<context>
    <name>kolt::frmSE4</name>
    <message>
        <source>Normally you are detected from your e-mail address that is defined in KOLT helper options. If for some reason it is different than your e-mail address in this game, you can define your own empire here. Click OK to set %1 (%2) as your empire.</source>
        <translation>Normalement, vous êtes reconnu par votre adresse e-mail définie dans les options de KOLT Helper. Si, pour une raison quelconque, elle diffère de votre adresse e-mail dans cette partie, vous pouvez définir votre propre empire ici. Cliquez sur OK pour définir %1 (%2) comme votre empire.</translation>
    </message>
</context>
<context>
    <name>kolt::frmTaunt</name>
    <message>
        <source>Are you sure you want to cancel the sending operation?</source>
        <translation>Voulez-vous vraiment annuler l&apos;envoi ?</translation>
    </message>
</context>
</TS>

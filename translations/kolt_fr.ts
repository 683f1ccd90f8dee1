<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>OptionsOverviewPage</name>
    <message>
        <source>Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn &amp;history and overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Earlier turns kept per game:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each turn file a received turn replaces is kept in the game folder&apos;s bak/history for this many turns; 0 keeps none.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mark a game in &quot;Play&quot; after (days):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A game in &quot;Play&quot; for longer than this is shown in another colour; 0 never marks one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep running in the tray when the window is closed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VBUnzFrm</name>
    <message>
        <source>Unzipping...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decompressing file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Into directory:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>KOLT Helper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start the selected program (or double-click the program)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>H&amp;ide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide the selected program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Games in progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit... (F2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the Mode and E-Mail address for the selected game (or double-click the game)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Se&amp;lect (F3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select games with Send or Play/Send status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send... (F4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send all selected games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Taunt your opponent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an editor window before sending message to each opponent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh (F5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh the program and game status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Play (F9)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the selected game (or double-click the game when it has Play status)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Message (F12)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send a message to opponent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending e-mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Se&amp;nding E-Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;From (your e-mail address):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send through the &amp;desktop mail client (Thunderbird or xdg-email)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show a message dialo&amp;g before sending the e-mail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send directly through an S&amp;MTP server (libcurl)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMTP &amp;server (outgoing mail):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your SMTP &amp;e-mail address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Se&amp;curity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STARTTLS (recommended)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS from the start (SSL)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None (unencrypted)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMTP &amp;user name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the SMTP e-mail address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMTP pass&amp;word:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none: send without logging in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;rust this certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receiving e-mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMAP &amp;server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STARTTLS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None (not encrypted)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User name (empty: your account address):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mailbox &amp;folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INBOX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check &amp;every (minutes, 0: only on request):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Once a turn is taken in, &amp;mark its message as read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Once a turn is taken in, mo&amp;ve its message to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmProgram</name>
    <message>
        <source>Program title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I don&apos;t know...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmPrograms</name>
    <message>
        <source>Programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remo&amp;ve...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Disable...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Res&amp;tore...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;fresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmTaunt</name>
    <message>
        <source>Taunt your opponent (press Ctrl+Enter to send)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;E-Mail:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Games:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Message:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter &amp;text below and press enter, it will be added to the list, from where you can select it later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sa&amp;ved:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel sending...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>SendSelection</name>
    <message numerus="yes">
        <source>Sent %n game to %1</source>
        <translation>
            <numerusform>Sent %n game to %1</numerusform>
            <numerusform>Sent %n games to %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sent %n games to %1</source>
        <translation>
            <numerusform>Sent %n game to %1</numerusform>
            <numerusform>Sent %n games to %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TurnExchange</name>
    <message numerus="yes">
        <source>Received %n game from the working folder</source>
        <translation>
            <numerusform>Received %n game from the working folder</numerusform>
            <numerusform>Received %n games from the working folder</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n games from the working folder</source>
        <translation>
            <numerusform>Received %n game from the working folder</numerusform>
            <numerusform>Received %n games from the working folder</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n game from %1</source>
        <translation>
            <numerusform>Received %n game from %1</numerusform>
            <numerusform>Received %n games from %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n games from %1</source>
        <translation>
            <numerusform>Received %n game from %1</numerusform>
            <numerusform>Received %n games from %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kolt::TrayIcon</name>
    <message numerus="yes">
        <source>KOLT Helper: %n games to play</source>
        <translation>
            <numerusform>KOLT Helper: %n game to play</numerusform>
            <numerusform>KOLT Helper: %n games to play</numerusform>
        </translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>OutputQueue</name>
    <message>
        <location filename="../src/midi/OutputQueue.cpp" line="+111"/>
        <source>MIDI output: a SysEx message of %1 bytes is longer than the port takes (%2 bytes); not sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>MIDI output error: %1. Check that the synthesizer&apos;s MIDI output device is connected, or choose it under System, Midi Settings (Ctrl+D).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>message not sent</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reception</name>
    <message>
        <location filename="../src/midi/Reception.cpp" line="+18"/>
        <source>no sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Reception ended: %1 received.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Reception ended: %1 received; skipped %2 %3 of this reception.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>INPREPARE error%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ADDBUFFER error%1:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Refused a received message of %1 bytes: a sound has %2 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+24"/>
        <source>its answer was refused twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Refused a received sound without location: no row is selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Refused a received sound for bank %1 program %2: no such slot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>ZR Bank: %1 Sound:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Received %1 sound.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Skipped sound %1 of this reception: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>no answer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::SysExDialog</name>
    <message>
        <location filename="../src/midi/SysExDialog.cpp" line="+25"/>
        <source>SysEx Communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Waiting for Q-Lindorn (Press Dump on Q-Lindorn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::library::LibraryModel</name>
    <message>
        <location filename="../src/library/LibraryModel.cpp" line="+145"/>
        <source>favourite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>not a favourite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Favourite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>First Seen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::midi::MidiSession</name>
    <message>
        <location filename="../src/midi/MidiSession.cpp" line="+94"/>
        <source>the MIDI server stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>the port went away</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+163"/>
        <source>MIDI %1 lost: %2 (%3)%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>MIDI %1 %2 is back and open again.%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+138"/>
        <source>output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-129"/>
        <source>; %1 queued message(s) discarded. Nothing is sent until it returns; it is opened again by itself then. Start the MIDI server again or reconnect the synthesizer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source> %1 message(s) made while it was away were not sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+162"/>
        <source>input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-155"/>
        <source>. No sound can be received until it returns; it is opened again by itself then.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>There is no MIDI %1 device %2 (%3 present).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The MIDI server does not answer; %1 is opened when it does.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>MIDI output is not open: %1 message(s) not sent. Choose an output under System, Midi Settings (Ctrl+D).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+74"/>
        <source>%1 queued MIDI message(s) were not sent: the output was closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+96"/>
        <source>MIDI output: %1. MIDI input: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>none; sounds cannot be received (choose one under System, Midi Settings)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+125"/>
        <source>MIDI output: %1 is not a channel message status; not sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>MIDI output: there is no slot %1; nothing sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The file %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 is not a plain file; nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file %1 has %2 bytes; files larger than 1 MiB are not sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+4"/>
        <source>The file %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The file %1 is larger than 1 MiB; not sent.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::midi::MidiSettingsDialog</name>
    <message>
        <location filename="../src/midi/MidiSettingsDialog.cpp" line="+26"/>
        <source>No Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Midi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Midi in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Midi out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Device ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Broadcast</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::midi::SoundTransfer</name>
    <message>
        <location filename="../src/midi/SoundTransfer.cpp" line="+144"/>
        <source>Sending %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

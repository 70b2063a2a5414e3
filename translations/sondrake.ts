<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>AtomicFile</name>
    <message>
        <location filename="../src/platform/AtomicFile.cpp" line="+27"/>
        <source>the file could not be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the disk took only part of the file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BankFile</name>
    <message>
        <location filename="../src/platform/BankFile.cpp" line="+79"/>
        <source>the name is longer than any path can be</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+39"/>
        <source>it is a folder, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-32"/>
        <source>it is a device or a pipe, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>slots %1..%2 are outside the store</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../emulator/main.cpp" line="+177"/>
        <source>A software stand-in for the Halvorne Q-Lindorn synthesizer: it opens the MIDI ports &quot;QLindorn Emulator&quot; and answers like the synthesizer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmulatorMain</name>
    <message>
        <location line="+4"/>
        <source>No window: read the commands dump, dump-bank 1, dump-bank 2 and quit from standard input and print every MIDI message received as a line of hexadecimal bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>List the MIDI ports and exit.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmulatorWindow</name>
    <message>
        <location filename="../emulator/EmulatorWindow.cpp" line="+14"/>
        <source>QLindorn Emulator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Dump Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dump Bank 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Dump Bank 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source> ... (%1 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Bank %1  Program %2  &quot;%3&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>   (bank dump running)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileLocations</name>
    <message>
        <location filename="../src/platform/FileLocations.cpp" line="+76"/>
        <source>cannot create the folder %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <location filename="../src/platform/IniFile.cpp" line="+231"/>
        <source>it is not a plain file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>the file is larger than %1 MB, too large for a settings file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>the file is too large for a settings file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the file is saved as UTF-16 (or UTF-32) text; save it as UTF-8 text to use it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JackMidi</name>
    <message>
        <location filename="../src/platform/JackMidi.cpp" line="+348"/>
        <source>No JACK server is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>JACK refused to create the MIDI port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Out of memory for the MIDI buffer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The MIDI input could not be prepared.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>JACK refused to start the MIDI client.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Could not connect to the JACK port %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>not an output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a message of %1 bytes is longer than a JACK port takes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the JACK server has stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the MIDI output is closing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the MIDI output buffer is full</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <location filename="../src/library/LibraryCommands.cpp" line="+31"/>
        <source>--import needs at least one bank or sound file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1: %2 new of %3 sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 new sounds (%2 sounds in %3 files)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 sounds written to %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibraryDatabase</name>
    <message>
        <location filename="../src/library/LibraryDatabase.cpp" line="+388"/>
        <source>it was written by a newer version of the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>it holds tables of another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+151"/>
        <location line="+451"/>
        <source>the library is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-400"/>
        <source>The sound library is off for this run: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>%1 is damaged (%2) and could not be moved aside</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The sound library %1 was damaged (%2): it was moved aside as %3 and a new empty library was started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the new library %1 cannot be started either (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 is read-only (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is locked by another program (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the disk of %1 is full (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 cannot be used: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 cannot be opened (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The sound library %1 cannot be read (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+288"/>
        <source>%1: holds no sound</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MidiService</name>
    <message>
        <location filename="../src/platform/MidiService.cpp" line="+161"/>
        <source>There is neither an ALSA sequencer nor a running JACK server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+167"/>
        <source>The MIDI output device %1 is gone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The MIDI output device could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>There is no MIDI output device %1 (%2 present).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>the MIDI output is closing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+149"/>
        <source>The MIDI input device %1 is gone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The MIDI input device could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>There is no MIDI input device %1 (%2 present).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>ParameterMap</name>
    <message>
        <location filename="../src/parametermap/ParameterMap.cpp" line="+51"/>
        <source>Oscillators</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Filter &amp; LFOs &amp; Envelopes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+334"/>
        <source>Arpeggiator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-240"/>
        <source>Oscillator 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+25"/>
        <location line="+23"/>
        <source>Semitone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-46"/>
        <location line="+25"/>
        <location line="+23"/>
        <source>Detune</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-46"/>
        <location line="+25"/>
        <location line="+23"/>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-46"/>
        <location line="+25"/>
        <location line="+23"/>
        <source>Manual PW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-46"/>
        <location line="+25"/>
        <location line="+23"/>
        <source>LFO2 &gt; PW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-44"/>
        <location line="+23"/>
        <location line="+23"/>
        <source>ModEnv &gt; PW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-43"/>
        <location line="+23"/>
        <location line="+23"/>
        <source>ModEnv &gt; Pitch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-44"/>
        <location line="+23"/>
        <location line="+23"/>
        <source>LFO1 &gt; Pitch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-44"/>
        <location line="+23"/>
        <location line="+23"/>
        <location line="+96"/>
        <location line="+26"/>
        <source>Waveform</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-166"/>
        <location line="+23"/>
        <location line="+23"/>
        <source>Octave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-43"/>
        <source>Oscillator 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Oscillator 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Oscillators Common</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Portamento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uni Detune</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>VCO Drift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Preglide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Start Phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>23 FM Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>23 FM ADEnv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>23 FM Lfo1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mixer Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mixer Lfo1&gt;Osc1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mixer Lfo2&gt;Osc1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mixer Lfo2&gt;Osc2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Mixer ADenv&gt;Osc3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Unison</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Osc 1&gt;2 Sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Poly Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Porta Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Fixed Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Noise &amp; Ring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Noise Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>LFO1 &gt; Noise Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ring12 Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>LFO1 &gt; Ring12 Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Noise Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Resonance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>KeyTrack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>ModEnv&gt;FiltFreq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Lfo2&gt;FiltFreq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Overdrive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Q Normalise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Filt Velocity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Slope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>LFO 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+26"/>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+26"/>
        <source>Delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+26"/>
        <location line="+45"/>
        <source>Velocity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-68"/>
        <location line="+26"/>
        <source>Keysync Phase Offset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+26"/>
        <source>Triggering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-22"/>
        <location line="+26"/>
        <source>Keysync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+26"/>
        <source>Polarity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-23"/>
        <location line="+26"/>
        <source>Common to all Voices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+26"/>
        <source>One-Shot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-21"/>
        <source>LFO 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Amp Envelope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <location line="+10"/>
        <source>Attack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-18"/>
        <location line="+10"/>
        <location line="+10"/>
        <source>Decay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-18"/>
        <location line="+10"/>
        <source>Sustain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-8"/>
        <location line="+10"/>
        <source>Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Mod Envelope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Envelope 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Amp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ModEnv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ADEnv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Amp Trig</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ModEnv Trig</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ADEnv Trig</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Tempo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Arp Gate Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Octaves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Arp ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Arp Latch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Arp Pattern Velocity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Arp Keysync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sync</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sync Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>LFO1 Delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>LFO1 Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>LFO2 Delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>LFO2 Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Delay Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Chorus/Phaser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Panning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Wheels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BW Osc1 Bend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>BW Osc2 Bend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>BW Osc3 Bend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW Pitch Direct</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW Pitch Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW Filter Freq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW FiltFreq Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW Output Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW Delay Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW Reverb Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW Chorus Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MW Distort Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Aftertouch &amp; Breath</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>AT Pitch Direct</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>AT Pitch Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>AT Filter Freq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>AT FiltFreq Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>AT Output Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>BR Pitch Direct</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>BR Pitch Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>BR Filter Freq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>BR FiltFreq Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>BR Output Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Pan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pan Mod Depth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pan Mod Rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pan Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Chorus Start</source>
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
    <name>SearchQuery</name>
    <message>
        <location filename="../src/library/SearchQuery.cpp" line="+175"/>
        <source>&quot;%1&quot; needs a parameter before it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>no parameter is named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>%1 has no entry &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 %2 needs an entry after it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 %2 needs %3 after it, not &quot;%4&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>on or off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Words find sounds by their names and tags. A condition finds them by a parameter, named as the editor names it (group and label, or the label alone where it is unique), an operator (= != &lt; &lt;= &gt; &gt;=) and a value as the editor shows it: osc1 waveform = SAWTOOTH, filter frequency &gt; 100, lfo 1 keysync = on. &quot;fav&quot; keeps the favourites. All terms must hold; quotes keep words together.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Slider</name>
    <message>
        <location filename="../src/controls/ControlGeometry.cpp" line="+48"/>
        <source>Rst</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Rest</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::MainWindow</name>
    <message>
        <location filename="../src/librarian/MainWindow.cpp" line="+187"/>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+500"/>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-478"/>
        <source>Sound Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+321"/>
        <source>Rename &apos;%1&apos; to &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Edit &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>New empty banks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+83"/>
        <source>undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&lt;empty&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/librarian/MainWindowFiles.cpp" line="+158"/>
        <source>Load &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/librarian/MainWindowLibrary.cpp" line="+42"/>
        <location line="+47"/>
        <source>The sound library is off for this run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>There is no sound library in this run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Select the slot in the sound list that the sound should go into, then Put into Slot again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Send to Synth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Put into Slot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Only %1 of the %2 sounds fit from slot %3 on; the others were left out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Put &apos;%1&apos; into %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Put %1 sounds into %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/librarian/MainWindowReorder.cpp" line="+33"/>
        <source>Move 1 sound up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move %1 sounds up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Move 1 sound down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move %1 sounds down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Move 1 sound to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move %1 sounds to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Order by name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Swap %1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/librarian/MainWindowTransfer.cpp" line="+79"/>
        <location line="+87"/>
        <source>Receive 1 sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-71"/>
        <source>Send 1 sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Send %1 sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Receive %1 sounds</source>
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
    <name>sondrake::controls::CheckLed</name>
    <message>
        <location filename="../src/controls/CheckLed.cpp" line="+71"/>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::editor::ExploreWindow</name>
    <message>
        <location filename="../src/editor/ExploreWindow.cpp" line="+278"/>
        <source>Explore</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::editor::SoundEditor</name>
    <message>
        <location filename="../src/editor/SoundEditor.cpp" line="+164"/>
        <location line="+1"/>
        <source>Compare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>While down, the Q-Lindorn plays the sound as it was when this window opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+349"/>
        <source>Name &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Init Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/editor/SoundEditorSchema.cpp" line="+211"/>
        <source>Randomize Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Randomize Oscillators</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Randomize Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Randomize Envelopes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Randomize LFOs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Allowed values of %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::library::Library</name>
    <message>
        <location filename="../src/library/Library.cpp" line="+167"/>
        <source>The sound library could not keep the sounds of %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>The sound library could not %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>mark the favourite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>keep the tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>keep the comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>delete the sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The sound library could not import %1</source>
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

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
        <location filename="../src/app/main.cpp" line="+179"/>
        <source>Sound librarian, sound editor and restricted sound randomizer for the Halvorne Q-Lindorn synthesizer, reached over MIDI.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Keep the settings file and the sound-family schemas beside the program, even where the program&apos;s folder is not writable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Archive the bank and sound files given as arguments in the sound library, print how many sounds were new, and end (no window is opened).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Write every sound of the sound library into &lt;folder&gt; as one .syx file per sound, named after it, and end (no window is opened).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Use &lt;file&gt; as the sound library instead of library.sqlite in the usual place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>With --import: the files to archive.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../emulator/main.cpp" line="+177"/>
        <source>A software stand-in for the Halvorne Q-Lindorn synthesizer: it opens the MIDI ports &quot;QLindorn Emulator&quot; and answers like the synthesizer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditorLayout</name>
    <message>
        <location filename="../src/editor/EditorLayout.cpp" line="+414"/>
        <location line="+1"/>
        <source>Allowed values of %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmulatorMain</name>
    <message>
        <location filename="../emulator/main.cpp" line="+4"/>
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
    <name>KeyboardPlayer</name>
    <message>
        <location filename="../src/librarian/KeyboardPlayer.cpp" line="+7"/>
        <source>Octave %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibrarianDialogs</name>
    <message>
        <location filename="../src/librarian/LibrarianDialogs.cpp" line="+13"/>
        <source>SysEx Files (*.syx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Confirm</source>
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
    <name>Main</name>
    <message>
        <location filename="../src/app/main.cpp" line="+48"/>
        <source>Midi Open error</source>
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
    <name>Randomizer</name>
    <message>
        <location filename="../src/editor/Randomizer.cpp" line="+168"/>
        <source>Parameter List View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
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
    <name>Schema</name>
    <message>
        <location filename="../src/editor/Schema.cpp" line="+128"/>
        <source>Please set the schema name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The schema name must not contain a path separator (&quot;/&quot; or &quot;\&quot;).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The schema name must not contain &quot;..&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The schema name must not contain control characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The schema name must not contain the character &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The schema name must not end with a blank or a dot.</source>
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
    <name>sondrake::AutoloadDialog</name>
    <message>
        <location filename="../src/librarian/AutoloadDialog.cpp" line="+20"/>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Autoload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::HelpWindow</name>
    <message>
        <location filename="../src/librarian/HelpWindow.cpp" line="+14"/>
        <source>Shortcut help </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Left Click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Shift, Left Click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Ctrl, Left Click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Move selected sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Ctrl, right click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Ctrl, +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Ctrl, -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Program select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> left click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Previous program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Send sound to Q-Lindorn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Enter  or Ctrl, w</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Computer keyboard </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Z-down octave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>X-up octave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>1-Randomize Oscillator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2-Randomize Filters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3-Randomize Envelopes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>4-Randomize LFOs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>0-Randomize Oscillators, Filters, Envelopes and LFOs </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::LibraryWindow</name>
    <message>
        <location filename="../src/librarian/LibraryWindow.cpp" line="+80"/>
        <source>Sound Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+242"/>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-238"/>
        <source>Name or tag words, or e.g. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Categories</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+260"/>
        <source>Tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-259"/>
        <source>more tags, separated by commas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+271"/>
        <source>Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-270"/>
        <source>&amp;Tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Co&amp;mment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Send to S&amp;ynth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Put into Slot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Favourite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Simi&amp;lar Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show D&amp;uplicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Delete from Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Plays the sound on the synthesizer (its edit buffer); Enter does the same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Puts the sound into the slot selected in the sound list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+97"/>
        <source>The sound library is off for this run (Messages says why).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The sound library is opening...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The sound library is off for this run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 of %2 sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Not understood: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Names: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First seen %1, last seen %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>  %1 (%2 times, last %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Send to Synth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Put into Slot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Favourite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+9"/>
        <source>Delete from Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Delete &quot;%1&quot; from the library?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete %1 sounds from the library?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Similar Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&quot;%1&quot; and the %2 sounds nearest to it, nearest first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Show Duplicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 sounds stored under more than one name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::MainWindow</name>
    <message>
        <location filename="../src/librarian/MainWindow.cpp" line="+58"/>
        <source>Halvorne Q-Lindorn Sondrake - Sound Editor - Sound Restrictioned Randomizer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+96"/>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Read Current Sound (SysEx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Read Sound Bank (1 or 2) from Q-Lindorn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+431"/>
        <source>New empty Sound Banks</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-429"/>
        <source>Load from file Sound Banks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save to file Sound Banks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save to separate file Sound Banks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send SysEx from file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Send SysEx for selected sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
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
        <location line="+504"/>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-502"/>
        <source>Select All Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Midi &amp;Settings ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Zoreduzor Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Device Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/librarian/MainWindowReorder.cpp" line="+144"/>
        <source>Order by name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+80"/>
        <source>Panic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-78"/>
        <source>Sound Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+410"/>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-409"/>
        <source>Video demonstration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Short help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Read Current Sound from Q-Lindorn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send selected sound(s) to Q-Lindorn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Prg -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Prg +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Edit Sound (F4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+83"/>
        <location filename="../src/librarian/MainWindowTransfer.cpp" line="+43"/>
        <source>Midi IN Start error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Start-up failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The command failed for an unknown reason; what it had done so far is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+135"/>
        <source>rename</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Rename &apos;%1&apos; to &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Edit &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>New empty banks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The file %1 was not sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1
Version %2
Sound librarian, editor and restricted randomizer

%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No web browser could be started for %1; open the address in a browser yourself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>undo</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>redo</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&lt;empty&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/librarian/MainWindowFiles.cpp" line="+29"/>
        <source>Could not save the bank file %1: %2. The previous file, if any, is unchanged; choose a folder you may write to or free some disk space, then save again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Could not open the bank file %1: %2. No sound was changed; check that the file exists and that you may read it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Reading the bank file %1 failed after %2 sounds: %3. Those sounds were loaded, the other slots are unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The bank file %1 holds %2 more sounds than the 200 slots; the first 200 were loaded and %2 ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 holds more than 200 sounds; the first 200 were loaded and the rest ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The last %1 bytes of %2 are not a whole sound of 270 bytes and were ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The bank file %1 is empty; no sound was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+23"/>
        <source>Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Select all?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Could not save the sound file %1: %2. The previous file, if any, is unchanged; choose a folder you may write to or free some disk space, then save again. The sounds after it were not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>load</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save changes ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Load &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Could not read the settings file %1: %2. The default settings are used, and the file is left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Could not open the autoload bank file %1: %2. Every slot stays empty; choose another file under System &gt; Zoreduzor Settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Could not write the settings file %1: %2. The settings of this session are lost; check that its folder is writable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The settings file %1 could not be written: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Do you want to save changes to autoload file (%1) ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The autoload bank file %1 could not be written: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>What was not saved is lost when the program ends. Make the folder writable or free some disk space, so that the next close can save.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/librarian/MainWindowKeyboard.cpp" line="+52"/>
        <source>-1 Octave (Z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>+1 Octave (X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Hide keyboard</source>
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
        <location line="+17"/>
        <source>Send to Synth</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Put into Slot</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
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
        <location filename="../src/librarian/MainWindowReorder.cpp" line="-112"/>
        <source>move up</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Move 1 sound up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move %1 sounds up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>move down</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Move 1 sound down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move %1 sounds down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>move</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Move 1 sound to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Move %1 sounds to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+41"/>
        <source>order by name</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Sort all?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>drop</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Swap %1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/librarian/MainWindowTransfer.cpp" line="+15"/>
        <source>Midi Open error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The MIDI output could not be opened: %1 Nothing is sent until it is open; it is opened by itself once it is there, or choose another under System, Midi Settings (Ctrl+D).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+89"/>
        <source>Receive 1 sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-73"/>
        <source>Send 1 sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Send %1 sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Still sending the selected sounds; %1 again when sending has ended</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+15"/>
        <source>read</source>
        <extracomment>A command word, put into &quot;Still sending the selected sounds; %1 again when sending has ended&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Receive %1 sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Still moving the selected sounds; send again when they have arrived</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Still sending the selected sounds; the new request is ignored</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::RenameDialog</name>
    <message>
        <location filename="../src/librarian/RenameDialog.cpp" line="+32"/>
        <source>Sound Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::SoundListModel</name>
    <message>
        <location filename="../src/librarian/SoundListModel.cpp" line="+41"/>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Changed</source>
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
        <location filename="../src/editor/ExploreWindow.cpp" line="+72"/>
        <source>Explore Sound Family</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Candidates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Candidate %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Listen to candidate %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keep %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Breed the next generation from candidate %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+1"/>
        <source>Mutation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The chance that each parameter is drawn again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Previous Generation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Next Generation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Eight new candidates from the kept ones (none kept: from the working copy)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+4"/>
        <source>Morph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <source>as opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>working copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Between the sound as the editor opened it and the working copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Put the sound heard last into the working copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Generation %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>heard last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Click a candidate to listen to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Heard: candidate %1 of generation %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Heard: the morph at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Explore</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::editor::LocationDialog</name>
    <message>
        <location filename="../src/editor/LocationDialog.cpp" line="+16"/>
        <source>Select Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Bank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sound Bank 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sound Bank 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::editor::ParameterListDialog</name>
    <message>
        <location filename="../src/editor/ParameterListDialog.cpp" line="+33"/>
        <source>Parameter List View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sondrake::editor::SoundEditor</name>
    <message>
        <location filename="../src/editor/SoundEditor.cpp" line="+77"/>
        <source>Sound Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+72"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Test &amp;Sound C4-C5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shortcut Num 1,2,3,4,5,6,7,8,9,+,-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+438"/>
        <source>Test Sound C%1-C%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-437"/>
        <location line="+400"/>
        <source>Init Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-399"/>
        <source>Send Sound to Q-Lindorn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
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
        <location line="+2"/>
        <source>Sound Family Schema</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Save Snd Family Schema</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Create Snd Family Schema from current sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Randomize Sound (Ctrl+0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Randomize Oscillators (Ctrl+1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Randomize Filter (Ctrl+2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Randomize Envelopes (Ctrl+3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Randomize LFOs (Ctrl+4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Explore...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+325"/>
        <source>Name &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/editor/SoundEditorSchema.cpp" line="+121"/>
        <source>There is no folder to save schemas in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Please set the schema name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+69"/>
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
    <name>sondrake::editor::ToleranceDialog</name>
    <message>
        <location filename="../src/editor/ToleranceDialog.cpp" line="+19"/>
        <source>Create Schema Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>List(Combobox) tolerance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Other knobs tolerance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Semitone tolerance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Detune tolerance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>lower value make more similar sounds (small sound family) the higher more different sounds (large sound family)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cancel</source>
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

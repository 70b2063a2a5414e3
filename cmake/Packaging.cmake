# "cpack -G DEB" in a build tree makes a Debian package of what
# "cmake --install" puts in place, with its library dependencies computed
# by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME sondrake)
set(CPACK_PACKAGE_VENDOR "The Sondrake developers")
set(CPACK_PACKAGE_CONTACT "sondrake@example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sound librarian and editor for the Halvorne Q-Lindorn synthesizer")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Sondrake pulls the sounds off a Halvorne Q-Lindorn synthesizer over MIDI,\n"
  "keeps two banks of 100 sounds, saves and loads them as SysEx bank files\n"
  "and sends them back. It edits one sound on a window of knobs and sliders\n"
  "whose every move is heard at once, and draws new sounds at random inside\n"
  "a sound family. qlindorn-emulator stands in for the synthesizer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its SQLite driver as a plug-in at run time, which the computed
# library dependencies cannot see; without it the sound library stays off.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# The ALSA sequencer is there on any desktop; a JACK server is for those who use one.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "jackd2")
include(CPack)

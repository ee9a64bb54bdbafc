"""Runs programs under Wine for the tests, one private Xvfb and folder each, and drives them
like a person.

  session    a run of the program in Wine: the prefix, the folder, the command line, main()
  display    the private Xvfb
  inspector  the inspector's records and the dump of a window
  pointer    xdotool's pointer and keys, and the X pointer read back
  profile    gesture.ini in the test's folder
  screen     pictures from the screen: pixel comparisons, the tray icon
  waiting    polling with bounds
  processes  child processes tied to the test

Scripts import it with tests/wine on PYTHONPATH, as CTest runs them (see session); the tools
beside it (tests/wine/*.py) find it there by themselves.
"""

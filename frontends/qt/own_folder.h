// kivo6's start from the menu entry: the user's own KIVO6 folder, and the first-run
// offer of the example history there. main.cpp calls it for --own-folder before the
// program proper starts; the Qt tests call it as main does.
#pragma once

// Makes $XDG_DATA_HOME/kivo6 (~/.local/share/kivo6), created when missing, the
// current folder. When it holds no data.txt, asks in a Yes/No box whether to copy
// the example history there, and copies it only on Yes, to a new file only: nothing
// is written without that Yes, and an existing data.txt is never touched. False,
// with the reason on standard error, when the folder cannot be made or entered.
bool StartInOwnFolder();

// kivo6's start from the menu entry: the user's own KIVO6 folder, and the first-run
// offer of a history there. main.cpp calls it for --own-folder before the program
// proper starts; the Qt tests call it as main does.
#pragma once

// Makes $XDG_DATA_HOME/kivo6 (~/.local/share/kivo6), created when missing, the
// current folder. When it holds no data.txt, asks whether to copy the example history
// there (Yes), to write there the user's own history, picked in a file dialog and read
// as kivo6-check --fix reads it (Open), or neither (No). Either is written to a new file
// only: nothing is written without Yes or a file read whole, and an existing data.txt
// is never touched. A cancelled file dialog, or a file that cannot be read (a box names
// the line and the reason), brings the question back. False, with the reason on
// standard error, when the folder cannot be made or entered.
bool StartInOwnFolder();

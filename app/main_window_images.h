#pragma once

#include <QIcon>

// The 16 x 16 images of the main window's menu and tool bar, by their index in the action table
// (WindowTexts::actions): Qt's built-in standard icons where one fits, small pictures of our own
// for the rest, so that nothing depends on an installed icon theme. An index without an image
// gives a null icon.
//
//   0 New   1 Open   2 Save   3 Save As   6 Exit   7 Undo   8 Cut   9 Copy   10 Paste
//   11 Find   12 Analyze   13 Contents
QIcon mainWindowImage(int index);

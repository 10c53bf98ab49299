#pragma once

// Gives the running application its name, version, desktop entry and icon, so that every window
// shows the program's own icon and title bars, task bars and desktop sessions all know it as the
// same program. Call once, right after the QApplication is constructed.
void setUpApplicationIdentity();

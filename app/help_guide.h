#pragma once

// The user guide: an HTML file installed with the program, found from the executable's own
// folder (<prefix>/bin/zan reads <prefix>/share/zan/help/index.html; the build tree has the same
// layout), never from the working folder. Help > Contents opens it at its contents page in the
// desktop's web browser.

#include <functional>
#include <string>

class QWidget;

namespace HelpGuide {

// Where the guide belongs for the running executable (an absolute, cleaned path).
std::string installedLocation();

// The application's help file, set once at start-up.
void setHelpFile(const std::string &fileName);
const std::string &helpFile();

// Opens the help file's contents page in the browser. When the file is missing, or no browser
// can be started, a message over `parent` names the file.
void showContents(QWidget *parent);

// Starts a web browser on a local file and calls `failed` when none could be started: at once, or
// later from the event loop when the desktop's opener gives up.
using BrowserStart
    = std::function<void(const std::string &fileName, const std::function<void()> &failed)>;
// Replaces the desktop's browser start (for tests); an empty function brings it back.
void setBrowserStart(BrowserStart start);

} // namespace HelpGuide

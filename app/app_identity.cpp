#include "app_identity.h"

#include "app/app_icon.h"
#include "app/app_info.h"

#include <QApplication>

void setUpApplicationIdentity()
{
    QApplication::setApplicationName(QString::fromLatin1(applicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(applicationVersion));
    // Wayland compositors and task bars match the window to the desktop entry by this name.
    QApplication::setDesktopFileName(QString::fromLatin1(desktopId));
    QApplication::setWindowIcon(applicationIcon());
}

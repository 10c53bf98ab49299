#include "app_icon.h"

#include <QString>

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : applicationIconSizes)
        icon.addFile(QStringLiteral(":/zan/icons/zan-%1.png").arg(size), QSize(size, size));
    return icon;
}

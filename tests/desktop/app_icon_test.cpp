#include "app/app_icon.h"
#include "app/app_identity.h"
#include "app/app_info.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The icon reaches the program through the resources of a static library, which the linker drops
// silently unless they are registered: every size must load as a real image of that size.
TEST(ApplicationIcon, EverySizeLoadsFromTheResources)
{
    const QIcon icon = applicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : applicationIconSizes) {
        const QImage image(QStringLiteral(":/zan/icons/zan-%1.png").arg(size));
        EXPECT_EQ(image.size(), QSize(size, size)) << "zan-" << size << ".png";
        EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << size;
    }
}

// Windows that set no icon of their own show the program's.
TEST(ApplicationIdentity, WindowsShowTheProgramsIconAndName)
{
    setUpApplicationIdentity();
    const QWidget window;
    EXPECT_EQ(window.windowIcon().pixmap(16).toImage().convertToFormat(
                  QImage::Format_ARGB32_Premultiplied),
        QImage(":/zan/icons/zan-16.png").convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(QApplication::applicationName().toStdString(), applicationName);
    EXPECT_EQ(QApplication::applicationVersion().toStdString(), applicationVersion);
    EXPECT_EQ(QApplication::desktopFileName().toStdString(), desktopId);
}

} // namespace

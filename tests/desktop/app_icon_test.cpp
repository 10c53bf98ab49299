#include "app/app_icon.h"

#include <QImage>
#include <QPixmap>

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

} // namespace

// The hicolor theme icons that get installed: the 32 x 32 one is the window's own icon pixel for
// pixel, and the larger ones are the same design at their size, on a transparent surround.

#include "app/icon.h"

#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage ThemeIcon(int size)
{
    return QImage(QStringLiteral(VOLUNDE_SOURCE_DIR "/packaging/icons/hamburger-%1.png").arg(size))
        .convertToFormat(QImage::Format_ARGB32);
}

// How many of the 32 x 32 pixels agree on being covered or transparent.
int CoverageAgreement(const QImage& a, const QImage& b)
{
    int agree = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            agree += (qAlpha(a.pixel(x, y)) > 127) == (qAlpha(b.pixel(x, y)) > 127) ? 1 : 0;
    return agree;
}

TEST(ThemeIcons, SmallestIsTheWindowIcon)
{
    const QImage window =
        HamburgerIcon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage theme = ThemeIcon(32);
    ASSERT_EQ(theme.size(), QSize(32, 32));
    ASSERT_EQ(window.size(), QSize(32, 32));
    EXPECT_EQ(theme, window);
}

class LargerThemeIcon : public ::testing::TestWithParam<int> {};

TEST_P(LargerThemeIcon, IsTheSameDesignOnATransparentSurround)
{
    const int size = GetParam();
    const QImage icon = ThemeIcon(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    ASSERT_TRUE(icon.hasAlphaChannel());
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    // Brought down to 32 x 32 it covers nearly the same pixels as the window icon.
    const QImage small = icon.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GE(CoverageAgreement(small, ThemeIcon(32)), 32 * 32 * 95 / 100);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LargerThemeIcon, ::testing::Values(64, 128),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Size" + std::to_string(info.param);
                         });

} // namespace

// The three commands on the real window: what the surface, the lists and the report box show
// after each.

#include "app/volunde.h"
#include "platform/twips.h"

#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QMessageBox>
#include <QPoint>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using platform::TwipsPerPixel;

constexpr int Trapezoids = 0;
constexpr int Triangles = 1;
constexpr int Clear = 2;

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Red = qRgb(255, 0, 0);

// A pentagon, in pixels of the surface's inside. From vertex 0 the fan runs along the first
// edge, then diagonally to vertex 2 and horizontally to vertex 3 along row 120; the edge from
// vertex 1 to vertex 2 lies along row 40. Its area is 5175000 square twips.
const std::vector<QPoint> Pentagon{{40, 120}, {120, 40}, {240, 40}, {320, 120}, {180, 170}};
// In twips: (600, 1800), (1800, 600), (3600, 600), (4800, 1800), (2700, 2550). The fan's
// triangles stand on the lines from vertex 0: 1800 across by 1200 high, then 4200 across by 1200
// and by 750.
const QString PentagonByTrapezoids =
    QStringLiteral("Координати бедро: 600,1800 : 1800,600; лице на трапец = -1440000\r\n"
                   "Координати бедро: 1800,600 : 3600,600; лице на трапец = -1080000\r\n"
                   "Координати бедро: 3600,600 : 4800,1800; лице на трапец = -1440000\r\n"
                   "Координати бедро: 4800,1800 : 2700,2550; лице на трапец = 4567500\r\n"
                   "Координати бедро: 2700,2550 : 600,1800; лице на трапец = 4567500\r\n"
                   "Лице на изпъкнал многоъгълник = 5175000\r\n");
const QString PentagonByTriangles =
    QStringLiteral("Върхове 123: 600,1800; 1800,600; 3600,600;  Херон = 1080000\r\n"
                   "Върхове 123: 600,1800; 1800,600; 3600,600;  Ориентирано = 1080000\r\n"
                   "Върхове 134: 600,1800; 3600,600; 4800,1800;  Херон = 2520000\r\n"
                   "Върхове 134: 600,1800; 3600,600; 4800,1800;  Ориентирано = 2520000\r\n"
                   "Върхове 145: 600,1800; 4800,1800; 2700,2550;  Херон = 1575000\r\n"
                   "Върхове 145: 600,1800; 4800,1800; 2700,2550;  Ориентирано = 1575000\r\n"
                   "Лице на изпъкнал многоъгълник = 5175000\r\n");
const QString PentagonTotal = QStringLiteral("Лице на изпъкнал многоъгълник = 5175000\r\n");

class Commands : public testing::Test {
  protected:
    void SetUp() override
    {
        window = std::make_unique<Volunde>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_EQ(Image().devicePixelRatio(), 1.0) << "the pixel checks assume unscaled drawing";
    }

    void TearDown() override
    {
        window.reset();
        QApplication::processEvents();
    }

    void Place(QPoint pixel)
    {
        window->Picture1_MouseDown(1, 0, float(pixel.x() * TwipsPerPixel),
                                   float(pixel.y() * TwipsPerPixel));
    }

    void Place(const std::vector<QPoint>& pixels)
    {
        for (QPoint pixel : pixels)
            Place(pixel);
    }

    // A copy, so that later drawing does not change it.
    QImage Image() { return window->Picture1.image().copy(); }
    const QString& Report() const { return window->Text1(0).Text(); }

    std::unique_ptr<Volunde> window;
};

bool IsBlack(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == Black;
}

// Black at or next to the pixel: where an aliased diagonal line falls is a matter of rounding.
bool NearBlack(const QImage& image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (IsBlack(image, x + dx, y + dy))
                return true;
    return false;
}

// The black and white pixels of a run along a row or a column, as a string of '#' and '.'.
QString Trace(const QImage& image, QPoint from, QPoint to)
{
    QString trace;
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    for (QPoint p = from;; p += step) {
        trace += IsBlack(image, p.x(), p.y()) ? u'#' : u'.';
        if (p == to)
            break;
    }
    return trace;
}

int LongestRun(const QString& trace, QChar c)
{
    int longest = 0, run = 0;
    for (QChar t : trace) {
        run = t == c ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

bool HasRunOf(const QString& trace, QChar c, int length)
{
    const QString run(length, c);
    const QChar other = c == u'#' ? u'.' : u'#';
    return trace.contains(other + run + other);
}

int Count(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

// Every pixel farther than a dot's reach from all the vertices is white.
bool OnlyDots(const QImage& image, const std::vector<QPoint>& vertices)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool nearVertex = std::any_of(vertices.begin(), vertices.end(), [&](QPoint v) {
                return std::abs(v.x() - x) <= 3 && std::abs(v.y() - y) <= 3;
            });
            if (!nearVertex && image.pixel(x, y) != White)
                return false;
        }
    return true;
}

void ExpectSolidEdges(const QImage& image)
{
    EXPECT_EQ(Trace(image, {126, 40}, {234, 40}), QString(109, u'#')) << "edge 1 to 2";
    for (int k = 5; k <= 75; ++k)
        EXPECT_TRUE(NearBlack(image, 40 + k, 120 - k)) << "edge 0 to 1 at " << k;
    for (int k = 5; k <= 75; ++k)
        EXPECT_TRUE(NearBlack(image, 240 + k, 40 + k)) << "edge 2 to 3 at " << k;
    for (int x = 185; x <= 315; x += 5)
        EXPECT_TRUE(NearBlack(image, x, 170 - (x - 180) * 50 / 140)) << "edge 3 to 4 at " << x;
    for (int x = 45; x <= 175; x += 5)
        EXPECT_TRUE(NearBlack(image, x, 120 + (x - 40) * 50 / 140)) << "edge 4 to 0 at " << x;
}

// A dotted line has single black pixels with short gaps and no dashes.
void ExpectDotted(const QString& trace)
{
    EXPECT_EQ(LongestRun(trace, u'#'), 1) << trace.toStdString();
    EXPECT_LE(LongestRun(trace, u'.'), 3) << trace.toStdString();
}

// The legs run from every vertex down to the bottom row of the inside, dotted.
void ExpectDottedLegs(const QImage& image)
{
    const int bottom = image.height() - 1;
    ExpectDotted(Trace(image, {40, 126}, {40, bottom}));
    ExpectDotted(Trace(image, {320, 126}, {320, bottom}));
    ExpectDotted(Trace(image, {120, 46}, {120, 140}));
    ExpectDotted(Trace(image, {240, 46}, {240, 140}));
    ExpectDotted(Trace(image, {180, 176}, {180, bottom}));
    // Only the legs reach the bottom rows.
    for (int x = 0; x < image.width(); ++x) {
        const bool leg =
            std::any_of(Pentagon.begin(), Pentagon.end(), [x](QPoint v) { return v.x() == x; });
        const QString tail = Trace(image, {x, bottom - 3}, {x, bottom});
        EXPECT_EQ(tail.contains(u'#'), leg) << "column " << x << ": " << tail.toStdString();
    }
}

// Dash-dot: dashes, single dots, and gaps between them.
void ExpectDashDot(const QString& trace)
{
    EXPECT_GE(LongestRun(trace, u'#'), 3) << trace.toStdString();
    EXPECT_TRUE(HasRunOf(trace, u'#', 1)) << trace.toStdString();
    EXPECT_LE(LongestRun(trace, u'.'), 3) << trace.toStdString();
    EXPECT_TRUE(trace.contains(u'.')) << trace.toStdString();
}

TEST_F(Commands, TrapezoidsDrawEdgesAndDottedLegsToTheBottomAndWriteTheReport)
{
    Place(Pentagon);
    window->Command1_Click(Trapezoids);
    const QImage image = Image();
    ExpectSolidEdges(image);
    ExpectDottedLegs(image);
    // No fan line.
    EXPECT_EQ(Trace(image, {46, 120}, {114, 120}), QString(69, u'.'));

    EXPECT_EQ(Report(), PentagonByTrapezoids);
    EXPECT_EQ(window->Picture1.DrawStyle(), 2);
    EXPECT_EQ(window->Picture1.DrawWidth(), 1);
}

TEST_F(Commands, TrianglesDrawTheOutlineAndDashDotFanLinesAndWriteTheReport)
{
    Place(Pentagon);
    window->Command1_Click(Triangles);
    const QImage image = Image();
    ExpectSolidEdges(image);
    ExpectDashDot(Trace(image, {46, 120}, {314, 120}));
    // The fan line to vertex 2: dashes along the diagonal from (40, 120) to (240, 40).
    int near = 0;
    for (int x = 50; x <= 230; ++x)
        near += NearBlack(image, x, 120 - (x - 40) * 80 / 200);
    EXPECT_GT(near, 90);
    EXPECT_LT(near, 181);
    // No legs.
    const int bottom = image.height() - 1;
    EXPECT_EQ(Trace(image, {40, 126}, {40, bottom}), QString(bottom - 125, u'.'));

    EXPECT_EQ(Report(), PentagonByTriangles);
    EXPECT_EQ(window->Picture1.DrawStyle(), 0);
    EXPECT_EQ(window->Picture1.DrawWidth(), 1);
}

TEST_F(Commands, PressesOnTheSurfaceAddVerticesUntilAMethodClosesEntry)
{
    const QPoint inside = window->Picture1.contentsRect().topLeft();
    for (QPoint vertex : Pentagon)
        QTest::mousePress(&window->Picture1, Qt::LeftButton, {}, inside + vertex);
    ASSERT_EQ(window->PointCount, 5);
    EXPECT_EQ(window->List1(0).List(4), QStringLiteral("2700"));
    EXPECT_EQ(window->List1(1).List(4), QStringLiteral("2550"));

    window->Command1(Trapezoids).click();
    EXPECT_EQ(window->InputState, -1);
    EXPECT_TRUE(Report().endsWith(PentagonTotal));
    const QImage closed = Image();
    QTest::mousePress(&window->Picture1, Qt::LeftButton, {}, inside + QPoint(400, 100));
    EXPECT_EQ(window->PointCount, 5);
    EXPECT_EQ(window->List1(0).ListCount(), 5);
    EXPECT_TRUE(Image() == closed);
}

class EachMethod : public Commands, public testing::WithParamInterface<int> {};

TEST_P(EachMethod, PressedTwiceGivesTheSamePictureAndReport)
{
    Place(Pentagon);
    window->Command1_Click(GetParam());
    const QImage first = Image();
    const QString report = Report();
    window->Command1_Click(GetParam());
    EXPECT_TRUE(Image() == first);
    EXPECT_EQ(Report(), report);
}

// Each command starts from an erased surface and an empty report box.
TEST_P(EachMethod, AfterTheOtherMethodShowsOnlyItsOwnConstruction)
{
    const int method = GetParam();
    Place(Pentagon);
    window->Command1_Click(method);
    const QImage alone = Image();
    const QString report = Report();
    window->Command1_Click(1 - method);
    ASSERT_FALSE(Image() == alone);
    window->Command1_Click(method);
    EXPECT_TRUE(Image() == alone);
    EXPECT_EQ(Report(), report);
}

TEST_P(EachMethod, DrawsAHighlightedVertexInTheForegroundColour)
{
    Place(Pentagon);
    window->List1(1).setListIndex(2);
    ASSERT_EQ(window->SelectedIndex, 2);
    ASSERT_EQ(Image().pixel(Pentagon[2]), Red);
    window->Command1_Click(GetParam());
    const QImage image = Image();
    EXPECT_EQ(Count(image, Red), 0);
    EXPECT_EQ(image.pixel(Pentagon[2]), window->Picture1.ForeColor().rgb());
    EXPECT_EQ(window->SelectedIndex, 2);
}

TEST_P(EachMethod, ClosesEntryAfterARunOnThreeVertices)
{
    Place({Pentagon.begin(), Pentagon.begin() + 3});
    window->Command1_Click(GetParam());
    EXPECT_EQ(window->InputState, -1);
    Place(Pentagon[3]);
    EXPECT_EQ(window->PointCount, 3);
    EXPECT_EQ(window->List1(0).ListCount(), 3);
    EXPECT_EQ(window->List1(1).ListCount(), 3);
}

// The report writes its numbers with the separator of the user's locale.
TEST_P(EachMethod, ReportUsesTheDecimalSeparatorOfTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    Place({{10, 10}, {21, 10}, {10, 21}});
    window->Command1_Click(GetParam());
    const QString report = Report();
    QLocale::setDefault(saved);
    EXPECT_TRUE(report.endsWith(QStringLiteral("Лице на изпъкнал многоъгълник = 13612,5\r\n")))
        << report.toStdString();
}

// With fewer than three vertices a method only erases the surface and the report and redraws
// the dots; entry stays open.
class FewVertices : public Commands, public testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(FewVertices, OnlyEraseAndRedrawTheDots)
{
    const auto [method, count] = GetParam();
    const std::vector<QPoint> vertices(Pentagon.begin(), Pentagon.begin() + count);
    Place(vertices);
    if (count > 0)
        window->List1(0).setListIndex(0);
    ASSERT_FALSE(Report().isEmpty()) << "the help text stands before the first command";
    window->Command1_Click(method);

    const QImage image = Image();
    EXPECT_TRUE(Report().isEmpty());
    EXPECT_TRUE(OnlyDots(image, vertices));
    EXPECT_EQ(Count(image, Red), 0);
    for (QPoint v : vertices)
        EXPECT_EQ(image.pixel(v), window->Picture1.ForeColor().rgb());
    EXPECT_EQ(window->Picture1.DrawWidth(), 1);
    EXPECT_EQ(window->InputState, 0);

    Place(Pentagon[count]);
    EXPECT_EQ(window->PointCount, count + 1);
    EXPECT_EQ(window->List1(1).ListCount(), count + 1);
}

TEST_P(EachMethod, ClearLeavesAWhiteSurfaceEmptyListsAndAnEmptyReport)
{
    Place(Pentagon);
    window->List1(0).setListIndex(1);
    window->Command1_Click(GetParam());
    window->Command1_Click(Clear);

    const QImage image = Image();
    EXPECT_EQ(Count(image, White), image.width() * image.height());
    EXPECT_EQ(window->List1(0).ListCount(), 0);
    EXPECT_EQ(window->List1(1).ListCount(), 0);
    EXPECT_TRUE(Report().isEmpty());
    EXPECT_EQ(window->PointCount, 0);
    EXPECT_EQ(window->SelectedIndex, -1);
    EXPECT_EQ(window->InputState, 0);

    Place(Pentagon[4]);
    EXPECT_EQ(window->PointCount, 1);
    EXPECT_EQ(window->List1(0).List(0), QStringLiteral("2700"));
    EXPECT_EQ(window->List1(1).List(0), QStringLiteral("2550"));
}

// An ordinate beyond 16 bits in the store: the run stops with the error shown, and what it
// drew and wrote before stays.
TEST_P(EachMethod, RunTimeErrorKeepsTheWindowAndWhatCameBefore)
{
    const int method = GetParam();
    Place({Pentagon.begin(), Pentagon.begin() + 3});
    window->List1(0).AddItem(QStringLiteral("4800"));
    window->List1(1).AddItem(QStringLiteral("40000"));
    window->PointCount = 4;

    window->Command1(method).click();
    auto* box = window->findChild<QMessageBox*>(QStringLiteral("runTimeErrorBox"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().contains(QStringLiteral("6"))) << box->text().toStdString();
    EXPECT_TRUE(window->isVisible());

    // The trapezoids' lines up to the edge that ends at the ordinate beyond 16 bits; the
    // triangles read every vertex before their first line.
    const QString twoLines =
        PentagonByTrapezoids.section(QStringLiteral("\r\n"), 0, 1) + QStringLiteral("\r\n");
    EXPECT_EQ(Report(), method == Trapezoids ? twoLines : QString());
    const QImage image = Image();
    // The edges from vertex 0 to 1 and 1 to 2 were drawn before the failing vertex was read.
    EXPECT_EQ(Trace(image, {126, 40}, {234, 40}), QString(109, u'#'));
    EXPECT_TRUE(NearBlack(image, 80, 80));
    EXPECT_EQ(window->InputState, 0);

    box->close();
    QApplication::processEvents();
    Place(Pentagon[4]);
    EXPECT_EQ(window->PointCount, 5);
}

INSTANTIATE_TEST_SUITE_P(Methods, EachMethod, testing::Values(Trapezoids, Triangles),
                         [](const auto& info) {
                             return info.param == Trapezoids ? "Trapezoids" : "Triangles";
                         });

INSTANTIATE_TEST_SUITE_P(
    MethodsAndCounts, FewVertices,
    testing::Combine(testing::Values(Trapezoids, Triangles), testing::Values(0, 1, 2)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) == Trapezoids ? "Trapezoids" : "Triangles") +
               std::to_string(std::get<1>(info.param));
    });

} // namespace

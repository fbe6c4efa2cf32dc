// Tests of the colour difference and of the colour-vision simulations.
#include <gtest/gtest.h>

#include <array>

#include "tools/artwork/colour_vision.h"

namespace {

struct ReferencePair {
    Lab first;
    Lab second;
    double difference;
};

// Pairs published by Sharma, Wu and Dalal (2005) with their CIEDE2000 differences: blue hues
// near the sharpest turn of the hue weighting, neutral colours, pairs on either side of the hue
// angle's wrap from 360 to 0 (where a mean hue taken the wrong way round changes the result),
// large differences and dark and light colours.
constexpr std::array<ReferencePair, 13> sharma_pairs{{
    {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
    {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
    {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
    {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
    {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
    {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
    {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
    {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
    {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
    {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
}};

TEST(Ciede2000, GivesThePublishedDifferences) {
    for (const ReferencePair& pair : sharma_pairs) {
        SCOPED_TRACE(testing::Message() << "L*a*b* " << pair.first.l << ' ' << pair.first.a << ' '
                                        << pair.first.b << " against " << pair.second.l << ' '
                                        << pair.second.a << ' ' << pair.second.b);
        EXPECT_NEAR(ciede2000(pair.first, pair.second), pair.difference, 5e-5);
        EXPECT_NEAR(ciede2000(pair.second, pair.first), pair.difference, 5e-5);
    }
    EXPECT_EQ(ciede2000({40, 10, -20}, {40, 10, -20}), 0.0);
}

void expect_lab(Lab seen, Lab expected) {
    EXPECT_NEAR(seen.l, expected.l, 0.02);
    EXPECT_NEAR(seen.a, expected.a, 0.02);
    EXPECT_NEAR(seen.b, expected.b, 0.02);
}

TEST(SeenLab, ConvertsSrgbToLabUnderD65) {
    expect_lab(seen_lab(qRgb(255, 0, 0), Vision::normal), {53.24, 80.09, 67.20});
    expect_lab(seen_lab(qRgb(0, 0, 255), Vision::normal), {32.30, 79.19, -107.86});
    expect_lab(seen_lab(qRgb(255, 255, 255), Vision::normal), {100, 0, 0});
    expect_lab(seen_lab(qRgb(0, 0, 0), Vision::normal), {0, 0, 0});
    // Middle grey: 119 is close to half the light of white.
    expect_lab(seen_lab(qRgb(119, 119, 119), Vision::normal), {50.03, 0, 0});
}

TEST(SeenColour, LeavesNeutralColoursAloneForEveryVision) {
    for (Vision vision : all_visions) {
        SCOPED_TRACE(vision_name(vision));
        for (int level : {0, 40, 128, 200, 255}) {
            EXPECT_EQ(seen_colour(qRgba(level, level, level, 77), vision),
                      qRgba(level, level, level, 77));
        }
    }
}

TEST(SeenColour, GreyscaleKeepsTheLightnessAndDropsTheHue) {
    for (QRgb colour : {qRgb(226, 66, 62), qRgb(67, 182, 82), qRgb(63, 127, 230)}) {
        const Lab normal = seen_lab(colour, Vision::normal);
        const Lab grey = seen_lab(colour, Vision::achromatopsia);
        EXPECT_NEAR(grey.l, normal.l, 0.01);
        EXPECT_NEAR(grey.a, 0, 0.01);
        EXPECT_NEAR(grey.b, 0, 0.01);
    }
}

// The confusions each deficiency is known for: the pair it confuses comes much closer than
// with normal vision, while a pair it tells apart stays apart.
TEST(SeenColour, ConfusesThePairsEachDeficiencyIsKnownFor) {
    const auto difference = [](QRgb one, QRgb two, Vision vision) {
        return ciede2000(seen_lab(one, vision), seen_lab(two, vision));
    };
    const QRgb red = qRgb(200, 60, 40);
    const QRgb olive = qRgb(120, 110, 30);
    const QRgb violet = qRgb(120, 80, 200);
    const QRgb blue = qRgb(60, 90, 200);
    EXPECT_LT(difference(red, olive, Vision::protanopia), 10);
    EXPECT_LT(difference(violet, blue, Vision::deuteranopia), 8);
    EXPECT_GT(difference(red, olive, Vision::normal), 30);
    EXPECT_GT(difference(violet, blue, Vision::normal), 10);
    // Blue and yellow stay apart for red-green deficiencies, and red and green for tritanopia.
    const QRgb yellow = qRgb(230, 210, 40);
    EXPECT_GT(difference(blue, yellow, Vision::protanopia), 40);
    EXPECT_GT(difference(blue, yellow, Vision::deuteranopia), 40);
    EXPECT_GT(difference(qRgb(220, 40, 40), qRgb(40, 160, 60), Vision::tritanopia), 40);
}

QImage filled(QSize size, QRgb colour) {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(colour);
    return picture;
}

TEST(MeanPictureDifference, ComparesOnlyPixelsOpaqueInBoth) {
    const QSize size(4, 2);
    QImage first = filled(size, qRgb(200, 40, 40));
    QImage second = filled(size, qRgb(200, 40, 40));
    EXPECT_EQ(mean_picture_difference(first, second, Vision::normal), 0.0);

    // Pixels translucent in either picture, however different, do not count.
    first.setPixel(0, 0, qRgba(0, 255, 0, 254));
    second.setPixel(1, 0, qRgba(0, 0, 255, 0));
    second.setPixel(2, 0, qRgba(0, 0, 0, 200));
    EXPECT_EQ(mean_picture_difference(first, second, Vision::normal), 0.0);

    // One opaque pixel of five compared differs: the mean is a fifth of its difference.
    second.setPixel(3, 1, qRgb(40, 40, 200));
    const double one_pixel = ciede2000(seen_lab(qRgb(200, 40, 40), Vision::normal),
                                       seen_lab(qRgb(40, 40, 200), Vision::normal));
    EXPECT_NEAR(mean_picture_difference(first, second, Vision::normal), one_pixel / 5, 1e-9);
}

TEST(MeanPictureDifference, HasNoAnswerWithoutCommonOpaquePixels) {
    EXPECT_EQ(mean_picture_difference(filled({3, 3}, qRgba(0, 0, 0, 0)),
                                      filled({3, 3}, qRgb(1, 2, 3)), Vision::normal),
              -1);
    EXPECT_EQ(mean_picture_difference(filled({3, 3}, qRgb(1, 2, 3)), filled({3, 4}, qRgb(1, 2, 3)),
                                      Vision::normal),
              -1);
}

}  // namespace

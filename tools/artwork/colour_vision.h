// How pictures look to players with colour-vision deficiencies, and how far apart two colours or
// two pictures look: the simulations of Machado, Oliveira and Fernandes (2009) at full severity,
// applied in linear RGB, greyscale vision (luminance only), and the CIEDE2000 colour difference.
#pragma once

#include <QImage>
#include <QRgb>
#include <array>

enum class Vision { normal, protanopia, deuteranopia, tritanopia, achromatopsia };

inline constexpr std::array<Vision, 5> all_visions{Vision::normal, Vision::protanopia,
                                                   Vision::deuteranopia, Vision::tritanopia,
                                                   Vision::achromatopsia};

// "normal", "protanopia", ...; the names `--simulate` writes its files under.
const char* vision_name(Vision vision);

struct Lab {
    double l;
    double a;
    double b;
};

// CIE L*a*b* (D65 white) of an sRGB colour as seen with the given vision; alpha is ignored.
Lab seen_lab(QRgb colour, Vision vision);

// The sRGB colour seen with the given vision (alpha kept): what a picture looks like to such a
// player on an sRGB screen.
QRgb seen_colour(QRgb colour, Vision vision);
QImage seen_picture(const QImage& picture, Vision vision);

// The CIEDE2000 difference (kL = kC = kH = 1).
double ciede2000(Lab first, Lab second);

// The mean CIEDE2000 difference over the pixels that are fully opaque in both pictures of the
// same size, each seen with the given vision; -1 when no pixel is opaque in both or the sizes
// differ. Nothing is composited: a translucent pixel does not count.
double mean_picture_difference(const QImage& first, const QImage& second, Vision vision);

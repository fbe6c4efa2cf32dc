// How pictures look to players with colour-vision deficiencies, and how far apart two colours or
// two pictures look.
#include "tools/artwork/colour_vision.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Rgb = std::array<double, 3>;
using Matrix = std::array<Rgb, 3>;

// Machado, Oliveira and Fernandes (2009), severity 1.0, for linear RGB.
constexpr Matrix protanopia_matrix{{{0.152286, 1.052583, -0.204868},
                                    {0.114503, 0.786281, 0.099216},
                                    {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix deuteranopia_matrix{{{0.367322, 0.860646, -0.227968},
                                      {0.280085, 0.672501, 0.047413},
                                      {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix tritanopia_matrix{{{1.255528, -0.076749, -0.178779},
                                    {-0.078411, 0.930809, 0.147602},
                                    {0.004733, 0.691367, 0.303900}}};

double to_linear(int channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

int to_srgb(double linear) {
    const double value = std::clamp(linear, 0.0, 1.0);
    const double encoded =
        value <= 0.0031308 ? value * 12.92 : 1.055 * std::pow(value, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(encoded * 255));
}

Rgb times(const Matrix& matrix, const Rgb& rgb) {
    Rgb result{};
    for (std::size_t row = 0; row < 3; ++row) {
        result[row] = std::clamp(
            matrix[row][0] * rgb[0] + matrix[row][1] * rgb[1] + matrix[row][2] * rgb[2], 0.0, 1.0);
    }
    return result;
}

// The linear RGB of the colour as the vision sees it.
Rgb seen_linear(QRgb colour, Vision vision) {
    const Rgb rgb{to_linear(qRed(colour)), to_linear(qGreen(colour)), to_linear(qBlue(colour))};
    switch (vision) {
        case Vision::normal:
            return rgb;
        case Vision::protanopia:
            return times(protanopia_matrix, rgb);
        case Vision::deuteranopia:
            return times(deuteranopia_matrix, rgb);
        case Vision::tritanopia:
            return times(tritanopia_matrix, rgb);
        case Vision::achromatopsia: {
            const double luminance = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
            return {luminance, luminance, luminance};
        }
    }
    return rgb;
}

double lab_f(double t) {
    constexpr double epsilon = 216.0 / 24389.0;
    constexpr double kappa = 24389.0 / 27.0;
    return t > epsilon ? std::cbrt(t) : (kappa * t + 16) / 116;
}

double degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}
double radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// The hue angle in degrees, 0 to 360; 0 for a neutral colour.
double hue_angle(double b, double a) {
    if (a == 0 && b == 0) {
        return 0;
    }
    const double hue = degrees(std::atan2(b, a));
    return hue < 0 ? hue + 360 : hue;
}

}  // namespace

const char* vision_name(Vision vision) {
    switch (vision) {
        case Vision::normal:
            return "normal";
        case Vision::protanopia:
            return "protanopia";
        case Vision::deuteranopia:
            return "deuteranopia";
        case Vision::tritanopia:
            return "tritanopia";
        case Vision::achromatopsia:
            return "achromatopsia";
    }
    return "";
}

Lab seen_lab(QRgb colour, Vision vision) {
    const Rgb rgb = seen_linear(colour, vision);
    // sRGB primaries, D65 white.
    const double x = 0.4124564 * rgb[0] + 0.3575761 * rgb[1] + 0.1804375 * rgb[2];
    const double y = 0.2126729 * rgb[0] + 0.7151522 * rgb[1] + 0.0721750 * rgb[2];
    const double z = 0.0193339 * rgb[0] + 0.1191920 * rgb[1] + 0.9503041 * rgb[2];
    const double fx = lab_f(x / 0.95047);
    const double fy = lab_f(y / 1.0);
    const double fz = lab_f(z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

QRgb seen_colour(QRgb colour, Vision vision) {
    const Rgb rgb = seen_linear(colour, vision);
    return qRgba(to_srgb(rgb[0]), to_srgb(rgb[1]), to_srgb(rgb[2]), qAlpha(colour));
}

QImage seen_picture(const QImage& picture, Vision vision) {
    QImage seen = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < seen.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(seen.scanLine(y));
        for (int x = 0; x < seen.width(); ++x) {
            line[x] = seen_colour(line[x], vision);
        }
    }
    return seen;
}

double ciede2000(Lab first, Lab second) {
    const double c1 = std::hypot(first.a, first.b);
    const double c2 = std::hypot(second.a, second.b);
    const double c_mean7 = std::pow((c1 + c2) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(c_mean7 / (c_mean7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * first.a;
    const double a2 = (1 + g) * second.a;
    const double c1p = std::hypot(a1, first.b);
    const double c2p = std::hypot(a2, second.b);
    const double h1p = hue_angle(first.b, a1);
    const double h2p = hue_angle(second.b, a2);

    const double delta_l = second.l - first.l;
    const double delta_c = c2p - c1p;
    double delta_h = 0;
    if (c1p * c2p != 0) {
        delta_h = h2p - h1p;
        if (delta_h > 180) {
            delta_h -= 360;
        } else if (delta_h < -180) {
            delta_h += 360;
        }
    }
    const double delta_big_h = 2 * std::sqrt(c1p * c2p) * std::sin(radians(delta_h / 2));

    const double l_mean = (first.l + second.l) / 2;
    const double c_mean = (c1p + c2p) / 2;
    double h_mean = h1p + h2p;
    if (c1p * c2p != 0) {
        if (std::abs(h1p - h2p) <= 180) {
            h_mean /= 2;
        } else if (h1p + h2p < 360) {
            h_mean = (h_mean + 360) / 2;
        } else {
            h_mean = (h_mean - 360) / 2;
        }
    }
    const double t =
        1 - 0.17 * std::cos(radians(h_mean - 30)) + 0.24 * std::cos(radians(2 * h_mean)) +
        0.32 * std::cos(radians(3 * h_mean + 6)) - 0.20 * std::cos(radians(4 * h_mean - 63));
    const double delta_theta = 30 * std::exp(-std::pow((h_mean - 275) / 25, 2));
    const double c_mean_7 = std::pow(c_mean, 7);
    const double r_c = 2 * std::sqrt(c_mean_7 / (c_mean_7 + std::pow(25.0, 7)));
    const double l_offset = (l_mean - 50) * (l_mean - 50);
    const double s_l = 1 + 0.015 * l_offset / std::sqrt(20 + l_offset);
    const double s_c = 1 + 0.045 * c_mean;
    const double s_h = 1 + 0.015 * c_mean * t;
    const double r_t = -std::sin(radians(2 * delta_theta)) * r_c;

    const double lightness = delta_l / s_l;
    const double chroma = delta_c / s_c;
    const double hue = delta_big_h / s_h;
    return std::sqrt(lightness * lightness + chroma * chroma + hue * hue + r_t * chroma * hue);
}

double mean_picture_difference(const QImage& first, const QImage& second, Vision vision) {
    if (first.size() != second.size()) {
        return -1;
    }
    const QImage one = first.convertToFormat(QImage::Format_ARGB32);
    const QImage two = second.convertToFormat(QImage::Format_ARGB32);
    double total = 0;
    int compared = 0;
    for (int y = 0; y < one.height(); ++y) {
        const auto* line_one = reinterpret_cast<const QRgb*>(one.constScanLine(y));
        const auto* line_two = reinterpret_cast<const QRgb*>(two.constScanLine(y));
        for (int x = 0; x < one.width(); ++x) {
            if (qAlpha(line_one[x]) != 255 || qAlpha(line_two[x]) != 255) {
                continue;
            }
            total += ciede2000(seen_lab(line_one[x], vision), seen_lab(line_two[x], vision));
            ++compared;
        }
    }
    return compared == 0 ? -1 : total / compared;
}

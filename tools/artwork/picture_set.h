// Every picture that the program carries, by resource name, the icons of its desktop entry, and
// writing them as PNG files.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

struct NamedPicture {
    QString name;  // the resource name; the file is NAME.png
    QImage picture;
};

// Drawn at the drawing scale (see drawing_kit.h).
std::vector<NamedPicture> all_pictures();

// The second set, for screens of two device pixels per pixel: each picture drawn again at twice
// its size, from the same shapes. The program finds it as NAME@2x.
inline constexpr int dense_scale = 2;
std::vector<NamedPicture> dense_pictures();
// Whether each dense picture is dense_scale times the size of the picture of the same name;
// prints the ones that are not.
bool dense_sizes_fit(const std::vector<NamedPicture>& pictures,
                     const std::vector<NamedPicture>& dense);
// The desktop entry's icon at every size of `desktop_icon_sizes`, named by its size ("16", ...).
std::vector<NamedPicture> desktop_icons();

// Writes NAME.png for every picture into `folder`; false (with a message) on the first failure.
bool write_pictures(const std::vector<NamedPicture>& pictures, const QString& folder);

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

std::vector<NamedPicture> all_pictures();

// The desktop entry's icon at every size of `desktop_icon_sizes`, named by its size ("16", ...).
std::vector<NamedPicture> desktop_icons();

// Writes NAME.png for every picture into `folder`; false (with a message) on the first failure.
bool write_pictures(const std::vector<NamedPicture>& pictures, const QString& folder);

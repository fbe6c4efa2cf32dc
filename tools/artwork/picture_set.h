// Every picture that the program carries, by resource name, and writing them as PNG files.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

struct NamedPicture {
    QString name;  // the resource name; the file is NAME.png
    QImage picture;
};

std::vector<NamedPicture> all_pictures();

// Writes NAME.png for every picture into `folder`; false (with a message) on the first failure.
bool write_pictures(const std::vector<NamedPicture>& pictures, const QString& folder);

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The pictures kept inside the program that every album carries, by number.
inline constexpr int categoryIconResource = 1000; // main.png, 48 × 48
inline constexpr int homeIconResource = 2000;     // home.gif, 30 × 30
inline constexpr int previousIconResource = 3000; // prev.gif
inline constexpr int nextIconResource = 4000;     // next.gif
inline constexpr int indexIconResource = 5000;    // index.gif

// The bytes of a resource; nullopt when the program holds no resource of that number.
std::optional<QByteArray> albumResource(int number);

// Shown, with the caption below, when a resource is asked for that the program does not hold.
QString missingResourceMessage();
QString missingResourceCaption();

// Writes the resource's bytes unchanged to path, replacing a file of that name. A resource
// the program does not hold writes nothing and gives the message above back, for the caller
// to show; the build goes on. A file that cannot be written raises GenerationError.
std::optional<QString> writeAlbumResource(int number, const QString& path);

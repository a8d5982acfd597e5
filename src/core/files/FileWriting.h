#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Writing files so that nothing half-written or empty is left claiming to be done, and no
// symbolic link is ever written through. Every step is checked — open, write, flush, close
// and the size that reached the file — and a failure comes back as the system's reason
// ("No space left on device").

enum class IfPresent {
    Replace, // whatever is at the path (a file, or a link left there) is replaced, not followed
    Fail     // the path must not be taken yet, not even by a dangling link
};

// Writes bytes to a new file under a short temporary name in path's folder, then renames it
// to path. On failure nothing of the attempt remains and what was at path is untouched.
std::optional<QString> writeFileSafely(const QString& path, const QByteArray& bytes,
                                       IfPresent ifPresent = IfPresent::Replace);

// Copies source to target, which must not be taken yet, the same way. The failure says which
// side failed.
struct CopyFailure {
    bool reading = false; // the source could not be read, rather than the copy written
    QString reason;
};
std::optional<CopyFailure> copyToNewFile(const QString& source, const QString& target);

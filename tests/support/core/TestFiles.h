#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers for tests.
namespace testfiles {

// Writes bytes to a file, creating missing directories; fails the test run loudly on error.
void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

} // namespace testfiles

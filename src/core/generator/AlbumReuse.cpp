#include "core/generator/AlbumReuse.h"

#include "core/files/FileNames.h"
#include "core/files/FileReading.h"
#include "core/files/FileWriting.h"
#include "core/params/ParameterFile.h"
#include "core/params/ProfileFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char recordHeader[] = "Kadrela album record 1";

} // namespace

bool sameContents(const QString& a, const QString& b) {
    QFile first;
    QFile second;
    QString reason;
    if (!openRegularFile(a, first, reason) || !openRegularFile(b, second, reason) ||
        first.size() != second.size())
        return false;
    constexpr qint64 piece = 1 << 20;
    while (!first.atEnd()) {
        const QByteArray x = first.read(piece);
        if (x.isEmpty() || x != second.read(piece))
            return false;
    }
    return true;
}

std::optional<PhotoRecord> describeSource(const QString& sourcePath) {
    struct stat status {};
    if (::stat(encodeFileName(sourcePath).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    PhotoRecord record;
    record.sourcePathHash =
        QCryptographicHash::hash(encodeFileName(sourcePath), QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    record.size = status.st_size;
    record.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return record;
}

QByteArray parameterFingerprint(const AlbumParameters& parameters) {
    ProfileFile file = ProfileFile::fromBytes(QString(), QByteArray(), ProfileFile::Encoding::Utf8);
    writeParameters(file, parameters);
    return QCryptographicHash::hash(file.bytes() + "\n" KADRELA_VERSION, QCryptographicHash::Sha256)
        .toHex();
}

QByteArray albumRecordText(const QByteArray& fingerprint, const QStringList& albumFiles,
                           const QList<PhotoRecord>& photos) {
    QByteArray text = QByteArray(recordHeader) + "\n" + fingerprint + "\n";
    QByteArrayList names{"files"};
    for (const QString& name : albumFiles)
        names << encodeFileName(name);
    text += names.join('/') + "\n";
    for (const PhotoRecord& photo : photos) {
        QByteArrayList fields{"photo", encodeFileName(photo.copyName), photo.sourcePathHash,
                              QByteArray::number(photo.size), QByteArray::number(photo.modifiedNs)};
        for (const QString& picture : photo.pictureNames)
            fields << encodeFileName(picture);
        text += fields.join('/') + "\n"; // "/" is the one character no file name holds
    }
    return text;
}

AlbumReuse::AlbumReuse(const QString& oldAlbumDirectory, const QByteArray& fingerprint)
    : m_oldDirectory(oldAlbumDirectory) {
    const std::optional<QByteArray> text =
        readRegularFile(oldAlbumDirectory + QLatin1String(albumRecordName), 64 << 20);
    if (!text)
        return;
    const QList<QByteArray> lines = text->split('\n');
    if (lines.size() < 2 || lines[0] != recordHeader)
        return;
    m_hasRecord = true;
    m_samePictures = lines[1] == fingerprint;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split('/');
        if (fields[0] == "files") {
            for (qsizetype f = 1; f < fields.size(); ++f)
                m_albumFiles.insert(decodeFileName(fields[f]));
            continue;
        }
        if (fields.size() < 5 || fields[0] != "photo" || fields[1].isEmpty())
            continue;
        PhotoRecord record;
        record.copyName = decodeFileName(fields[1]);
        record.sourcePathHash = fields[2];
        record.size = fields[3].toLongLong();
        record.modifiedNs = fields[4].toLongLong();
        for (qsizetype f = 5; f < fields.size(); ++f)
            if (!fields[f].isEmpty())
                record.pictureNames << decodeFileName(fields[f]);
        m_records.insert(record.copyName, record);
    }
}

bool AlbumReuse::unchanged(const PhotoRecord& record, const QString& sourcePath) const {
    const std::optional<PhotoRecord> now = describeSource(sourcePath);
    if (!now)
        return false;
    if (now->sourcePathHash == record.sourcePathHash && now->size == record.size &&
        now->modifiedNs == record.modifiedNs)
        return true;
    // Touched, or moved: the same photo still when its bytes are the earlier copy's.
    return now->size == record.size && sameContents(sourcePath, m_oldDirectory + record.copyName);
}

bool AlbumReuse::takeCopy(const QString& copyName, const QString& sourcePath,
                          const QString& target) const {
    const auto found = m_records.constFind(copyName);
    if (found == m_records.constEnd() || !unchanged(*found, sourcePath))
        return false;
    return placeExistingFile(m_oldDirectory + copyName, target);
}

bool AlbumReuse::takePictures(const QString& copyName, const QString& sourcePath,
                              const QStringList& targets) const {
    if (!m_samePictures || targets.isEmpty())
        return false;
    const auto found = m_records.constFind(copyName);
    if (found == m_records.constEnd() || found->pictureNames.size() != targets.size() ||
        !unchanged(*found, sourcePath))
        return false;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        if (!placeExistingFile(m_oldDirectory + found->pictureNames[i], targets[i])) {
            for (qsizetype j = 0; j < i; ++j)
                QFile::remove(targets[j]);
            return false;
        }
    }
    ++m_picturesTaken;
    return true;
}

bool placeExistingFile(const QString& existing, const QString& target) {
    // Only a plain file: a link left in the album's place is not followed anywhere.
    struct stat status {};
    if (::lstat(encodeFileName(existing).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    if (::link(encodeFileName(existing).constData(), encodeFileName(target).constData()) == 0)
        return true;
    return !copyToNewFile(existing, target);
}

#pragma once

#include "core/params/AlbumParameters.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

// What an album made for updating remembers of itself, so that the next update can take its
// unchanged photos' files instead of reading and decoding the photos again. It is kept in the
// album folder as ".kadrela-album": the program version and parameters the pictures were
// made with (as one fingerprint), and for each photo copy the name, a fingerprint of the
// source photo's path, its size and modification time, and the picture files made from it.
// It names no folder of the user's.
inline constexpr char albumRecordName[] = ".kadrela-album";

struct PhotoRecord {
    QString copyName;
    QByteArray sourcePathHash;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    QStringList pictureNames; // in the order their job lists them
};

// The source photo as the record describes it; nullopt when it cannot be looked at.
std::optional<PhotoRecord> describeSource(const QString& sourcePath);

// The fingerprint of what the pictures depend on besides the photo: the parameters, in the
// form their file keeps them, and the program's version.
QByteArray parameterFingerprint(const AlbumParameters& parameters);

// albumFiles: every name the run wrote in the album folder.
QByteArray albumRecordText(const QByteArray& fingerprint, const QStringList& albumFiles,
                           const QList<PhotoRecord>& photos);

// The files of an earlier album that an update may take over. Every check is made against
// the photo as it is now: its size and modification time as recorded, or else its content
// compared with the earlier copy.
class AlbumReuse {
public:
    // Reads the record of the album folder (with its trailing separator); nothing is reused
    // when there is none or it was made with other parameters (the photo copies still are).
    AlbumReuse(const QString& oldAlbumDirectory, const QByteArray& fingerprint);

    // Puts the earlier copy of the photo at target when it holds the photo's bytes.
    bool takeCopy(const QString& copyName, const QString& sourcePath, const QString& target) const;

    // Puts the pictures made from the photo for the earlier album at targets (the files the
    // new job would write, in its order) when the photo is unchanged. False, leaving nothing,
    // otherwise.
    bool takePictures(const QString& copyName, const QString& sourcePath,
                      const QStringList& targets) const;

    int picturesTaken() const { return m_picturesTaken; }
    // Whether the earlier album was made with the same parameters by the same program.
    bool sameParameters() const { return m_samePictures; }

    // Whether the earlier album left a record, and the names it says the album wrote.
    bool hasRecord() const { return m_hasRecord; }
    const QSet<QString>& albumFiles() const { return m_albumFiles; }

private:
    bool unchanged(const PhotoRecord& record, const QString& sourcePath) const;

    QString m_oldDirectory;
    bool m_hasRecord = false;
    bool m_samePictures = false;
    QSet<QString> m_albumFiles;
    QHash<QString, PhotoRecord> m_records; // by copy name
    mutable std::atomic<int> m_picturesTaken{0};
};

// Whether two files hold the same bytes, read a piece at a time.
bool sameContents(const QString& a, const QString& b);

// Places an existing file under a new name as a hard link, or as a copy where the file system
// cannot link. False when neither works (nothing is left at target).
bool placeExistingFile(const QString& existing, const QString& target);

#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

// What lay in an album's place before a run: the names in the album folder, and the files
// the run writes over by name (pages, style sheet, icons, the main page) as they were. Enough
// to take back exactly what the run did and nothing else, whatever else the folder holds —
// even when it is a folder of the user's photos.
class AlbumSnapshot {
public:
    // Looks at the album folder (with its trailing separator) and the main page beside it.
    static AlbumSnapshot take(const QString& albumDirectory, const QString& mainPagePath);

    // Removes what the run created and puts back every file it wrote over. A symbolic link
    // is removed or put back as a link, never followed. Only a folder named as the run names
    // its albums ("album-…") is touched, so a wrong path cannot cost the user a folder.
    void restore() const;

    // Whether the run created or wrote over anything at all.
    bool changed() const;

private:
    struct SavedFile {
        QString linkTarget; // non-empty: the entry was a symbolic link to this
        QByteArray bytes;
        QFileDevice::Permissions permissions;
    };
    static std::optional<SavedFile> save(const QString& path);
    static void putBack(const QString& path, const SavedFile& saved);
    static bool differs(const QString& path, const SavedFile& saved);

    QString m_albumDirectory;
    QString m_mainPagePath;
    bool m_directoryExisted = false;
    QSet<QString> m_names;
    QHash<QString, SavedFile> m_overwritable;
    std::optional<SavedFile> m_mainPage;
};

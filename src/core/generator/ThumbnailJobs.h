#pragma once

#include "core/generator/ThumbnailMaker.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The thumbnails of one album run, made by a pool of worker threads while the run copies
// photos and writes pages. Names are settled when a thumbnail is added, in the order the
// one-thread run makes them; the run takes each result where it always made the thumbnail, so
// the pages, the progress steps, the points where a stop is honoured and the error named for
// a photo that cannot be read are the same with any number of workers. Whatever was made
// ahead of a stop or a failure and never taken is removed again.
class ThumbnailJobs {
public:
    // workers: how many threads make thumbnails; 0 for one per core; 1 makes every thumbnail
    // on the caller's thread when it is taken, as the run has always made them.
    explicit ThumbnailJobs(int workers);
    ~ThumbnailJobs();
    ThumbnailJobs(const ThumbnailJobs&) = delete;
    ThumbnailJobs& operator=(const ThumbnailJobs&) = delete;

    // Names taken already by files planned but not written (photo copies); the thumbnails'
    // names are added here as they are planned.
    QSet<QString>& reservedNames() { return m_reserved; }

    // Whether a job was added under the key.
    bool isPlanned(const QString& key);

    // Asked before a job is made, with its key and files: true when it put the files there
    // itself (taken from an earlier album), so the job need not be made. Set before adding.
    void setTakeMade(std::function<bool(const QString& key, const QStringList& files)> take) {
        m_takeMade = std::move(take);
    }

    // The files the job of a key writes.
    QStringList filesOf(const QString& key);

    // Plans the thumbnail of an entry under a key of the caller's and starts making it; its
    // pixels are read from decodePath when given (the photo the entry's copy is made from, so
    // that work can start before the copy exists).
    void add(const QString& key, const QString& entry, int maxWidth, int maxHeight, bool makeFile,
             const QString& decodePath = QString());

    // Any other pictures made the same way: text is what take gives back, files what the work
    // writes (removed again when never taken), work throws GenerationError. cost is what the
    // work is expected to take, in any unit common to the jobs (the photo's pixels).
    void addWork(const QString& key, const QString& text, const QStringList& files,
                 std::function<void()> work, qint64 cost = 0);

    // The thumbnail text of a key added before, once its file is written. whileWaiting is
    // called every few hundredths of a second while a worker is still at it. Throws the
    // GenerationError of a thumbnail that could not be made.
    QString take(const QString& key, const std::function<void()>& whileWaiting = {});

    // Stops the workers, lets the ones at work finish and removes every file made but not
    // taken. Called by the destructor too.
    void discardUntaken();

    int workerCount() const { return static_cast<int>(m_threads.size()); }

private:
    struct Job {
        QString text;
        QStringList files;
        std::function<void()> work;
        QString key;
        qint64 cost = 0;
        bool started = false;
        bool done = false;
        bool taken = false;
        QString error;
    };
    void work();
    Job* startNextJob();
    void make(Job& job) const;

    std::vector<std::unique_ptr<Job>> m_jobs;
    QHash<QString, std::size_t> m_index;
    QSet<QString> m_reserved;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0; // every job before it is started
    std::size_t m_lookAhead = 1;
    std::function<bool(const QString&, const QStringList&)> m_takeMade;
    bool m_stopping = false;
};

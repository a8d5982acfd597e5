#include "core/generator/ThumbnailJobs.h"

#include "core/generator/GenerationError.h"
#include "core/photos/PhotoEntry.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>

namespace {

// Workers take jobs in the order the run takes their results, but the costliest of the next
// few first: the pages and the progress still follow the photos' order, while a large photo
// near the end no longer runs alone after the others are done.
constexpr std::size_t lookAheadPerWorker = 4;

} // namespace

ThumbnailJobs::ThumbnailJobs(int workers) {
    if (workers <= 0)
        workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (workers == 1)
        return; // made when taken, on the caller's thread
    m_lookAhead = lookAheadPerWorker * static_cast<std::size_t>(workers);
    for (int i = 0; i < workers; ++i)
        m_threads.emplace_back([this] { work(); });
}

ThumbnailJobs::~ThumbnailJobs() {
    discardUntaken();
}

void ThumbnailJobs::add(const QString& key, const QString& entry, int maxWidth, int maxHeight,
                        bool makeFile, const QString& decodePath) {
    ThumbnailPlan plan = planThumbnail(entry, maxWidth, maxHeight, makeFile, m_reserved);
    if (!decodePath.isEmpty())
        plan.decodePath = decodePath;
    QStringList files;
    if (!plan.thumbnailPath.isEmpty()) {
        m_reserved.insert(QFileInfo(plan.thumbnailPath).fileName());
        files << plan.thumbnailPath;
    }
    addWork(
        key, plan.text, files, [plan] { makePlannedThumbnail(plan); }, photoPixelCount(entry));
}

void ThumbnailJobs::addWork(const QString& key, const QString& text, const QStringList& files,
                            std::function<void()> work, qint64 cost) {
    auto job = std::make_unique<Job>();
    job->cost = cost;
    job->key = key;
    job->text = text;
    job->files = files;
    job->work = std::move(work);
    {
        const std::lock_guard lock(m_mutex);
        m_index.insert(key, m_jobs.size());
        m_jobs.push_back(std::move(job));
    }
    m_changed.notify_one();
}

void ThumbnailJobs::make(Job& job) const {
    try {
        if (m_takeMade && m_takeMade(job.key, job.files))
            return;
        job.work();
    } catch (const GenerationError& error) {
        job.error = error.message();
    }
}

QStringList ThumbnailJobs::filesOf(const QString& key) {
    const std::lock_guard lock(m_mutex);
    const auto found = m_index.constFind(key);
    return found == m_index.constEnd() ? QStringList() : m_jobs[*found]->files;
}

bool ThumbnailJobs::isPlanned(const QString& key) {
    const std::lock_guard lock(m_mutex);
    return m_index.contains(key);
}

// Called with the lock held.
ThumbnailJobs::Job* ThumbnailJobs::startNextJob() {
    while (m_next < m_jobs.size() && m_jobs[m_next]->started)
        ++m_next;
    if (m_next == m_jobs.size())
        return nullptr;
    const std::size_t end = std::min(m_jobs.size(), m_next + m_lookAhead);
    Job* chosen = m_jobs[m_next].get();
    for (std::size_t i = m_next + 1; i < end; ++i)
        if (!m_jobs[i]->started && m_jobs[i]->cost > chosen->cost)
            chosen = m_jobs[i].get();
    chosen->started = true;
    return chosen;
}

void ThumbnailJobs::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        Job* next = nullptr;
        m_changed.wait(lock, [&] { return m_stopping || (next = startNextJob()) != nullptr; });
        if (m_stopping)
            return;
        Job& job = *next;
        lock.unlock();
        make(job);
        lock.lock();
        job.done = true;
        m_changed.notify_all();
    }
}

QString ThumbnailJobs::take(const QString& key, const std::function<void()>& whileWaiting) {
    std::unique_lock lock(m_mutex);
    const auto found = m_index.constFind(key);
    if (found == m_index.constEnd())
        throw GenerationError(QStringLiteral("No thumbnail was planned for %1.").arg(key));
    Job& job = *m_jobs[*found];
    if (m_threads.empty()) {
        lock.unlock();
        make(job);
        lock.lock();
        job.done = true;
    }
    while (!job.done) {
        if (m_changed.wait_for(lock, std::chrono::milliseconds(40)) == std::cv_status::timeout &&
            whileWaiting) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    job.taken = true;
    if (!job.error.isEmpty())
        throw GenerationError(job.error);
    return job.text;
}

void ThumbnailJobs::discardUntaken() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        if (thread.joinable())
            thread.join();
    m_threads.clear();
    for (const std::unique_ptr<Job>& job : m_jobs) {
        // A job that failed may have written some of its files before it did.
        if (job->done && !job->taken)
            for (const QString& file : job->files)
                QFile::remove(file);
        job->taken = true;
    }
}

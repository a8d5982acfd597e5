#include "core/generator/ThumbnailJobs.h"

#include "core/generator/GenerationError.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>

ThumbnailJobs::ThumbnailJobs(int workers) {
    if (workers <= 0)
        workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (workers == 1)
        return; // made when taken, on the caller's thread
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
    addWork(key, plan.text, files, [plan] { makePlannedThumbnail(plan); });
}

void ThumbnailJobs::addWork(const QString& key, const QString& text, const QStringList& files,
                            std::function<void()> work) {
    auto job = std::make_unique<Job>();
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

void ThumbnailJobs::make(Job& job) {
    try {
        job.work();
    } catch (const GenerationError& error) {
        job.error = error.message();
    }
}

void ThumbnailJobs::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || m_next < m_jobs.size(); });
        if (m_stopping)
            return;
        Job& job = *m_jobs[m_next++];
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

#include "pictures/PictureQueue.h"

#include "pictures/DecodeBudget.h"
#include "pictures/PictureLoader.h"
#include "pictures/PictureMemory.h"
#include "pictures/PicturePath.h"
#include "platform/SpeedSwitches.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace pictures {

namespace {

// Long enough for the window to paint the question just shown, which a
// decode started at once would compete with.
constexpr int AfterPaintingMs = 50;

} // namespace

DecodedPicture decodeQuestionPicture(const PictureRequest &request, DecodeBudget &budget)
{
    DecodedPicture result;
    const QString path = resolvePicture(request.quizFolder, request.name, &result.error);
    if (!path.isEmpty())
        result.image = loadPicture(path, &result.error, &budget);
    return result;
}

PictureQueue::PictureQueue(QObject *parent) : QObject(parent)
{
    // The current picture and the next one.
    m_decoders.setMaxThreadCount(2);
    m_prefetchDelay.setSingleShot(true);
    m_prefetchDelay.setInterval(platform::isTurnedOff("prefetch-delay") ? 0 : AfterPaintingMs);
    connect(&m_prefetchDelay, &QTimer::timeout, this, &PictureQueue::startWaitingDecodes);
}

PictureQueue::~PictureQueue()
{
    // A decode still running ends at its next check; m_decoders waits for it.
    clear();
}

PictureQueue::Entry *PictureQueue::find(const PictureRequest &request)
{
    auto found = std::find_if(m_entries.begin(), m_entries.end(),
                              [&request](const auto &entry) { return entry->request == request; });
    return found != m_entries.end() ? found->get() : nullptr;
}

PictureQueue::Entry &PictureQueue::keep(const PictureRequest &request)
{
    auto entry = std::make_unique<Entry>();
    entry->request = request;
    entry->budget = std::make_shared<DecodeBudget>();
    entry->watcher = std::make_unique<QFutureWatcher<DecodedPicture>>();
    Entry *raw = entry.get();
    connect(raw->watcher.get(), &QFutureWatcherBase::finished, this, [this, raw] { finished(raw); });
    m_entries.push_back(std::move(entry));
    return *raw;
}

void PictureQueue::startDecode(Entry &entry)
{
    entry.decoding = true;
    // The task owns a share of its budget: it may outlive the entry that cancels it.
    QThreadPool *pool = platform::isTurnedOff("own-decode-pool") ? QThreadPool::globalInstance() : &m_decoders;
    entry.watcher->setFuture(QtConcurrent::run(pool, [request = entry.request, budget = entry.budget] {
        budget->startClock();
        return decodeQuestionPicture(request, *budget);
    }));
}

void PictureQueue::startWaitingDecodes()
{
    for (const auto &entry : m_entries) {
        if (!entry->decoding)
            startDecode(*entry);
    }
}

void PictureQueue::prefetch(const PictureRequest &request)
{
    if (find(request) || platform::isTurnedOff("prefetch"))
        return;
    keep(request);
    m_prefetchDelay.start();
}

std::optional<DecodedPicture> PictureQueue::take(const PictureRequest &request)
{
    Entry *entry = find(request);
    if (entry && entry->decoding && entry->watcher->isFinished()) {
        DecodedPicture picture = entry->watcher->future().takeResult();
        m_entries.erase(std::find_if(m_entries.begin(), m_entries.end(),
                                     [entry](const auto &kept) { return kept.get() == entry; }));
        m_awaited.reset();
        return picture;
    }
    if (!entry)
        entry = &keep(request);
    if (!entry->decoding)
        startDecode(*entry);
    m_awaited = request;
    return std::nullopt;
}

bool PictureQueue::allDecoded() const
{
    return std::all_of(m_entries.begin(), m_entries.end(),
                       [](const auto &entry) { return entry->decoding && entry->watcher->isFinished(); });
}

std::optional<DecodedPicture> PictureQueue::takeAwaited()
{
    if (!m_awaited)
        return std::nullopt;
    const PictureRequest awaited = *m_awaited;
    Entry *entry = find(awaited);
    if (!entry || !entry->decoding || !entry->watcher->isFinished())
        return std::nullopt;
    return take(awaited);
}

void PictureQueue::finished(Entry *entry)
{
    if (m_awaited && entry->request == *m_awaited)
        emit awaitedReady();
}

void PictureQueue::clear()
{
    keepOnly({});
    releaseSparePixels();
}

void PictureQueue::keepOnly(const std::vector<PictureRequest> &kept)
{
    auto dropped = std::stable_partition(m_entries.begin(), m_entries.end(), [&kept](const auto &entry) {
        return std::find(kept.begin(), kept.end(), entry->request) != kept.end();
    });
    for (auto it = dropped; it != m_entries.end(); ++it) {
        (*it)->budget->cancel();
        (*it)->watcher->disconnect(this);
    }
    m_entries.erase(dropped, m_entries.end());
    if (m_awaited && std::find(kept.begin(), kept.end(), *m_awaited) == kept.end())
        m_awaited.reset();
}

} // namespace pictures

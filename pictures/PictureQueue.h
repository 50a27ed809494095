#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

namespace pictures {

class DecodeBudget;

// A question's picture as the quiz names it.
struct PictureRequest
{
    QString quizFolder;
    QString name;
    bool operator==(const PictureRequest &) const = default;
};

struct DecodedPicture
{
    QImage image; // null when the picture cannot be shown
    QString error;
};

// Decodes question pictures away from the window's thread, so that the
// window never waits for a picture and the next question's picture is ready
// before it is asked for. It keeps only the pictures it is told to keep.
class PictureQueue : public QObject
{
    Q_OBJECT
public:
    explicit PictureQueue(QObject *parent = nullptr);
    ~PictureQueue() override;

    // Keeps the picture and decodes it in the background, starting a moment
    // later: a decode started at once would compete with the painting of the
    // question just shown. A photograph decoded ahead shows on "Suivant" in
    // tens of milliseconds instead of about 200 (docs/performance.md).
    void prefetch(const PictureRequest &request);
    // The decoded picture, handed over and no longer kept, when its decode has
    // ended; otherwise its decode goes on (started if need be) and
    // awaitedReady() tells when it ends. Asking for another picture forgets this one.
    std::optional<DecodedPicture> take(const PictureRequest &request);
    // The picture last asked for with take(), once decoded.
    std::optional<DecodedPicture> takeAwaited();
    // Drops, cancelling their decodes, the pictures not named here.
    void keepOnly(const std::vector<PictureRequest> &kept);
    // Drops every picture, and the memory kept for the next one.
    void clear();
    // The pictures kept, decoded or on their way.
    qsizetype size() const { return qsizetype(m_entries.size()); }
    // Whether every picture kept is decoded, so that take() hands it over at once.
    bool allDecoded() const;

signals:
    // The decode of the picture last asked for with take() has ended: take it.
    void awaitedReady();

private:
    struct Entry
    {
        PictureRequest request;
        std::shared_ptr<DecodeBudget> budget;
        std::unique_ptr<QFutureWatcher<DecodedPicture>> watcher;
        bool decoding = false;
    };
    Entry *find(const PictureRequest &request);
    Entry &keep(const PictureRequest &request);
    void startDecode(Entry &entry);
    void startWaitingDecodes();
    void finished(Entry *entry);

    // Not Qt's global pool: Qt's painting shares that one, and a window
    // painted while long decodes fill it waits for them (a few ms:
    // docs/performance.md).
    QThreadPool m_decoders;
    QTimer m_prefetchDelay;
    std::vector<std::unique_ptr<Entry>> m_entries;
    std::optional<PictureRequest> m_awaited;
};

// What a background decode does: find the file, read it, decode it.
DecodedPicture decodeQuestionPicture(const PictureRequest &request, DecodeBudget &budget);

} // namespace pictures

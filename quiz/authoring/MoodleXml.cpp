#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>
#include <memory>

#include "quiz/authoring/Interchange.h"
#include "quiz/authoring/Markup.h"

namespace qcm::authoring {

namespace {

// Bounds on one question: far beyond a real one, small enough that a damaged
// or hostile file cannot fill the memory.
constexpr qsizetype MaxTextCharacters = 1 << 20;
constexpr qsizetype MaxBase64Bytes = 96 << 20; // the largest picture the player reads, in base64
constexpr std::size_t MaxChildren = 1000;
constexpr int MaxAnswers = 100;
constexpr int MaxDepth = 32;

struct Node
{
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    QByteArray base64; // the text of an element that holds a file
    std::vector<std::unique_ptr<Node>> children;
    int answersSkipped = 0;
    bool cut = false;

    const Node *child(QStringView wanted) const
    {
        for (const auto &c : children) {
            if (c->name == wanted)
                return c.get();
        }
        return nullptr;
    }
    QString childText(QStringView wanted) const
    {
        const Node *c = child(wanted);
        return c ? c->text.trimmed() : QString();
    }
    QString attribute(const char *name) const { return attributes.value(QLatin1String(name)).toString(); }
};

bool holdsFile(QStringView name) { return name == u"file" || name == u"image_base64"; }

std::unique_ptr<Node> readNode(QXmlStreamReader &xml, int depth = 0)
{
    auto node = std::make_unique<Node>();
    node->name = xml.name().toString();
    node->attributes = xml.attributes();
    const bool file = holdsFile(node->name);
    int answers = 0;
    while (xml.readNext() != QXmlStreamReader::Invalid) {
        if (xml.isStartElement()) {
            const bool answer = xml.name() == u"answer";
            if (depth >= MaxDepth || node->children.size() >= MaxChildren || (answer && answers >= MaxAnswers)) {
                node->answersSkipped += answer;
                xml.skipCurrentElement();
                continue;
            }
            answers += answer;
            node->children.push_back(readNode(xml, depth + 1));
        } else if (xml.isCharacters()) {
            const QStringView text = xml.text();
            if (file && node->base64.size() + text.size() <= MaxBase64Bytes)
                node->base64 += text.toLatin1();
            else if (!file && node->text.size() + text.size() <= MaxTextCharacters)
                node->text += text;
            else
                node->cut = true;
        } else if (xml.isEndElement()) {
            break;
        }
    }
    return node;
}

// The text of an element such as <questiontext format="html"><text>…</text></questiontext>.
QString formattedText(const Node *holder, QList<DroppedMedia> &dropped)
{
    if (!holder)
        return {};
    QString raw = holder->childText(u"text");
    const QString format = holder->attribute("format");
    if (format == QLatin1String("markdown"))
        return markdownToText(raw, &dropped);
    if (format == QLatin1String("plain_text"))
        return normalisedLines(raw);
    // Moodle shows its automatic format as HTML whose line ends are breaks.
    if (format == QLatin1String("moodle_auto_format"))
        raw.replace(QStringLiteral("\r\n"), QStringLiteral("<br>")).replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return htmlToText(raw, &dropped);
}

QString fileName(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The pictures of a question: those its text shows, in order, found among its
// files or held in the text itself; else the first file it carries.
class PictureChoice
{
public:
    PictureChoice(SourceQuestion &question, Lang lang) : question(question), lang(lang) {}

    void choose(const Node *text, const Node &questionNode)
    {
        static const QRegularExpression image(QStringLiteral("<img[^>]*\\bsrc\\s*=\\s*[\"']([^\"']*)[\"']"),
            QRegularExpression::CaseInsensitiveOption);
        std::vector<const Node *> files;
        if (text) {
            for (const auto &child : text->children) {
                if (child->name == u"file")
                    files.push_back(child.get());
            }
            for (auto it = image.globalMatch(text->childText(u"text")); it.hasNext();)
                show(it.next().captured(1), files);
        }
        if (question.pictures.empty() && !files.empty())
            question.pictures.push_back({files.front()->attribute("name"), QByteArray::fromBase64(files.front()->base64)});
        oldStyle(questionNode);
    }

private:
    void show(const QString &source, const std::vector<const Node *> &files)
    {
        static const QString plugin = QStringLiteral("@@PLUGINFILE@@/");
        if (source.startsWith(QLatin1String("data:"))) {
            const qsizetype comma = source.indexOf(QLatin1Char(','));
            if (comma > 0 && source.left(comma).endsWith(QLatin1String(";base64")))
                question.pictures.push_back({QString(), QByteArray::fromBase64(source.mid(comma + 1).toLatin1())});
            return;
        }
        if (!source.startsWith(plugin)) {
            question.lost << say(lang, "image externe « %1 » non reprise (seules les images incluses dans le fichier le sont)",
                                 "external picture \"%1\" not carried over (only pictures held in the file are)")
                                 .arg(source);
            return;
        }
        QString wanted = source.mid(plugin.size());
        wanted = QUrl::fromPercentEncoding(wanted.left(wanted.indexOf(QLatin1Char('?'))).toUtf8());
        const Node *found = nullptr;
        for (const Node *file : files) {
            const QString path = file->attribute("path");
            const QString full = (path.isEmpty() ? QStringLiteral("/") : path) + file->attribute("name");
            if (full == QLatin1Char('/') + wanted || (!found && file->attribute("name") == fileName(wanted)))
                found = file;
        }
        if (!found) {
            question.lost << say(lang, "image « %1 » montrée par le texte mais absente du fichier",
                                 "picture \"%1\" shown by the text but missing from the file")
                                 .arg(wanted);
            return;
        }
        for (const SourcePicture &picture : question.pictures) {
            if (picture.name == found->attribute("name"))
                return;
        }
        question.pictures.push_back({found->attribute("name"), QByteArray::fromBase64(found->base64)});
    }

    // Older banks: <image>name</image> with the picture in <image_base64>.
    void oldStyle(const Node &node)
    {
        const QString name = node.childText(u"image");
        const Node *data = node.child(u"image_base64");
        if (name.isEmpty() && !data)
            return;
        if (data && !data->base64.trimmed().isEmpty())
            question.pictures.push_back({name.isEmpty() ? QStringLiteral("image") : fileName(name), QByteArray::fromBase64(data->base64)});
        else
            question.lost << say(lang, "image « %1 » non reprise : elle n'est pas dans le fichier",
                                 "picture \"%1\" not carried over: it is not in the file")
                                 .arg(name);
    }

    SourceQuestion &question;
    Lang lang;
};

SourceQuestion questionOf(const Node &node, int number, const QString &category, Lang lang)
{
    SourceQuestion question;
    const QString type = node.attribute("type");
    question.number = number;
    question.type = type;
    question.category = category;
    if (const Node *name = node.child(u"name"))
        question.title = name->childText(u"text");
    QList<DroppedMedia> dropped;
    const Node *text = node.child(u"questiontext");
    question.text = formattedText(text, dropped);
    PictureChoice(question, lang).choose(text, node);
    question.generalFeedback = formattedText(node.child(u"generalfeedback"), dropped);
    question.correctFeedback = formattedText(node.child(u"correctfeedback"), dropped);
    question.incorrectFeedback = formattedText(node.child(u"incorrectfeedback"), dropped);
    const QString single = node.childText(u"single").toLower();
    question.single = type == QLatin1String("truefalse") || single.isEmpty() || single == QLatin1String("true")
        || single == QLatin1String("1");
    for (const auto &child : node.children) {
        if (child->name != QLatin1String("answer"))
            continue;
        SourceAnswer answer;
        answer.weight = child->attribute("fraction").toDouble();
        answer.text = formattedText(child.get(), dropped);
        if (type == QLatin1String("truefalse"))
            answer.text = answer.text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Vrai")
                : answer.text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0         ? QStringLiteral("Faux")
                                                                                                : answer.text;
        answer.feedback = formattedText(child->child(u"feedback"), dropped);
        for (const auto &file : child->children) {
            if (file->name == QLatin1String("file"))
                question.lost << say(lang, "image « %1 » d'une proposition non reprise", "picture \"%1\" of an answer not carried over")
                                     .arg(file->attribute("name"));
        }
        question.answers.push_back(answer);
    }
    question.answersNotRead = node.answersSkipped;
    for (const DroppedMedia &media : dropped)
        question.lost << droppedMediaText(media, lang);
    bool cut = node.cut;
    for (const auto &child : node.children)
        cut = cut || child->cut;
    if (cut)
        question.lost << say(lang, "texte ou image hors des limites d'une question, coupé", "text or picture beyond the bounds of a question, cut");
    return question;
}

class MoodleXmlReader : public SourceReader
{
public:
    MoodleXmlReader(QIODevice &device, Lang lang) : xml(&device), lang(lang)
    {
        // A source broken half way is refused whole: nothing is written from it.
        const qint64 start = device.pos();
        QXmlStreamReader check(&device);
        while (!check.atEnd())
            check.readNext();
        if (check.hasError()) {
            errors << say(lang, "XML illisible, ligne %1 : %2", "unreadable XML, line %1: %2")
                          .arg(check.lineNumber())
                          .arg(check.errorString());
            return;
        }
        device.seek(start);
        xml.setDevice(&device);
        while (!xml.atEnd() && !xml.isStartElement())
            xml.readNext();
        if (xml.hasError() || xml.name() != QLatin1String("quiz"))
            errors << say(lang, "pas un fichier XML Moodle (élément <quiz> attendu)", "not a Moodle XML file (<quiz> expected)");
    }

    bool next(SourceQuestion &question) override
    {
        while (errors.isEmpty() && !xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() != QLatin1String("question")) {
                xml.skipCurrentElement();
                continue;
            }
            const std::unique_ptr<Node> node = readNode(xml);
            if (node->attribute("type") == QLatin1String("category")) {
                if (const Node *holder = node->child(u"category"))
                    category = holder->childText(u"text");
                continue;
            }
            question = questionOf(*node, ++number, category, lang);
            return true;
        }
        return false;
    }

private:
    QXmlStreamReader xml;
    Lang lang;
    QString category;
    int number = 0;
};

} // namespace

std::unique_ptr<SourceReader> moodleXmlReader(QIODevice &device, Lang lang)
{
    return std::make_unique<MoodleXmlReader>(device, lang);
}

} // namespace qcm::authoring

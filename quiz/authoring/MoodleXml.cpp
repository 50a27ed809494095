#include <QRegularExpression>
#include <QXmlStreamReader>
#include <memory>

#include "quiz/authoring/Interchange.h"
#include "quiz/authoring/Markup.h"

namespace qcm::authoring {

namespace {

struct Node
{
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    std::vector<std::unique_ptr<Node>> children;

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
};

std::unique_ptr<Node> readNode(QXmlStreamReader &xml, int depth = 0)
{
    auto node = std::make_unique<Node>();
    node->name = xml.name().toString();
    node->attributes = xml.attributes();
    while (xml.readNext() != QXmlStreamReader::Invalid) {
        if (xml.isStartElement() && depth > 32)
            xml.skipCurrentElement(); // nothing a quiz holds is that deep
        else if (xml.isStartElement())
            node->children.push_back(readNode(xml, depth + 1));
        else if (xml.isCharacters())
            node->text += xml.text();
        else if (xml.isEndElement())
            break;
    }
    return node;
}

// The text of an element such as <questiontext format="html"><text>…</text></questiontext>.
QString formattedText(const Node *holder, QStringList *imagesSeen = nullptr)
{
    if (!holder)
        return {};
    const QString raw = holder->childText(u"text");
    const QString format = holder->attributes.value(QStringLiteral("format")).toString();
    if (format == QLatin1String("html") || format.isEmpty()) {
        if (imagesSeen) {
            static const QRegularExpression image(QStringLiteral("<img[^>]*\\bsrc\\s*=\\s*[\"']([^\"']*)[\"']"),
                QRegularExpression::CaseInsensitiveOption);
            for (auto it = image.globalMatch(raw); it.hasNext();)
                *imagesSeen << it.next().captured(1);
        }
        return htmlToText(raw);
    }
    return normalisedLines(raw);
}

} // namespace

SourceQuiz readMoodleXml(const QByteArray &data, Lang lang)
{
    SourceQuiz quiz;
    QXmlStreamReader xml(data);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    if (xml.hasError() || xml.name() != QLatin1String("quiz")) {
        quiz.errors << say(lang, "pas un fichier XML Moodle (élément <quiz> attendu)", "not a Moodle XML file (<quiz> expected)");
        return quiz;
    }
    const std::unique_ptr<Node> root = readNode(xml);
    if (xml.hasError()) {
        quiz.errors << say(lang, "XML illisible, ligne %1 : %2", "unreadable XML, line %1: %2")
                           .arg(xml.lineNumber())
                           .arg(xml.errorString());
        return quiz;
    }
    int number = 0;
    for (const auto &node : root->children) {
        if (node->name != QLatin1String("question"))
            continue;
        const QString type = node->attributes.value(QStringLiteral("type")).toString();
        if (type == QLatin1String("category"))
            continue;
        SourceQuestion question;
        question.number = ++number;
        question.type = type;
        if (const Node *name = node->child(u"name"))
            question.title = name->childText(u"text");
        QStringList images;
        const Node *text = node->child(u"questiontext");
        question.text = formattedText(text, &images);
        if (text) {
            for (const auto &file : text->children) {
                if (file->name == QLatin1String("file"))
                    question.pictures.push_back({file->attributes.value(QStringLiteral("name")).toString(),
                        QByteArray::fromBase64(file->text.toLatin1())});
            }
        }
        for (const QString &source : images) {
            if (!source.startsWith(QLatin1String("@@PLUGINFILE@@")))
                question.lost << say(lang, "image externe %1 non reprise (seules les images incluses dans le fichier le sont)",
                                     "external picture %1 not carried over (only pictures held in the file are)")
                                     .arg(source);
        }
        question.generalFeedback = formattedText(node->child(u"generalfeedback"));
        question.correctFeedback = formattedText(node->child(u"correctfeedback"));
        question.incorrectFeedback = formattedText(node->child(u"incorrectfeedback"));
        const QString single = node->childText(u"single").toLower();
        question.single = type == QLatin1String("truefalse") || single.isEmpty() || single == QLatin1String("true")
            || single == QLatin1String("1");
        for (const auto &child : node->children) {
            if (child->name != QLatin1String("answer"))
                continue;
            SourceAnswer answer;
            answer.weight = child->attributes.value(QStringLiteral("fraction")).toString().toDouble();
            answer.text = formattedText(child.get());
            if (type == QLatin1String("truefalse"))
                answer.text = answer.text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Vrai")
                    : answer.text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0         ? QStringLiteral("Faux")
                                                                                                    : answer.text;
            answer.feedback = formattedText(child->child(u"feedback"));
            for (const auto &file : child->children) {
                if (file->name == QLatin1String("file"))
                    question.lost << say(lang, "image %1 d'une proposition non reprise", "picture %1 of an answer not carried over")
                                         .arg(file->attributes.value(QStringLiteral("name")).toString());
            }
            question.answers.push_back(answer);
        }
        quiz.questions.push_back(std::move(question));
    }
    return quiz;
}

} // namespace qcm::authoring

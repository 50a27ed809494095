#pragma once

#include <QList>
#include <QString>

// Markup of quiz interchange formats to and from the plain text of a record.
// Line breaks in a record are CR LF, as the Windows text boxes write them.
namespace qcm::authoring {

// What a text pointed to that plain text cannot carry.
struct DroppedMedia
{
    enum class Kind { Link, Sound, Video };
    Kind kind = Kind::Link;
    QString target; // the address, as written
};

// HTML to plain text: tags dropped, blocks and <br> as line breaks, runs of
// blanks collapsed, entities decoded (&nbsp; becomes a plain blank),
// superscripts as ², ³ or ^n. A link keeps its text; links, sounds and videos
// are added to `dropped` when given.
QString htmlToText(const QString &html, QList<DroppedMedia> *dropped = nullptr);

// Markdown to plain text: emphasis and heading marks dropped, a link keeps
// its text (its address goes to `dropped`), an image its description.
QString markdownToText(const QString &markdown, QList<DroppedMedia> *dropped = nullptr);
// Plain text to HTML that htmlToText turns back into the same text.
QString textToHtml(const QString &text);

// GIFT escapes (\~ \= \# \{ \} \: \\ and \n) undone.
QString giftUnescape(const QString &text);
QString giftEscape(const QString &text);

// Plain text with bare line breaks made CR LF and outer blanks trimmed.
QString normalisedLines(const QString &text);

} // namespace qcm::authoring

#pragma once

#include <QString>

// Markup of quiz interchange formats to and from the plain text of a record.
// Line breaks in a record are CR LF, as the Windows text boxes write them.
namespace qcm::authoring {

// HTML to plain text: tags dropped, blocks and <br> as line breaks, runs of
// blanks collapsed, entities decoded (&nbsp; becomes a plain blank).
QString htmlToText(const QString &html);
// Plain text to HTML that htmlToText turns back into the same text.
QString textToHtml(const QString &text);

// GIFT escapes (\~ \= \# \{ \} \: \\ and \n) undone.
QString giftUnescape(const QString &text);
QString giftEscape(const QString &text);

// Plain text with bare line breaks made CR LF and outer blanks trimmed.
QString normalisedLines(const QString &text);

} // namespace qcm::authoring

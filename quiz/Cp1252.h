#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Quiz texts are Windows-1252.
namespace qcm {

QString fromWindows1252(const QByteArray &bytes);
// Empty when a character has no Windows-1252 byte.
std::optional<QByteArray> toWindows1252(const QString &text);

} // namespace qcm

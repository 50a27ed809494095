#pragma once

#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <cstdlib>

#include "pictures/DecodeBudget.h"
#include "pictures/PictureLoader.h"

// Metafile text needs fonts, hence an application on the offscreen platform.
inline void startFuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzzer";
    static char *argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_LOGGING_RULES", "*.warning=false", 1);
    static QGuiApplication app(argc, argv);
}

inline void fuzzPicture(const std::uint8_t *data, std::size_t size, pictures::PictureFormat format)
{
    // Half the run's time limit per input (-timeout=2): a decoder that looks
    // at its budget too seldom overruns it and the fuzzer reports a timeout.
    pictures::DecodeBudget budget(1000);
    QString error;
    const QImage image = pictures::decodePicture(
        QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), format, &error, &budget);
    // A picture is either whole or a failure with a reason.
    if (image.isNull() == error.isEmpty())
        std::abort();
}

#pragma once

#include <QtGlobal>

// Bounds on what a question picture may claim, checked from headers before
// any pixel memory is taken: quiz pictures come from USB keys and downloads.
namespace pictures {

inline constexpr qint64 MaxPictureFileBytes = 64 * 1024 * 1024;
inline constexpr qint64 MaxPictureSide = 16384;
inline constexpr qint64 MaxPicturePixels = 50'000'000;
// Metafiles are drawn, not decoded: a smaller canvas keeps drawing time sane.
inline constexpr qint64 MaxMetafilePixels = 16'000'000;

inline bool pictureSizeAllowed(qint64 width, qint64 height, qint64 maxPixels = MaxPicturePixels)
{
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide
        && width * height <= maxPixels;
}

// Reasons given to tools that report them; the player only beeps.
namespace picture_error {
inline const char *const NotFound = "Fichier image introuvable";
inline const char *const Unreadable = "Impossible de lire le fichier image";
inline const char *const FileTooLarge = "Fichier image trop volumineux";
inline const char *const UnknownFormat = "Format d'image inconnu";
inline const char *const TooLarge = "Image trop grande";
inline const char *const Damaged = "Image endommagée";
inline const char *const OutOfMemory = "Mémoire insuffisante";
inline const char *const UnsupportedColours = "Espace de couleurs non pris en charge";
inline const char *const TooComplex = "Image trop complexe";
inline const char *const OutsideQuizFolders = "Image hors des dossiers du QCM";
} // namespace picture_error

} // namespace pictures

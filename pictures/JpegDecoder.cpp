#include "pictures/JpegDecoder.h"

#include <QSysInfo>

#include "pictures/DecodeBudget.h"
#include "pictures/PictureMemory.h"
#include "pictures/PictureLimits.h"

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>


#include <jpeglib.h>
#include <jerror.h>

namespace pictures {
namespace {

// libjpeg reports errors by calling error_exit, which must not return: we
// jump back to the decoding step that started the call. Everything below the
// setjmp points is plain C data, so nothing needs unwinding.

constexpr int MaxWarnings = 100;
constexpr int MaxScans = 100;
// Rows decoded between two looks at the budget.
constexpr JDIMENSION RowsPerCheck = 16;

enum class Failure { None, Damaged, TooManyWarnings, TooManyScans, OutOfMemory, Stopped };

struct ErrorManager
{
    jpeg_error_mgr base; // first: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    int warnings;
    Failure failure;
};

struct ProgressMonitor
{
    jpeg_progress_mgr base;
    ErrorManager *errors;
    const DecodeBudget *budget;
};

struct Decoder
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    ProgressMonitor progress;
};

[[noreturn]] void jumpOut(ErrorManager *errors, Failure failure)
{
    if (errors->failure == Failure::None)
        errors->failure = failure;
    std::longjmp(errors->jump, 1);
}

[[noreturn]] void onError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    const int code = errors->base.msg_code;
    const bool memory = code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE
        || code == JERR_TFILE_CREATE || code == JERR_VIRTUAL_BUG;
    jumpOut(errors, memory ? Failure::OutOfMemory : Failure::Damaged);
}

void onMessage(j_common_ptr info, int level)
{
    // Level -1 is a warning about damaged data; higher levels are traces.
    if (level >= 0)
        return;
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    if (++errors->warnings > MaxWarnings)
        jumpOut(errors, Failure::TooManyWarnings);
}

void onOutput(j_common_ptr) {}

// Called for every row group and every scan: a progressive file may hold
// thousands of scans, each one a full pass.
void onProgress(j_common_ptr info)
{
    auto *monitor = reinterpret_cast<ProgressMonitor *>(info->progress);
    if (!monitor->budget->stillGoing())
        jumpOut(monitor->errors, Failure::Stopped);
    if (info->is_decompressor
        && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans)
        jumpOut(monitor->errors, Failure::TooManyScans);
}

void setUp(Decoder *decoder, const DecodeBudget *budget)
{
    decoder->info.err = jpeg_std_error(&decoder->errors.base);
    decoder->errors.base.error_exit = onError;
    decoder->errors.base.emit_message = onMessage;
    decoder->errors.base.output_message = onOutput;
    decoder->errors.warnings = 0;
    decoder->errors.failure = Failure::None;
    decoder->progress.base.progress_monitor = onProgress;
    decoder->progress.errors = &decoder->errors;
    decoder->progress.budget = budget;
}

bool readHeader(Decoder *decoder, const unsigned char *data, unsigned long size)
{
    if (setjmp(decoder->errors.jump))
        return false;
    jpeg_create_decompress(&decoder->info);
    decoder->info.mem->max_memory_to_use = decoder->progress.budget->bytesLeft();
    decoder->info.progress = &decoder->progress.base;
    jpeg_mem_src(&decoder->info, data, size);
    jpeg_read_header(&decoder->info, TRUE);
    return true;
}

// Adobe writes CMYK inverted; other writers store ink amounts.
void cmykToRgb(const JSAMPLE *cmyk, uchar *line, JDIMENSION width, bool inverted)
{
    auto *rgb = reinterpret_cast<QRgb *>(line);
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, ++rgb) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        *rgb = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

bool readPixels(Decoder *decoder, uchar *bits, qsizetype bytesPerLine)
{
    if (setjmp(decoder->errors.jump))
        return false;
    j_decompress_ptr info = &decoder->info;
    jpeg_start_decompress(info);
    if (info->out_color_space == JCS_CMYK) {
        JSAMPARRAY row = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                    info->output_width * 4, 1);
        const bool inverted = info->saw_Adobe_marker;
        while (info->output_scanline < info->output_height) {
            if (info->output_scanline % RowsPerCheck == 0)
                onProgress(reinterpret_cast<j_common_ptr>(info));
            uchar *line = bits + qsizetype(info->output_scanline) * bytesPerLine;
            if (jpeg_read_scanlines(info, row, 1) == 1)
                cmykToRgb(row[0], line, info->output_width, inverted);
        }
    } else {
        while (info->output_scanline < info->output_height) {
            if (info->output_scanline % RowsPerCheck == 0)
                onProgress(reinterpret_cast<j_common_ptr>(info));
            JSAMPROW line = bits + qsizetype(info->output_scanline) * bytesPerLine;
            jpeg_read_scanlines(info, &line, 1);
        }
    }
    return true;
}

QString reasonFor(Failure failure)
{
    using namespace picture_error;
    switch (failure) {
    case Failure::OutOfMemory: return QString::fromUtf8(OutOfMemory);
    case Failure::TooManyScans:
    case Failure::Stopped: return QString::fromUtf8(TooComplex);
    case Failure::None:
    case Failure::Damaged:
    case Failure::TooManyWarnings: break;
    }
    return QString::fromUtf8(picture_error::Damaged);
}

// What the decode will hold besides the file: the picture, and the whole
// image's coefficients when the file comes in several scans.
qint64 memoryNeeded(j_decompress_ptr info)
{
    qint64 bytes = qint64(info->image_width) * info->image_height * 4;
    if (jpeg_has_multiple_scans(info)) {
        for (int c = 0; c < info->num_components; ++c) {
            const jpeg_component_info &component = info->comp_info[c];
            bytes += qint64(component.width_in_blocks) * component.height_in_blocks * qint64(sizeof(JBLOCK));
        }
    }
    return bytes;
}

QImage decode(Decoder *decoder, QByteArrayView data, QString *error, DecodeBudget &budget)
{
    auto fail = [&](QString reason) {
        if (error)
            *error = std::move(reason);
        return QImage();
    };
    if (data.isEmpty())
        return fail(QString::fromUtf8(picture_error::Damaged));
    if (!readHeader(decoder, reinterpret_cast<const unsigned char *>(data.data()),
                    static_cast<unsigned long>(data.size())))
        return fail(reasonFor(decoder->errors.failure));

    jpeg_decompress_struct &info = decoder->info;
    if (!pictureSizeAllowed(info.image_width, info.image_height))
        return fail(QString::fromUtf8(picture_error::TooLarge));
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        // Straight into the layout the screen draws from, opaque: showing
        // a photograph then needs no conversion of tens of megabytes.
        info.out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        break;
    default:
        return fail(QString::fromUtf8(picture_error::UnsupportedColours));
    }
    info.do_block_smoothing = TRUE;
    info.dct_method = JDCT_FLOAT;
    info.quantize_colors = FALSE;
    info.scale_num = 1;
    info.scale_denom = 1;
    if (!budget.reserve(memoryNeeded(&info)))
        return fail(QString::fromUtf8(picture_error::TooLarge));
    // What is left of the budget bounds libjpeg's own buffers besides.
    info.mem->max_memory_to_use = long(qMin<qint64>(LONG_MAX, budget.bytesLeft() + memoryNeeded(&info)));

    // The output buffer lives out here, so a jump out of libjpeg leaves it
    // to its owner. It is in the layout the screen draws from: showing a
    // photograph of tens of megabytes needs no copy.
    QImage image = allocateOpaquePicture(int(info.image_width), int(info.image_height));
    if (image.isNull())
        return fail(QString::fromUtf8(picture_error::OutOfMemory));
    if (!readPixels(decoder, image.bits(), image.bytesPerLine()))
        return fail(reasonFor(decoder->errors.failure));
    return image;
}

} // namespace

QImage decodeJpeg(QByteArrayView data, QString *error, DecodeBudget &budget)
{
    Decoder decoder{};
    setUp(&decoder, &budget);
    QImage image = decode(&decoder, data, error, budget);
    jpeg_destroy_decompress(&decoder.info);
    return image;
}

} // namespace pictures

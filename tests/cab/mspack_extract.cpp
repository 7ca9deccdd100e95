#include "mspack_extract.h"

#include <mspack.h>

MspackResult ExtractWithMspack(const std::string& cabinetPath, const std::string& outputPath) {
    MspackResult result;
    mscab_decompressor* decompressor = mspack_create_cab_decompressor(nullptr);
    mscabd_cabinet* cabinet = decompressor->open(decompressor, cabinetPath.c_str());
    if (cabinet == nullptr) {
        result.openError = decompressor->last_error(decompressor);
    } else {
        for (mscabd_file* f = cabinet->files; f != nullptr; f = f->next) ++result.fileCount;
        if (mscabd_file* file = cabinet->files) {
            result.name = file->filename;
            result.length = file->length;
            result.attributes = file->attribs;
            result.year = file->date_y;
            result.month = file->date_m;
            result.day = file->date_d;
            result.hour = file->time_h;
            result.minute = file->time_m;
            result.second = file->time_s;
            result.extractError = decompressor->extract(decompressor, file, outputPath.c_str());
        }
        decompressor->close(decompressor, cabinet);
    }
    mspack_destroy_cab_decompressor(decompressor);
    return result;
}

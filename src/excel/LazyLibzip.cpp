// libzip is opened when a workbook is first read or written, not when
// Tintwell starts: with it comes the OpenSSL crypto library, whose loading
// costs every start of the window before its first frame. The programs are
// not linked with libzip; these definitions of the libzip functions they call
// open "libzip.so.4" (or $TINTWELL_LIBZIP) on the first call and hand every
// call on. When libzip cannot be opened, opening or creating an archive fails
// and the error text says why; the other functions are then never given an
// archive.
//
// A libzip function called anywhere else must be added here (the link fails
// until it is).

#include "LazyLibrary.h"

#include <zip.h>

namespace {

const LazyLibrary& library()
{
    static const LazyLibrary lib("TINTWELL_LIBZIP", "libzip.so.4", "the zip library");
    return lib;
}

} // namespace

extern "C" {

void zip_error_init(zip_error_t* error)
{
    TINTWELL_REAL(zip_error_init);
    if (real) {
        real(error);
    } else {
        *error = zip_error_t{};
    }
}

void zip_error_init_with_code(zip_error_t* error, int code)
{
    TINTWELL_REAL(zip_error_init_with_code);
    if (real) {
        real(error, code);
    } else {
        *error = zip_error_t{};
        error->zip_err = code;
    }
}

void zip_error_fini(zip_error_t* error)
{
    TINTWELL_REAL(zip_error_fini);
    if (real) {
        real(error);
    }
}

const char* zip_error_strerror(zip_error_t* error)
{
    TINTWELL_REAL(zip_error_strerror);
    return real ? real(error) : library().error().c_str();
}

const char* zip_strerror(zip_t* archive)
{
    TINTWELL_REAL(zip_strerror);
    return real ? real(archive) : library().error().c_str();
}

zip_t* zip_open(const char* path, int flags, int* errorp)
{
    TINTWELL_REAL(zip_open);
    if (real) {
        return real(path, flags, errorp);
    }
    if (errorp) {
        *errorp = ZIP_ER_INTERNAL;
    }
    return nullptr;
}

zip_t* zip_open_from_source(zip_source_t* source, int flags, zip_error_t* error)
{
    TINTWELL_REAL(zip_open_from_source);
    return real ? real(source, flags, error) : nullptr;
}

int zip_close(zip_t* archive)
{
    TINTWELL_REAL(zip_close);
    return real ? real(archive) : -1;
}

void zip_discard(zip_t* archive)
{
    TINTWELL_REAL(zip_discard);
    if (real) {
        real(archive);
    }
}

zip_int64_t zip_get_num_entries(zip_t* archive, zip_flags_t flags)
{
    TINTWELL_REAL(zip_get_num_entries);
    return real ? real(archive, flags) : -1;
}

void zip_stat_init(zip_stat_t* st)
{
    TINTWELL_REAL(zip_stat_init);
    if (real) {
        real(st);
    } else {
        *st = zip_stat_t{};
    }
}

int zip_stat_index(zip_t* archive, zip_uint64_t index, zip_flags_t flags, zip_stat_t* st)
{
    TINTWELL_REAL(zip_stat_index);
    return real ? real(archive, index, flags, st) : -1;
}

zip_file_t* zip_fopen_index(zip_t* archive, zip_uint64_t index, zip_flags_t flags)
{
    TINTWELL_REAL(zip_fopen_index);
    return real ? real(archive, index, flags) : nullptr;
}

zip_int64_t zip_fread(zip_file_t* file, void* buffer, zip_uint64_t length)
{
    TINTWELL_REAL(zip_fread);
    return real ? real(file, buffer, length) : -1;
}

int zip_fclose(zip_file_t* file)
{
    TINTWELL_REAL(zip_fclose);
    return real ? real(file) : -1;
}

zip_source_t* zip_source_buffer(zip_t* archive, const void* data, zip_uint64_t length, int freeWhenDone)
{
    TINTWELL_REAL(zip_source_buffer);
    return real ? real(archive, data, length, freeWhenDone) : nullptr;
}

zip_source_t* zip_source_buffer_create(const void* data, zip_uint64_t length, int freeWhenDone, zip_error_t* error)
{
    TINTWELL_REAL(zip_source_buffer_create);
    if (real) {
        return real(data, length, freeWhenDone, error);
    }
    if (error) {
        error->zip_err = ZIP_ER_INTERNAL;
    }
    return nullptr;
}

zip_source_t* zip_source_file(zip_t* archive, const char* path, zip_uint64_t start, zip_int64_t length)
{
    TINTWELL_REAL(zip_source_file);
    return real ? real(archive, path, start, length) : nullptr;
}

void zip_source_free(zip_source_t* source)
{
    TINTWELL_REAL(zip_source_free);
    if (real) {
        real(source);
    }
}

zip_int64_t zip_file_add(zip_t* archive, const char* name, zip_source_t* source, zip_flags_t flags)
{
    TINTWELL_REAL(zip_file_add);
    return real ? real(archive, name, source, flags) : -1;
}

int zip_set_file_compression(zip_t* archive, zip_uint64_t index, zip_int32_t method, zip_uint32_t flags)
{
    TINTWELL_REAL(zip_set_file_compression);
    return real ? real(archive, index, method, flags) : -1;
}

} // extern "C"

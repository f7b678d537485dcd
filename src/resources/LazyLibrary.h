#pragma once
// A shared library opened at its first use rather than when Tintwell starts:
// the libraries some features need (the station database's client, the
// workbooks' zip library) bring further libraries whose loading would delay
// the first frame of every start, even where the feature is never used. The
// program is then not linked with the library; a file of definitions of the
// functions it calls hands each call on through resolve(). The library's
// name can be overridden by an environment variable (the tests use it to
// show the message of a missing library).

#include <dlfcn.h>

#include <cstdlib>
#include <string>

class LazyLibrary
{
public:
    // Opens soname (or the file named by $environmentName) now. what names
    // the library in the error when it cannot be opened.
    LazyLibrary(const char* environmentName, const char* soname, const char* what)
    {
        const char* name = std::getenv(environmentName);
        if (!name || !*name) {
            name = soname;
        }
        m_handle = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (!m_handle) {
            const char* why = ::dlerror();
            m_error = std::string(what) + " cannot be loaded: " + (why ? why : name);
        }
    }
    LazyLibrary(const LazyLibrary&) = delete;
    LazyLibrary& operator=(const LazyLibrary&) = delete;

    // Why the library could not be opened; empty when it was.
    const std::string& error() const { return m_error; }

    // The library's function name as F, or null when the library (or the
    // function) is not there.
    template <typename F>
    F resolve(const char* name) const
    {
        return m_handle ? reinterpret_cast<F>(::dlsym(m_handle, name)) : nullptr;
    }

private:
    void* m_handle = nullptr;
    std::string m_error;
};

// In a file of definitions that hand each call on: declares `real`, the
// library's own function name, looked up once. The file defines library(),
// which gives its LazyLibrary.
#define TINTWELL_REAL(name) static const auto real = library().resolve<decltype(&name)>(#name)

#pragma once
// Fontconfig reads its configuration (some fifty XML files) and its caches
// the first time anything looks up a font: several milliseconds, which on the
// way to the first frame would come after the connection to the display. The
// warm-up starts that reading on a thread of its own as soon as main()
// begins, so it runs while QApplication connects to the display (mostly a
// wait for the display server's answers). wait() before the first font is
// looked up; the destructor waits too.
//
// Qt's GUI library has already loaded fontconfig: it is reached through
// dlopen(), so Tintwell links nothing more. $TINTWELL_FONTCONFIG_LIBRARY names
// another file (the tests use it for a missing library); without fontconfig
// the warm-up does nothing and Qt reads the configuration itself.

#include <QString>

#include <thread>

class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Returns once the configuration is read (or the warm-up gave up).
    void wait();

    // After wait(): whether fontconfig read its configuration, and if not, why.
    bool loaded() const { return m_loaded; }
    QString errorText() const { return m_error; }

private:
    void run();

    bool m_loaded = false;
    QString m_error;
    std::thread m_thread;
};

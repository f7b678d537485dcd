#include "FontConfigWarmUp.h"

#include "LazyLibrary.h"

FontConfigWarmUp::FontConfigWarmUp() : m_thread([this] { run(); })
{
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void FontConfigWarmUp::run()
{
    const LazyLibrary fontconfig("TINTWELL_FONTCONFIG_LIBRARY", "libfontconfig.so.1", "fontconfig");
    using Init = int (*)();
    const auto init = fontconfig.resolve<Init>("FcInit");
    if (!init) {
        m_error = fontconfig.error().empty() ? QStringLiteral("fontconfig has no FcInit")
                                             : QString::fromStdString(fontconfig.error());
        return;
    }
    // FcInit keeps the configuration it reads as fontconfig's current one;
    // Qt's own FcInit later finds it there.
    m_loaded = init() != 0;
    if (!m_loaded) {
        m_error = QStringLiteral("fontconfig could not read its configuration");
    }
}

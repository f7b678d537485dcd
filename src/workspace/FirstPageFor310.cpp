#include "FirstPageFor310.h"

// The page's contents, its worker and identification arrive with the
// workspace work; until then the main window hosts an empty page.
FirstPageFor310::FirstPageFor310(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FirstPageFor310"));
}

void FirstPageFor310::openThreadSlot() {}
void FirstPageFor310::closeThreadSlot() {}
void FirstPageFor310::clear() {}
void FirstPageFor310::onDeviceConnected() {}
void FirstPageFor310::languageChange() {}

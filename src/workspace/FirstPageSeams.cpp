// What other parts of the page fill in: the receive worker, and the settings
// read after identification. Each moves to its own file when it is built.

#include "FirstPageFor310.h"

void FirstPageFor310::openThreadSlot() {}

void FirstPageFor310::closeThreadSlot() {}

void FirstPageFor310::readSettingsAfterConnect() {}

// What other parts of the page fill in: the settings read after
// identification. Each moves to its own file when it is built.

#include "FirstPageFor310.h"

void FirstPageFor310::readSettingsAfterConnect() {}

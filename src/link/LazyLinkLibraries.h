#pragma once
// Why hidapi or libudev, opened at their first use (LazyHidapi.cpp,
// LazyUdev.cpp), could not be opened: "hidapi cannot be loaded: ..." or
// "libudev cannot be loaded: ...", empty when the library is there. Asking
// opens the library if no call has yet.

#include <string>

const std::string& hidapiLoadError();
const std::string& udevLoadError();

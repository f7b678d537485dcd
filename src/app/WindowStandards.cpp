#include "WindowStandards.h"

std::unique_ptr<StandardLibrary> openWindowStandards(const QString& localPath, const QString& stationCopyPath,
                                                     bool stationConfigured, QString* error)
{
    auto library = std::make_unique<StandardLibrary>(stationConfigured ? stationCopyPath : localPath,
                                                     stationConfigured ? StandardLibrary::Access::ReadOnly
                                                                       : StandardLibrary::Access::ReadWrite);
    if (!library->open()) {
        if (error) {
            *error = library->errorText();
        }
        return nullptr;
    }
    return library;
}

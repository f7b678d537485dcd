#pragma once
#include <QString>

// A first-generation colorimeter (TX420/TX450 below software 3.00, TX430/TX460
// below 4.00; softwareVersion is in hundredths) numbers its formulas
// differently and is served by the legacy workspace layout.
bool isFirstGenerationColorimeter(const QString& model, int softwareVersion);

#pragma once
// The comparison tables' two-level headers: spans, labels, level heights and
// the dark header cells. The page re-sets the labels in the current language.

class QTableView;
class RbTableHeaderView;

namespace ComparisonHeader {

constexpr int kColumnCount = 36;
constexpr int kLevelCount = 2;
constexpr int kLevelHeight = 30;
constexpr int kStandardFirst = 3;   // "Standard" covers 3..13 on level 0
constexpr int kSampleFirst = 14;    // "Sample" covers 14..24 on level 0
constexpr int kGroupSize = 11;
constexpr int kBothLevelsFirst = 25; // besides 0..2, columns 25..30 cover both levels
constexpr int kBothLevelsLast = 30;

// Sets spans, labels, level heights, clickability and backgrounds on a
// freshly constructed horizontal header of kLevelCount by kColumnCount cells.
void configure(RbTableHeaderView* header);

// Builds the header and installs it as the table's horizontal header (after
// the table's model is set: a new model would replace the header's); the table owns it.
RbTableHeaderView* install(QTableView* table);

// The legacy table's header: "Standard" over 3..7, "Sample" over 8..12.
constexpr int kLegacyColumnCount = 21;
constexpr int kLegacyStandardFirst = 3;
constexpr int kLegacySampleFirst = 8;
constexpr int kLegacyGroupSize = 5;
void configureLegacy(RbTableHeaderView* header);
RbTableHeaderView* installLegacy(QTableView* table);

// The labels in the language in force (the page calls these after a switch).
void retranslate(RbTableHeaderView* header);
void retranslateLegacy(RbTableHeaderView* header);

} // namespace ComparisonHeader

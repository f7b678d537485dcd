#include "ComparisonRecord.h"

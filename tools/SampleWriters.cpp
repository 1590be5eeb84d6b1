#include "tools/SampleWriters.h"

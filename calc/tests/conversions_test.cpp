#include "calc/anchorage.h"
#include <gtest/gtest.h>

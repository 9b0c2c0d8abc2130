#include "calc/anchorage.h"
